// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/jpegstream.h"

#include <QByteArray>

// The most pixels Qt's decoder of `format` may be given for this picture
// (`head` is its start): for the formats it decodes whole, at 4 to 8 bytes a
// pixel, and then holds again while scaling.
[[nodiscard]] qint64 pixelLimit(const QByteArray &format, const QByteArray &head);

// How a JPEG is decoded, and the most pixels it may have that way. libjpeg
// scales in its DCT and holds little for a sequential picture whose first
// scan has every component, but keeps every coefficient of a progressive or
// multi-scan one (128 bytes a block) and goes through the picture once a scan.
struct JpegPlan {
    enum class Route {
        Library, // Qt's decoder, through libjpeg
        FirstCoefficients, // the first coefficient of each block, at an eighth of the size
    };
    Route route = Route::Library;
    qint64 pixelLimit = 0; // 0 refuses the picture as too large
};
[[nodiscard]] JpegPlan planJpeg(const JpegFrame &frame);
