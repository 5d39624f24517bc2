// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/appicon.h"

QIcon appIcon()
{
    // Drawn as SVG; Qt's SVG icon engine renders it sharp at each size asked for.
    return QIcon(QStringLiteral(":/icons/zindle.svg"));
}
