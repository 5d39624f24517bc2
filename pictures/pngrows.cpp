// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads what libpng would read, checking the same: the signature, every
// chunk's CRC, the chunk order, the filter of each row and the length of the
// image data. The zlib stream's own Adler-32 is not computed: the CRCs of
// the chunks that carry it already cover every byte of it.
#include "pictures/pngrows.h"

#include "pictures/pictureformat.h"
#include "pictures/scaling.h"

#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
constexpr quint32 MaxChunkLength = 0x7FFFFFFF;
constexpr std::size_t BlockBytes = std::size_t(64) << 10;
constexpr std::size_t BatchBytes = std::size_t(256) << 10;

// The chunks of a PNG in order, each one's data read through its CRC.
class Chunks
{
public:
    explicit Chunks(QIODevice &device) : m_device(device) { }

    // Starts the next chunk; false at the end of the device or on a length no PNG has.
    bool next()
    {
        std::array<unsigned char, 8> head {};
        if (m_device.read(reinterpret_cast<char *>(head.data()), 8) != 8)
            return false;
        m_left = qFromBigEndian<quint32>(head.data());
        std::memcpy(m_type.data(), head.data() + 4, 4);
        m_crc = crc32(0, head.data() + 4, 4);
        return m_left <= MaxChunkLength;
    }
    [[nodiscard]] bool is(const char (&type)[5]) const { return std::memcmp(m_type.data(), type, 4) == 0; }
    [[nodiscard]] quint32 left() const { return m_left; }

    // Up to `size` bytes of the chunk's data: how many, 0 at its end, -1 when the device ends first.
    qint64 read(unsigned char *data, std::size_t size)
    {
        const qint64 wanted = qint64(std::min<std::size_t>(size, m_left));
        const qint64 n = m_device.read(reinterpret_cast<char *>(data), wanted);
        if (n < 0 || n < wanted)
            return -1;
        m_crc = crc32(m_crc, data, uInt(n));
        m_left -= quint32(n);
        return n;
    }
    // Reads what is left of the data; true when the CRC that follows matches.
    bool finish()
    {
        std::array<unsigned char, 1024> rest {};
        while (m_left > 0) {
            if (read(rest.data(), rest.size()) <= 0)
                return false;
        }
        std::array<unsigned char, 4> stored {};
        return m_device.read(reinterpret_cast<char *>(stored.data()), 4) == 4
            && qFromBigEndian<quint32>(stored.data()) == m_crc;
    }

private:
    QIODevice &m_device;
    std::array<char, 4> m_type {};
    quint32 m_left = 0;
    uLong m_crc = 0;
};

// The image data, inflated from one IDAT chunk after another.
class Inflater
{
public:
    explicit Inflater(Chunks &chunks) : m_chunks(chunks), m_block(BlockBytes)
    {
        m_ready = inflateInit(&m_stream) == Z_OK;
        if (m_ready)
            inflateValidate(&m_stream, 0);
    }
    ~Inflater() { inflateEnd(&m_stream); }
    Inflater(const Inflater &) = delete;
    Inflater &operator=(const Inflater &) = delete;

    // Fills `size` bytes; false when the image data ends first or is damaged.
    bool fill(unsigned char *data, std::size_t size)
    {
        m_stream.next_out = data;
        m_stream.avail_out = uInt(size);
        while (m_ready && m_stream.avail_out > 0) {
            if (m_stream.avail_in == 0 && !refill())
                return false;
            const int result = inflate(&m_stream, Z_NO_FLUSH);
            if (result == Z_STREAM_END)
                return m_stream.avail_out == 0;
            if (result != Z_OK)
                return false;
        }
        return m_ready;
    }
    // After the last row: the rest of the chunk it came from, and its CRC.
    bool end() { return m_chunks.finish(); }

private:
    bool refill()
    {
        for (;;) {
            const qint64 n = m_chunks.read(m_block.data(), m_block.size());
            if (n > 0) {
                m_stream.next_in = m_block.data();
                m_stream.avail_in = uInt(n);
                return true;
            }
            if (n < 0 || !m_chunks.finish() || !m_chunks.next() || !m_chunks.is("IDAT"))
                return false; // cut short, damaged, or the image data ends before the last row
        }
    }

