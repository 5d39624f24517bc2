// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/renamefile.h"

#include <string>

struct stat;

// Pieces shared by the rename on one file system and the move across file
// systems. Paths are the names' exact bytes.
namespace RenameSupport
{
// A file descriptor closed when it goes out of scope.
class UniqueFd
{
public:
    explicit UniqueFd(int fd = -1) : m_fd(fd) { }
    ~UniqueFd();
    UniqueFd(const UniqueFd &) = delete;
    UniqueFd &operator=(const UniqueFd &) = delete;
    [[nodiscard]] int get() const { return m_fd; }
    [[nodiscard]] bool valid() const { return m_fd >= 0; }

private:
    int m_fd;
};

// A path's folder ("." when it has none) and last component.
struct PathParts {
    std::string folder;
    std::string name;
};
[[nodiscard]] PathParts splitPath(const std::string &path);

// Raises HostError for `err`, or for the current errno.
[[noreturn]] void fail(int err);
[[noreturn]] void failErrno();

// Runs the test hook, if any, at `stage`.
void stage(const char *name);

// rename without replacing: 0, or the errno of the failure.
[[nodiscard]] int renameNoReplace(int fromFolder, const std::string &from, int toFolder, const std::string &to);

// A fresh hidden name for a temporary entry in a folder (".zindle-XXXXXX.part").
[[nodiscard]] std::string temporaryName();

// lstat at `folder`/`name`: true when it exists, with its status in `st`.
[[nodiscard]] bool statEntry(int folder, const std::string &name, struct stat &st);

// Copies the rest of `in` to `out` in chunks of a few MB, asking `progress`
// before each (`total` is what it reports as the whole); raises on a failed
// write (ENOSPC...) and ECANCELED when `progress` says to stop.
void copyContents(int in, int out, qint64 total, const CopyProgress &progress);

// Gives `out` the owner (where permitted), extended attributes (where the file
// system takes them), mode and timestamps of the source whose status is `st`.
void copyMetadata(int in, int out, const struct stat &st);

// Moves `from` (a regular file or a symbolic link) to `to` on another file
// system by copying it; see renameFile.
void moveAcrossFileSystems(const std::string &from, const std::string &to, const CopyProgress &progress);
}
