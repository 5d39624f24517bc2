// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/jpegstream.h"

#include <array>
#include <cstdint>

// A Huffman table of a JPEG, from its DHT segment.
class JpegHuffman
{
public:
    // Builds the table from the 16 counts of codes by length and their values;
    // false when the counts claim more codes than their lengths allow.
    bool define(const std::uint8_t *counts, const std::uint8_t *values, int valueCount);
    [[nodiscard]] bool defined() const { return m_defined; }

private:
    friend class JpegBits;
    static constexpr int FastBits = 9;

    std::array<std::int32_t, 18> m_maxCode {}; // the largest code of each length, -1 for none
    std::array<std::int32_t, 17> m_offset {}; // from a code of a length to its value's index
    std::array<std::uint8_t, 256> m_values {};
    std::array<std::uint16_t, 1 << FastBits> m_fast {}; // length << 8 | value of short codes; 0 for longer ones
    bool m_defined = false;
};

// Defines the Huffman tables a DHT segment holds; false when it is malformed.
[[nodiscard]] bool defineHuffmanTables(
    const QByteArray &segment, std::array<JpegHuffman, 4> &dcTables, std::array<JpegHuffman, 4> &acTables);
// Takes the first (DC) entry of each quantization table a DQT segment holds; false when it is malformed.
[[nodiscard]] bool defineQuantTables(const QByteArray &segment, std::array<int, 4> &dcQuantizers);

// The bits of a scan's entropy-coded data. At a marker, the data ends: the
// marker is kept for the caller and zeros follow, as libjpeg does.
class JpegBits
{
public:
    explicit JpegBits(JpegReader &reader) : m_reader(reader) { }

    [[nodiscard]] int bits(int count);
    [[nodiscard]] int decode(const JpegHuffman &table);
    // `count` bits as a signed difference, the way JPEG codes magnitudes.
    [[nodiscard]] int extended(int count);
    // Drops the bits left in a byte and the restart marker that should follow.
    void restart();
    // The marker that ended the data, read from the file if it has not been met yet.
    [[nodiscard]] unsigned endMarker();

private:
    void fill();

    JpegReader &m_reader;
    std::uint64_t m_bits = 0; // the next m_count bits, from the top
    int m_count = 0;
    unsigned m_marker = 0;
};
