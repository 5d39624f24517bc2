// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QImage>
#include <QSize>

#include <functional>
#include <optional>

// Decoders that go through a picture once, a row, strip, tile or block at a
// time, and keep only what the preview shows: what they hold does not grow
// with the picture. Each reads its device from the start.

// A decoded picture: its size as stored, upright, and the pixels for the box.
struct Decoded {
    QSize size;
    QImage image;
};

// Called with the picture's size as stored and the most pixels its decoder
// may be given for this kind of picture, before any pixel is decoded; raises
// HostError to refuse the picture.
using Admit = std::function<void(QSize stored, qint64 pixelLimit)>;

// Each hands back the picture fitted into `box` (never enlarged), or nothing
// when its library cannot decode it.
[[nodiscard]] std::optional<Decoded> decodePngRows(QIODevice &device, QSize box, const Admit &admit);
[[nodiscard]] std::optional<Decoded> decodeTiffBands(QIODevice &device, QSize box, const Admit &admit);
[[nodiscard]] std::optional<Decoded> decodeWebpScaled(QIODevice &device, QSize box, const Admit &admit);
