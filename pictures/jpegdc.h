// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/jpegstream.h"

#include <QIODevice>
#include <QImage>
#include <QSize>

// Whether decodeJpegDc takes this frame, within its memory and time: a
// sequential or progressive Huffman-coded JPEG of 8-bit samples, grey or in
// three components.
[[nodiscard]] bool decodableFromDc(const JpegFrame &frame);

// A JPEG that its library would decode only by holding all its coefficients,
// from the first coefficient of each block alone: the picture at an eighth of
// its size (what libjpeg's own 1/8 scale computes), shrunk further to fit
// `box`, as stored (not turned upright). Null when the file is not one that
// decodableFromDc takes, or is too damaged to show anything.
[[nodiscard]] QImage decodeJpegDc(QIODevice &device, QSize box);
