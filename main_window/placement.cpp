// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/placement.h"

#include <algorithm>

QRect fittedInto(const QRect &window, const QMargins &frame, const QRect &available)
{
    QRect outer = window.marginsAdded(frame);
    outer.moveRight(std::min(outer.right(), available.right()));
    outer.moveBottom(std::min(outer.bottom(), available.bottom()));
    outer.moveLeft(std::max(outer.left(), available.left()));
    outer.moveTop(std::max(outer.top(), available.top()));
    return outer.marginsRemoved(frame);
}
