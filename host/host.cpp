// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/host.h"

#include "base/appidentity.h"

Host::~Host() = default;

AppInfo Host::app() const
{
    return AppInfo {QStringLiteral("Zindle"), AppIdentity::Major, AppIdentity::Minor, AppIdentity::Patch};
}
