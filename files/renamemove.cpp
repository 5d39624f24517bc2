// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The move to another file system. The copy is built as an unnamed file in
// the destination folder, flushed to disk, and only then linked under the
// target name, which never replaces anything. The source goes last, and only
// the very file that was copied, unchanged: it is checked, renamed aside,
// checked again and unlinked; whatever else turns up is put back. Whatever
// fails on the way, the copy is taken back and the source stays. The journal
// of moves records every file made or hidden on the way before it exists.
#include "files/renamesupport.h"

#include "base/hosterror.h"
#include "files/filehandle.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace RenameSupport
{
namespace
{
// The file being moved, with its status when copying began.
struct Source {
    int folder;
    std::string name;
    struct stat st;
    UniqueFd fd; // open while a regular file is moved
};

// The copy of a regular file while it is built in the destination folder.
// Where the file system cannot make an unnamed file, it has a hidden name,
// in the journal from before it exists until it is published or removed.
class Copy
{
public:
    explicit Copy(int folder) : m_folder(folder) { }
    ~Copy()
    {
        if (!m_name.empty() && ::unlinkat(m_folder, m_name.c_str(), 0) != 0 && errno != ENOENT)
            return; // still there: its entry stays for a later tidying
        if (m_record)
            m_record->finish();
    }
    Copy(const Copy &) = delete;
    Copy &operator=(const Copy &) = delete;

    // Makes the copy of a source whose status is `source`.
    void create(const struct stat &source)
    {
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
            if (createNamed(entry))
                return;
            entry.name = temporaryName();
            m_record->update(entry);
        }
        fail(EEXIST);
    }

    [[nodiscard]] int fd() const { return m_fd.get(); }

    // Gives the finished copy `name`, refusing if anything took it meanwhile.
    void publish(const std::string &name)
    {
        stage("before-publish");
        const int err = m_name.empty() ? linkUnnamed(name) : renameNamed(name);
        if (err != 0)
            fail(err);
        ::fsync(m_folder);
    }

private:
    // False when the name is taken.
    bool createNamed(RenameJournal::Entry &entry)
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

    int linkUnnamed(const std::string &name)
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

    int renameNamed(const std::string &name)
    {
        int err = renameNoReplace(m_folder, m_name, m_folder, name);
        if (err == 0) {
            m_name.clear();
        } else if (err == EINVAL || err == ENOSYS) {
            // No RENAME_NOREPLACE here: link(2) publishes without replacing, and the
            // hidden name then goes with the Copy.
            err = ::linkat(m_folder, m_name.c_str(), m_folder, name.c_str(), 0) == 0 ? 0 : errno;
            if (err == EPERM || err == EOPNOTSUPP || err == EMLINK)
                err = ENOTSUP;
        }
        return err;
    }

    int m_folder;
    UniqueFd m_fd;
    std::string m_name;
    std::optional<RenameJournal::Record> m_record;
};

UniqueFd openFolder(const std::string &path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) // a folder one may write to but not list
        fd = ::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        failErrno();
    return UniqueFd(fd);
}

