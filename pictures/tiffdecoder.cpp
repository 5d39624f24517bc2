// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// libtiff decodes a strip or a tile at a time. Its RGBA reader turns every
// kind of TIFF (palette, CMYK, YCbCr, 16-bit...) into 8-bit RGBA and reads a
// band of rows across the picture: one strip, or one row of tiles, so each is
// decoded once. A compressed strip too large for a band is read a row at a
// time instead, for the common layouts, its compressed bytes held whole.
#include "pictures/scaling.h"
#include "pictures/streamdecoders.h"

#include <QtEndian>

#include <tiffio.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdarg>
#include <memory>
#include <vector>

namespace
{
constexpr qint64 Mega = qint64(1) << 20;
// Decompressing and converting to RGBA: measured at 8 to 15 ns a pixel.
constexpr qint64 PixelLimit = 80 * Mega;
constexpr tmsize_t MaxAllocation = 64 * Mega; // any one buffer libtiff allocates
constexpr qint64 MaxBandBytes = 16 * Mega; // the RGBA band read at once
constexpr qint64 MaxRawStripBytes = 64 * Mega; // a compressed strip read a row at a time, held whole
constexpr uint32_t BandRows = 16; // strips of fewer rows are read several at a time; a band stays in the cache
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "libtiff's packed ABGR pixels are read as RGBA bytes");

tmsize_t readBytes(thandle_t handle, void *data, tmsize_t size)
{
    return static_cast<QIODevice *>(handle)->read(static_cast<char *>(data), size);
}

tmsize_t writeNothing(thandle_t, void *, tmsize_t)
{
    return -1;
}

toff_t seekTo(thandle_t handle, toff_t offset, int whence)
{
    auto *device = static_cast<QIODevice *>(handle);
    const qint64 base = whence == SEEK_CUR ? device->pos() : whence == SEEK_END ? device->size() : 0;
    const qint64 at = base + qint64(offset);
    return at >= 0 && device->seek(at) ? toff_t(at) : toff_t(-1);
}

int closeNothing(thandle_t)
{
    return 0;
}

toff_t sizeOf(thandle_t handle)
{
    return toff_t(static_cast<QIODevice *>(handle)->size());
}

int mapNothing(thandle_t, void **, toff_t *)
{
    return 0;
}

void unmapNothing(thandle_t, void *, toff_t)
{
}

int quiet(TIFF *, void *, const char *, const char *, va_list)
{
    return 1; // handled: libtiff prints nothing
}

struct TiffCloser {
    void operator()(TIFF *tiff) const { TIFFClose(tiff); }
};
using Tiff = std::unique_ptr<TIFF, TiffCloser>;

Tiff openTiff(QIODevice &device)
{
    TIFFOpenOptions *options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, MaxAllocation);
    TIFFOpenOptionsSetErrorHandlerExtR(options, quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, quiet, nullptr);
    Tiff tiff(TIFFClientOpenExt("picture", "rm", &device, readBytes, writeNothing, seekTo, closeNothing, sizeOf,
        mapNothing, unmapNothing, options));
    TIFFOpenOptionsFree(options);
    return tiff;
}

template<typename T>
T field(TIFF *tiff, ttag_t tag)
{
    T value {};
    TIFFGetFieldDefaulted(tiff, tag, &value);
    return value;
}

// Reads the picture in bands through libtiff's RGBA reader; false on an error.
bool readBands(TIFFRGBAImage &reader, uint32_t bandRows, Shrinker &shrinker)
{
    const uint32_t width = reader.width, height = reader.height;
    std::vector<uint32_t> band(std::size_t(width) * bandRows);
    for (uint32_t row = 0; row < height; row += bandRows) {
        const uint32_t rows = std::min(bandRows, height - row);
        reader.row_offset = int(row);
        reader.col_offset = 0;
        if (!TIFFRGBAImageGet(&reader, band.data(), width, rows))
            return false;
        for (uint32_t r = 0; r < rows; ++r)
            shrinker.addRow(
                int(row + r), reinterpret_cast<const uint8_t *>(band.data() + std::size_t(r) * width), int(width));
    }
    return true;
}

