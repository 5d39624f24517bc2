// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/streamdecoders.h"

// The two ways a PNG is read a row at a time. Photos and screenshots (8 bits
// a sample, RGB or RGBA, not interlaced, no transparent colour) are inflated
// and unfiltered here, with the filters undone a pixel at a time in vector
// registers: libpng undoes them a byte at a time, which takes it longer than
// inflating. Every other kind goes through libpng.

// The common PNG at `box`; nothing when it cannot be decoded. For another kind
// of PNG `taken` is false, nothing is decoded and the device must be read again.
[[nodiscard]] std::optional<Decoded> decodeCommonPng(QIODevice &device, QSize box, const Admit &admit, bool &taken);

// Any PNG through libpng.
[[nodiscard]] std::optional<Decoded> decodePngWithLibpng(QIODevice &device, QSize box, const Admit &admit);

// The most pixels a PNG `width` pixels wide may have, whose rows hold
// `rowBytes` bytes each with their filter byte, and whose chunks hold `fileBytes`.
[[nodiscard]] qint64 pngPixelLimit(qint64 width, qint64 rowBytes, qint64 fileBytes);
