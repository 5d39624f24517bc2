// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Picture files made byte by byte, as hostile files are, and the process's peak
// memory: what the picture loader's tests and its benchmark share.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QSize>

inline void putBigEndian(QByteArray &bytes, qsizetype at, quint32 value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * (width - 1 - i)));
}

inline quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline QByteArray pngChunk(const char *type, const QByteArray &data)
{
    QByteArray chunk(4, '\0');
    putBigEndian(chunk, 0, static_cast<quint32>(data.size()), 4);
    const QByteArray body = QByteArray(type) + data;
    QByteArray crc(4, '\0');
    putBigEndian(crc, 0, crc32(body), 4);
    return chunk + body + crc;
}

inline QByteArray pngHeader(quint32 width, quint32 height, char colourType, char depth = 8)
{
    QByteArray ihdr(13, '\0');
    putBigEndian(ihdr, 0, width, 4);
    putBigEndian(ihdr, 4, height, 4);
    ihdr[8] = depth; // bits per sample
    ihdr[9] = colourType;
    return QByteArray("\x89PNG\r\n\x1A\n") + pngChunk("IHDR", ihdr);
}

// zlib data for `count` zero bytes, written by hand with fixed Huffman codes:
// one literal 0, then copies of 258 bytes at distance 1 (13 bits each).
inline QByteArray zlibZeros(qint64 count)
{
    QByteArray out("\x78\x01");
    quint32 bits = 0;
    int used = 0;
    const auto put = [&](quint32 value, int n) { // Huffman codes go most significant bit first
        for (int i = n - 1; i >= 0; --i) {
            bits |= ((value >> i) & 1u) << used;
            if (++used == 8) {
                out.append(static_cast<char>(bits));
                bits = 0;
                used = 0;
            }
        }
    };
    put(1, 1), put(1, 1), put(0, 1); // last block; fixed codes: type 01, low bit first
    put(0x30, 8); // literal 0
    for (qint64 i = 0; i < (count - 1) / 258; ++i)
        put(0xC5, 8), put(0, 5); // length 258, distance 1
    for (qint64 i = 0; i < (count - 1) % 258; ++i)
        put(0x30, 8);
    put(0, 7); // end of block
    if (used > 0)
        out.append(static_cast<char>(bits));
    QByteArray adler(4, '\0');
    putBigEndian(adler, 0, static_cast<quint32>((count % 65521) << 16 | 1), 4);
    return out + adler;
}

// A valid PNG of all-black pixels, a few MB on disk and hundreds of MB decoded.
inline QByteArray pngBomb(quint32 width, quint32 height, char colourType, int channels)
{
    const qint64 raw = qint64(height) * (1 + qint64(width) * channels);
    return pngHeader(width, height, colourType) + pngChunk("IDAT", zlibZeros(raw)) + pngChunk("IEND", {});
}

// A PNG whose second chunk, of `type`, claims `length` bytes the file does not hold.
inline QByteArray pngChunkClaiming(const char *type, quint32 length)
{
    QByteArray claim(4, '\0');
    putBigEndian(claim, 0, length, 4);
    return pngHeader(1, 1, 0) + claim + type + "abc";
}

// An icon file whose one image is `image`, a PNG or a BMP.
inline QByteArray iconHolding(const QByteArray &image)
{
    QByteArray icon("\0\0\1\0\1\0" // reserved, type 1 (icon), one image
                    "\x10\x10\0\0\1\0\x20\0" // 16x16, no palette, 1 plane, 32 bits
                    "\0\0\0\0\x16\0\0\0", // size (set below), offset 22
        22);
    icon[14] = static_cast<char>(image.size() & 0xFF), icon[15] = static_cast<char>(image.size() >> 8 & 0xFF);
    return icon + image;
}

// A GIF whose one frame of `frame` pixels lies on a canvas (logical screen) of
// `canvas`; `restore` asks for the canvas under the frame to be kept.
inline QByteArray gifOnCanvas(QSize canvas, QSize frame, bool restore = false)
{
    const auto le16
        = [](int v) -> QByteArray { return QByteArray(1, static_cast<char>(v & 0xFF)) + static_cast<char>(v >> 8); };
    const QByteArray control = restore ? QByteArray("\x21\xf9\x04\x0c\0\0\0\0", 8) : QByteArray();
    return "GIF89a" + le16(canvas.width()) + le16(canvas.height()) + QByteArray("\x80\0\0\0\0\0\xff\xff\xff", 9)
        + control + ',' + le16(0) + le16(0) + le16(frame.width()) + le16(frame.height())
        + QByteArray("\0\x02\x02\x44\x01\0;", 7);
}

// An SVG document 40 x 30 units large holding `body`.
inline QByteArray svgDocument(const QByteArray &body, const QByteArray &prolog = {})
{
    return prolog
        + "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
          "width=\"40\" height=\"30\">"
        + body + "</svg>";
}

inline QByteArray dataUri(const QByteArray &picture)
{
    return "data:image/png;base64," + picture.toBase64();
}

inline qint64 peakMemoryKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}
