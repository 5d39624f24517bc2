// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/spliceddevice.h"

#include <QByteArray>
#include <QSize>

#include <optional>

// What a picture's first bytes (`head`, up to 128 KiB) say about it, read
// before any decoder sees the file.

// The decoder for the content: "jpeg", "png", "gif", "bmp", "webp", "tiff",
// "ico", "pbm", "pgm", "ppm" or "svg"; empty for anything else.
[[nodiscard]] QByteArray sniffFormat(const QByteArray &head);

// Whether the WebP is an animation, by the flags of its extended header.
[[nodiscard]] bool isAnimatedWebp(const QByteArray &head);

// A GIF's logical screen: the canvas its decoder draws every frame on, and so
// the size of what it decodes. Empty when the header leaves it to the first frame.
[[nodiscard]] std::optional<QSize> gifCanvas(const QByteArray &head);

// Where the first image of an icon file lies, the one image the icon decoder
// reads; empty when the directory is cut short.
[[nodiscard]] std::optional<ByteRange> icoFirstImage(const QByteArray &head);

// The bytes a WebP's RIFF container says it holds, from the start of the file.
[[nodiscard]] ByteRange webpContainer(const QByteArray &head);

// Whether `bytes` start with the PNG signature.
[[nodiscard]] bool isPng(const QByteArray &bytes);
