// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>

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

void placeOnScreen(QWidget &window, const QRect &placed, int scrollBar)
{
    const QScreen *screen = QGuiApplication::screenAt(placed.topLeft());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen) {
        window.setGeometry(placed);
        return;
    }
    const QMargins frame = window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
    // At a fractional scale, position and size round apart: an edge placed on the screen's
    // edge could land one device pixel beyond it.
    const qreal scale = screen->devicePixelRatio();
    const int spare = scale == std::floor(scale) ? 0 : 1;
    const QRect available = screen->availableGeometry().adjusted(0, 0, -spare, -spare);
    window.setGeometry(fittedInto(placed, frame, available, scrollBar));
}

bool firstFramed(const QWidget &window, const QEvent &event, bool &framed)
{
    // The event's type first: a window's own members are not all made yet when the events of
    // its construction come (children added), and `framed` may be one of them.
    if ((event.type() != QEvent::Show && event.type() != QEvent::Move) || framed || !window.windowHandle()
        || window.windowHandle()->frameMargins().isNull())
        return false;
    framed = true;
    return true;
}
