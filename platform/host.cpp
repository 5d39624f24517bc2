// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/host.h"

#include <cstring>

Host::~Host() = default;

AppInfo Host::app() const
{
    return AppInfo {QStringLiteral("Zindle"), 1, 0, 0};
}

HostError HostError::fromErrno(int err)
{
    return HostError(err, QString::fromLocal8Bit(std::strerror(err)));
}
