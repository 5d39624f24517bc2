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

bool isAnimatedWebp(const QByteArray &head)
{
    return head.mid(12, 4) == "VP8X" && head.size() > 20 && (head.at(20) & 0x02) != 0;
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