// The layouts read a row at a time: grey, grey and alpha, RGB, RGBA or a palette, of 8 or 16 bits.
bool readableByRows(TIFF *tiff)
{
    uint16_t photometric = 0;
    if (TIFFIsTiled(tiff) || !TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric))
        return false;
    const auto samples = field<uint16_t>(tiff, TIFFTAG_SAMPLESPERPIXEL);
    const auto bits = field<uint16_t>(tiff, TIFFTAG_BITSPERSAMPLE);
    const bool grey = photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE;
    return field<uint16_t>(tiff, TIFFTAG_PLANARCONFIG) == PLANARCONFIG_CONTIG
        && field<uint16_t>(tiff, TIFFTAG_SAMPLEFORMAT) == SAMPLEFORMAT_UINT && (bits == 8 || bits == 16)
        && ((grey && samples <= 2) || (photometric == PHOTOMETRIC_RGB && (samples == 3 || samples == 4))
            || (photometric == PHOTOMETRIC_PALETTE && samples == 1 && bits == 8));
}

// One row of samples as RGBA.
class RowConverter
{
public:
    explicit RowConverter(TIFF *tiff)
        : m_photometric(field<uint16_t>(tiff, TIFFTAG_PHOTOMETRIC))
        , m_samples(field<uint16_t>(tiff, TIFFTAG_SAMPLESPERPIXEL))
        , m_wide(field<uint16_t>(tiff, TIFFTAG_BITSPERSAMPLE) == 16)
    {
        if (m_photometric == PHOTOMETRIC_PALETTE) {
            uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
            TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue);
            for (int i = 0; red && green && blue && i < 256; ++i)
                m_palette[i] = {uint8_t(red[i] >> 8), uint8_t(green[i] >> 8), uint8_t(blue[i] >> 8)};
        }
    }

    void convert(const uint8_t *samples, uint8_t *rgba, uint32_t width) const
    {
        const auto sample = [&](uint32_t i) -> uint8_t {
            return m_wide ? uint8_t(reinterpret_cast<const uint16_t *>(samples)[i] >> 8) : samples[i];
        };
        for (uint32_t x = 0; x < width; ++x, rgba += 4) {
            const uint32_t at = x * m_samples;
            if (m_photometric == PHOTOMETRIC_PALETTE) {
                const auto &colour = m_palette[samples[at]];
                rgba[0] = colour[0], rgba[1] = colour[1], rgba[2] = colour[2], rgba[3] = 255;
            } else if (m_photometric == PHOTOMETRIC_RGB) {
                rgba[0] = sample(at), rgba[1] = sample(at + 1), rgba[2] = sample(at + 2);
                rgba[3] = m_samples == 4 ? sample(at + 3) : 255;
            } else {
                const uint8_t grey = m_photometric == PHOTOMETRIC_MINISWHITE ? 255 - sample(at) : sample(at);
                rgba[0] = rgba[1] = rgba[2] = grey;
                rgba[3] = m_samples == 2 ? sample(at + 1) : 255;
            }
        }
    }

private:
    uint16_t m_photometric;
    uint16_t m_samples;
    bool m_wide;
    std::array<std::array<uint8_t, 3>, 256> m_palette {};
};

bool readRows(TIFF *tiff, uint32_t width, uint32_t height, Shrinker &shrinker)
{
    const RowConverter converter(tiff);
    std::vector<uint8_t> samples(std::size_t(TIFFScanlineSize(tiff)));
    std::vector<uint8_t> rgba(std::size_t(width) * 4);
    for (uint32_t y = 0; y < height; ++y) {
        if (TIFFReadScanline(tiff, samples.data(), y, 0) < 0)
            return false;
        converter.convert(samples.data(), rgba.data(), width);
        shrinker.addRow(int(y), rgba.data(), int(width));
    }
    return true;
}

