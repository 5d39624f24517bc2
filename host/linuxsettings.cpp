// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the program keeps between runs: the recent destination folders, in the
// user's configuration folder, each by its exact bytes (a name that is not
// valid UTF-8 comes back as it was).
#include "host/linuxhost.h"

#include "files/pathcodec.h"

#include <QSettings>
#include <QStandardPaths>

namespace
{
const QString RecentKey = QStringLiteral("RecentDestinations");

// Looked up at each use, so that the folder follows XDG_CONFIG_HOME as it is now.
QString settingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/zindle/zindle.conf");
}
}

QStringList LinuxHost::recentDestinations()
{
    const QSettings settings(settingsFile(), QSettings::IniFormat);
    QStringList folders;
    for (const QVariant &folder : settings.value(RecentKey).toList()) {
        const QByteArray bytes = folder.toByteArray();
        if (!bytes.isEmpty())
            folders.append(decodePath(std::string_view(bytes.constData(), std::size_t(bytes.size()))));
    }
    return folders;
}

void LinuxHost::keepRecentDestinations(const QStringList &folders)
{
    QVariantList kept;
    for (const QString &folder : folders)
        kept.append(QByteArray::fromStdString(encodePath(folder)));
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.setValue(RecentKey, kept);
    settings.sync();
}
