// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIODevice>

#include <optional>
#include <vector>

// Reads a JPEG front to back, finding its markers the way libjpeg does: a
// marker is a 0xFF followed by a code other than 0x00 (a stuffed byte) and
// 0xFF (fill); what lies between segments is skipped.
class JpegReader
{
public:
    explicit JpegReader(QIODevice &device);

    // The code of the next marker; 0 at the end of the file.
    unsigned nextMarker();
    // The segment after a marker that has one, without its length bytes; nothing when cut short.
    std::optional<QByteArray> segment();
    // Skips entropy-coded data up to the next marker other than a restart, and reads its code; 0 at the end.
    unsigned skipScanData();
    // The next byte, or -1 at the end of the file.
    int byte()
    {
        if (m_at == m_end && !refill())
            return -1;
        return static_cast<unsigned char>(m_buffer[m_at++]);
    }

private:
    bool refill();

    QIODevice &m_device;
    QByteArray m_buffer;
    qsizetype m_at = 0;
    qsizetype m_end = 0;
};

constexpr unsigned JpegEndOfImage = 0xD9;
constexpr unsigned JpegStartOfScan = 0xDA;

// Whether a marker code starts a frame (SOF0 to SOF15, less DHT, JPG and DAC).
[[nodiscard]] bool isJpegFrameMarker(unsigned code);
// Whether a marker stands alone, without a segment: SOI, TEM and the restarts.
[[nodiscard]] bool isJpegStandalone(unsigned code);

struct JpegComponent {
    int id = 0;
    int h = 1; // sampling factors
    int v = 1;
    int quantTable = 0;
};

struct JpegScan {
    std::vector<int> components; // indexes into the frame's components
    std::vector<int> dcTables; // the Huffman tables of each
    std::vector<int> acTables;
    int ss = 0, se = 63, ah = 0, al = 0; // spectral selection and successive approximation
};

// A JPEG's frame header and scan headers, read from the whole marker stream.
struct JpegFrame {
    unsigned marker = 0; // SOFn
    int precision = 8;
    int width = 0;
    int height = 0;
    std::vector<JpegComponent> components;
    qint64 scans = 0; // found by readJpegFrame
    qint64 dcBlocks = 0; // the blocks of the scans that carry first coefficients (all of a sequential JPEG's), summed
    int firstScanComponents = 0;

    [[nodiscard]] bool progressive() const { return (marker & 0x03) == 0x02; }
    [[nodiscard]] bool arithmetic() const { return marker >= 0xC9; }
    [[nodiscard]] int maxH() const;
    [[nodiscard]] int maxV() const;
    // The blocks of 8 x 8 samples a component has, across and down, as libjpeg lays them out.
    [[nodiscard]] qint64 blocksAcross(const JpegComponent &component) const;
    [[nodiscard]] qint64 blocksDown(const JpegComponent &component) const;
    // The blocks one scan of these components goes through.
    [[nodiscard]] qint64 blocksOfScan(const JpegScan &scan) const;
    // Whether the decoder keeps every coefficient until the last scan: progressive, or a first scan without all
    // components.
    [[nodiscard]] bool keepsCoefficients() const;
    [[nodiscard]] qint64 coefficientBytes() const;
};

// Parses a frame header's segment; nothing when it is malformed.
[[nodiscard]] std::optional<JpegFrame> parseJpegFrame(unsigned marker, const QByteArray &segment);
// Parses a scan header's segment against `frame`; nothing when it is malformed.
[[nodiscard]] std::optional<JpegScan> parseJpegScan(const JpegFrame &frame, const QByteArray &segment);
// The frame and its scans, wherever they lie in the file; nothing without a frame header.
[[nodiscard]] std::optional<JpegFrame> readJpegFrame(QIODevice &device);
