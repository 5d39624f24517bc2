// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/renamefile.h"
#include "files/renamejournal.h"

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
    void reset(int fd);
    [[nodiscard]] int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

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

// Whether tests asked for named copies (setNamedCopiesForTests).
[[nodiscard]] bool namedCopiesForTests();

// rename without replacing: 0, or the errno of the failure.
[[nodiscard]] int renameNoReplace(int fromFolder, const std::string &from, int toFolder, const std::string &to);

// The same, also where the file system lacks RENAME_NOREPLACE: there a hard
// link and an unlink, or without hard links renameOverPlaceholder. The
// folders must be open folders, not AT_FDCWD. Raises HostError only when the
// journal of moves cannot be written.
[[nodiscard]] int renameCarefully(int fromFolder, const std::string &from, int toFolder, const std::string &to);

// A rename for file systems that can neither refuse to replace in a rename nor
// make hard links (FAT, exFAT): a placeholder of the program's takes the name
// `to` first, exclusively, and holds a random mark; just before the rename
// replaces it, it is checked to hold the mark still. Only a program that puts
// a file of its own in the placeholder's place between that check and the
// rename, one system call later, could have it replaced. The placeholder is
// in the journal of moves, so that a rename killed half way leaves it only
// until the next move into that folder. 0, or the errno of the failure (EEXIST
// when the name is taken); raises HostError when the journal cannot be written.
[[nodiscard]] int renameOverPlaceholder(int fromFolder, const std::string &from, int toFolder, const std::string &to);

// Sixteen random bytes, which no other program writes at the start of a file.
[[nodiscard]] std::string randomMark();

// The entry `name` in `folder` is a regular file whose first bytes are `mark` (not empty).
[[nodiscard]] bool holdsMark(int folder, const std::string &name, const std::string &mark);

// A fresh hidden name for a copy in progress (".zindle-XXXXXX.part"), made
// only where the file system has no unnamed files.
[[nodiscard]] std::string temporaryName();

// lstat at `folder`/`name`: true when it exists, with its status in `st`.
[[nodiscard]] bool statEntry(int folder, const std::string &name, struct stat &st);

// The same file (device and inode) in both.
[[nodiscard]] bool sameFile(const struct stat &a, const struct stat &b);

// The same file, untouched between `before` and `now`: size, modification
// time and change time too. A program can put the modification time back,
// but not the change time.
[[nodiscard]] bool unchanged(const struct stat &before, const struct stat &now);

// A file renamed aside, to a fresh hidden name of the program's, before it is
// removed: ".zindle-XXXXXX~" and the start of its name. The journal of moves
// records it first, so that, should the move be killed, the next move from
// that folder puts it back under its full name.
class SetAside
{
public:
    // Records the file `name` in `folder`, whose status is `st`, in the
    // journal; raises HostError when the journal cannot be written.
    SetAside(int folder, const std::string &name, const struct stat &st);
    // Drops the record, unless the file is still aside.
    ~SetAside();
    SetAside(const SetAside &) = delete;
    SetAside &operator=(const SetAside &) = delete;

    // Renames the file aside: 0, or the errno.
    [[nodiscard]] int rename();
    [[nodiscard]] const std::string &name() const { return m_record.entry().name; }
    // The file has left its hidden name: removed, or renamed on.
    void gone();
    // Puts the file back under its own name; should that have been taken
    // meanwhile, beside it under its hidden name without the leading ".", so
    // that it never stays hidden.
    void putBack();

private:
    int m_folder;
    std::string m_name;
    RenameJournal::Record m_record;
    bool m_aside = false;
};

// Puts the file `aside` in `folder` back as `name`, as SetAside::putBack
// does; false when it stays aside.
bool putBack(int folder, const std::string &aside, const std::string &name);

// Tidying after moves that were killed or crashed, before a move starts: in
// `folder`, puts back the files that the journal says were set aside, and
// removes the copies it says were in progress, by moves that have ended.
// Raises HostError when the journal cannot be written.
void tidyFolder(int folder);

// What copyContents copies: the source's bytes from `start` (the bytes before
// are the caller's) to `size`, the whole that progress is reported against;
// where `holes`, the source's holes are skipped and stay holes in the copy.
struct CopyRange {
    qint64 start = 0;
    qint64 size = 0;
    bool holes = true;
    bool sparse = false; // the source takes fewer blocks than its size
};

// Copies `range` of `in` to the same places in `out` in chunks of a few MB,
// then flushes it to the disk chunk by chunk, asking `progress` before each
// step and once at the end; `out` then has the size of the source. Raises on
// a failed write (ENOSPC...) and ECANCELED when `progress` says to stop.
void copyContents(int in, int out, const CopyRange &range, const CopyProgress &progress);

// Gives `out` the owner, extended attributes, mode and timestamps of the
// source whose status is `st`, as far as this user may and the file system can
// hold them; the rest is dropped, as mv does, and never fails the move. A
// set-ID bit goes with an owner or group the copy could not keep.
void copyMetadata(int in, int out, const struct stat &st);

// Moves `from` (a regular file or a symbolic link) to `to` on another file
// system by copying it; see renameFile.
void moveAcrossFileSystems(const std::string &from, const std::string &to, const CopyProgress &progress);
}
