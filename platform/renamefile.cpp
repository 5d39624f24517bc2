// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/renamefile.h"

#include "platform/hosterror.h"

#include <cerrno>

void renameFile(const QString &, const QString &)
{
    throw HostError::fromErrno(ENOSYS); // not built yet
}
