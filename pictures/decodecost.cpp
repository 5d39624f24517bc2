// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Measured on the 2-core machine the tests run on, a fresh process decoding
// one picture for the preview box: JPEG scales while it decodes and holds
// little, but goes through every coefficient (a progressive one keeps them
// all and goes through them once a scan); PNG scales row by row only in some
// cases, so it is counted as decoded whole like GIF, BMP, TIFF, PNM, WebP and
// ICO, whose picture is then held again by the scaling that follows. 16-bit
// samples double both the memory and the time, and an interlaced PNG takes
// about four times as long.
#include "pictures/decodecost.h"

#include "pictures/bytesource.h"
#include "pictures/pictureformat.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace
{
constexpr qint64 Mega = qint64(1) << 20;
constexpr qint64 JpegPixels = 128 * Mega; // scaled by 1/8 in the DCT: cheap per pixel
constexpr qint64 WholePixels = 16 * Mega; // 4 to 8 bytes and up to 30 ns a pixel
constexpr qint64 WebpPixels = 12 * Mega; // the file's bytes, the decoder's pixels and a copy of them
constexpr qint64 LayeredPixels = 8 * Mega; // an animated WebP: canvas, frame and the decoder's own copy
constexpr qint64 DeepPixels = 4 * Mega; // 16-bit samples: 16 bytes and ~140 ns a pixel
constexpr qint64 ProgressivePixels = 8 * Mega; // every coefficient kept, decoded once a scan
constexpr qint64 ScanPixels = 128 * Mega; // pixels times scans of a JPEG: ~3 ns each
constexpr qint64 MaxStripBytes = 32 * Mega; // what a TIFF decoder holds besides the picture

quint32 bigEndian(const QByteArray &bytes, qsizetype at, int width)
{
    quint32 value = 0;
    for (int i = 0; i < width; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

quint32 littleEndian(const QByteArray &bytes, qsizetype at, int width)
{
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

// What the first directory of a TIFF says about the blocks (strips or tiles)
// libtiff decodes one at a time, besides the picture it fills.
struct TiffLayout {
    qint64 blockWidth = 0;
    qint64 blockHeight = 0;
    qint64 samplesPerBlock = 1;
    qint64 bitsPerSample = 1;
};

std::optional<TiffLayout> tiffLayout(QIODevice &device, const QByteArray &head)
{
    const bool little = head.startsWith("II");
    const auto number = [little](const QByteArray &bytes, qsizetype at, int width) -> qint64 {
        return little ? littleEndian(bytes, at, width) : bigEndian(bytes, at, width);
    };
    ByteSource bytes(device);
    const QByteArray first = bytes.at(4, 4);
    const qint64 directory = first.size() == 4 ? number(first, 0, 4) : -1;
    const QByteArray countBytes = bytes.at(directory, 2);
    const qsizetype count = countBytes.size() == 2 ? number(countBytes, 0, 2) : 0;
    const QByteArray entries = bytes.at(directory + 2, count * 12);
    if (count == 0 || entries.size() < count * 12)
        return std::nullopt;
    qint64 width = 0, height = 0, rowsPerStrip = -1, tileWidth = 0, tileHeight = 0, samples = 1, planar = 1;
    const std::pair<qint64, qint64 *> fields[] = {{256, &width}, {257, &height}, {277, &samples}, {278, &rowsPerStrip},
        {284, &planar}, {322, &tileWidth}, {323, &tileHeight}};
    TiffLayout layout;
    for (qsizetype e = 0; e < count * 12; e += 12) {
        const qint64 tag = number(entries, e, 2);
        const qint64 value = number(entries, e + 8, number(entries, e + 2, 2) == 3 ? 2 : 4); // SHORT, else LONG
        for (const auto &[fieldTag, field] : fields) {
            if (tag == fieldTag)
                *field = value;
        }
        if (tag == 258) { // BitsPerSample, one per sample: more than two lie at the offset
            const bool inside = number(entries, e + 4, 4) <= 2;
            const QByteArray atOffset = inside ? QByteArray() : bytes.at(number(entries, e + 8, 4), 2);
            layout.bitsPerSample = inside ? value : atOffset.size() == 2 ? number(atOffset, 0, 2) : 16;
        }
    }
    const bool tiled = tileWidth > 0 && tileHeight > 0;
    layout.blockWidth = tiled ? tileWidth : width;
    layout.blockHeight = tiled ? tileHeight : rowsPerStrip < 0 ? height : std::min(rowsPerStrip, height);
    layout.samplesPerBlock = planar == 2 ? 1 : samples;
    return layout;
}

qint64 pngLimit(const QByteArray &head)
{
    if (head.size() < 29)
        return 0;
    const int depth = head.at(24);
    const bool interlaced = head.at(28) != 0;
    const qint64 limit = depth > 8 ? DeepPixels : WholePixels;
    return interlaced ? limit / 4 : limit; // decoded whole, in seven passes
}

// The scans of a JPEG, found the way libjpeg finds markers: each 0xFF that is
// neither a fill byte, nor stuffed (FF 00), nor a restart starts one; a segment
// is skipped by its length, entropy-coded data and garbage byte by byte.
qint64 jpegScans(QIODevice &device)
{
    ByteSource bytes(device);
    qint64 scans = 0;
    for (qint64 at = bytes.find('\xFF', 2); at >= 0; at = bytes.find('\xFF', at)) {
        const QByteArray marker = bytes.at(at, 4);
        const unsigned code = marker.size() < 2 ? 0xD9 : static_cast<unsigned char>(marker.at(1));
        if (code == 0xD9)
            break; // end of image
        if (code == 0xFF || code == 0x00 || code == 0x01 || code == 0xD8 || (code >= 0xD0 && code <= 0xD7)) {
            at += code == 0xFF ? 1 : 2; // no length follows these
            continue;
        }
        if (marker.size() < 4)
            break;
        scans += code == 0xDA ? 1 : 0;
        at += 2 + bigEndian(marker, 2, 2);
    }
    return scans;
}

qint64 jpegLimit(QIODevice &device, const QByteArray &head)
{
    const qint64 limit = isProgressiveJpeg(head) ? ProgressivePixels : JpegPixels;
    return std::min(limit, ScanPixels / std::max<qint64>(1, jpegScans(device)));
}

qint64 tiffLimit(QIODevice &device, const QByteArray &head)
{
    const std::optional<TiffLayout> layout = tiffLayout(device, head);
    if (!layout)
        return DeepPixels; // libtiff will most likely refuse it; if not, assume the worst
    const qint64 rowBytes = (qint64(layout->blockWidth) * layout->samplesPerBlock * layout->bitsPerSample + 7) / 8;
    if (rowBytes * layout->blockHeight > MaxStripBytes)
        return 0;
    return layout->bitsPerSample > 8 ? DeepPixels : WholePixels;
}
}

qint64 pixelLimit(const QByteArray &format, QIODevice &device, const QByteArray &head)
{
    if (format == "jpeg")
        return jpegLimit(device, head);
    if (format == "png")
        return pngLimit(head);
    if (format == "tiff")
        return tiffLimit(device, head);
    if (format == "webp")
        return head.mid(12, 4) == "VP8X" && head.size() > 20 && (head.at(20) & 0x02) != 0 ? LayeredPixels : WebpPixels;
    return WholePixels;
}
