// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>

#include <cmath>

// Window geometry is kept in twips: 15 to a logical pixel (1440 to the inch at 96 dpi).
constexpr double TwipsPerPixel = 15.0;

[[nodiscard]] inline int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

[[nodiscard]] inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

// The desktop's sans-serif user-interface font at `points`.
[[nodiscard]] QFont uiFont(double points, bool bold = false);
