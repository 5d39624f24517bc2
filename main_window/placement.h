// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QRect>

// `window` moved just far enough that it, with its `frame` around it, lies inside
// `available`. A window too large for it keeps its top-left corner inside, so that
// its title bar and menus stay within reach.
[[nodiscard]] QRect fittedInto(const QRect &window, const QMargins &frame, const QRect &available);
