// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport/testfiles.h"

#include "files/pathcodec.h"

#include <cstdio>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

bool TestFiles::write(const QString &path, const QByteArray &content)
{
    const int fd = ::open(encodePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, content.constData(), std::size_t(content.size())) == content.size();
    ::close(fd);
    return ok;
}

QByteArray TestFiles::read(const QString &path)
{
    const int fd = ::open(encodePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray content;
    char buffer[65536];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        content.append(buffer, qsizetype(n));
    ::close(fd);
    return content;
}

bool TestFiles::exists(const QString &path)
{
    struct stat st {
    };
    return ::lstat(encodePath(path).c_str(), &st) == 0;
}

bool TestFiles::makeFolder(const QString &path)
{
    return ::mkdir(encodePath(path).c_str(), 0755) == 0;
}

void TestFiles::removeTree(const QString &path)
{
    const auto remove = [](const char *name, const struct stat *, int, FTW *) {
        ::remove(name); // keep going: remove what can be removed
        return 0;
    };
    ::nftw(encodePath(path).c_str(), remove, 16, FTW_DEPTH | FTW_PHYS);
}
