// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dirlisting.h"

#include "platform/hosterror.h"
#include "platform/pathcodec.h"

#include <algorithm>
#include <cerrno>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace
{
struct DirCloser {
    void operator()(DIR *dir) const { closedir(dir); }
};

// The kind of an entry, following symbolic links; DT_UNKNOWN when it vanished.
unsigned char entryKind(int dirFd, const dirent *entry)
{
    if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
        return entry->d_type;
    struct stat st {
    };
    if (fstatat(dirFd, entry->d_name, &st, 0) != 0)
        return DT_UNKNOWN;
    if (S_ISDIR(st.st_mode))
        return DT_DIR;
    return S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
}

int compareDigitRuns(const QChar *&a, const QChar *aEnd, const QChar *&b, const QChar *bEnd)
{
    while (a < aEnd && *a == u'0')
        ++a;
    while (b < bEnd && *b == u'0')
        ++b;
    const QChar *aStart = a, *bStart = b;
    while (a < aEnd && a->isDigit())
        ++a;
    while (b < bEnd && b->isDigit())
        ++b;
    if (a - aStart != b - bStart)
        return (a - aStart) < (b - bStart) ? -1 : 1;
    for (auto i = aStart, j = bStart; i < a; ++i, ++j) {
        if (*i != *j)
            return *i < *j ? -1 : 1;
    }
    return 0;
}
}

bool naturalLess(const QString &left, const QString &right)
{
    const QChar *a = left.constData(), *aEnd = a + left.size();
    const QChar *b = right.constData(), *bEnd = b + right.size();
    while (a < aEnd && b < bEnd) {
        if (a->isDigit() && b->isDigit()) {
            if (const int c = compareDigitRuns(a, aEnd, b, bEnd))
                return c < 0;
            continue;
        }
        const char16_t ca = a->unicode() < 0x80
            ? char16_t(a->unicode() | ((unsigned(a->unicode()) - 'A' < 26u) ? 0x20 : 0))
            : a->toCaseFolded().unicode();
        const char16_t cb = b->unicode() < 0x80
            ? char16_t(b->unicode() | ((unsigned(b->unicode()) - 'A' < 26u) ? 0x20 : 0))
            : b->toCaseFolded().unicode();
        if (ca != cb)
            return ca < cb;
        ++a, ++b;
    }
    if ((a < aEnd) != (b < bEnd))
        return b < bEnd;
    return left < right; // names equal but for case or leading zeros: a stable, total order
}

FolderContents readFolder(const QString &path)
{
    const std::string bytes = encodePath(path);
    const int fd = open(bytes.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw HostError::fromErrno(errno);
    const std::unique_ptr<DIR, DirCloser> dir(fdopendir(fd));
    if (!dir) {
        const int err = errno;
        close(fd);
        throw HostError::fromErrno(err);
    }
    FolderContents contents;
    for (;;) {
        errno = 0;
        const dirent *entry = readdir(dir.get());
        if (!entry) {
            if (errno != 0)
                throw HostError::fromErrno(errno);
            break;
        }
        if (entry->d_name[0] == '.')
            continue;
        switch (entryKind(fd, entry)) {
        case DT_DIR:
            contents.folders.push_back(decodePath(entry->d_name));
            break;
        case DT_REG:
            contents.files.push_back(decodePath(entry->d_name));
            break;
        default:
            break;
        }
    }
    std::sort(contents.folders.begin(), contents.folders.end(), naturalLess);
    std::sort(contents.files.begin(), contents.files.end(), naturalLess);
    return contents;
}
