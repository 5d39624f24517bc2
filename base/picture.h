// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// A loaded picture: its size in HIMETRIC (hundredths of a millimetre) as whole
// numbers, and the pixels decoded for display (possibly smaller than full size).
struct Picture {
    int Width = 0;
    int Height = 0;
    QImage image;
};