// The alpha of the samples read a row at a time.
Shrinker::Alpha alphaOf(TIFF *tiff)
{
    uint16_t count = 0;
    uint16_t *types = nullptr;
    if (!TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &count, &types) || count == 0)
        return Shrinker::Alpha::None;
    return types[0] == EXTRASAMPLE_ASSOCALPHA ? Shrinker::Alpha::Premultiplied : Shrinker::Alpha::Straight;
}

// Whether every strip's compressed bytes are few enough to be held whole while it is read a row at a time.
bool rawStripsFit(TIFF *tiff)
{
    for (uint32_t strip = 0; strip < TIFFNumberOfStrips(tiff); ++strip) {
        if (qint64(TIFFGetStrileByteCount(tiff, strip)) > MaxRawStripBytes)
            return false;
    }
    return true;
}

// How many rows the RGBA reader reads at once: whole strips or rows of tiles; 0 when they are too large.
uint32_t bandRows(TIFF *tiff, uint32_t width, uint32_t height)
{
    const bool tiled = TIFFIsTiled(tiff);
    const uint32_t block = std::max<uint32_t>(1,
        std::min(
            height, tiled ? field<uint32_t>(tiff, TIFFTAG_TILELENGTH) : field<uint32_t>(tiff, TIFFTAG_ROWSPERSTRIP)));
    const uint32_t rows = tiled || block >= BandRows ? block : BandRows / block * block;
    const uint64_t decodedBlock = tiled ? TIFFTileSize64(tiff) : TIFFStripSize64(tiff);
    if (qint64(width) * rows * 4 > MaxBandBytes || decodedBlock > uint64_t(MaxBandBytes))
        return 0;
    return rows;
}
}

std::optional<Decoded> decodeTiffBands(QIODevice &device, QSize box, const Admit &admit)
{
    const Tiff tiff = openTiff(device);
    if (!tiff)
        return std::nullopt;
    const auto width = field<uint32_t>(tiff.get(), TIFFTAG_IMAGEWIDTH);
    const auto height = field<uint32_t>(tiff.get(), TIFFTAG_IMAGELENGTH);
    const QSize stored(int(std::min<uint32_t>(width, INT_MAX)), int(std::min<uint32_t>(height, INT_MAX)));
    const int orientation = field<uint16_t>(tiff.get(), TIFFTAG_ORIENTATION);
    const QSize upright = swapsSides(orientation) ? stored.transposed() : stored;
    const uint32_t rows = bandRows(tiff.get(), width, height);
    const bool byRows = rows == 0;
    // Strips or tiles too large for a band, and not readable a row at a time, cannot stay within the memory bound.
    admit(upright, !byRows || (readableByRows(tiff.get()) && rawStripsFit(tiff.get())) ? PixelLimit : 0);

    char message[1024];
    TIFFRGBAImage reader {};
    if (!byRows && (!TIFFRGBAImageOK(tiff.get(), message) || !TIFFRGBAImageBegin(&reader, tiff.get(), 0, message)))
        return std::nullopt;
    reader.req_orientation = reader.orientation; // turned below, once small
    // The RGBA reader multiplies every alpha into its colours.
    const Shrinker::Alpha alpha = byRows ? alphaOf(tiff.get())
        : reader.alpha != 0              ? Shrinker::Alpha::Premultiplied
                                         : Shrinker::Alpha::None;
    Shrinker shrinker(stored, fitInside(stored, swapsSides(orientation) ? box.transposed() : box, false), alpha, true);
    const bool read = byRows ? readRows(tiff.get(), width, height, shrinker) : readBands(reader, rows, shrinker);
    if (!byRows)
        TIFFRGBAImageEnd(&reader);
    QImage image = read ? shrinker.finish() : QImage();
    if (image.isNull())
        return std::nullopt;
    return Decoded {upright, turnUpright(image, orientation)};
}
