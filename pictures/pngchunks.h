// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/spliceddevice.h"

#include <optional>
#include <vector>

// The parts of the PNG held in `range` of `device` that make its pixels: the
// signature and the IHDR, PLTE, tRNS, IDAT and IEND chunks, for a SplicedDevice.
// Text, metadata and unknown chunks are left out, so that no length a file
// claims can make the decoder allocate it. Empty when the PNG does not start
// with its header chunk or when a chunk claims more bytes than are left.
[[nodiscard]] std::optional<std::vector<ByteRange>> pngPixelChunks(QIODevice &device, ByteRange range);
