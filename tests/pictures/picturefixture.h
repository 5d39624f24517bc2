// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the picture loader's tests share: pictures made in memory, files
// written byte by byte, and the process's peak memory.
#pragma once

#include "files/pathcodec.h"
#include "pictures/pictureloader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

inline const QSize Box(482, 320);
constexpr qint64 MemoryBudgetKb = 150 * 1024;

// A picture with detail in it: two colour halves and a diagonal, so rotation and truncation show.
inline QImage sample(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    painter.fillRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height(), Qt::blue);
    painter.setPen(QPen(Qt::white, 3));
    painter.drawLine(0, 0, size.width(), size.height());
    return image;
}

inline QByteArray encoded(const QImage &image, const char *format, bool progressive = false)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image) ? buffer.data() : QByteArray();
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

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

inline QByteArray pngHeader(quint32 width, quint32 height, char colourType)
{
    QByteArray ihdr(13, '\0');
    putBigEndian(ihdr, 0, width, 4);
    putBigEndian(ihdr, 4, height, 4);
    ihdr[8] = 8; // bits per sample
    ihdr[9] = colourType;
    return QByteArray("\x89PNG\r\n\x1A\n") + pngChunk("IHDR", ihdr);
}

// A real PNG whose header then claims another size (the CRC made right again).
inline QByteArray pngClaiming(quint32 width, quint32 height)
{
    const QByteArray real = encoded(sample(QSize(64, 48)), "png");
    return pngHeader(width, height, 2) + real.mid(33);
}

// A real JPEG whose frame header then claims another size.
inline QByteArray jpegClaiming(quint16 width, quint16 height, bool progressive = false)
{
    QByteArray jpeg = encoded(sample(QSize(64, 48)), "jpeg", progressive);
    const qsizetype sof = jpeg.indexOf(progressive ? "\xFF\xC2" : "\xFF\xC0");
    putBigEndian(jpeg, sof + 5, height, 2);
    putBigEndian(jpeg, sof + 7, width, 2);
    return jpeg;
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

// An APP1 block saying "turn 90 degrees clockwise to view", placed right after SOI.
inline QByteArray withOrientation6(const QByteArray &jpeg)
{
    const QByteArray tiff("MM\0*\0\0\0\x08" // big-endian header, first IFD at 8
                          "\0\x01" // one entry
                          "\x01\x12\0\x03\0\0\0\x01\0\x06\0\0" // Orientation, SHORT, 1 value: 6
                          "\0\0\0\0",
        26);
    QByteArray app1("\xFF\xE1\0\0Exif\0\0", 10);
    app1 += tiff;
    putBigEndian(app1, 2, static_cast<quint32>(app1.size() - 2), 2);
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

inline QByteArray targaBytes()
{
    QByteArray tga(18, '\0');
    tga[2] = 2; // uncompressed true colour
    tga[12] = 2, tga[14] = 2, tga[16] = 24;
    return tga + QByteArray(12, '\x7f');
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

// A GIF whose one frame of `frame` pixels lies on a canvas (logical screen) of `canvas`.
inline QByteArray gifOnCanvas(QSize canvas, QSize frame)
{
    const auto le16
        = [](int v) -> QByteArray { return QByteArray(1, static_cast<char>(v & 0xFF)) + static_cast<char>(v >> 8); };
    return "GIF89a" + le16(canvas.width()) + le16(canvas.height()) + QByteArray("\x80\0\0\0\0\0\xff\xff\xff,", 10)
        + le16(0) + le16(0) + le16(frame.width()) + le16(frame.height()) + QByteArray("\0\x02\x02\x44\x01\0;", 7);
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

inline int himetric(int pixels)
{
    return qRound(pixels * 2540.0 / 96.0);
}
