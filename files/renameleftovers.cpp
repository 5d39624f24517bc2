// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The hidden names a move gives files for a moment: a source set aside before
// it is removed, and a copy in progress where the file system cannot make an
// unnamed one. Each is in the journal of moves before it exists, and what a
// killed move left is tidied from the journal alone: a file is never judged
// by its name.
#include "files/renamesupport.h"

#include "base/hosterror.h"
#include "files/filehandle.h"

#include <QRandomGenerator>

#include <cerrno>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace RenameSupport
{
namespace
{
constexpr char prefix[] = ".zindle-"; // followed by six letters or digits
constexpr char asideMark = '~'; // after the random part of a set-aside file's name, then the start of its own name

// A file system may stamp a file with the time a little before its clock reads.
constexpr std::int64_t clockSlackSeconds = 2;

std::string randomPart()
{
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string part;
    for (int i = 0; i < 6; ++i)
        part += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
    return part;
}

// A fresh set-aside name for `name`, within the folder's longest name. It
// shows a person whose file it is; the journal keeps the name in full.
std::string asideName(int folder, const std::string &name)
{
    const long longest = ::fpathconf(folder, _PC_NAME_MAX);
    const std::string head = prefix + randomPart() + asideMark;
    std::size_t keep = std::size_t(longest > 0 ? longest : 255) - head.size();
    if (keep < name.size()) {
        // Cut between characters, never inside one, so that any file system takes it.
        while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
            --keep;
    }
    return head + name.substr(0, keep);
}

// File systems that number files anew at each mount (FAT, exFAT, and those
// in user space, which may be either): there a file's inode proves nothing.
bool numbersPerMount(int folder)
{
    constexpr long fat = 0x4d44, exfat = 0x2011BAB0, fuse = 0x65735546;
    struct statfs fs {
    };
    return ::fstatfs(folder, &fs) != 0 || fs.f_type == fat || fs.f_type == exfat || fs.f_type == fuse;
}

bool sameTime(const RenameJournal::Entry &entry, const struct stat &st)
{
    return st.st_mtim.tv_sec == entry.mtimeSec && st.st_mtim.tv_nsec == entry.mtimeNsec;
}

// Whether `st`, the entry `name` in `folder`, is still the file `entry`
// recorded. Where the file system keeps inodes, by its handle, which tells a
// file made later on a freed inode apart, and failing that by device and
// inode. Else (FAT...) by what stays of a file across mounts: a set-aside
// file by its size and modification time, under the random name that only its
// mover drew; a copy by being no larger than the complete copy, and made after
// its entry was written (in progress) or with the complete copy's time. A
// marked file, whatever the file system, by the random mark in its head.
bool stillRecorded(const RenameJournal::Entry &entry, const struct stat &st, int folder, bool perMount)
{
    if (entry.kind == RenameJournal::Kind::Marked)
        return S_ISREG(st.st_mode) && st.st_size <= entry.size && holdsMark(folder, entry.name, entry.mark);
    const bool aside = entry.kind == RenameJournal::Kind::SetAside;
    if (!S_ISREG(st.st_mode) && !(aside && S_ISLNK(st.st_mode)))
        return false;
    if (!aside && st.st_size > entry.size)
        return false;
    if (entry.known && !perMount && !entry.handle.empty())
        return fileHandle(folder, entry.name) == entry.handle;
    if (entry.known && !perMount)
        return st.st_ino == entry.inode
            && (st.st_dev == entry.device || (aside && st.st_size == entry.size && sameTime(entry, st)));
    if (aside)
        return st.st_size == entry.size && sameTime(entry, st);
    return sameTime(entry, st) || st.st_mtim.tv_sec >= entry.time - clockSlackSeconds;
}

// Puts back or removes the file of an entry whose mover has ended.
RenameJournal::Outcome settle(int folder, bool perMount, const RenameJournal::Entry &entry)
{
    struct stat st {
    };
    if (!statEntry(folder, entry.name, st))
        return errno == ENOENT ? RenameJournal::Outcome::Done : RenameJournal::Outcome::Keep;
    if (!stillRecorded(entry, st, folder, perMount))
        return RenameJournal::Outcome::Done; // another file now: never ours to touch
    const bool settled = entry.kind == RenameJournal::Kind::SetAside ? putBack(folder, entry.name, entry.original)
                                                                     : ::unlinkat(folder, entry.name.c_str(), 0) == 0;
    return settled ? RenameJournal::Outcome::Done : RenameJournal::Outcome::Keep;
}
}

std::string temporaryName()
{
    return prefix + randomPart() + ".part";
}

SetAside::SetAside(int folder, const std::string &name, const struct stat &st)
    : m_folder(folder), m_name(name), m_record([&] {
        RenameJournal::Entry entry;
        entry.folder = RenameJournal::folderPath(folder);
        entry.name = asideName(folder, name);
        entry.original = name;
        RenameJournal::describe(entry, st, folder, name);
        return entry;
    }())
{
}

SetAside::~SetAside()
{
    if (!m_aside)
        m_record.finish();
}

int SetAside::rename()
{
    int err = renameCarefully(m_folder, m_name, m_folder, m_record.entry().name);
    for (int attempt = 0; attempt < 100 && err == EEXIST; ++attempt) {
        RenameJournal::Entry entry = m_record.entry();
        entry.name = asideName(m_folder, m_name);
        m_record.update(entry);
        err = renameCarefully(m_folder, m_name, m_folder, entry.name);
    }
    m_aside = err == 0;
    return err;
}

void SetAside::gone()
{
    m_aside = false;
}

void SetAside::putBack()
{
    m_aside = !RenameSupport::putBack(m_folder, m_record.entry().name, m_name);
}

bool putBack(int folder, const std::string &aside, const std::string &name)
{
    try {
        return renameCarefully(folder, aside, folder, name) == 0
            || renameCarefully(folder, aside, folder, aside.substr(1)) == 0;
    } catch (const HostError &) { // no journal for a placeholder: the entry of the file aside stays
        return false;
    }
}

void tidyFolder(int folder)
{
    const bool perMount = numbersPerMount(folder);
    RenameJournal::tidy(RenameJournal::folderPath(folder),
        [&](const RenameJournal::Entry &entry) { return settle(folder, perMount, entry); });
}
}
