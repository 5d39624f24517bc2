// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Host;

namespace Module1
{
// The current user's login name, or "" when the host cannot tell.
[[nodiscard]] QString CurrentUserName(Host &host);
}
