// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/copytarget.h"

#include "files/filehandle.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace RenameSupport
{
CopyTarget::~CopyTarget()
{
    if (!m_name.empty() && (!m_final || stillMine()) && ::unlinkat(m_folder, m_name.c_str(), 0) != 0 && errno != ENOENT)
        return; // still there: its entry stays for a later tidying
    if (m_record)
        m_record->finish();
}

void CopyTarget::create(const struct stat &source, const std::string &name)
{
    if (!m_format.hardLinks())
        return createUnderFinalName(source, name);
    if (!namedCopiesForTests()) {
        m_fd.reset(::openat(m_folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
        if (m_fd.valid())
            return;
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            failErrno();
    }
    // Recorded before it exists, with the size and time the complete copy will have.
    RenameJournal::Entry entry;
    entry.kind = RenameJournal::Kind::Copy;
    entry.folder = RenameJournal::folderPath(m_folder);
    entry.name = temporaryName();
    entry.size = source.st_size;
    entry.mtimeSec = source.st_mtim.tv_sec;
    entry.mtimeNsec = source.st_mtim.tv_nsec;
    m_record.emplace(entry);
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (createHidden(entry))
            return;
        entry.name = temporaryName();
        m_record->update(entry);
    }
    fail(EEXIST);
}

// Without hard links nothing can name a finished copy without a risk of
// replacing a file: the copy takes its name first, exclusively, and is
// written under it. Until it is complete its head holds the mark, by which
// the tidying after a killed move knows it, whatever else comes to share its
// name, size or time.
void CopyTarget::createUnderFinalName(const struct stat &source, const std::string &name)
{
    stage("before-publish");
    RenameJournal::Entry entry;
    entry.kind = RenameJournal::Kind::Marked;
    entry.folder = RenameJournal::folderPath(m_folder);
    entry.name = name;
    entry.size = source.st_size;
    // A shorter file is written in one go: nothing of it is ever in part.
    if (source.st_size >= 16)
        entry.mark = randomMark();
    m_record.emplace(entry);
    m_fd.reset(::openat(m_folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!m_fd.valid())
        failErrno(); // the record goes with the object
    m_name = name;
    m_final = true;
    m_mark = entry.mark;
    if (::pwrite(m_fd.get(), m_mark.data(), m_mark.size(), 0) != ssize_t(m_mark.size()))
        fail(errno != 0 ? errno : EIO);
}

void CopyTarget::completeHead(int in)
{
    if (m_mark.empty())
        return;
    std::string head(m_mark.size(), '\0');
    const ssize_t n = ::pread(in, head.data(), head.size(), 0);
    if (n != ssize_t(head.size()))
        fail(n < 0 ? errno : EAGAIN); // shorter now: changed while copied
    if (::pwrite(m_fd.get(), head.data(), head.size(), 0) != ssize_t(head.size()))
        fail(errno != 0 ? errno : EIO);
}

void CopyTarget::publish(const std::string &name)
{
    if (m_final) {
        m_name.clear(); // already under its name, and complete
    } else {
        stage("before-publish");
        const int err = m_fd.valid() && m_name.empty() ? linkUnnamed(name) : renameHidden(name);
        if (err != 0)
            fail(err);
    }
    ::fsync(m_folder);
}

bool CopyTarget::createHidden(RenameJournal::Entry &entry)
{
    UniqueFd fd(::openat(m_folder, entry.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd.valid() && errno != EEXIST)
        failErrno();
    if (!fd.valid())
        return false;
    m_fd.reset(fd.release());
    m_name = entry.name;
    struct stat st {
    };
    if (::fstat(m_fd.get(), &st) != 0)
        failErrno();
    entry.known = true;
    entry.device = st.st_dev;
    entry.inode = st.st_ino;
    entry.handle = fileHandle(m_folder, entry.name);
    m_record->update(entry);
    return true;
}

int CopyTarget::linkUnnamed(const std::string &name)
{
    if (::linkat(m_fd.get(), "", m_folder, name.c_str(), AT_EMPTY_PATH) == 0)
        return 0;
    if (errno != ENOENT && errno != EPERM)
        return errno;
    // Without the right to link by descriptor, through its entry in /proc.
    char path[32];
    std::snprintf(path, sizeof path, "/proc/self/fd/%d", m_fd.get());
    return ::linkat(AT_FDCWD, path, m_folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
}

int CopyTarget::renameHidden(const std::string &name)
{
    const int err = renameCarefully(m_folder, m_name, m_folder, name);
    if (err == 0)
        m_name.clear();
    return err;
}

// The name still gives the file this object wrote, not one put in its place.
bool CopyTarget::stillMine() const
{
    struct stat named {
    }, mine {};
    return statEntry(m_folder, m_name, named) && ::fstat(m_fd.get(), &mine) == 0 && sameFile(named, mine)
        && named.st_size == mine.st_size;
}

void checkRoom(const struct stat &source, int folder, const DiskFormat &format)
{
    if (source.st_size > format.largestFile())
        fail(EFBIG);
    const qint64 used = std::min(qint64(source.st_size), qint64(source.st_blocks) * 512);
    const qint64 needed = format.holes() ? used : qint64(source.st_size);
    struct statvfs fs {
    };
    if (::fstatvfs(folder, &fs) != 0 || fs.f_frsize == 0 || fs.f_blocks == 0)
        return; // a disk that tells nothing: the copy itself finds out
    // The blocks kept for root are root's to use.
    const qint64 free = qint64(::geteuid() == 0 ? fs.f_bfree : fs.f_bavail) * qint64(fs.f_frsize);
    if (needed > free)
        fail(ENOSPC);
}
}
