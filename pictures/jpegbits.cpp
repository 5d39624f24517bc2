// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/jpegbits.h"

#include <algorithm>

bool JpegHuffman::define(const std::uint8_t *counts, const std::uint8_t *values, int valueCount)
{
    m_fast.fill(0);
    std::int32_t code = 0;
    int index = 0;
    for (int length = 1; length <= 16; ++length) {
        m_offset[length] = index - code;
        for (int i = 0; i < counts[length - 1]; ++i, ++code, ++index) {
            if (index >= valueCount || code >= (1 << length))
                return m_defined = false;
            m_values[index] = values[index];
            if (length <= FastBits) {
                const int shift = FastBits - length;
                for (int fill = 0; fill < (1 << shift); ++fill)
                    m_fast[(code << shift) | fill] = std::uint16_t(length << 8 | values[index]);
            }
        }
        m_maxCode[length] = counts[length - 1] > 0 ? code - 1 : -1;
        code <<= 1;
    }
    m_maxCode[17] = 0x7FFFFFFF;
    return m_defined = true;
}

namespace
{
int byteAt(const QByteArray &bytes, qsizetype i)
{
    return static_cast<unsigned char>(bytes.at(i));
}
}

bool defineHuffmanTables(
    const QByteArray &segment, std::array<JpegHuffman, 4> &dcTables, std::array<JpegHuffman, 4> &acTables)
{
    for (qsizetype at = 0; at < segment.size();) {
        const int kind = byteAt(segment, at) >> 4, id = byteAt(segment, at) & 0x0F;
        const auto *counts = reinterpret_cast<const std::uint8_t *>(segment.constData() + at + 1);
        int total = 0;
        for (int i = 0; at + 17 <= segment.size() && i < 16; ++i)
            total += counts[i];
        if (kind > 1 || id > 3 || at + 17 + total > segment.size() || total > 256)
            return false;
        JpegHuffman &table = kind == 0 ? dcTables[std::size_t(id)] : acTables[std::size_t(id)];
        if (!table.define(counts, counts + 16, total))
            return false;
        at += 17 + total;
    }
    return true;
}

bool defineQuantTables(const QByteArray &segment, std::array<int, 4> &dcQuantizers)
{
    for (qsizetype at = 0; at < segment.size();) {
        const int wide = byteAt(segment, at) >> 4, id = byteAt(segment, at) & 0x0F;
        if (wide > 1 || id > 3 || at + 1 + qsizetype(64) * (wide + 1) > segment.size())
            return false;
        dcQuantizers[std::size_t(id)]
            = wide ? byteAt(segment, at + 1) << 8 | byteAt(segment, at + 2) : byteAt(segment, at + 1);
        at += 1 + 64 * (wide + 1);
    }
    return true;
}

void JpegBits::fill()
{
    while (m_count <= 56) {
        int byte = 0;
        if (m_marker == 0) {
            byte = m_reader.byte();
            if (byte == 0xFF) {
                int code = m_reader.byte();
                while (code == 0xFF)
                    code = m_reader.byte();
                if (code != 0) // a marker: the data ends here
                    m_marker = code < 0 ? JpegEndOfImage : unsigned(code), byte = 0;
            } else if (byte < 0) {
                m_marker = JpegEndOfImage;
                byte = 0;
            }
        }
        m_bits |= std::uint64_t(byte) << (56 - m_count);
        m_count += 8;
    }
}

int JpegBits::bits(int count)
{
    if (count <= 0)
        return 0;
    if (m_count < count)
        fill();
    const int value = int(m_bits >> (64 - count));
    m_bits <<= count;
    m_count -= count;
    return value;
}

int JpegBits::extended(int count)
{
    if (count <= 0 || count > 16)
        return 0;
    const int value = bits(count);
    return value < (1 << (count - 1)) ? value - (1 << count) + 1 : value;
}

int JpegBits::decode(const JpegHuffman &table)
{
    if (m_count < 16)
        fill();
    const std::uint16_t fast = table.m_fast[m_bits >> (64 - JpegHuffman::FastBits)];
    if (fast != 0) {
        (void)bits(fast >> 8);
        return fast & 0xFF;
    }
    for (int length = JpegHuffman::FastBits + 1; length <= 16; ++length) {
        const auto code = std::int32_t(m_bits >> (64 - length));
        if (code <= table.m_maxCode[length]) {
            (void)bits(length);
            return table.m_values[std::size_t(std::clamp(code + table.m_offset[length], 0, 255))];
        }
    }
    (void)bits(16); // no such code: damaged data, read as 0 like libjpeg does
    return 0;
}

void JpegBits::restart()
{
    m_bits = 0;
    m_count = 0;
    if (m_marker == 0)
        m_marker = m_reader.nextMarker();
    if (m_marker >= 0xD0 && m_marker <= 0xD7)
        m_marker = 0;
}

unsigned JpegBits::endMarker()
{
    if (m_marker == 0)
        m_marker = m_reader.skipScanData();
    return m_marker;
}
