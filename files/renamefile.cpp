// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The rename on one file system, and the dispatch to the copying move when
// source and target lie on different ones. Nothing here ever replaces an entry:
// every step that could is done with RENAME_NOREPLACE or link(2), which refuse,
// or where the file system has neither, over a placeholder of the program's.
#include "files/renamefile.h"

#include "base/hosterror.h"
#include "files/pathcodec.h"
#include "files/renamesupport.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace RenameSupport;

namespace
{
// Where renameat2 cannot refuse to replace: link the new name (link never
// replaces), then drop the old one. 0, or the errno to raise.
int linkThenUnlink(const std::string &from, const std::string &to)
{
    stage("before-link");
    if (::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), 0) != 0) {
        const int err = errno;
        // ENOTSUP: no hard links here either (FAT, exFAT).
        return err == EPERM || err == EOPNOTSUPP || err == EMLINK ? ENOTSUP : err;
    }
    if (::unlinkat(AT_FDCWD, from.c_str(), 0) != 0) {
        const int err = errno;
        ::unlinkat(AT_FDCWD, to.c_str(), 0);
        return err;
    }
    return 0;
}

// True when `to` reaches the very entry `from` by another spelling of its
// name, as a change of letter case does on FAT or exFAT. A driver in user
// space may give each spelling its own inode number, so the folder's listing
// tells: it holds `from`, nothing spelt as `to`, and no other entry that
// differs from it only in case, as a case-sensitive file system would.
bool sameEntry(const std::string &from, const std::string &to)
{
    const PathParts fromParts = splitPath(from), toParts = splitPath(to);
    const QString name = decodePath(toParts.name);
    struct stat a {
    }, b {}, fromFolder {}, toFolder {};
    if (from == to || ::lstat(from.c_str(), &a) != 0 || ::lstat(to.c_str(), &b) != 0 || S_ISDIR(a.st_mode)
        || ::stat(fromParts.folder.c_str(), &fromFolder) != 0 || ::stat(toParts.folder.c_str(), &toFolder) != 0)
        return false;
    if (!sameFile(fromFolder, toFolder) || a.st_dev != b.st_dev || (a.st_mode & S_IFMT) != (b.st_mode & S_IFMT)
        || a.st_size != b.st_size || decodePath(fromParts.name).compare(name, Qt::CaseInsensitive) != 0)
        return false;
    DIR *folder = ::opendir(fromParts.folder.c_str());
    if (!folder)
        return false;
    bool fromListed = false;
    int alike = 0;
    while (const dirent *entry = ::readdir(folder)) {
        fromListed = fromListed || fromParts.name == entry->d_name;
        alike += decodePath(entry->d_name).compare(name, Qt::CaseInsensitive) == 0 ? 1 : 0;
    }
    ::closedir(folder);
    return fromListed && alike == 1;
}

// A rename where the file system has neither RENAME_NOREPLACE nor hard links:
// after the tidying of a move into that folder, over a placeholder.
int renameWithoutLinks(const std::string &from, const std::string &to)
{
    const UniqueFd fromFolder(::open(splitPath(from).folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    const UniqueFd toFolder(::open(splitPath(to).folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!fromFolder.valid() || !toFolder.valid())
        return errno;
    tidyFolder(toFolder.get());
    return renameOverPlaceholder(fromFolder.get(), splitPath(from).name, toFolder.get(), splitPath(to).name);
}

// Changes the letter case of a name on a case-insensitive file system. A direct
// rename there is a no-op (the target name finds the source's entry), so the
// file is set aside first, as a move sets a source aside, and a killed change
// leaves it where the next move from that folder puts it back.
void changeCase(const std::string &from, const std::string &to)
{
    const UniqueFd folder(::open(splitPath(from).folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    struct stat st {
    };
    if (!folder.valid() || !statEntry(folder.get(), splitPath(from).name, st))
        failErrno();
    tidyFolder(folder.get());
    SetAside aside(folder.get(), splitPath(from).name, st);
    int err = aside.rename();
    if (err != 0)
        fail(err);
    try {
        err = renameCarefully(folder.get(), aside.name(), folder.get(), splitPath(to).name);
    } catch (const HostError &) { // no journal for the placeholder of the new name
        aside.putBack();
        throw;
    }
    if (err != 0) {
        aside.putBack();
        fail(err);
    }
    aside.gone();
}
}

void renameFile(const QString &from, const QString &to, const CopyProgress &progress)
{
    // The system calls would end the path at a NUL and act on a shorter one.
    if (from.contains(QChar(u'\0')) || to.contains(QChar(u'\0')))
        fail(EINVAL);
    const std::string source = encodePath(from);
    const std::string target = encodePath(to);
    stage("before-rename");
    int err = renameNoReplace(AT_FDCWD, source, AT_FDCWD, target);
    if (err == EINVAL || err == ENOSYS)
        err = linkThenUnlink(source, target);
    if (err == ENOTSUP)
        err = renameWithoutLinks(source, target);
    if (err == 0)
        return;
    if (err == EEXIST && sameEntry(source, target))
        return changeCase(source, target);
    if (err == EXDEV)
        return moveAcrossFileSystems(source, target, progress);
    fail(err);
}
