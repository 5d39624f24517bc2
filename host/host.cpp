// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/host.h"

Host::~Host() = default;

AppInfo Host::app() const
{
    return AppInfo {QStringLiteral("Zindle"), 1, 0, 0};
}
