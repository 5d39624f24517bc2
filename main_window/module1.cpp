// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/module1.h"

#include "host/host.h"

QString Module1::CurrentUserName(Host &host)
{
    QString result;
    ErrorMode::exitOnError([&] {
        QString buffer(1024, QChar(u' '));
        std::uint32_t size = 1023;
        if (host.userName(buffer, size) && size != 0) {
            // The count includes the terminating NUL, which a text never holds.
            result = buffer.left(static_cast<qsizetype>(size)).section(QChar(u'\0'), 0, 0);
        }
    });
    return result;
}
