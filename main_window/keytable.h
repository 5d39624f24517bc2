// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>
#include <QList>

#include <span>

// One line of the program's keys, as the manual and the README list them.
struct KeyRow {
    // The keys, alternatives separated by ", ", named as the manual names them
    // ("Ctrl+Enter" stands for the main and the keypad Enter alike).
    const char *keys;
    // Where they act, in the manual's words.
    const char *where;
    // The object name of the action they trigger; null for keys a control handles itself.
    const char *action;
};

// Every key the program answers. The main window takes its shortcuts from here,
// and a test holds the manual and the README to this table: a key added here
// must be described there too.
[[nodiscard]] std::span<const KeyRow> keyTable();

// The shortcuts of `action` as the table gives them; none when it has no row.
[[nodiscard]] QList<QKeySequence> shortcutsOf(const char *action);

// A key sequence named as the table names keys ("Ctrl+Enter", "Alt+Down").
[[nodiscard]] QString keyName(const QKeySequence &sequence);
