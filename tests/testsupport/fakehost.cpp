// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport/fakehost.h"

#include <cerrno>

QString FakeHost::userName()
{
    return userNameFails ? QString() : user;
}

QString FakeHost::documentsFolder(const QString &name)
{
    return documents.value(name);
}

void FakeHost::messageBox(const QString &text, int style, const QString &title)
{
    messages.append({text, style, title});
}

void FakeHost::endProgram()
{
    ++endCalls;
}

void FakeHost::rename(const QString &from, const QString &to, const CopyProgress &progress)
{
    if (beforeRename)
        beforeRename();
    LinuxHost::rename(from, to, progress);
}

Picture FakeHost::loadPicture(const QString &path, QSize boxPixels)
{
    loadedPictures.append(path);
    if (whileLoading)
        whileLoading(path);
    if (!pictureSize)
        return LinuxHost::loadPicture(path, boxPixels);
    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(Qt::gray);
    return Picture {pictureSize->width(), pictureSize->height(), image};
}

std::optional<Command> FakeHost::desktopSysInfoTool()
{
    return desktopTool;
}

QStringList FakeHost::installedSysInfoTools()
{
    return searchPathTools;
}

QString FakeHost::fileExists(const QString &path)
{
    if (!existingFiles)
        return LinuxHost::fileExists(path);
    return existingFiles->contains(path) ? path.section(u'\\', -1).section(u'/', -1) : QString();
}

void FakeHost::launch(const QString &program, const QStringList &arguments)
{
    if (!startable.contains(program))
        throw HostError::fromErrno(ENOENT);
    launched.append({program, arguments});
}

QStringList FakeHost::recentDestinations()
{
    return keptForReal ? LinuxHost::recentDestinations() : recent;
}

void FakeHost::keepRecentDestinations(const QStringList &folders)
{
    if (keptForReal)
        LinuxHost::keepRecentDestinations(folders);
    else
        recent = folders;
}
