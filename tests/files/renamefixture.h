// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the tests of renames and moves share: files by their exact bytes, a
// folder's entries with hidden ones, and a tmpfs to move across.
#pragma once

#include "base/hosterror.h"
#include "files/pathcodec.h"
#include "files/renamefile.h"
#include "volumes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <memory>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

inline std::string bytes(const QString &path)
{
    return encodePath(path);
}

inline void writeFile(const std::string &path, const QByteArray &data)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    QVERIFY2(fd >= 0, path.c_str());
    QCOMPARE(::write(fd, data.constData(), std::size_t(data.size())), ssize_t(data.size()));
    ::close(fd);
}

// The file's contents, or "<missing>" when there is no file (links are not followed).
inline QByteArray contents(const QString &path)
{
    struct stat st {
    };
    if (::lstat(bytes(path).c_str(), &st) != 0)
        return "<missing>";
    if (S_ISLNK(st.st_mode)) {
        char target[4096];
        const ssize_t n = ::readlink(bytes(path).c_str(), target, sizeof target);
        return "<link to " + QByteArray(target, int(n)) + '>';
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Every name in the folder, hidden ones included, read with readdir.
inline QStringList entries(const QString &folder)
{
    QStringList names;
    DIR *dir = ::opendir(bytes(folder).c_str());
    if (!dir)
        return {QStringLiteral("<no folder>")};
    while (const dirent *entry = ::readdir(dir)) {
        const QString name = decodePath(entry->d_name);
        if (name != QLatin1String(".") && name != QLatin1String(".."))
            names.append(name);
    }
    ::closedir(dir);
    names.sort();
    return names;
}

inline QByteArray pattern(int size)
{
    QByteArray data(size, Qt::Uninitialized);
    char *out = data.data();
    for (int i = 0; i < size; ++i)
        out[i] = char((unsigned(i) * 7919u) >> 3);
    return data;
}

// A tmpfs mounted for one test, so that a move crosses file systems.
class Tmpfs
{
public:
    Tmpfs(const QString &dir, const char *size) : m_dir(bytes(dir))
    {
        ::mkdir(m_dir.c_str(), 0755);
        m_mounted = ::mount("tmpfs", m_dir.c_str(), "tmpfs", 0, (std::string("size=") + size).c_str()) == 0;
    }
    ~Tmpfs()
    {
        if (m_mounted)
            ::umount2(m_dir.c_str(), MNT_DETACH);
    }
    Tmpfs(const Tmpfs &) = delete;
    Tmpfs &operator=(const Tmpfs &) = delete;
    [[nodiscard]] bool mounted() const { return m_mounted; }

private:
    std::string m_dir;
    bool m_mounted = false;
};

#define REQUIRE_MOUNT(fs)                                                                                              \
    if (!(fs).mounted())                                                                                               \
    QSKIP("Cannot mount a tmpfs here (needs root): moves across file systems are not tested")

inline int renameError(const QString &from, const QString &to, const CopyProgress &progress = {})
{
    try {
        renameFile(from, to, progress);
    } catch (const HostError &error) {
        return error.number();
    }
    return 0;
}
