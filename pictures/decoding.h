// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the loader's parts share while they decode one file.
#pragma once

#include "base/hosterror.h"
#include "pictures/streamdecoders.h"

#include <QByteArray>
#include <QIODevice>
#include <QSize>

// What decoding one file may still spend, shared with the pictures it embeds.
struct Budget {
    static constexpr qint64 Whole = qint64(1) << 20; // one picture at its format's pixel limit
    qint64 left = Whole; // in shares of one picture's limit
    int embedded = 0;
    int nesting = 0;
};

[[nodiscard]] HostError notAPicture();
[[nodiscard]] HostError tooLargeToPreview();

// Up to `count` bytes from `offset`, leaving the device at its start.
[[nodiscard]] QByteArray readAt(QIODevice &device, qint64 offset, qint64 count);

// Checks a picture's size against its decoder's `pixelLimit` and takes what
// decoding it costs from the budget; raises when it is refused.
void admit(Budget &budget, QSize stored, qint64 pixelLimit);

// Decodes whatever picture `device` holds for `box`; raises HostError when it cannot.
[[nodiscard]] Decoded decodeDevice(QIODevice &device, QSize box, Budget &budget);
// An SVG document, cleaned here and drawn in a drawing process.
[[nodiscard]] Decoded decodeSvg(QIODevice &device, QSize box, Budget &budget);
