// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Folders are listed with readdir, never QDir: Qt 6.4 silently skips names
// that are not valid UTF-8, and the program must list and rename them.
//
// Speed matters here: a folder of 100,000 pictures must open in a few tens of
// milliseconds. Hence no fstatat when readdir already tells the kind of an
// entry, ASCII names decoded by Latin-1 (SIMD) instead of the general decoder,
// and the natural order computed once per name as a key (digit runs turned
// into length-prefixed numbers, letters folded) so that the sort compares
// bytes (mostly one 64-bit integer) instead of parsing both names at every
// step.
#include "files/dirlisting.h"

#include "base/hosterror.h"
#include "files/pathcodec.h"

#include <QVarLengthArray>

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

bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

char16_t folded(char16_t c)
{
    if (c < 0x80)
        return char16_t(unsigned(c) - u'A' < 26u ? c + (u'a' - u'A') : c);
    return char16_t(QChar::toCaseFolded(char32_t(c)));
}

// The kind of an entry, following symbolic links: DT_DIR, DT_REG, or
// DT_UNKNOWN for anything else (a dangling link, a device, a pipe). readdir
// knows the kind on most file systems; only links and file systems that do
// not report it cost a stat.
unsigned char entryKind(int dirFd, const dirent *entry)
{
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
    if (fstatat(dirFd, entry->d_name, &st, 0) != 0)
        return DT_UNKNOWN;
    if (S_ISDIR(st.st_mode))
        return DT_DIR;
    return S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
}

// Most names are ASCII: those skip the general decoder.
QString decodeName(const char *name)
{
    std::size_t length = 0;
    unsigned char high = 0;
    for (; name[length] != '\0'; ++length)
        high |= static_cast<unsigned char>(name[length]);
    if ((high & 0x80) == 0)
        return QString::fromLatin1(name, static_cast<qsizetype>(length));
    return decodePath(std::string_view(name, length));
}

// Sorts by naturalLess through one key per name, all kept in one buffer.
// Most comparisons are settled by 8 bytes of key following the prefix that
// every key shares (in a folder of pictures, "img_" and a number's start).
void sortNaturally(std::vector<QString> &names)
{
    if (names.size() < 2)
        return;
    struct Entry {
        std::uint64_t head; // 8 key bytes after the shared prefix, big-endian, zero-padded
        std::uint32_t offset;
        std::uint32_t length;
        std::uint32_t index;
    };
    std::vector<Entry> entries(names.size());
    std::string keys;
    keys.reserve(names.size() * 20);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::size_t offset = keys.size();
        appendNaturalKey(names[i], keys);
        entries[i] = {0, static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(keys.size() - offset),
            static_cast<std::uint32_t>(i)};
    }
    const char *const base = keys.data();
    const auto key = [base](const Entry &e) { return std::string_view(base + e.offset, e.length); };
    std::size_t shared = entries.front().length;
    for (const Entry &entry : entries) {
        const std::string_view a = key(entries.front()).substr(0, shared), b = key(entry);
        shared = static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
    }
    for (Entry &entry : entries) {
        const std::string_view rest = key(entry).substr(shared);
        for (std::size_t k = 0; k < 8; ++k)
            entry.head = (entry.head << 8) | (k < rest.size() ? static_cast<unsigned char>(rest[k]) : 0u);
    }
    std::sort(entries.begin(), entries.end(), [&](const Entry &a, const Entry &b) {
        if (a.head != b.head)
            return a.head < b.head;
        if (const int order = key(a).compare(key(b)))
            return order < 0;
        return names[a.index] < names[b.index];
    });
    std::vector<QString> sorted;
    sorted.reserve(names.size());
    for (const Entry &entry : entries)
        sorted.push_back(std::move(names[entry.index]));
    names = std::move(sorted);
}

// Writes a key unit at `out` in the bit pattern of UTF-8, which keeps the
// order of values under memcmp; returns the end of what it wrote.
char *putUnit(char *out, unsigned value)
{
    if (value < 0x80) {
        *out++ = static_cast<char>(value);
    } else if (value < 0x800) {
        *out++ = static_cast<char>(0xC0 | (value >> 6));
        *out++ = static_cast<char>(0x80 | (value & 0x3F));
    } else {
        *out++ = static_cast<char>(0xE0 | (value >> 12));
        *out++ = static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (value & 0x3F));
    }
    return out;
}
}

void appendNaturalKey(QStringView name, std::string &key)
{
    // Each UTF-16 unit, case-folded, becomes one key unit. A run of ASCII
    // digits becomes "0" (which nothing else folds to, so the run still
    // compares with a letter as a digit does), its length without leading
    // zeros in two units, then those digits: a longer number is larger.
    // No unit takes more than 8 bytes of key.
    const char16_t *const s = name.utf16();
    const qsizetype n = name.size();
    QVarLengthArray<char, 1024> buffer(8 * n);
    char *out = buffer.data();
    for (qsizetype i = 0; i < n;) {
        if (!isAsciiDigit(s[i])) {
            out = putUnit(out, folded(s[i]));
            ++i;
            continue;
        }
        qsizetype start = i;
        while (start < n && s[start] == u'0')
            ++start;
        qsizetype end = start;
        while (end < n && isAsciiDigit(s[end]))
            ++end;
        const auto digits = static_cast<unsigned>(std::min<qsizetype>(end - start, 0xFFFFFFFF));
        *out++ = '0';
        out = putUnit(out, std::min(digits >> 16, 0xFFFFu));
        out = putUnit(out, digits & 0xFFFF);
        for (qsizetype k = start; k < end; ++k)
            *out++ = static_cast<char>(s[k]);
        i = end;
    }
    key.append(buffer.data(), static_cast<std::size_t>(out - buffer.data()));
}

bool naturalLess(const QString &a, const QString &b)
{
    std::string keyA, keyB;
    appendNaturalKey(a, keyA);
    appendNaturalKey(b, keyB);
    if (const int order = keyA.compare(keyB))
        return order < 0;
    return a < b;
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
        if ((entry->d_type == DT_DIR && !wantFolders) || (entry->d_type == DT_REG && !wantFiles))
            continue;
        const unsigned char kind = entryKind(fd, entry);
        if (kind == DT_DIR && wantFolders)
            contents.folders.push_back(decodeName(entry->d_name));
        else if (kind == DT_REG && wantFiles)
            contents.files.push_back(decodeName(entry->d_name));
    }
    sortNaturally(contents.folders);
    sortNaturally(contents.files);
    return contents;
}
