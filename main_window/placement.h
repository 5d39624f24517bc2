// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QRect>

// `window` moved just far enough that it, with its `frame` around it, lies inside
// `available`; a window too large for that is first shrunk to fit, so that its title
// bar, its menus and its edges stay within reach. A window shrunk in one direction,
// whose content then scrolls, grows by `scrollBar` in the other where there is room,
// so that the scroll bar takes none of its content's room.
[[nodiscard]] QRect fittedInto(const QRect &window, const QMargins &frame, const QRect &available, int scrollBar = 0);
