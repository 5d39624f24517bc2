// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/jpegstream.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr qsizetype BlockBytes = 64 * 1024;
constexpr unsigned StartOfImage = 0xD8;

bool isRestart(unsigned code)
{
    return code >= 0xD0 && code <= 0xD7;
}

int at(const QByteArray &bytes, qsizetype i)
{
    return static_cast<unsigned char>(bytes.at(i));
}

qint64 roundedUp(qint64 value, int multiple)
{
    return (value + multiple - 1) / multiple * multiple;
}
}

JpegReader::JpegReader(QIODevice &device) : m_device(device)
{
    m_device.seek(0);
}

bool JpegReader::refill()
{
    m_buffer.resize(BlockBytes);
    const qint64 got = m_device.read(m_buffer.data(), BlockBytes);
    m_at = 0;
    m_end = got > 0 ? got : 0;
    return m_end > 0;
}

unsigned JpegReader::nextMarker()
{
    for (;;) {
        int c = byte();
        while (c >= 0 && c != 0xFF)
            c = byte();
        while (c == 0xFF)
            c = byte();
        if (c < 0)
            return 0;
        if (c != 0)
            return unsigned(c);
    }
}

std::optional<QByteArray> JpegReader::segment()
{
    const int high = byte(), low = byte();
    if (low < 0)
        return std::nullopt;
    qsizetype left = std::max(0, (high << 8 | low) - 2);
    QByteArray bytes;
    bytes.reserve(left);
    while (left > 0) {
        if (m_at == m_end && !refill())
            return std::nullopt;
        const qsizetype count = std::min(left, m_end - m_at);
        bytes.append(m_buffer.constData() + m_at, count);
        m_at += count;
        left -= count;
    }
    return bytes;
}

unsigned JpegReader::skipScanData()
{
    for (;;) {
        if (m_at == m_end && !refill())
            return 0;
        const void *found = std::memchr(m_buffer.constData() + m_at, 0xFF, std::size_t(m_end - m_at));
        if (!found) {
            m_at = m_end;
            continue;
        }
        m_at = static_cast<const char *>(found) - m_buffer.constData() + 1;
        int c = byte();
        while (c == 0xFF)
            c = byte();
        if (c < 0)
            return 0;
        if (c != 0 && !isRestart(unsigned(c)))
            return unsigned(c);
    }
}

bool isJpegStandalone(unsigned code)
{
    return code == StartOfImage || code == 0x01 || isRestart(code);
}

bool isJpegFrameMarker(unsigned code)
{
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

int JpegFrame::maxH() const
{
    int h = 1;
    for (const JpegComponent &c : components)
        h = std::max(h, c.h);
    return h;
}

int JpegFrame::maxV() const
{
    int v = 1;
    for (const JpegComponent &c : components)
        v = std::max(v, c.v);
    return v;
}

qint64 JpegFrame::blocksAcross(const JpegComponent &component) const
{
    return (qint64(width) * component.h + 8 * maxH() - 1) / (8 * maxH());
}

qint64 JpegFrame::blocksDown(const JpegComponent &component) const
{
    return (qint64(height) * component.v + 8 * maxV() - 1) / (8 * maxV());
}

qint64 JpegFrame::blocksOfScan(const JpegScan &scan) const
{
    if (scan.components.size() == 1)
        return blocksAcross(components[std::size_t(scan.components[0])])
            * blocksDown(components[std::size_t(scan.components[0])]);
    const qint64 mcus = ((width + 8 * maxH() - 1) / (8 * maxH())) * ((height + 8 * maxV() - 1) / (8 * maxV()));
    qint64 perMcu = 0;
    for (const int c : scan.components)
        perMcu += components[std::size_t(c)].h * components[std::size_t(c)].v;
    return mcus * perMcu;
}

bool JpegFrame::keepsCoefficients() const
{
    return progressive() || firstScanComponents < int(components.size());
}

qint64 JpegFrame::coefficientBytes() const
{
    qint64 bytes = 0;
    for (const JpegComponent &c : components)
        bytes += roundedUp(blocksAcross(c), c.h) * roundedUp(blocksDown(c), c.v) * 64 * 2;
    return bytes;
}

std::optional<JpegFrame> parseJpegFrame(unsigned marker, const QByteArray &segment)
{
    if (segment.size() < 6)
        return std::nullopt;
    JpegFrame frame;
    frame.marker = marker;
    frame.precision = at(segment, 0);
    frame.height = at(segment, 1) << 8 | at(segment, 2);
    frame.width = at(segment, 3) << 8 | at(segment, 4);
    const int count = at(segment, 5);
    if (count < 1 || count > 4 || segment.size() < 6 + 3 * count || frame.width == 0 || frame.height == 0)
        return std::nullopt;
    for (int i = 0; i < count; ++i) {
        const JpegComponent c {
            at(segment, 6 + 3 * i), at(segment, 7 + 3 * i) >> 4, at(segment, 7 + 3 * i) & 0x0F, at(segment, 8 + 3 * i)};
        if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4 || c.quantTable > 3)
            return std::nullopt;
        frame.components.push_back(c);
    }
    return frame;
}

std::optional<JpegScan> parseJpegScan(const JpegFrame &frame, const QByteArray &segment)
{
    const int count = segment.isEmpty() ? 0 : at(segment, 0);
    if (count < 1 || count > 4 || segment.size() < 4 + 2 * count)
        return std::nullopt;
    JpegScan scan;
    for (int i = 0; i < count; ++i) {
        const int id = at(segment, 1 + 2 * i);
        const auto found = std::find_if(
            frame.components.begin(), frame.components.end(), [id](const JpegComponent &c) { return c.id == id; });
        const int index = int(found - frame.components.begin());
        if (found == frame.components.end()
            || std::find(scan.components.begin(), scan.components.end(), index) != scan.components.end())
            return std::nullopt;
        scan.components.push_back(index);
        scan.dcTables.push_back(at(segment, 2 + 2 * i) >> 4);
        scan.acTables.push_back(at(segment, 2 + 2 * i) & 0x0F);
    }
    scan.ss = at(segment, 1 + 2 * count);
    scan.se = at(segment, 2 + 2 * count);
    scan.ah = at(segment, 3 + 2 * count) >> 4;
    scan.al = at(segment, 3 + 2 * count) & 0x0F;
    return scan;
}

std::optional<JpegFrame> readJpegFrame(QIODevice &device)
{
    JpegReader reader(device);
    std::optional<JpegFrame> frame;
    for (unsigned code = reader.nextMarker(); code != 0 && code != JpegEndOfImage;) {
        if (isJpegStandalone(code)) {
            code = reader.nextMarker();
            continue;
        }
        const std::optional<QByteArray> segment = reader.segment();
        if (!segment || (frame && isJpegFrameMarker(code)))
            break; // libjpeg stops at a second frame header too
        if (isJpegFrameMarker(code) && !(frame = parseJpegFrame(code, *segment)))
            return std::nullopt;
        if (code == JpegStartOfScan) {
            const std::optional<JpegScan> scan = frame ? parseJpegScan(*frame, *segment) : std::nullopt;
            if (!scan)
                return std::nullopt;
            if (frame->scans++ == 0)
                frame->firstScanComponents = int(scan->components.size());
            frame->dcBlocks += !frame->progressive() || scan->ss == 0 ? frame->blocksOfScan(*scan) : 0;
            code = reader.skipScanData();
            continue;
        }
        code = reader.nextMarker();
    }
    if (frame && frame->scans == 0)
        return std::nullopt;
    return frame;
}