    Chunks &m_chunks;
    std::vector<unsigned char> m_block;
    z_stream m_stream {};
    bool m_ready = false;
};

enum Filter : unsigned char { None, Sub, Up, Average, Paeth };

// Undoes a row's filter, `Bytes` bytes a pixel; `above` is the row above, unfiltered (zeros for
// the first). Both have a byte to spare after them.
#if defined(__SSE2__)
// A pixel at a time, its samples in the 16-bit lanes of a register. Four bytes are read
// for a pixel of three (the row has a byte after it), only its three written.
template<int Bytes>
__m128i load(const unsigned char *pixel)
{
    int value = 0;
    std::memcpy(&value, pixel, 4);
    return _mm_cvtsi32_si128(value);
}

template<int Bytes>
void store(unsigned char *pixel, __m128i value)
{
    const int bytes = _mm_cvtsi128_si32(value);
    if constexpr (Bytes == 4) {
        std::memcpy(pixel, &bytes, 4);
    } else {
        pixel[0] = static_cast<unsigned char>(bytes);
        pixel[1] = static_cast<unsigned char>(bytes >> 8);
        pixel[2] = static_cast<unsigned char>(bytes >> 16);
    }
}

__m128i absolute(__m128i value)
{
    return _mm_max_epi16(value, _mm_sub_epi16(_mm_setzero_si128(), value));
}

__m128i choose(__m128i mask, __m128i ifSet, __m128i otherwise)
{
    return _mm_or_si128(_mm_and_si128(mask, ifSet), _mm_andnot_si128(mask, otherwise));
}

template<int Bytes>
void unfilter(unsigned char filter, unsigned char *row, const unsigned char *above, std::size_t size)
{
    const __m128i zero = _mm_setzero_si128();
    __m128i left = zero, upperLeft = zero; // widened to 16 bits, but for Sub
    switch (filter) {
    case Sub:
        for (std::size_t i = 0; i < size; i += Bytes) {
            left = _mm_add_epi8(load<Bytes>(row + i), left);
            store<Bytes>(row + i, left);
        }
        return;
    case Up:
        for (std::size_t i = 0; i < size; ++i)
            row[i] = static_cast<unsigned char>(row[i] + above[i]);
        return;
    case Average:
        for (std::size_t i = 0; i < size; i += Bytes) {
            const __m128i mean
                = _mm_srli_epi16(_mm_add_epi16(left, _mm_unpacklo_epi8(load<Bytes>(above + i), zero)), 1);
            const __m128i pixel = _mm_add_epi8(load<Bytes>(row + i), _mm_packus_epi16(mean, mean));
            store<Bytes>(row + i, pixel);
            left = _mm_unpacklo_epi8(pixel, zero);
        }
        return;
    case Paeth:
        // The nearest of left (a), above (b) and upper left (c) to a + b - c, in that order on a tie.
        for (std::size_t i = 0; i < size; i += Bytes) {
            const __m128i up = _mm_unpacklo_epi8(load<Bytes>(above + i), zero);
            const __m128i fromLeft = _mm_sub_epi16(up, upperLeft), fromUp = _mm_sub_epi16(left, upperLeft);
            const __m128i toLeft = absolute(fromLeft), toUp = absolute(fromUp);
            const __m128i toUpperLeft = absolute(_mm_add_epi16(fromLeft, fromUp));
            const __m128i nearest = _mm_min_epi16(toUpperLeft, _mm_min_epi16(toLeft, toUp));
            const __m128i predicted
                = choose(_mm_cmpeq_epi16(nearest, toLeft), left, choose(_mm_cmpeq_epi16(nearest, toUp), up, upperLeft));
            const __m128i pixel = _mm_add_epi8(load<Bytes>(row + i), _mm_packus_epi16(predicted, predicted));
            store<Bytes>(row + i, pixel);
            left = _mm_unpacklo_epi8(pixel, zero);
            upperLeft = up;
        }
        return;
    default:
        return;
    }
}
#else
template<int Bytes>
void unfilter(unsigned char filter, unsigned char *row, const unsigned char *above, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i) {
        const int a = i >= Bytes ? row[i - Bytes] : 0, b = above[i], c = i >= Bytes ? above[i - Bytes] : 0;
        int predicted = 0;
        if (filter == Sub)
            predicted = a;
        else if (filter == Up)
            predicted = b;
        else if (filter == Average)
            predicted = (a + b) / 2;
        else if (filter == Paeth) {
            const int toLeft = std::abs(b - c), toUp = std::abs(a - c), toUpperLeft = std::abs(a + b - 2 * c);
            predicted = toLeft <= toUp && toLeft <= toUpperLeft ? a : toUp <= toUpperLeft ? b : c;
        }
        row[i] = static_cast<unsigned char>(row[i] + predicted);
    }
}
#endif

