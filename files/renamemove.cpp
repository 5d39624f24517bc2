// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The move to another file system. The copy is built in the destination
// folder (copytarget.h), flushed to disk, and only then given the target
// name, which never replaces anything. The source goes last, and only
// the very file that was copied, unchanged: it is checked, renamed aside,
// checked again and unlinked; whatever else turns up is put back. Whatever
// fails on the way, the copy is taken back and the source stays. The journal
// of moves records every file made or hidden on the way before it exists.
#include "files/renamesupport.h"

#include "base/hosterror.h"
#include "files/copytarget.h"

#include <cerrno>
#include <fcntl.h>
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
struct stat copyRegular(
    Source &source, int folder, const std::string &name, const DiskFormat &format, const CopyProgress &progress)
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
    checkRoom(opened, folder, format);
    CopyTarget copy(folder, format);
    copy.create(opened, name);
    const bool sparse = qint64(opened.st_blocks) * 512 < qint64(opened.st_size);
    copyContents(source.fd.get(), copy.fd(), {copy.headLength(), opened.st_size, format.holes(), sparse}, progress);
    copy.completeHead(source.fd.get());
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
        fail(errno == EPERM ? EOPNOTSUPP : errno); // EPERM: the file system has no symbolic links
    // Owner (where permitted) and times; a link that cannot take them is taken back.
    const timespec times[2] = {source.st.st_atim, source.st.st_mtim};
    int err = 0;
    if ((::fchownat(folder, name.c_str(), source.st.st_uid, source.st.st_gid, AT_SYMLINK_NOFOLLOW) != 0
            && errno != EPERM)
        || (::utimensat(folder, name.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0 && errno != EPERM))
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
    const struct stat copy = S_ISLNK(source.st.st_mode)
        ? copyLink(source, folder.get(), target.name)
        : copyRegular(source, folder.get(), target.name, diskFormat(folder.get()), progress);
    removeSource(source, folder.get(), target.name, copy);
}
}