// Refuses at once what would be refused at the end anyway, before any copying:
// an existing target, or a source folder this user may not remove the source from.
void checkBeforeCopy(const std::string &sourceFolder, int folder, const std::string &name)
{
    struct stat st {
    };
    if (statEntry(folder, name, st))
        fail(EEXIST);
    if (::faccessat(AT_FDCWD, sourceFolder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        failErrno();
}

// The status of the file set aside as `aside`: from the descriptor held
// on a regular file, else (a link) from its entry.
bool asideStatus(const Source &source, const std::string &aside, struct stat &st)
{
    return source.fd.valid() ? ::fstat(source.fd.get(), &st) == 0 : statEntry(source.folder, aside, st);
}

// Removes the source if it is still the file that was copied, unchanged:
// 0, or the errno to raise (EAGAIN when it changed), with the source kept.
// Each check sits right before the step it guards, one system call apart:
// the first compares everything with the file as copied, just before the
// rename aside; the rename changes the change time, which is taken at once
// and compared, with the size and modification time, just before the unlink.
int takeSourceAway(Source &source)
{
    stage("before-set-aside");
    SetAside aside(source.folder, source.name, source.st);
    struct stat now {
    }, pinned {};
    if (!statEntry(source.folder, source.name, now))
        return errno;
    if (!unchanged(source.st, now))
        return EAGAIN; // rewritten, or another file saved under its name
    if (const int err = aside.rename())
        return err;
    const bool pin = asideStatus(source, aside.name(), pinned);
    stage("after-set-aside");
    int err = 0;
    if (!pin || !statEntry(source.folder, aside.name(), now) || !sameFile(source.st, now) || !unchanged(pinned, now))
        err = EAGAIN;
    else if (::unlinkat(source.folder, aside.name().c_str(), 0) != 0)
        err = errno;
    if (err == 0)
        aside.gone();
    else
        aside.putBack();
    return err;
}

// Removes the source once its copy is published; when it cannot go (or is no
// longer the file that was copied), the copy is taken back and the error raised.
void removeSource(Source &source, int folder, const std::string &name, const struct stat &copy)
{
    stage("before-remove-source");
    const auto takeCopyBack = [&] {
        struct stat published {
        };
        if (statEntry(folder, name, published) && sameFile(published, copy))
            ::unlinkat(folder, name.c_str(), 0);
    };
    int err = 0;
    try {
        err = takeSourceAway(source);
    } catch (const HostError &) { // the journal could not be written: nothing was set aside
        takeCopyBack();
        throw;
    }
    if (err != 0) {
        takeCopyBack();
        fail(err);
    }
}

// Copies the regular file `source` and publishes the copy as `name`; its status.
struct stat copyRegular(Source &source, int folder, const std::string &name, const CopyProgress &progress)
{
    stage("before-open");
    // Without waiting: a FIFO or device put at the name meanwhile would block the open.
    source.fd.reset(::openat(source.folder, source.name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat opened {
    };
    if (!source.fd.valid() || ::fstat(source.fd.get(), &opened) != 0)
        failErrno();
    if (!S_ISREG(opened.st_mode))
        fail(EAGAIN);
    if (!sameFile(opened, source.st))
        fail(ENOENT);
    const int flags = ::fcntl(source.fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(source.fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        failErrno();
    source.st = opened;
    Copy copy(folder);
    copy.create(opened);
    copyContents(source.fd.get(), copy.fd(), opened.st_size, progress);
    copyMetadata(source.fd.get(), copy.fd(), opened);
    if (::fsync(copy.fd()) != 0)
        failErrno();
    // A file changed while it was copied may have been copied half old, half new.
    struct stat after {
    }, result {};
    if (::fstat(source.fd.get(), &after) != 0 || ::fstat(copy.fd(), &result) != 0)
        failErrno();
    if (!unchanged(opened, after))
        fail(EAGAIN);
    copy.publish(name);
    return result;
}

// Recreates the symbolic link `source` as `name`; its status. A link is made
// with its contents at once, so it needs no temporary.
struct stat copyLink(const Source &source, int folder, const std::string &name)
{
    std::vector<char> contents(std::size_t(source.st.st_size) + 2);
    ssize_t size;
    while ((size = ::readlinkat(source.folder, source.name.c_str(), contents.data(), contents.size()))
        >= ssize_t(contents.size()))
        contents.resize(contents.size() * 2);
    if (size < 0)
        failErrno();
    stage("before-publish");
    if (::symlinkat(std::string(contents.data(), std::size_t(size)).c_str(), folder, name.c_str()) != 0)
        failErrno();
    // Owner (where permitted) and times; a link that cannot take them is taken back.
    const timespec times[2] = {source.st.st_atim, source.st.st_mtim};
    int err = 0;
    if (::fchownat(folder, name.c_str(), source.st.st_uid, source.st.st_gid, AT_SYMLINK_NOFOLLOW) != 0
        && errno != EPERM)
        err = errno;
    else if (::utimensat(folder, name.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0 && errno != EPERM)
        err = errno;
    struct stat result {
    };
    if (err == 0 && !statEntry(folder, name, result))
        err = errno;
    if (err != 0) {
        ::unlinkat(folder, name.c_str(), 0);
        fail(err);
    }
    return result;
}
}

void moveAcrossFileSystems(const std::string &from, const std::string &to, const CopyProgress &progress)
{
    const PathParts origin = splitPath(from), target = splitPath(to);
    const UniqueFd sourceFolder = openFolder(origin.folder);
    const UniqueFd folder = openFolder(target.folder);
    tidyFolder(sourceFolder.get());
    tidyFolder(folder.get());
    Source source {sourceFolder.get(), origin.name, {}, UniqueFd()};
    if (!statEntry(source.folder, source.name, source.st))
        failErrno();
    if (!S_ISREG(source.st.st_mode) && !S_ISLNK(source.st.st_mode))
        fail(EXDEV); // folders and special files are not copied
    checkBeforeCopy(origin.folder, folder.get(), target.name);
    const struct stat copy = S_ISLNK(source.st.st_mode) ? copyLink(source, folder.get(), target.name)
                                                        : copyRegular(source, folder.get(), target.name, progress);
    removeSource(source, folder.get(), target.name, copy);
}
}
