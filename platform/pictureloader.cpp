// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pictureloader.h"

#include <cerrno>

Picture loadPictureFile(const QString &, QSize)
{
    throw HostError::fromErrno(ENOSYS); // not built yet
}