// Every row, unfiltered and made RGBA, to `shrinker`; false when the image data is damaged or short.
// Rows are inflated several at a time: zlib copies what each call makes into its window, the
// last 32 kB of it, which would be all of a row inflated on its own.
template<int Bytes>
bool readRows(Inflater &inflater, Shrinker &shrinker, QSize size)
{
    const std::size_t rowBytes = std::size_t(size.width()) * Bytes, stride = rowBytes + 1; // with its filter byte
    const int batch = int(std::clamp<std::size_t>(BatchBytes / stride, 1, std::size_t(size.height())));
    std::vector<unsigned char> rows(stride * std::size_t(batch) + 1), above(rowBytes + 1, 0);
    std::vector<unsigned char> rgba(Bytes == 4 ? 0 : std::size_t(size.width()) * 4);
    for (int y = 0; y < size.height(); y += batch) {
        const int count = std::min(batch, size.height() - y);
        if (!inflater.fill(rows.data(), stride * std::size_t(count)))
            return false;
        const unsigned char *previous = above.data();
        for (int r = 0; r < count; ++r) {
            unsigned char *row = rows.data() + stride * std::size_t(r);
            if (row[0] > Paeth)
                return false;
            unfilter<Bytes>(row[0], row + 1, previous, rowBytes);
            previous = row + 1;
            if constexpr (Bytes == 4) {
                shrinker.addRow(y + r, row + 1, size.width());
            } else {
                for (std::size_t from = 1, to = 0; from < stride; from += 3, to += 4) {
                    std::memcpy(&rgba[to], &row[from], 3);
                    rgba[to + 3] = 0xFF;
                }
                shrinker.addRow(y + r, rgba.data(), size.width());
            }
        }
        std::memcpy(above.data(), previous, rowBytes);
    }
    return inflater.end();
}
}

std::optional<Decoded> decodeCommonPng(QIODevice &device, QSize box, const Admit &admit, bool &taken)
{
    taken = false;
    std::array<unsigned char, 13> header {};
    Chunks chunks(device);
    if (!isPng(device.read(8)) || !chunks.next() || !chunks.is("IHDR") || chunks.left() != header.size()
        || chunks.read(header.data(), header.size()) != 13 || !chunks.finish())
        return std::nullopt;
    const quint32 width = qFromBigEndian<quint32>(header.data()), height = qFromBigEndian<quint32>(header.data() + 4);
    const int depth = header[8], colour = header[9];
    const bool common = width > 0 && height > 0 && width <= MaxChunkLength && height <= MaxChunkLength && depth == 8
        && (colour == 2 || colour == 6) && header[10] == 0 && header[11] == 0 && header[12] == 0;
    if (!common)
        return std::nullopt;
    // Before the image data only a suggested palette, which the picture does not use; a
    // transparent colour, or anything out of order, is for libpng.
    for (;;) {
        if (!chunks.next())
            return std::nullopt;
        if (chunks.is("IDAT"))
            break;
        if (!chunks.is("PLTE") || !chunks.finish())
            return std::nullopt;
    }
    taken = true;
    const int bytes = colour == 6 ? 4 : 3;
    const QSize stored {int(width), int(height)};
    admit(stored, pngPixelLimit(width, qint64(width) * bytes + 1, device.size()));
    Shrinker shrinker(
        stored, fitInside(stored, box, false), bytes == 4 ? Shrinker::Alpha::Straight : Shrinker::Alpha::None, true);
    Inflater inflater(chunks);
    if (!(bytes == 4 ? readRows<4>(inflater, shrinker, stored) : readRows<3>(inflater, shrinker, stored)))
        return std::nullopt;
    QImage image = shrinker.finish();
    if (image.isNull())
        return std::nullopt;
    return Decoded {stored, std::move(image)};
}
