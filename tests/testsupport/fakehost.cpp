// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport/fakehost.h"

#include <cerrno>

bool FakeHost::userName(QString &buffer, std::uint32_t &size)
{
    if (userNameFails)
        return false;
    buffer = user + QChar(u'\0');
    size = static_cast<std::uint32_t>(buffer.size());
    return true;
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

long FakeHost::regOpenKeyEx(
    std::uint32_t, const QByteArray &subKey, std::uint32_t, std::uint32_t access, std::uint32_t &key)
{
    openedKeys.append(subKey);
    openAccess.append(access);
    const QString name = QString::fromLatin1(subKey);
    if (refusedKeys.contains(name))
        return Registry::ERROR_ACCESS_DENIED;
    bool exists = false;
    for (auto it = registry.cbegin(); it != registry.cend(); ++it)
        exists = exists || it.key().startsWith(name + u'\\');
    if (!exists)
        return Registry::ERROR_FILE_NOT_FOUND;
    key = m_nextKey++;
    m_keys.insert(key, subKey);
    ++openKeys;
    return Registry::ERROR_SUCCESS;
}

long FakeHost::regQueryValueEx(
    std::uint32_t key, const QByteArray &valueName, std::uint32_t &type, QByteArray &data, std::uint32_t &size)
{
    queriedValues.append(valueName);
    const auto found = registry.constFind(QString::fromLatin1(m_keys.value(key) + '\\' + valueName));
    if (found == registry.cend())
        return Registry::ERROR_FILE_NOT_FOUND;
    type = found->type;
    if (static_cast<std::uint32_t>(found->data.size()) > size) {
        size = static_cast<std::uint32_t>(found->data.size());
        return Registry::ERROR_MORE_DATA;
    }
    data.replace(0, found->data.size(), found->data);
    size = static_cast<std::uint32_t>(found->data.size());
    return Registry::ERROR_SUCCESS;
}

long FakeHost::regCloseKey(std::uint32_t key)
{
    if (m_keys.remove(key))
        --openKeys;
    return Registry::ERROR_SUCCESS;
}

QString FakeHost::fileExists(const QString &path)
{
    if (!existingFiles)
        return LinuxHost::fileExists(path);
    return existingFiles->contains(path) ? path.section(u'\\', -1).section(u'/', -1) : QString();
}

void FakeHost::shell(const QString &program, int windowStyle)
{
    if (!startable.contains(program))
        throw HostError::fromErrno(ENOENT);
    launched.append(program);
    launchStyles.append(windowStyle);
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
