// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Copying a file's contents and metadata to another file system.
#include "files/renamesupport.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace RenameSupport
{
namespace
{
constexpr std::size_t chunkSize = 8 << 20;

// The fastest way that works between the two files; each falls back to the next.
enum class Method { CopyRange, SendFile, ReadWrite };

// Writes all of `data`, however short each write turns out.
void writeAll(int out, const char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(out, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail(n < 0 ? errno : EIO);
        data += n;
        size -= std::size_t(n);
    }
}

ssize_t readWriteChunk(int in, int out)
{
    static thread_local std::vector<char> buffer(1 << 20);
    ssize_t n;
    do
        n = ::read(in, buffer.data(), buffer.size());
    while (n < 0 && errno == EINTR);
    if (n < 0)
        failErrno();
    writeAll(out, buffer.data(), std::size_t(n));
    return n;
}

// Copies one chunk; 0 at the end of the source.
ssize_t copyChunk(int in, int out, Method &method)
{
    for (;;) {
        ssize_t n = -1;
        if (method == Method::CopyRange)
            n = ::copy_file_range(in, nullptr, out, nullptr, chunkSize, 0);
        else if (method == Method::SendFile)
            n = ::sendfile(out, in, nullptr, chunkSize);
        else
            return readWriteChunk(in, out);
        if (n >= 0)
            return n;
        const int err = errno;
        if (err == EINTR)
            continue;
        // Not possible between these files (another kind of file system, an
        // old kernel): the offsets are unchanged, so the next method goes on.
        if (err != EXDEV && err != EINVAL && err != ENOSYS && err != EOPNOTSUPP && err != EBADF)
            fail(err);
        method = method == Method::CopyRange ? Method::SendFile : Method::ReadWrite;
    }
}

// A name list from flistxattr, or empty where the file system has none.
std::vector<char> attributeNames(int fd)
{
    for (;;) {
        const ssize_t size = ::flistxattr(fd, nullptr, 0);
        if (size <= 0)
            return {};
        std::vector<char> names(std::size_t(size) + 1, '\0');
        const ssize_t got = ::flistxattr(fd, names.data(), names.size() - 1);
        if (got >= 0) {
            names.resize(std::size_t(got));
            return names;
        }
        if (errno != ERANGE)
            return {};
    }
}

// One attribute's value; false when it vanished meanwhile.
bool attributeValue(int fd, const char *name, std::vector<char> &value)
{
    for (;;) {
        const ssize_t size = ::fgetxattr(fd, name, nullptr, 0);
        if (size < 0)
            return false;
        value.resize(std::size_t(size));
        const ssize_t got = ::fgetxattr(fd, name, value.data(), value.size());
        if (got >= 0) {
            value.resize(std::size_t(got));
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
}

// Extended attributes the destination takes; those it cannot hold (no support,
// a namespace this user may not write) are left behind, as cp -a does.
void copyAttributes(int in, int out)
{
    const std::vector<char> names = attributeNames(in);
    std::vector<char> value;
    for (std::size_t at = 0; at < names.size(); at += std::char_traits<char>::length(names.data() + at) + 1) {
        const char *name = names.data() + at;
        if (!attributeValue(in, name, value))
            continue;
        if (::fsetxattr(out, name, value.data(), value.size(), 0) != 0 && errno != ENOTSUP && errno != EOPNOTSUPP
            && errno != EPERM && errno != EACCES)
            failErrno();
    }
}

bool notPermitted(int err)
{
    return err == EPERM || err == ENOTSUP || err == EOPNOTSUPP;
}
}

void copyContents(int in, int out, qint64 total, const CopyProgress &progress)
{
    ::posix_fadvise(in, 0, 0, POSIX_FADV_SEQUENTIAL);
    // Reserving the space first makes a full disk fail at once, not after minutes.
    if (total > 0) {
        if (::fallocate(out, 0, 0, total) != 0 && (errno == ENOSPC || errno == EDQUOT || errno == EFBIG))
            failErrno();
    }
    // Each byte counts half once copied and half once on the disk: writing back
    // is often the longer part, and it must move the bar and stop on Cancel too.
    qint64 copied = 0;
    const auto report = [&](qint64 flushed) {
        if (progress && !progress(std::min(total, (copied + flushed) / 2), total))
            fail(ECANCELED);
    };
    Method method = Method::CopyRange;
    for (;;) {
        report(0);
        const ssize_t n = copyChunk(in, out, method);
        if (n == 0)
            break;
        // Start writing back now, so that the flush below has little left to do.
        ::sync_file_range(out, copied, n, SYNC_FILE_RANGE_WRITE);
        copied += n;
    }
    if (::ftruncate(out, copied) != 0)
        failErrno();
    // Flushed a chunk at a time; the caller's fsync then makes it all durable at little cost.
    constexpr unsigned waitForRange = SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER;
    for (qint64 flushed = 0; flushed < copied; flushed += qint64(chunkSize)) {
        report(flushed);
        if (::sync_file_range(out, flushed, std::min(qint64(chunkSize), copied - flushed), waitForRange) != 0
            && errno != ESPIPE && errno != EINVAL)
            failErrno();
    }
    report(copied);
}

void copyMetadata(int in, int out, const struct stat &st)
{
    // Owner first: changing it clears the set-user-ID and set-group-ID bits.
    if (::fchown(out, st.st_uid, st.st_gid) != 0 && errno == EPERM) {
        // Not allowed to give the file away: keep at least the group, where this user is a member of it.
        const int ignored = ::fchown(out, uid_t(-1), st.st_gid);
        Q_UNUSED(ignored)
    }
    copyAttributes(in, out);
    if (::fchmod(out, st.st_mode & 07777) != 0 && !notPermitted(errno))
        failErrno();
    const timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(out, times) != 0 && !notPermitted(errno))
        failErrno();
}
}
