// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSize>

#include <functional>
#include <optional>

// A picture embedded in an SVG, decoded by the caller under its own limits
// and encoded again: bytes the SVG decoder may read without risk, and the
// size in pixels of the picture as the SVG stored it.
struct EmbeddedPicture {
    QByteArray png;
    QSize size;
};
// Turns the bytes of a `data:` URI into an EmbeddedPicture, or nothing to leave it out.
using EmbedFunction = std::function<std::optional<EmbeddedPicture>(const QByteArray &)>;

// The SVG `document` rewritten so that drawing it can read nothing but
// itself: pictures it names by path or address are left out, embedded ones
// go through `embed`, processing instructions (style sheets) and the DTD are
// dropped, and references other than "#id" are removed. Empty when the
// document is not well-formed XML, or when it is too large or too complex to
// draw for a preview: too many elements, or entities that would grow it far
// beyond its size.
[[nodiscard]] std::optional<QByteArray> cleanSvg(const QByteArray &document, const EmbedFunction &embed);
