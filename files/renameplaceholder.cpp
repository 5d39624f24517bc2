// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Renames where the file system can neither refuse to replace in a rename nor
// make hard links (FAT, exFAT): the target name is taken first, exclusively,
// by a placeholder of the program's, which the rename then replaces.
#include "files/renamesupport.h"

#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RenameSupport
{
std::string randomMark()
{
    std::string mark(16, '\0');
    for (char &byte : mark)
        byte = char(QRandomGenerator::global()->bounded(256));
    return mark;
}

bool holdsMark(int folder, const std::string &name, const std::string &mark)
{
    const UniqueFd fd(::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat st {
    };
    std::string head(mark.size(), '\0');
    return !mark.empty() && fd.valid() && ::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode)
        && ::pread(fd.get(), head.data(), head.size(), 0) == ssize_t(head.size()) && head == mark;
}

int renameOverPlaceholder(int fromFolder, const std::string &from, int toFolder, const std::string &to)
{
    RenameJournal::Entry entry;
    entry.kind = RenameJournal::Kind::Marked;
    entry.folder = RenameJournal::folderPath(toFolder);
    entry.name = to;
    entry.mark = randomMark();
    entry.size = std::int64_t(entry.mark.size());
    RenameJournal::Record record(entry);
    UniqueFd fd(::openat(toFolder, to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd.valid()) {
        const int err = errno;
        record.finish();
        return err;
    }
    struct stat before {
    }, after {};
    int err = ::pwrite(fd.get(), entry.mark.data(), entry.mark.size(), 0) == ssize_t(entry.mark.size()) ? 0 : EIO;
    if (err == 0 && !statEntry(fromFolder, from, before))
        err = errno;
    // Closed before it is replaced: a driver in user space keeps a replaced file that is open as a hidden one.
    fd.reset(-1);
    stage("before-replace-placeholder");
    // The last check, one system call before the rename: a file that took the
    // placeholder's place is never replaced.
    if (err == 0 && !holdsMark(toFolder, to, entry.mark))
        err = EEXIST;
    else if (err == 0 && ::renameat(fromFolder, from.c_str(), toFolder, to.c_str()) != 0)
        err = errno;
    if (err == 0 || !holdsMark(toFolder, to, entry.mark) || ::unlinkat(toFolder, to.c_str(), 0) == 0)
        record.finish(); // else its entry stays for a later tidying
    // A driver may stamp a file renamed over another with the time of the rename (fusefat): a rename changes no
    // content.
    if (err == 0 && statEntry(toFolder, to, after) && after.st_size == before.st_size
        && (after.st_mtim.tv_sec != before.st_mtim.tv_sec || after.st_mtim.tv_nsec != before.st_mtim.tv_nsec)) {
        const timespec times[2] = {before.st_atim, before.st_mtim};
        ::utimensat(toFolder, to.c_str(), times, AT_SYMLINK_NOFOLLOW);
    }
    return err;
}
}
