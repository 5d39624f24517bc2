// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/hosterror.h"

#include <cstring>

HostError HostError::fromErrno(int err)
{
    return HostError(err, QString::fromLocal8Bit(std::strerror(err)));
}
