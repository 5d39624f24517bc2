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
// instead of collating both names at every step.
#include "files/dirlisting.h"

#include "base/hosterror.h"
#include "files/nameorder.h"
#include "files/pathcodec.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <memory>
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

// Most names are ASCII: those skip the general decoder.
QString decodeName(std::string_view name)
{
    unsigned char high = 0;
    for (const char c : name)
        high |= static_cast<unsigned char>(c);
    if ((high & 0x80) == 0)
        return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    return decodePath(name);
}

// Names with their keys (NameOrder::appendKey), all kept in one buffer, sorted
// by the keys. Most comparisons are settled by 8 bytes of key following the
// prefix that every key shares (in a folder of pictures, "img_" and a
// number's start).
class SortedNames
{
public:
    void add(QString name, std::string_view bytes)
    {
        const std::size_t offset = m_keys.size();
        NameOrder::user().appendKey(name, bytes, m_keys);
        m_entries.push_back({0, static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(m_keys.size() - offset),
            static_cast<std::uint32_t>(m_names.size())});
        m_names.push_back(std::move(name));
    }

    std::vector<QString> take()
    {
        setHeads();
        std::sort(m_entries.begin(), m_entries.end(),
            [this](const Entry &a, const Entry &b) { return a.head != b.head ? a.head < b.head : key(a) < key(b); });
        std::vector<QString> sorted;
        sorted.reserve(m_names.size());
        for (const Entry &entry : m_entries)
            sorted.push_back(std::move(m_names[entry.index]));
        return sorted;
    }

private:
    struct Entry {
        std::uint64_t head; // 8 key bytes after the shared prefix, big-endian, zero-padded
        std::uint32_t offset;
        std::uint32_t length;
        std::uint32_t index;
    };

    [[nodiscard]] std::string_view key(const Entry &e) const
    {
        return std::string_view(m_keys.data() + e.offset, e.length);
    }

    void setHeads()
    {
        if (m_entries.empty())
            return;
        std::size_t shared = m_entries.front().length;
        for (const Entry &entry : m_entries) {
            const std::string_view a = key(m_entries.front()).substr(0, shared), b = key(entry);
            shared = static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
        }
        for (Entry &entry : m_entries) {
            const std::string_view rest = key(entry).substr(shared);
            for (std::size_t k = 0; k < 8; ++k)
                entry.head = (entry.head << 8) | (k < rest.size() ? static_cast<unsigned char>(rest[k]) : 0u);
        }
    }

    std::vector<QString> m_names;
    std::vector<Entry> m_entries;
    std::string m_keys;
};
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
            folders.add(decodeName(name), name);
        else if (kind == DT_REG && wantFiles)
            files.add(decodeName(name), name);
    }
    return {folders.take(), files.take(), std::move(links)};
}
