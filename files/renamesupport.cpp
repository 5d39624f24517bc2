// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/renamesupport.h"

#include "base/hosterror.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
std::function<void(const char *)> &testHook()
{
    static std::function<void(const char *)> hook;
    return hook;
}

std::atomic<bool> namedCopies {false};
}

void setRenameHookForTests(std::function<void(const char *stage)> hook)
{
    testHook() = std::move(hook);
}

void setNamedCopiesForTests(bool named)
{
    namedCopies = named;
}

namespace RenameSupport
{
UniqueFd::~UniqueFd()
{
    reset(-1);
}

void UniqueFd::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

PathParts splitPath(const std::string &path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return {std::string("."), path};
    return {slash == 0 ? std::string("/") : path.substr(0, slash), path.substr(slash + 1)};
}

void fail(int err)
{
    throw HostError::fromErrno(err);
}

void failErrno()
{
    fail(errno);
}

void stage(const char *name)
{
    if (testHook())
        testHook()(name);
}

bool namedCopiesForTests()
{
    return namedCopies;
}

int renameNoReplace(int fromFolder, const std::string &from, int toFolder, const std::string &to)
{
    if (::renameat2(fromFolder, from.c_str(), toFolder, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    return errno;
}

int renameCarefully(int fromFolder, const std::string &from, int toFolder, const std::string &to)
{
    int err = renameNoReplace(fromFolder, from, toFolder, to);
    if (err != EINVAL && err != ENOSYS)
        return err;
    // link(2) never replaces either; the old name goes once the new one is there.
    stage("before-link");
    if (::linkat(fromFolder, from.c_str(), toFolder, to.c_str(), 0) == 0) {
        if (::unlinkat(fromFolder, from.c_str(), 0) == 0)
            return 0;
        err = errno;
        ::unlinkat(toFolder, to.c_str(), 0);
        return err;
    }
    if (errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK)
        return errno;
    return renameOverPlaceholder(fromFolder, from, toFolder, to);
}

bool statEntry(int folder, const std::string &name, struct stat &st)
{
    return ::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool unchanged(const struct stat &before, const struct stat &now)
{
    const auto same
        = [](const timespec &a, const timespec &b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; };
    return sameFile(before, now) && before.st_size == now.st_size && same(before.st_mtim, now.st_mtim)
        && same(before.st_ctim, now.st_ctim);
}
}
