// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// libwebp decodes a still picture straight to the size asked for, scaling
// each row as it comes out, into the preview's own image. It holds the whole
// file; a lossy picture needs little besides, a lossless one four bytes a pixel.
#include "pictures/scaling.h"
#include "pictures/streamdecoders.h"

#include <webp/decode.h>

namespace
{
constexpr qint64 Mega = qint64(1) << 20;
constexpr qint64 MaxFileBytes = 64 * Mega;
// Lossy: about 8 ns a pixel. Lossless: the decoder's own copy of every pixel and the file, within the bound.
constexpr qint64 LossyPixels = 96 * Mega;
constexpr qint64 LosslessBytes = 112 * Mega;
constexpr int Lossless = 2; // WebPBitstreamFeatures::format
}

std::optional<Decoded> decodeWebpScaled(QIODevice &device, QSize box, const Admit &admit)
{
    const bool held = device.size() <= MaxFileBytes;
    const QByteArray file = held ? device.readAll() : device.read(qint64(64) * 1024); // the head tells the size
    const auto *bytes = reinterpret_cast<const uint8_t *>(file.constData());
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)
        || WebPGetFeatures(bytes, std::size_t(file.size()), &config.input) != VP8_STATUS_OK
        || config.input.has_animation)
        return std::nullopt;
    const QSize stored(config.input.width, config.input.height);
    admit(stored, !held ? 0 : config.input.format == Lossless ? (LosslessBytes - file.size()) / 4 : LossyPixels);

    const QSize target = fitInside(stored, box, false);
    QImage image(target, QImage::Format_RGBA8888_Premultiplied);
    if (image.isNull())
        return std::nullopt;
    config.options.use_scaling = target != stored;
    config.options.scaled_width = target.width();
    config.options.scaled_height = target.height();
    config.output.colorspace = MODE_rgbA;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = image.bits();
    config.output.u.RGBA.stride = int(image.bytesPerLine());
    config.output.u.RGBA.size = std::size_t(image.sizeInBytes());
    const VP8StatusCode status = WebPDecode(bytes, std::size_t(file.size()), &config);
    WebPFreeDecBuffer(&config.output);
    if (status != VP8_STATUS_OK)
        return std::nullopt;
    return Decoded {stored, std::move(image)};
}
