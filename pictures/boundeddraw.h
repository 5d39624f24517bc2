// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>

#include <functional>
#include <optional>

// A picture drawn for the preview: its size as stored, and its pixels.
struct Drawn {
    QSize size;
    QImage image;
};

// Runs `draw` in a child process and hands back what it drew, or nothing when
// it failed (raised), died, or had not finished after `limitMs`; the child is
// then killed. For drawings whose cost nothing can bound beforehand: a small
// vector document whose paths cross themselves countless times can take
// minutes, and a drawing cannot be interrupted once it has begun.
[[nodiscard]] std::optional<Drawn> drawWithin(const std::function<Drawn()> &draw, int limitMs);
