// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/pngchunks.h"

#include "pictures/bytesource.h"

#include <QByteArray>
#include <QtEndian>

#include <array>

namespace
{
constexpr qint64 SignatureBytes = 8;
constexpr qint64 FrameBytes = 12; // length, type and CRC around a chunk's data
constexpr qint64 MaxChunkLength = 0x7FFFFFFF;

bool isChunkType(const QByteArray &type)
{
    for (const char c : type) {
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    }
    return true;
}

bool drawsPixels(const QByteArray &type)
{
    static constexpr std::array<const char *, 5> kept {"IHDR", "PLTE", "tRNS", "IDAT", "IEND"};
    for (const char *name : kept) {
        if (type == name)
            return true;
    }
    return false;
}

void keep(std::vector<ByteRange> &ranges, qint64 offset, qint64 length)
{
    if (!ranges.empty() && ranges.back().offset + ranges.back().length == offset)
        ranges.back().length += length;
    else
        ranges.push_back({offset, length});
}
}

std::optional<std::vector<ByteRange>> pngPixelChunks(QIODevice &device, ByteRange range)
{
    const qint64 end = range.offset + range.length;
    ByteSource bytes(device);
    std::vector<ByteRange> ranges {{range.offset, SignatureBytes}};
    qint64 at = range.offset + SignatureBytes;
    while (at < end) {
        const QByteArray header = bytes.at(at, 8);
        if (header.size() < 8 || end - at < FrameBytes)
            return std::nullopt; // a chunk cut short
        const qint64 length = qFromBigEndian<quint32>(header.constData());
        const QByteArray type = header.mid(4, 4);
        if (length > MaxChunkLength || length > end - at - FrameBytes || !isChunkType(type))
            return std::nullopt;
        if (at == range.offset + SignatureBytes && (type != "IHDR" || length != 13))
            return std::nullopt;
        if (drawsPixels(type))
            keep(ranges, at, FrameBytes + length);
        at += FrameBytes + length;
        if (type == "IEND")
            break; // what follows the end is not part of the picture
    }
    if (ranges.size() == 1 && ranges.front().length == SignatureBytes)
        return std::nullopt; // no header chunk at all
    return ranges;
}
