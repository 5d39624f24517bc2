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

// YCbCr as JFIF defines it, in 16-bit fixed point.
QRgb fromYCbCr(int y, int cb, int cr)
{
    return qRgb(sample(y + ((91881 * cr + 32768) >> 16)), sample(y - ((22554 * cb + 46802 * cr - 32768) >> 16)),
        sample(y + ((116130 * cb + 32768) >> 16)));
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
            return defineHuffmanTables(segment, m_dcTables, m_acTables);
        if (code == 0xDB)
            return defineQuantTables(segment, m_quant);
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

    enum class Pass { Sequential, First, Refine };

    // What decoding one component of a scan needs, looked up once for all its blocks.
    struct Part {
        Plane *plane;
        const JpegHuffman *dc;
        const JpegHuffman *ac;
        int h, v; // blocks of the component in an MCU
    };

    bool decodeBlocks(const JpegScan &s, JpegBits &bits)
    {
        const bool interleaved = s.components.size() > 1;
        const JpegComponent &first = m_frame->components[std::size_t(s.components[0])];
        const qint64 across = interleaved ? mcusAcross(*m_frame) : m_frame->blocksAcross(first);
        const qint64 down = interleaved ? mcusDown(*m_frame) : m_frame->blocksDown(first);
        m_work += workOf(*m_frame, m_frame->blocksOfScan(s));
        if (m_work > MaxWork)
            return false;
        std::vector<Part> parts;
        for (std::size_t i = 0; i < s.components.size(); ++i) {
            const JpegComponent &c = m_frame->components[std::size_t(s.components[i])];
            parts.push_back({&m_planes[std::size_t(s.components[i])], &m_dcTables[std::size_t(s.dcTables[i])],
                &m_acTables[std::size_t(s.acTables[i])], interleaved ? c.h : 1, interleaved ? c.v : 1});
        }
        const Pass pass = !m_frame->progressive() ? Pass::Sequential : s.ah == 0 ? Pass::First : Pass::Refine;
        qint64 mcu = 0;
        for (qint64 y = 0; y < down; ++y) {
            for (qint64 x = 0; x < across; ++x, ++mcu) {
                if (m_restartInterval > 0 && mcu > 0 && mcu % m_restartInterval == 0) {
                    bits.restart();
                    for (Part &part : parts)
                        part.plane->predicted = 0;
                }
                for (Part &part : parts) {
                    std::int16_t *row = part.plane->dc.data() + y * part.v * part.plane->stride + x * part.h;
                    for (int by = 0; by < part.v; ++by, row += part.plane->stride) {
                        for (int bx = 0; bx < part.h; ++bx)
                            block(pass, part, s.al, row[bx], bits);
                    }
                }
            }
        }
        return true;
    }

    static void block(Pass pass, Part &part, int al, std::int16_t &dc, JpegBits &bits)
    {
        if (pass == Pass::Refine) { // one more bit of the coefficient
            if (bits.bits(1))
                dc = std::int16_t(dc | (1 << al));
            return;
        }
        part.plane->predicted = std::int16_t(part.plane->predicted + bits.extended(bits.decode(*part.dc)));
        dc = std::int16_t(part.plane->predicted * (1 << al));
        if (pass == Pass::First)
            return;
        for (int k = 1; k < 64;) { // the later coefficients, read only to find the end of the block
            const int symbol = bits.decode(*part.ac), run = symbol >> 4, size = symbol & 0x0F;
            if (size == 0 && run != 15)
                break;
            (void)bits.bits(size);
            k += run + 1;
        }
    }

    // The samples of each component, as the picture at an eighth of its size reads them.
    struct Sampling {
        const std::int16_t *dc;
        qint64 stride;
        int h, v, quant;
    };

    QImage picture() const
    {
        QImage image(int(eighth(m_frame->width)), int(eighth(m_frame->height)), QImage::Format_RGB32);
        if (image.isNull())
            return image;
        std::vector<Sampling> samplings;
        for (std::size_t c = 0; c < m_planes.size(); ++c) {
            const JpegComponent &component = m_frame->components[c];
            samplings.push_back(
                {m_planes[c].dc.data(), m_planes[c].stride, component.h, component.v, m_planes[c].quant});
        }
        const int maxH = m_frame->maxH(), maxV = m_frame->maxV();
        const bool grey = samplings.size() == 1;
        const bool rgb = !grey
            && (m_adobeTransform == 0
                || (m_adobeTransform < 0 && m_frame->components[0].id == 'R' && m_frame->components[1].id == 'G'));
        int samples[3] = {0, 0, 0};
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                for (std::size_t c = 0; c < samplings.size(); ++c) {
                    const Sampling &p = samplings[c];
                    const std::int16_t dc = p.dc[y * p.v / maxV * p.stride + x * p.h / maxH];
                    samples[c] = (dc * p.quant + 1028) >> 3; // the mean of the block, +128, rounded
                }
                line[x] = grey ? qRgb(sample(samples[0]), sample(samples[0]), sample(samples[0]))
                    : rgb      ? qRgb(sample(samples[0]), sample(samples[1]), sample(samples[2]))
                               : fromYCbCr(samples[0], samples[1] - 128, samples[2] - 128);
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
