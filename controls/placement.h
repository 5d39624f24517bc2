// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QRect>

class QEvent;
class QWidget;

// `window` moved just far enough that it, with its `frame` around it, lies inside
// `available`; a window too large for that is first shrunk to fit, so that its title
// bar, its menus and its edges stay within reach. A window shrunk in one direction,
// whose content then scrolls, grows by `scrollBar` in the other where there is room,
// so that the scroll bar takes none of its content's room.
[[nodiscard]] QRect fittedInto(const QRect &window, const QMargins &frame, const QRect &available, int scrollBar = 0);

// Gives `window` the geometry `placed` (its client area, on the screen) fitted as above into
// the free area of the screen it lies on, with the window's frame once that is known.
void placeOnScreen(QWidget &window, const QRect &placed, int scrollBar = 0);

// Whether `event` shows or moves `window` after the window system has framed it, for the
// first time: `framed` remembers it. The frame's size is known only then.
[[nodiscard]] bool firstFramed(const QWidget &window, const QEvent &event, bool &framed);
