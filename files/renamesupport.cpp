// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/renamesupport.h"

#include "base/hosterror.h"

#include <QRandomGenerator>

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
}

void setRenameHookForTests(std::function<void(const char *stage)> hook)
{
    testHook() = std::move(hook);
}

namespace RenameSupport
{
UniqueFd::~UniqueFd()
{
    if (m_fd >= 0)
        ::close(m_fd);
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

int renameNoReplace(int fromFolder, const std::string &from, int toFolder, const std::string &to)
{
    if (::renameat2(fromFolder, from.c_str(), toFolder, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    return errno;
}

std::string temporaryName()
{
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string name = ".zindle-";
    for (int i = 0; i < 6; ++i)
        name += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
    return name + ".part";
}

bool statEntry(int folder, const std::string &name, struct stat &st)
{
    return ::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}
}
