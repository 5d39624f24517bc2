// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The rename on one file system, and the dispatch to the copying move when
// source and target lie on different ones. Nothing here ever replaces an entry:
// every step that could is done with RENAME_NOREPLACE or link(2), which refuse.
#include "files/renamefile.h"

#include "files/pathcodec.h"
#include "files/renamesupport.h"

#include <cerrno>
#include <cstdio>
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
    if (::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), 0) != 0) {
        const int err = errno;
        // No hard links here either (FAT, some network shares): refuse rather
        // than rename after a check that a newcomer could slip past.
        return err == EPERM || err == EOPNOTSUPP || err == EMLINK ? ENOTSUP : err;
    }
    if (::unlinkat(AT_FDCWD, from.c_str(), 0) != 0) {
        const int err = errno;
        ::unlinkat(AT_FDCWD, to.c_str(), 0);
        return err;
    }
    return 0;
}

// True when `from` and `to` are one and the same directory entry reached by two
// spellings of its name, as a change of letter case is on FAT or exFAT. A file
// with one link that both names reach cannot be a hard-linked pair, and the
// names must match but for case, in the same folder.
bool sameEntry(const std::string &from, const std::string &to)
{
    struct stat a {
    }, b {};
    if (from == to || ::lstat(from.c_str(), &a) != 0 || ::lstat(to.c_str(), &b) != 0)
        return false;
    if (a.st_dev != b.st_dev || a.st_ino != b.st_ino || a.st_nlink != 1 || S_ISDIR(a.st_mode))
        return false;
    const PathParts fromParts = splitPath(from), toParts = splitPath(to);
    struct stat fromFolder {
    }, toFolder {};
    if (::stat(fromParts.folder.c_str(), &fromFolder) != 0 || ::stat(toParts.folder.c_str(), &toFolder) != 0)
        return false;
    return fromFolder.st_dev == toFolder.st_dev && fromFolder.st_ino == toFolder.st_ino
        && decodePath(fromParts.name).compare(decodePath(toParts.name), Qt::CaseInsensitive) == 0;
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
    err = renameCarefully(folder.get(), aside.name(), folder.get(), splitPath(to).name);
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
    if (err == 0)
        return;
    if (err == EEXIST && sameEntry(source, target))
        return changeCase(source, target);
    if (err == EXDEV)
        return moveAcrossFileSystems(source, target, progress);
    fail(err);
}
