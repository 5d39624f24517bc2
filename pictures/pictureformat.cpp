// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/pictureformat.h"

namespace
{
constexpr qsizetype SvgSniffBytes = 1024;
const QByteArray PngSignature("\x89PNG\r\n\x1A\n");

unsigned byteAt(const QByteArray &bytes, qsizetype i)
{
    return static_cast<unsigned char>(bytes.at(i));
}

quint32 littleEndian(const QByteArray &bytes, qsizetype at, int width)
{
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = value << 8 | byteAt(bytes, at + i);
    return value;
}

bool isSvg(const QByteArray &head)
{
    const QByteArray start = head.left(SvgSniffBytes);
    const QByteArray trimmed = start.startsWith("\xEF\xBB\xBF") ? start.mid(3).trimmed() : start.trimmed();
    return trimmed.startsWith("<svg") || (trimmed.startsWith("<?xml") && start.contains("<svg"));
}
}

QByteArray sniffFormat(const QByteArray &head)
{
    if (head.startsWith("\xFF\xD8\xFF"))
        return "jpeg";
    if (isPng(head))
        return "png";
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return "gif";
    if (head.startsWith("BM") && head.size() >= 26)
        return "bmp";
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return "webp";
    if (head.startsWith(QByteArray("II*\0", 4)) || head.startsWith(QByteArray("MM\0*", 4)))
        return "tiff";
    if (head.startsWith(QByteArray("\0\0\1\0", 4)) && head.size() >= 6
        && (head.at(4) != 0 || head.at(5) != 0)) // at least one image
        return "ico";
    if (head.size() >= 3 && head.at(0) == 'P' && head.at(1) >= '1' && head.at(1) <= '6'
        && QByteArray(" \t\r\n#").contains(head.at(2))) {
        static const char *const pnm[] = {"pbm", "pgm", "ppm"};
        return pnm[(head.at(1) - '1') % 3];
    }
    if (isSvg(head))
        return "svg";
    return {};
}

bool isProgressiveJpeg(const QByteArray &head)
{
    qsizetype i = 2;
    while (i + 4 <= head.size()) {
        if (byteAt(head, i) != 0xFF)
            return false;
        const unsigned marker = byteAt(head, i + 1);
        if (marker == 0xFF) {
            ++i;
            continue;
        }
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return (marker & 0x03) == 0x02; // SOF2, SOF6, SOF10, SOF14
        i += 2 + (byteAt(head, i + 2) << 8 | byteAt(head, i + 3));
    }
    return false;
}

std::optional<QSize> gifCanvas(const QByteArray &head)
{
    if (head.size() < 10)
        return std::nullopt;
    const QSize canvas(static_cast<int>(littleEndian(head, 6, 2)), static_cast<int>(littleEndian(head, 8, 2)));
    if (canvas.isEmpty())
        return std::nullopt;
    return canvas;
}

std::optional<ByteRange> icoFirstImage(const QByteArray &head)
{
    constexpr qsizetype Entry = 6; // the first directory entry follows the 6-byte header
    if (head.size() < Entry + 16)
        return std::nullopt;
    return ByteRange {littleEndian(head, Entry + 12, 4), littleEndian(head, Entry + 8, 4)};
}

ByteRange webpContainer(const QByteArray &head)
{
    return {0, head.size() < 8 ? 0 : qint64(littleEndian(head, 4, 4)) + 8};
}

bool isPng(const QByteArray &head)
{
    return head.startsWith(PngSignature);
}
