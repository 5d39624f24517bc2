// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Measured on the 2-core machine the tests run on, a fresh process decoding
// one picture for the preview box.
#include "pictures/decodecost.h"

#include "pictures/jpegdc.h"
#include "pictures/pictureformat.h"

#include <algorithm>

namespace
{
constexpr qint64 Mega = qint64(1) << 20;
constexpr qint64 WholePixels = 16 * Mega; // 4 to 8 bytes and up to 30 ns a pixel
constexpr qint64 LayeredPixels = 8 * Mega; // an animated WebP: canvas, frame and the decoder's own copy
constexpr qint64 JpegPixels = 128 * Mega; // scaled by 1/8 in the DCT: cheap per pixel
constexpr qint64 ScanPixels = 128 * Mega; // pixels times scans of a JPEG: ~3 ns each
constexpr qint64 CoefficientBytes = 96 * Mega; // what libjpeg may keep of a multi-scan JPEG
}

qint64 pixelLimit(const QByteArray &format, const QByteArray &head)
{
    return format == "webp" && isAnimatedWebp(head) ? LayeredPixels : WholePixels;
}

JpegPlan planJpeg(const JpegFrame &frame)
{
    const qint64 pixels = qint64(frame.width) * frame.height;
    const qint64 scanLimit = ScanPixels / std::max<qint64>(1, frame.scans);
    if (!frame.keepsCoefficients())
        return {JpegPlan::Route::Library, std::min(JpegPixels, scanLimit)};
    if (frame.coefficientBytes() <= CoefficientBytes && pixels <= scanLimit)
        return {JpegPlan::Route::Library, scanLimit};
    if (decodableFromDc(frame))
        return {JpegPlan::Route::FirstCoefficients, pixels}; // its own limits are checked
    return {JpegPlan::Route::Library, 0};
}
