// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The move to another file system. The copy is built under a hidden temporary
// name in the destination folder, flushed to disk, and only then given the
// target name, without replacing anything; the source goes last. Whatever
// fails on the way, the temporary is removed and only the source remains.
#include "files/renamesupport.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace RenameSupport
{
namespace
{
// The hidden temporary entry in the destination folder, removed unless published.
class Temporary
{
public:
    explicit Temporary(int folder) : m_folder(folder) { }
    ~Temporary()
    {
        if (!m_name.empty())
            ::unlinkat(m_folder, m_name.c_str(), 0);
    }
    Temporary(const Temporary &) = delete;
    Temporary &operator=(const Temporary &) = delete;

    // Creates it with `create(name)` (0 or errno), under a fresh name each time one is taken.
    template<typename Create>
    void make(Create &&create)
    {
        int err = EEXIST;
        for (int attempt = 0; attempt < 100 && err == EEXIST; ++attempt) {
            m_name = temporaryName();
            err = create(m_name);
        }
        if (err != 0) {
            m_name.clear();
            fail(err);
        }
    }
    [[nodiscard]] const std::string &name() const { return m_name; }
    void release() { m_name.clear(); }

private:
    int m_folder;
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
void checkBeforeCopy(const std::string &from, int folder, const std::string &name)
{
    struct stat st {
    };
    if (statEntry(folder, name, st))
        fail(EEXIST);
    if (::faccessat(AT_FDCWD, splitPath(from).folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        failErrno();
}

// Gives the temporary the target name, refusing if anything took it meanwhile.
void publish(int folder, Temporary &temp, const std::string &name)
{
    stage("before-publish");
    int err = renameNoReplace(folder, temp.name(), folder, name);
    if (err == 0) {
        temp.release();
    } else if (err == EINVAL || err == ENOSYS) {
        // No RENAME_NOREPLACE here: link(2) publishes without replacing, and the
        // temporary's own name then goes with the Temporary.
        err = ::linkat(folder, temp.name().c_str(), folder, name.c_str(), 0) == 0 ? 0 : errno;
        if (err == EPERM || err == EOPNOTSUPP || err == EMLINK)
            err = ENOTSUP;
    }
    if (err != 0)
        fail(err);
    ::fsync(folder);
}

// Removes the source once its copy is published; when it cannot go (or is no
// longer the file that was copied), the copy is taken back and the error raised.
void removeSource(
    const std::string &from, const struct stat &source, int folder, const std::string &name, const struct stat &copy)
{
    stage("before-remove-source");
    struct stat now {
    };
    int err = 0;
    if (::lstat(from.c_str(), &now) != 0)
        err = errno;
    else if (now.st_dev != source.st_dev || now.st_ino != source.st_ino)
        err = ENOENT;
    else if (::unlink(from.c_str()) != 0)
        err = errno;
    if (err == 0)
        return;
    struct stat published {
    };
    if (statEntry(folder, name, published) && published.st_dev == copy.st_dev && published.st_ino == copy.st_ino)
        ::unlinkat(folder, name.c_str(), 0);
    fail(err);
}

// Copies the regular file `from` (status `source`) under a temporary name.
void copyRegular(
    const std::string &from, const struct stat &source, int folder, Temporary &temp, const CopyProgress &progress)
{
    const UniqueFd in(::open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    struct stat opened {
    };
    if (!in.valid() || ::fstat(in.get(), &opened) != 0)
        failErrno();
    if (opened.st_dev != source.st_dev || opened.st_ino != source.st_ino)
        fail(ENOENT);
    int fd = -1;
    temp.make([&](const std::string &name) {
        fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        return fd < 0 ? errno : 0;
    });
    const UniqueFd out(fd);
    copyContents(in.get(), out.get(), opened.st_size, progress);
    copyMetadata(in.get(), out.get(), opened);
    if (::fsync(out.get()) != 0)
        failErrno();
    // A file changed while it was copied may have been copied half old, half new.
    struct stat after {
    };
    if (::fstat(in.get(), &after) != 0)
        failErrno();
    if (after.st_size != opened.st_size || after.st_mtim.tv_sec != opened.st_mtim.tv_sec
        || after.st_mtim.tv_nsec != opened.st_mtim.tv_nsec)
        fail(EAGAIN);
}

// Recreates the symbolic link `from` (status `source`) under a temporary name.
void copyLink(const std::string &from, const struct stat &source, int folder, Temporary &temp)
{
    std::vector<char> contents(std::size_t(source.st_size) + 2);
    ssize_t size;
    while ((size = ::readlink(from.c_str(), contents.data(), contents.size())) >= ssize_t(contents.size()))
        contents.resize(contents.size() * 2);
    if (size < 0)
        failErrno();
    const std::string target(contents.data(), std::size_t(size));
    temp.make(
        [&](const std::string &name) { return ::symlinkat(target.c_str(), folder, name.c_str()) == 0 ? 0 : errno; });
    if (::fchownat(folder, temp.name().c_str(), source.st_uid, source.st_gid, AT_SYMLINK_NOFOLLOW) != 0
        && errno != EPERM)
        failErrno();
    const timespec times[2] = {source.st_atim, source.st_mtim};
    if (::utimensat(folder, temp.name().c_str(), times, AT_SYMLINK_NOFOLLOW) != 0 && errno != EPERM)
        failErrno();
}
}

void moveAcrossFileSystems(const std::string &from, const std::string &to, const CopyProgress &progress)
{
    struct stat source {
    };
    if (::lstat(from.c_str(), &source) != 0)
        failErrno();
    if (!S_ISREG(source.st_mode) && !S_ISLNK(source.st_mode))
        fail(EXDEV); // folders and special files are not copied
    const PathParts target = splitPath(to);
    const UniqueFd folder = openFolder(target.folder);
    checkBeforeCopy(from, folder.get(), target.name);
    Temporary temp(folder.get());
    if (S_ISLNK(source.st_mode))
        copyLink(from, source, folder.get(), temp);
    else
        copyRegular(from, source, folder.get(), temp, progress);
    struct stat copy {
    };
    if (!statEntry(folder.get(), temp.name(), copy))
        failErrno();
    publish(folder.get(), temp, target.name);
    removeSource(from, source, folder.get(), target.name, copy);
}
}
