// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The move to another file system. The copy is built as an unnamed file in
// the destination folder, flushed to disk, and only then linked under the
// target name, which never replaces anything. The source goes last, and only
// the very file that was copied, unchanged: it is checked, renamed aside,
// checked again and unlinked; whatever else turns up is put back. Whatever
// fails on the way, the copy is taken back and the source stays.
#include "files/renamesupport.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
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
// locked while it exists so that the tidying of other moves leaves it alone,
// and removed unless published.
class Copy
{
public:
    explicit Copy(int folder) : m_folder(folder) { }
    ~Copy()
    {
        if (!m_name.empty())
            ::unlinkat(m_folder, m_name.c_str(), 0);
    }
    Copy(const Copy &) = delete;
    Copy &operator=(const Copy &) = delete;

    void create()
    {
        if (!namedCopiesForTests()) {
            m_fd.reset(::openat(m_folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
            if (m_fd.valid())
                return;
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
                failErrno();
        }
        for (int attempt = 0; attempt < 100; ++attempt) {
            if (createNamed(temporaryName()))
                return;
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
    // False when the name is taken, or the tidying of another move got it first.
    bool createNamed(const std::string &name)
    {
        UniqueFd fd(::openat(m_folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!fd.valid() && errno != EEXIST)
            failErrno();
        if (!fd.valid())
            return false;
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
            return false;
        struct stat entry {
        }, opened {};
        if (!statEntry(m_folder, name, entry) || ::fstat(fd.get(), &opened) != 0 || !sameFile(entry, opened))
            return false;
        m_fd.reset(fd.release());
        m_name = name;
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

// Removes the source if it is still the file that was copied, unchanged:
// 0, or the errno to raise (EAGAIN when it changed), with the source kept.
int takeSourceAway(Source &source)
{
    struct stat now {
    };
    if (!statEntry(source.folder, source.name, now))
        return errno;
    if (!unchanged(source.st, now))
        return EAGAIN; // rewritten, or another file saved under its name
    // The tidying of other moves leaves a locked file aside where it is.
    if (source.fd.valid())
        ::flock(source.fd.get(), LOCK_EX | LOCK_NB);
    stage("before-set-aside");
    std::string aside;
    if (const int err = setAside(source.folder, source.name, aside))
        return err;
    stage("after-set-aside");
    // The rename aside changed its change time; the rest must hold still.
    int err = 0;
    if (!statEntry(source.folder, aside, now) || !sameFile(source.st, now) || now.st_size != source.st.st_size
        || now.st_mtim.tv_sec != source.st.st_mtim.tv_sec || now.st_mtim.tv_nsec != source.st.st_mtim.tv_nsec)
        err = EAGAIN;
    else if (::unlinkat(source.folder, aside.c_str(), 0) != 0)
        err = errno;
    if (err != 0)
        putBack(source.folder, aside, source.name);
    return err;
}

// Removes the source once its copy is published; when it cannot go (or is no
// longer the file that was copied), the copy is taken back and the error raised.
void removeSource(Source &source, int folder, const std::string &name, const struct stat &copy)
{
    stage("before-remove-source");
    const int err = takeSourceAway(source);
    if (err == 0)
        return;
    struct stat published {
    };
    if (statEntry(folder, name, published) && sameFile(published, copy))
        ::unlinkat(folder, name.c_str(), 0);
    fail(err);
}

// Copies the regular file `source` and publishes the copy as `name`; its status.
struct stat copyRegular(Source &source, int folder, const std::string &name, const CopyProgress &progress)
{
    source.fd.reset(::openat(source.folder, source.name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    struct stat opened {
    };
    if (!source.fd.valid() || ::fstat(source.fd.get(), &opened) != 0)
        failErrno();
    if (!sameFile(opened, source.st))
        fail(ENOENT);
    source.st = opened;
    Copy copy(folder);
    copy.create();
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
    restoreSetAside(sourceFolder.get());
    removeStaleCopies(folder.get());
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
