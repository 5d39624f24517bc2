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

// A PNG of zeros, written by hand: `depth` bits per sample, `channels` samples a pixel, interlaced or not.
inline QByteArray pngOfZeros(int width, int height, char colourType, int channels, int depth, bool interlaced)
{
    const auto rowBytes = [&](qint64 columns) { return columns > 0 ? 1 + (columns * channels * depth + 7) / 8 : 0; };
    qint64 raw = qint64(height) * rowBytes(width);
    if (interlaced) {
        static const int start[7][2] = {{0, 0}, {4, 0}, {0, 4}, {2, 0}, {0, 2}, {1, 0}, {0, 1}}; // column, row
        static const int step[7][2] = {{8, 8}, {8, 8}, {4, 8}, {4, 4}, {2, 4}, {2, 2}, {1, 2}};
        raw = 0;
        for (int pass = 0; pass < 7; ++pass) {
            const qint64 columns = (width - start[pass][0] + step[pass][0] - 1) / step[pass][0];
            raw += (height - start[pass][1] + step[pass][1] - 1) / step[pass][1] * rowBytes(columns);
        }
    }
    QByteArray header = pngHeader(quint32(width), quint32(height), colourType, char(depth));
    header[28] = interlaced ? 1 : 0;
    return header.left(8) + pngChunk("IHDR", header.mid(16, 13)) + pngChunk("IDAT", zlibZeros(raw))
        + pngChunk("IEND", {});
}

// An RGB TIFF of zeros, in strips of `rows` rows that all share one deflated strip.
inline QByteArray tiffOfZeros(quint32 width, quint32 height, quint32 rows)
{
    const QByteArray strip = zlibZeros(qint64(rows) * width * 3);
    const quint32 strips = (height + rows - 1) / rows;
    const quint16 tags[][2]
        = {{256, 4}, {257, 4}, {258, 3}, {259, 3}, {262, 3}, {273, 4}, {277, 3}, {278, 4}, {279, 4}};
    const quint32 values[] = {width, height, 8, 8, 2, 0, 3, rows, 0};
    const quint32 directory = 8, arrays = directory + 2 + 9 * 12 + 4, data = arrays + 8 * strips;
    QByteArray tiff("II*\0", 4);
    const auto put = [&tiff](quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            tiff.append(char(value >> 8 * i));
    };
    put(directory, 4);
    put(9, 2);
    for (int i = 0; i < 9; ++i) {
        put(tags[i][0], 2), put(tags[i][1], 2);
        const bool array = tags[i][0] == 273 || tags[i][0] == 279;
        put(array ? strips : 1, 4);
        put(tags[i][0] == 273 ? arrays : tags[i][0] == 279 ? arrays + 4 * strips : values[i], 4);
    }
    put(0, 4);
    for (quint32 i = 0; i < strips; ++i)
        put(data, 4);
    for (quint32 i = 0; i < strips; ++i)
        put(quint32(strip.size()), 4);
    return tiff + strip;
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

inline QByteArray jpegSegment(unsigned char marker, const QByteArray &payload)
{
    QByteArray segment("\xFF\0\0\0", 4);
    segment[1] = static_cast<char>(marker);
    putBigEndian(segment, 2, static_cast<quint32>(payload.size() + 2), 2);
    return segment + payload;
}

// A JPEG whose every block is flat grey, made by hand: `components` components
// sampled 1x1 in a frame `sof` (0xC0 sequential, 0xC2 progressive), then the
// scans, each listing the indexes of its components. A sequential scan codes a
// block in two bits (DC difference 0, end of block), a progressive one carries
// the first coefficients only, in one bit a block; without `coded`, the scans
// hold no data at all, which a decoder reads as zeros. `before` follows SOI.
inline QByteArray flatJpeg(int width, int height, int components, unsigned char sof, const QList<QList<int>> &scans,
    const QByteArray &before = {}, bool coded = true)
{
    QByteArray frame(6, '\0');
    frame[0] = 8;
    putBigEndian(frame, 1, static_cast<quint32>(height), 2);
    putBigEndian(frame, 3, static_cast<quint32>(width), 2);
    frame[5] = static_cast<char>(components);
    for (int c = 0; c < components; ++c)
        frame += QByteArray(1, static_cast<char>(c + 1)) + QByteArray("\x11\0", 2);
    const QByteArray oneCode = QByteArray(1, '\1') + QByteArray(15, '\0') + QByteArray(1, '\0'); // symbol 0 coded "0"
    QByteArray jpeg = QByteArray("\xFF\xD8", 2) + before + jpegSegment(0xDB, QByteArray(1, '\0') + QByteArray(64, '\1'))
        + jpegSegment(0xC4, QByteArray(1, '\0') + oneCode + QByteArray(1, '\x10') + oneCode) + jpegSegment(sof, frame);
    const bool progressive = sof == 0xC2;
    const qint64 blocks = qint64((width + 7) / 8) * ((height + 7) / 8);
    for (const QList<int> &scan : scans) {
        QByteArray header(1, static_cast<char>(scan.size()));
        for (const int c : scan)
            header += QByteArray(1, static_cast<char>(c + 1)) + QByteArray(1, '\0');
        header += progressive ? QByteArray("\0\0\0", 3) : QByteArray("\0\x3F\0", 3);
        const qint64 bits = coded ? blocks * scan.size() * (progressive ? 1 : 2) : 0;
        jpeg += jpegSegment(0xDA, header) + QByteArray((bits + 7) / 8, '\0');
    }
    return jpeg + "\xFF\xD9";
}

// An APP1 segment of 64 kB, as a camera's metadata may be.
inline QByteArray jpegMetadata()
{
    return jpegSegment(0xE1, "Exif" + QByteArray(65529, '\0'));
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
