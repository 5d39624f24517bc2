// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Large pictures written a row at a time by the formats' own libraries, in
// the layouts Qt's writers do not make (16-bit, interlaced, tiled): what the
// large-picture test and the preview benchmark share. Whoever includes this
// links libpng, libtiff and libwebp.
#pragma once

#include <QFile>
#include <QSize>
#include <QString>

#include <png.h>
#include <tiffio.h>
#include <webp/encode.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

// Fills `rgb` with row `y` of a picture: 8-bit red, green and blue samples.
using RowSource = std::function<void(int y, std::uint8_t *rgb)>;

// Row `y` as `channels` samples (RGB, or RGBA opaque) of `depth` bits, 16-bit ones big-endian.
inline std::vector<std::uint8_t> samplesOf(const RowSource &source, int y, int width, int channels, int depth)
{
    std::vector<std::uint8_t> rgb(std::size_t(width) * 3);
    source(y, rgb.data());
    const int bytes = depth / 8;
    std::vector<std::uint8_t> row(std::size_t(width) * channels * bytes, 0xFF);
    for (std::size_t x = 0; x < std::size_t(width); ++x) {
        for (std::size_t c = 0; c < 3; ++c) {
            for (int b = 0; b < bytes; ++b)
                row[(x * channels + c) * bytes + b] = rgb[x * 3 + c];
        }
    }
    return row;
}

inline bool writePng(const QString &path, QSize size, const RowSource &source, int channels, int depth, bool interlaced)
{
    FILE *file = std::fopen(QFile::encodeName(path).constData(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (!file || !info || setjmp(png_jmpbuf(png)))
        return false; // the test or benchmark fails; what leaks then does not matter
    png_init_io(png, file);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, png_uint_32(size.width()), png_uint_32(size.height()), depth,
        channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
        PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < size.height(); ++y)
            png_write_row(png, samplesOf(source, y, size.width(), channels, depth).data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

// An RGB TIFF in strips of `rows` rows, or, when `tile` is not 0, in square tiles of that side.
inline bool writeTiff(const QString &path, QSize size, const RowSource &source, int rows, int tile, int compression)
{
    TIFF *tiff = TIFFOpen(QFile::encodeName(path).constData(), "w");
    if (!tiff)
        return false;
    const auto width = uint32_t(size.width()), height = uint32_t(size.height());
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, compression);
    bool written = true;
    if (tile == 0) {
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, uint32_t(rows));
        for (uint32_t y = 0; written && y < height; ++y)
            written = TIFFWriteScanline(tiff, samplesOf(source, int(y), size.width(), 3, 8).data(), y, 0) >= 0;
    } else {
        TIFFSetField(tiff, TIFFTAG_TILEWIDTH, uint32_t(tile));
        TIFFSetField(tiff, TIFFTAG_TILELENGTH, uint32_t(tile));
        const std::size_t tileRow = std::size_t(tile) * 3;
        std::vector<std::uint8_t> band(std::size_t(width + uint32_t(tile)) * 3 * std::size_t(tile));
        std::vector<std::uint8_t> block(tileRow * std::size_t(tile));
        for (uint32_t ty = 0; written && ty < height; ty += uint32_t(tile)) {
            for (int r = 0; r < tile && ty + uint32_t(r) < height; ++r) {
                const auto row = samplesOf(source, int(ty) + r, size.width(), 3, 8);
                std::memcpy(&band[std::size_t(r) * (width + uint32_t(tile)) * 3], row.data(), row.size());
            }
            for (uint32_t tx = 0; written && tx < width; tx += uint32_t(tile)) {
                for (int r = 0; r < tile; ++r)
                    std::memcpy(&block[std::size_t(r) * tileRow],
                        &band[(std::size_t(r) * (width + uint32_t(tile)) + tx) * 3], tileRow);
                written = TIFFWriteTile(tiff, block.data(), tx, ty, 0, 0) >= 0;
            }
        }
    }
    TIFFClose(tiff);
    return written;
}

// A lossy WebP, made at the encoder's fastest.
inline bool writeWebp(const QString &path, QSize size, const RowSource &source)
{
    std::vector<std::uint8_t> rgb(std::size_t(size.width()) * size.height() * 3);
    for (int y = 0; y < size.height(); ++y)
        source(y, &rgb[std::size_t(y) * size.width() * 3]);
    WebPConfig config;
    WebPPicture picture;
    WebPMemoryWriter memory;
    if (!WebPConfigPreset(&config, WEBP_PRESET_PHOTO, 80) || !WebPPictureInit(&picture))
        return false;
    config.method = 0;
    picture.width = size.width();
    picture.height = size.height();
    WebPMemoryWriterInit(&memory);
    picture.writer = WebPMemoryWrite;
    picture.custom_ptr = &memory;
    const bool made = WebPPictureImportRGB(&picture, rgb.data(), size.width() * 3) && WebPEncode(&config, &picture);
    WebPPictureFree(&picture);
    QFile file(path);
    const bool written = made && file.open(QIODevice::WriteOnly)
        && file.write(reinterpret_cast<const char *>(memory.mem), qint64(memory.size)) == qint64(memory.size);
    WebPMemoryWriterClear(&memory);
    return written;
}
