// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Folders are listed with readdir, never QDir: Qt 6.4 silently skips names
// that are not valid UTF-8, and the program must list and rename them.
//
// Speed matters here: a folder of 100,000 pictures must open in a few tens of
// milliseconds. Hence no fstatat when readdir already tells the kind of an
// entry, ASCII names decoded by Latin-1 (SIMD) instead of the general decoder,
// and the order computed once per name as a collation key, from the bytes
// readdir gives, so that the sort compares bytes (mostly one 64-bit integer)
// instead of collating both names at every step; in a large folder the keys
// are computed on a second thread while readdir goes on (sortednames.h).
#include "files/dirlisting.h"

#include "base/hosterror.h"
#include "files/nameorder.h"
#include "files/pathcodec.h"
#include "files/sortednames.h"

#include <cerrno>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
struct DirCloser {
    void operator()(DIR *dir) const { closedir(dir); }
};

// The kind of an entry, following symbolic links: DT_DIR, DT_REG, or
// DT_UNKNOWN for anything else (a dangling link, a device, a pipe); `link`
// tells whether the entry itself is a symbolic link. readdir knows the kind on
// most file systems; only links and file systems that do not report it cost a
// stat (two for a link there).
unsigned char entryKind(int dirFd, const dirent *entry, bool &link)
{
    link = entry->d_type == DT_LNK;
    switch (entry->d_type) {
    case DT_DIR:
    case DT_REG:
        return entry->d_type;
    case DT_LNK:
    case DT_UNKNOWN:
        break;
    default:
        return DT_UNKNOWN;
    }
    struct stat st {
    };
    const bool known = !link && fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0;
    link = link || (known && S_ISLNK(st.st_mode));
    if ((!known || link) && fstatat(dirFd, entry->d_name, &st, 0) != 0)
        return DT_UNKNOWN;
    if (S_ISDIR(st.st_mode))
        return DT_DIR;
    return S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
}
}

void appendNaturalKey(QStringView name, std::string &key)
{
    NameOrder::user().appendKey(name, key);
}

bool naturalLess(const QString &a, const QString &b)
{
    return NameOrder::user().less(a, b);
}

FolderContents readFolder(const QString &path, FolderParts parts)
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
    const bool wantFolders = parts != FolderParts::FilesOnly;
    const bool wantFiles = parts != FolderParts::FoldersOnly;
    SortedNames folders, files;
    Keyer keyer; // after the names: it stops before they go, should reading fail
    std::vector<QString> links;
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
        if ((entry->d_type == DT_DIR && !wantFolders) || (entry->d_type == DT_REG && !wantFiles))
            continue;
        bool link = false;
        const unsigned char kind = entryKind(fd, entry, link);
        const std::string_view name(entry->d_name);
        if (link && wantFiles)
            links.push_back(decodeName(name));
        if (kind == DT_DIR && wantFolders)
            folders.add(name, keyer);
        else if (kind == DT_REG && wantFiles)
            files.add(name, keyer);
    }
    folders.keyLast();
    files.keyLast();
    keyer.finish();
    return {folders.take(), files.take(), std::move(links)};
}
