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

// The fastest way that works between the two files; each falls back to the
// next. The last reads all, and leaves holes where it reads blocks of zeros.
enum class Method { CopyRange, SendFile, ReadWrite, SkipZeros };

// Writes all of `data` at `at`, however short each write turns out.
void writeAll(int out, const char *data, std::size_t size, qint64 at)
{
    while (size > 0) {
        const ssize_t n = ::pwrite(out, data, size, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail(n < 0 ? errno : EIO);
        data += n;
        size -= std::size_t(n);
        at += n;
    }
}

// Where `skipZeros`, blocks of zeros are not written: they stay holes.
ssize_t readWriteChunk(int in, int out, qint64 at, std::size_t length, bool skipZeros)
{
    static thread_local std::vector<char> buffer(1 << 20);
    ssize_t n;
    do
        n = ::pread(in, buffer.data(), std::min(length, buffer.size()), at);
    while (n < 0 && errno == EINTR);
    if (n < 0)
        failErrno();
    const std::size_t size = std::size_t(n), block = 4096;
    const auto zeros = [&](std::size_t from) {
        return skipZeros && std::all_of(buffer.data() + from, buffer.data() + std::min(size, from + block), [](char c) {
            return c == 0;
        });
    };
    for (std::size_t from = 0, to; from < size; from = to) {
        for (to = from; to < size && !zeros(to);)
            to = std::min(size, to + block);
        writeAll(out, buffer.data() + from, to - from, at + qint64(from));
        while (to < size && zeros(to))
            to = std::min(size, to + block);
    }
    return n;
}

// Copies up to `length` bytes at `at` to the same place; 0 at the end of the source.
ssize_t copyChunk(int in, int out, qint64 at, std::size_t length, Method &method)
{
    if (method == Method::SkipZeros)
        return readWriteChunk(in, out, at, length, true);
    for (;;) {
        ssize_t n = -1;
        if (method == Method::CopyRange) {
            loff_t from = at, to = at;
            n = ::copy_file_range(in, &from, out, &to, length, 0);
        } else if (method == Method::SendFile) {
            off_t from = at;
            n = ::lseek(out, at, SEEK_SET) == at ? ::sendfile(out, in, &from, length) : -1;
        } else {
            return readWriteChunk(in, out, at, length, false);
        }
        if (n >= 0)
            return n;
        const int err = errno;
        if (err == EINTR)
            continue;
        // Not possible between these files (another kind of file system, an
        // old kernel): nothing was copied, so the next method goes on.
        if (err != EXDEV && err != EINVAL && err != ENOSYS && err != EOPNOTSUPP && err != EBADF && err != ESPIPE)
            fail(err);
        method = method == Method::CopyRange ? Method::SendFile : Method::ReadWrite;
    }
}

// A part of a file, [begin, end).
struct Stretch {
    qint64 begin;
    qint64 end;
};

// The next stretch of data in `in` at or after `from`; it begins at `size`
// when none is left. Without `holes`, everything is data.
Stretch nextData(int in, qint64 from, qint64 size, bool holes)
{
    if (!holes || from >= size)
        return {from, size};
    const off_t data = ::lseek(in, from, SEEK_DATA);
    if (data < 0)
        return {errno == ENXIO ? size : from, size}; // ENXIO: only a hole is left
    const off_t hole = ::lseek(in, data, SEEK_HOLE);
    return {std::min(qint64(data), size), hole < 0 ? size : std::min(qint64(hole), size)};
}

// Gives `out` the length `size`. Past its last data it ends in a hole; a file
// system that cannot set a length (FAT in user space) takes a last zero byte.
void setLength(int out, qint64 size)
{
    struct stat st {
    };
    if (::fstat(out, &st) != 0)
        failErrno();
    if (st.st_size == size)
        return;
    if (::ftruncate(out, size) == 0)
        return;
    const int err = errno;
    if (st.st_size > size || size == 0)
        fail(err);
    writeAll(out, "", 1, size - 1);
}

// The file system cannot hold it, or this user may not set it: what mv drops too.
bool cannotHold(int err)
{
    return err == EPERM || err == EACCES || err == ENOTSUP || err == EOPNOTSUPP || err == ENOSYS || err == EINVAL;
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

// Attributes that are a file system's own view of what it keeps otherwise
// (xfs shows its ACLs so), or that only the kernel writes.
bool ownedBySystem(std::string_view name)
{
    for (const std::string_view prefix : {"trusted.SGI_", "xfsroot.", "security.evm", "afs."}) {
        if (name.substr(0, prefix.size()) == prefix)
            return true;
    }
    return false;
}

// Extended attributes the destination takes; those it cannot hold (no support,
// a namespace this user may not write, no room for them) are left behind, as mv does.
void copyAttributes(int in, int out)
{
    const std::vector<char> names = attributeNames(in);
    std::vector<char> value;
    for (std::size_t at = 0; at < names.size(); at += std::char_traits<char>::length(names.data() + at) + 1) {
        const char *name = names.data() + at;
        if (ownedBySystem(name) || !attributeValue(in, name, value))
            continue;
        if (::fsetxattr(out, name, value.data(), value.size(), 0) != 0 && !cannotHold(errno) && errno != E2BIG
            && errno != ERANGE && errno != ENOSPC && errno != EDQUOT)
            failErrno();
    }
}
}

void copyContents(int in, int out, const CopyRange &range, const CopyProgress &progress)
{
    ::posix_fadvise(in, 0, 0, POSIX_FADV_SEQUENTIAL);
    // Each byte counts half once copied and half once on the disk: writing back
    // is often the longer part, and it must move the bar and stop on Cancel too.
    // A hole counts as copied and flushed at once.
    qint64 copied = range.start;
    const auto report = [&](qint64 flushed) {
        if (progress && !progress(std::min(range.size, (copied + flushed) / 2), range.size))
            fail(ECANCELED);
    };
    std::vector<Stretch> written; // the flush below skips the holes between them
    qint64 writtenBack = range.start, unflushed = 0;
    Method method = Method::CopyRange;
    report(0);
    while (copied < range.size) {
        const auto [begin, end] = nextData(in, copied, range.size, range.holes);
        // A source that uses fewer blocks than its size, with no hole the file
        // system shows (a driver in user space), is read whole, as mv does.
        if (range.holes && range.sparse && begin == range.start && end == range.size)
            method = Method::SkipZeros;
        // Reserving the space first makes a full disk fail at once, not after minutes.
        if (begin < end && method != Method::SkipZeros && ::fallocate(out, 0, begin, end - begin) != 0
            && (errno == ENOSPC || errno == EDQUOT || errno == EFBIG))
            failErrno();
        for (copied = begin; copied < end;) {
            const ssize_t n
                = copyChunk(in, out, copied, std::size_t(std::min(qint64(chunkSize), end - copied)), method);
            if (n == 0) { // the source is shorter now: the check after the copy refuses it
                copied = range.size;
                break;
            }
            if (written.empty() || written.back().end != copied)
                written.push_back({copied, copied});
            written.back().end = copied += n;
            // Start writing back a chunk at a time, so that the flush below has little left to do.
            if ((unflushed += n) >= qint64(chunkSize)) {
                ::sync_file_range(out, writtenBack, copied - writtenBack, SYNC_FILE_RANGE_WRITE);
                writtenBack = copied;
                unflushed = 0;
            }
            report(0);
        }
    }
    setLength(out, range.size);
    // What is left is written back all at once, so that the waits below overlap.
    if (copied > writtenBack)
        ::sync_file_range(out, writtenBack, copied - writtenBack, SYNC_FILE_RANGE_WRITE);
    // Flushed a chunk at a time; the caller's fsync then makes it all durable at little cost.
    constexpr unsigned waitForRange = SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER;
    for (const Stretch &stretch : written) {
        for (qint64 at = stretch.begin; at < stretch.end; at += qint64(chunkSize)) {
            report(at);
            if (::sync_file_range(out, at, std::min(qint64(chunkSize), stretch.end - at), waitForRange) != 0
                && errno != ESPIPE && errno != EINVAL)
                failErrno();
        }
    }
    report(copied);
}

void copyMetadata(int in, int out, const struct stat &st)
{
    // Owner first: changing it clears the set-user-ID and set-group-ID bits.
    if (::fchown(out, st.st_uid, st.st_gid) != 0) {
        // Not allowed to give the file away: keep at least the group, where this user is a member of it.
        const int ignored = ::fchown(out, uid_t(-1), st.st_gid);
        Q_UNUSED(ignored)
    }
    struct stat now {
    };
    const bool known = ::fstat(out, &now) == 0;
    mode_t mode = st.st_mode & 07777;
    // Set-ID bits give their owner's or group's rights: never to one the copy got instead.
    if (!known || now.st_uid != st.st_uid)
        mode &= ~mode_t(S_ISUID);
    if (!known || now.st_gid != st.st_gid)
        mode &= ~mode_t(S_ISGID);
    copyAttributes(in, out);
    if (::fchmod(out, mode) != 0 && !cannotHold(errno))
        failErrno();
    const timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(out, times) != 0 && !cannotHold(errno))
        failErrno();
}
}
