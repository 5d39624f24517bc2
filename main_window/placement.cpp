// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/placement.h"

#include <algorithm>

namespace
{
// `outer` shrunk to no more than `available`, then moved just far enough to lie inside it.
QRect movedInto(QRect outer, const QRect &available)
{
    outer.setWidth(std::min(outer.width(), available.width()));
    outer.setHeight(std::min(outer.height(), available.height()));
    outer.moveRight(std::min(outer.right(), available.right()));
    outer.moveBottom(std::min(outer.bottom(), available.bottom()));
    outer.moveLeft(std::max(outer.left(), available.left()));
    outer.moveTop(std::max(outer.top(), available.top()));
    return outer;
}
}

QRect fittedInto(const QRect &window, const QMargins &frame, const QRect &available, int scrollBar)
{
    QRect outer = window.marginsAdded(frame);
    const QRect fitted = movedInto(outer, available);
    const bool scrollsDown = fitted.height() < outer.height();
    const bool scrollsAcross = fitted.width() < outer.width();
    // Content that scrolls one way shows a scroll bar across the other: room for it, where there is some.
    outer.setWidth(outer.width() + (scrollsDown ? scrollBar : 0));
    outer.setHeight(outer.height() + (scrollsAcross ? scrollBar : 0));
    return movedInto(outer, available).marginsRemoved(frame);
}
