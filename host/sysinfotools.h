// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// A program and its arguments, as the host launches it.
struct Command {
    QString program;
    QStringList arguments;
    friend bool operator==(const Command &, const Command &) = default;
};

// Where the system information tool is looked up on a Linux desktop, in the
// order of the two places the registry has on the original host.
namespace SysInfoTools
{
// The system information program of the running desktop, chosen by the first
// desktop of `currentDesktop` (XDG_CURRENT_DESKTOP, names separated by ":") that
// has one, in any case; nothing when none of them is known.
[[nodiscard]] std::optional<Command> ofDesktop(const QString &currentDesktop);

// The known system information tools that `searchPath` (PATH, folders separated by
// ":") holds as executable files, each as its full path: the most complete tools
// first, each found in the first folder that has it. Relative folders, the current
// one included, are not searched.
[[nodiscard]] QStringList onSearchPath(const QString &searchPath);
}
