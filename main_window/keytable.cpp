// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/keytable.h"

#include <QString>

#include <array>
#include <cstring>

namespace
{
// clang-format off
constexpr std::array Keys {
    KeyRow {"Tab, Shift+Tab", "anywhere", nullptr},
    KeyRow {"Up, Down, Home, End, Page Up, Page Down", "folder list", nullptr},
    KeyRow {"Enter", "folder list", nullptr},
    KeyRow {"Backspace", "folder list", nullptr},
    KeyRow {"Up, Down, Home, End, Page Up, Page Down, typing a name", "file list", nullptr},
    KeyRow {"Enter, Space", "file list", nullptr},
    KeyRow {"Up, Down, Alt+Down", "drive list", nullptr},
    KeyRow {"Enter", "name, extension, rename button", nullptr},
    KeyRow {"Ctrl+Enter", "name, extension, rename button", "renameNext"},
    KeyRow {"Alt+Down", "name, extension", "nextFile"},
    KeyRow {"Alt+Up", "name, extension", "previousFile"},
    KeyRow {"Alt+Down", "destination", "openRecent"},
    KeyRow {"Up, Down, Enter, Esc", "destination", nullptr},
    KeyRow {"Space", "rename button, Hold", nullptr},
    KeyRow {"F2", "main window", "findName"},
    KeyRow {"Ctrl+L", "main window", "findDestination"},
    KeyRow {"Ctrl+Z", "main window", "undoRename"},
    KeyRow {"Ctrl+Shift+Z, Ctrl+Y", "main window", "redoRename"},
    KeyRow {"F5", "main window", "refresh"},
    KeyRow {"Alt+F, Alt+H", "main window", nullptr},
    KeyRow {"F1", "main window", "hep"},
    KeyRow {"Ctrl+Q", "any window", "exIt"},
    KeyRow {"Enter, Esc", "About box", nullptr},
    KeyRow {"Alt+S", "About box", nullptr},
    KeyRow {"Enter, Esc", "move dialog", nullptr},
};
// clang-format on
}

std::span<const KeyRow> keyTable()
{
    return Keys;
}

QList<QKeySequence> shortcutsOf(const char *action)
{
    QList<QKeySequence> shortcuts;
    for (const KeyRow &row : Keys) {
        if (!row.action || std::strcmp(row.action, action) != 0)
            continue;
        for (const QString &name : QString::fromLatin1(row.keys).split(QStringLiteral(", "))) {
            // Enter names both keys: the main one (Return) and the keypad's.
            if (name.contains(QLatin1String("Enter")))
                shortcuts.append(
                    QKeySequence::fromString(QString(name).replace(QLatin1String("Enter"), QLatin1String("Return")),
                        QKeySequence::PortableText));
            shortcuts.append(QKeySequence::fromString(name, QKeySequence::PortableText));
        }
    }
    return shortcuts;
}

QString keyName(const QKeySequence &sequence)
{
    return sequence.toString(QKeySequence::PortableText)
        .replace(QLatin1String("Return"), QLatin1String("Enter"))
        .replace(QLatin1String("PgUp"), QLatin1String("Page Up"))
        .replace(QLatin1String("PgDown"), QLatin1String("Page Down"));
}
