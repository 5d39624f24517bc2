// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The first (DC) coefficient of a block is eight times the mean of its 64
// samples: those alone give the picture at an eighth of its size, and take
// two bytes a block where libjpeg keeps 128 for a progressive or multi-scan
// picture. The scans that carry a progressive picture's later coefficients
// are skipped unread; a sequential scan's are decoded only to find where each
// block ends. Whatever the file claims, indexes stay inside what was
// allocated for its frame, and the work done is counted as it is done.
#include "pictures/jpegdc.h"

#include "pictures/jpegbits.h"
#include "pictures/scaling.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace
{
constexpr qint64 Mega = qint64(1) << 20;
constexpr qint64 MaxGridBytes = 48 * Mega; // two bytes a block of every component, four a pixel of the result
// Blocks decoded over all scans, ~15 ns each, a sequential block (its later
// coefficients read too) counting as 4: under a second for a file under 10 MB.
constexpr qint64 MaxWork = 40 * Mega;
constexpr qint64 SequentialBlockWork = 4;

qint64 eighth(int side)
{
    return (side + 7) / 8;
}

qint64 mcusAcross(const JpegFrame &frame)
{
    return (frame.width + 8 * frame.maxH() - 1) / (8 * frame.maxH());
}

qint64 mcusDown(const JpegFrame &frame)
{
    return (frame.height + 8 * frame.maxV() - 1) / (8 * frame.maxV());
}

qint64 blocksOf(const JpegFrame &frame)
{
    qint64 blocks = 0;
    for (const JpegComponent &c : frame.components)
        blocks += mcusAcross(frame) * c.h * mcusDown(frame) * c.v;
    return blocks;
}

qint64 workOf(const JpegFrame &frame, qint64 blocks)
{
    return blocks * (frame.progressive() ? 1 : SequentialBlockWork);
}

std::uint8_t sample(int value)
{
    return std::uint8_t(std::clamp(value, 0, 255));
}

// The first coefficients of one component, and what decoding them needs.
struct Plane {
    std::vector<std::int16_t> dc;
    qint64 stride = 0; // blocks across, whole MCUs
    int quant = -1; // the DC quantizer, taken at the component's first scan
    std::int16_t predicted = 0;
};

class DcDecoder
{
public:
    explicit DcDecoder(QIODevice &device) : m_reader(device) { }

    QImage run()
    {
        unsigned code = m_reader.nextMarker();
        while (code != 0 && code != JpegEndOfImage) {
            const std::optional<QByteArray> segment
                = isJpegStandalone(code) ? std::optional(QByteArray()) : m_reader.segment();
            const bool read = segment && (code == JpegStartOfScan ? scan(*segment) : take(code, *segment));
            if (!read)
                break; // what was decoded so far is shown, as for a file cut short
            code = code == JpegStartOfScan ? m_next : m_reader.nextMarker();
        }
        return m_scans > 0 ? picture() : QImage();
    }

private:
    bool take(unsigned code, const QByteArray &segment)
    {
        if (isJpegFrameMarker(code))
            return !m_frame && frame(code, segment);
        if (code == 0xC4)
            return huffmanTables(segment);
        if (code == 0xDB)
            return quantTables(segment);
        if (code == 0xDD && segment.size() >= 2)
            m_restartInterval = byteAt(segment, 0) << 8 | byteAt(segment, 1);
        if (code == 0xEE && segment.size() >= 12 && segment.startsWith("Adobe"))
            m_adobeTransform = byteAt(segment, 11);
        return true;
    }

    static int byteAt(const QByteArray &bytes, qsizetype i) { return static_cast<unsigned char>(bytes.at(i)); }

    bool frame(unsigned code, const QByteArray &segment)
    {
        m_frame = parseJpegFrame(code, segment);
        if (!m_frame || !decodableFromDc(*m_frame))
            return false;
        for (const JpegComponent &c : m_frame->components) {
            Plane plane;
            plane.stride = mcusAcross(*m_frame) * c.h;
            plane.dc.assign(std::size_t(plane.stride * mcusDown(*m_frame) * c.v), 0);
            m_planes.push_back(std::move(plane));
        }
        return true;
    }

    bool huffmanTables(const QByteArray &segment)
    {
        for (qsizetype at = 0; at < segment.size();) {
            const int kind = byteAt(segment, at) >> 4, id = byteAt(segment, at) & 0x0F;
            const auto *counts = reinterpret_cast<const std::uint8_t *>(segment.constData() + at + 1);
            int total = 0;
            for (int i = 0; at + 17 <= segment.size() && i < 16; ++i)
                total += counts[i];
            if (kind > 1 || id > 3 || at + 17 + total > segment.size() || total > 256)
                return false;
            JpegHuffman &table = kind == 0 ? m_dcTables[std::size_t(id)] : m_acTables[std::size_t(id)];
            if (!table.define(counts, counts + 16, total))
                return false;
            at += 17 + total;
        }
        return true;
    }

    bool quantTables(const QByteArray &segment)
    {
        for (qsizetype at = 0; at < segment.size();) {
            const int wide = byteAt(segment, at) >> 4, id = byteAt(segment, at) & 0x0F;
            if (wide > 1 || id > 3 || at + 1 + 64 * (wide + 1) > segment.size())
                return false;
            m_quant[std::size_t(id)]
                = wide ? byteAt(segment, at + 1) << 8 | byteAt(segment, at + 2) : byteAt(segment, at + 1);
            at += 1 + 64 * (wide + 1);
        }
        return true;
    }

    bool scan(const QByteArray &segment)
    {
        const std::optional<JpegScan> header = m_frame ? parseJpegScan(*m_frame, segment) : std::nullopt;
        if (!header)
            return false;
        const JpegScan &s = *header;
        const bool progressive = m_frame->progressive();
        if (progressive && s.ss > 0) { // later coefficients only
            m_next = m_reader.skipScanData();
            return true;
        }
        if ((progressive && s.se != 0) || !tablesReady(s))
            return false;
        JpegBits bits(m_reader);
        if (!decodeBlocks(s, bits))
            return false;
        ++m_scans;
        m_next = bits.endMarker();
        return true;
    }

    bool tablesReady(const JpegScan &s)
    {
        for (std::size_t i = 0; i < s.components.size(); ++i) {
            Plane &plane = m_planes[std::size_t(s.components[i])];
            const int table = m_frame->components[std::size_t(s.components[i])].quantTable;
            if (plane.quant < 0)
                plane.quant = m_quant[std::size_t(table)];
            const bool refining = m_frame->progressive() && s.ah != 0;
            if (plane.quant < 0 || s.dcTables[i] > 3 || s.acTables[i] > 3
                || (!refining && !m_dcTables[std::size_t(s.dcTables[i])].defined())
                || (!m_frame->progressive() && !m_acTables[std::size_t(s.acTables[i])].defined()))
                return false;
            plane.predicted = 0;
        }
        return true;
    }

    bool decodeBlocks(const JpegScan &s, JpegBits &bits)
    {
        const bool interleaved = s.components.size() > 1;
        const JpegComponent &first = m_frame->components[std::size_t(s.components[0])];
        const qint64 across = interleaved ? mcusAcross(*m_frame) : m_frame->blocksAcross(first);
        const qint64 down = interleaved ? mcusDown(*m_frame) : m_frame->blocksDown(first);
        m_work += workOf(*m_frame, m_frame->blocksOfScan(s));
        if (m_work > MaxWork)
            return false;
        qint64 mcu = 0;
        for (qint64 y = 0; y < down; ++y) {
            for (qint64 x = 0; x < across; ++x, ++mcu) {
                if (m_restartInterval > 0 && mcu > 0 && mcu % m_restartInterval == 0) {
                    bits.restart();
                    for (const int c : s.components)
                        m_planes[std::size_t(c)].predicted = 0;
                }
                for (std::size_t i = 0; i < s.components.size(); ++i) {
                    const JpegComponent &c = m_frame->components[std::size_t(s.components[i])];
                    const int h = interleaved ? c.h : 1, v = interleaved ? c.v : 1;
                    for (int by = 0; by < v; ++by) {
                        for (int bx = 0; bx < h; ++bx)
                            block(
                                s, i, (y * v + by) * m_planes[std::size_t(s.components[i])].stride + x * h + bx, bits);
                    }
                }
            }
        }
        return true;
    }

    void block(const JpegScan &s, std::size_t i, qint64 index, JpegBits &bits)
    {
        Plane &plane = m_planes[std::size_t(s.components[i])];
        std::int16_t &dc = plane.dc[std::size_t(index)];
        if (m_frame->progressive() && s.ah != 0) { // one more bit of the coefficient
            if (bits.bits(1))
                dc = std::int16_t(dc | (1 << s.al));
            return;
        }
        plane.predicted
            = std::int16_t(plane.predicted + bits.extended(bits.decode(m_dcTables[std::size_t(s.dcTables[i])])));
        dc = std::int16_t(plane.predicted * (1 << s.al));
        if (m_frame->progressive())
            return;
        const JpegHuffman &ac = m_acTables[std::size_t(s.acTables[i])];
        for (int k = 1; k < 64;) {
            const int symbol = bits.decode(ac), run = symbol >> 4, size = symbol & 0x0F;
            if (size == 0 && run != 15)
                break; // end of block
            (void)bits.bits(size);
            k += run + 1;
        }
    }

    // A component's sample for the pixel at (x, y) of the eighth-size picture.
    int sampleAt(std::size_t c, qint64 x, qint64 y) const
    {
        const JpegComponent &component = m_frame->components[c];
        const Plane &plane = m_planes[c];
        const qint64 index = y * component.v / m_frame->maxV() * plane.stride + x * component.h / m_frame->maxH();
        return (plane.dc[std::size_t(index)] * plane.quant + 1028) >> 3; // mean of the block, +128, rounded
    }

    QImage picture() const
    {
        QImage image(int(eighth(m_frame->width)), int(eighth(m_frame->height)), QImage::Format_RGB32);
        if (image.isNull())
            return image;
        const bool grey = m_planes.size() == 1;
        const bool rgb = !grey
            && (m_adobeTransform == 0
                || (m_adobeTransform < 0 && m_frame->components[0].id == 'R' && m_frame->components[1].id == 'G'));
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int first = sampleAt(0, x, y);
                if (grey) {
                    line[x] = qRgb(sample(first), sample(first), sample(first));
                    continue;
                }
                const int second = sampleAt(1, x, y), third = sampleAt(2, x, y);
                if (rgb) {
                    line[x] = qRgb(sample(first), sample(second), sample(third));
                    continue;
                }
                const int cb = second - 128, cr = third - 128; // YCbCr as JFIF defines it, in 16-bit fixed point
                line[x] = qRgb(sample(first + ((91881 * cr + 32768) >> 16)),
                    sample(first - ((22554 * cb + 46802 * cr - 32768) >> 16)),
                    sample(first + ((116130 * cb + 32768) >> 16)));
            }
        }
        return image;
    }

    JpegReader m_reader;
    std::optional<JpegFrame> m_frame;
    std::vector<Plane> m_planes;
    std::array<JpegHuffman, 4> m_dcTables;
    std::array<JpegHuffman, 4> m_acTables;
    std::array<int, 4> m_quant {-1, -1, -1, -1}; // the DC entry of each quantization table
    int m_restartInterval = 0;
    int m_adobeTransform = -1;
    qint64 m_work = 0;
    int m_scans = 0;
    unsigned m_next = 0; // the marker that ended the last scan
};
}

bool decodableFromDc(const JpegFrame &frame)
{
    if (frame.marker > 0xC2 || frame.precision != 8 || (frame.components.size() != 1 && frame.components.size() != 3))
        return false; // arithmetic coding, lossless, 12-bit samples, CMYK
    const qint64 bytes = blocksOf(frame) * 2 + eighth(frame.width) * eighth(frame.height) * 4;
    return bytes <= MaxGridBytes && workOf(frame, frame.dcBlocks) <= MaxWork;
}

QImage decodeJpegDc(QIODevice &device, QSize box)
{
    const QImage image = DcDecoder(device).run();
    if (image.isNull())
        return image;
    const QSize fitted = fitInside(image.size(), box, false);
    return fitted == image.size() ? image : image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
