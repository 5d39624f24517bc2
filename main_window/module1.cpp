// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/module1.h"

#include "host/host.h"

QString Module1::CurrentUserName(Host &host)
{
    QString result;
    ErrorMode::exitOnError([&] { result = host.userName(); });
    return result;
}
