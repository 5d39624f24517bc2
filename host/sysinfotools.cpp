// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/sysinfotools.h"

#include "files/pathcodec.h"

#include <sys/stat.h>
#include <unistd.h>

namespace
{
struct DesktopTool {
    const char *desktop; // as XDG_CURRENT_DESKTOP names it
    const char *program;
    const char *argument; // "" for none
};

// Each desktop's own page or program about the computer.
constexpr DesktopTool desktopTools[] = {
    {"GNOME", "gnome-control-center", "info-overview"},
    {"Unity", "unity-control-center", "info"},
    {"KDE", "kinfocenter", ""},
    {"XFCE", "xfce4-about", ""},
    {"X-Cinnamon", "cinnamon-settings", "info"},
    {"MATE", "mate-system-monitor", "--show-system-tab"},
    {"Budgie", "budgie-control-center", "info-overview"},
};

// Tools that run on any desktop: those that tell most about the machine first.
constexpr const char *searchedTools[] = {
    "hardinfo",
    "kinfocenter",
    "gnome-system-monitor",
    "mate-system-monitor",
    "xfce4-about",
    "lxtask",
};

// A file the user may run, as a shell's search would take it: not a folder.
bool isExecutableFile(const QString &path)
{
    const std::string bytes = encodePath(path);
    struct stat st {
    };
    return ::stat(bytes.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(bytes.c_str(), X_OK) == 0;
}
}

std::optional<Command> SysInfoTools::ofDesktop(const QString &currentDesktop)
{
    for (const QString &desktop : currentDesktop.split(u':', Qt::SkipEmptyParts)) {
        for (const DesktopTool &tool : desktopTools) {
            if (desktop.compare(QLatin1String(tool.desktop), Qt::CaseInsensitive) != 0)
                continue;
            Command command {QLatin1String(tool.program), {}};
            if (*tool.argument)
                command.arguments.append(QLatin1String(tool.argument));
            return command;
        }
    }
    return std::nullopt;
}

QStringList SysInfoTools::onSearchPath(const QString &searchPath)
{
    QStringList found;
    const QStringList folders = searchPath.split(u':', Qt::SkipEmptyParts);
    for (const char *tool : searchedTools) {
        for (const QString &folder : folders) {
            const QString path = folder + u'/' + QLatin1String(tool);
            if (folder.startsWith(u'/') && isExecutableFile(path)) {
                found.append(path);
                break;
            }
        }
    }
    return found;
}
