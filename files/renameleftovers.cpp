// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The hidden names a move gives files for a moment: a source set aside before
// it is removed, and a copy in progress where the file system cannot make an
// unnamed one. A move holds a lock (flock) on such a file while it uses it;
// the kernel drops the lock when the move's process dies, so a later move can
// tell what was left behind by a killed one.
#include "files/renamesupport.h"

#include <QRandomGenerator>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace RenameSupport
{
namespace
{
constexpr char prefix[] = ".zindle-"; // followed by six letters or digits
constexpr std::size_t prefixLength = sizeof prefix - 1, randomLength = 6;
constexpr char asideMark = '~'; // after the random part of a set-aside file's name, then the file's own name

// Files that cannot be locked (links, some network file systems) count as left
// behind once they have been aside this long; a move keeps one aside for far less.
constexpr time_t abandonedAfterSeconds = 10;

std::string randomPart()
{
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string part;
    for (std::size_t i = 0; i < randomLength; ++i)
        part += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
    return part;
}

// The part of a program's name after ".zindle-XXXXXX", or nullptr for another name.
const char *afterRandomPart(const std::string &name)
{
    if (name.size() < prefixLength + randomLength || name.compare(0, prefixLength, prefix) != 0)
        return nullptr;
    for (std::size_t i = prefixLength; i < prefixLength + randomLength; ++i) {
        if (!std::isalnum(static_cast<unsigned char>(name[i])))
            return nullptr;
    }
    return name.c_str() + prefixLength + randomLength;
}

// The set-aside name for `name`, within the folder's longest name.
std::string asideName(const std::string &name, long longest)
{
    const std::string head = prefix + randomPart() + asideMark;
    std::size_t keep = longest > long(head.size()) ? std::size_t(longest) - head.size() : 0;
    if (keep < name.size()) {
        // Cut between characters, never inside one, so that any file system takes it.
        while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
            --keep;
    }
    return head + name.substr(0, keep);
}

// The program's entries in `folder`, read before any of them is touched.
std::vector<std::string> programEntries(int folder)
{
    std::vector<std::string> names;
    const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (!dir) {
        if (fd >= 0)
            ::close(fd);
        return names; // a folder one may not list has nothing to tidy that one could see
    }
    while (const dirent *entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix, prefixLength) == 0)
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

enum class Use { Held, Free, Unknown };

// Whether a move holds the regular file `name`; when it is free, `lock` keeps
// it so until it closes. Links, and file systems without locks, answer Unknown.
Use use(int folder, const std::string &name, int openMode, UniqueFd &lock, struct stat &st)
{
    if (!statEntry(folder, name, st) || (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)))
        return Use::Held; // gone, or nothing a move makes: not ours to touch
    if (S_ISLNK(st.st_mode))
        return Use::Unknown;
    lock.reset(::openat(folder, name.c_str(), openMode | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!lock.valid())
        return Use::Unknown; // another user's, say
    struct stat opened {
    };
    if (::fstat(lock.get(), &opened) != 0 || !sameFile(st, opened))
        return Use::Held; // replaced meanwhile: left for the next time
    if (::flock(lock.get(), LOCK_EX | LOCK_NB) == 0) {
        struct stat now {
        };
        return statEntry(folder, name, now) && sameFile(st, now) ? Use::Free : Use::Held;
    }
    return errno == EWOULDBLOCK ? Use::Held : Use::Unknown;
}
}

std::string temporaryName()
{
    return prefix + randomPart() + ".part";
}

int setAside(int folder, const std::string &name, std::string &aside)
{
    const long longest = ::fpathconf(folder, _PC_NAME_MAX);
    int err = EEXIST;
    for (int attempt = 0; attempt < 100 && err == EEXIST; ++attempt) {
        aside = asideName(name, longest > 0 ? longest : 255);
        err = renameCarefully(folder, name, folder, aside);
    }
    return err;
}

void putBack(int folder, const std::string &aside, const std::string &name)
{
    if (!name.empty() && renameCarefully(folder, aside, folder, name) == 0)
        return;
    const int ignored = renameCarefully(folder, aside, folder, aside.substr(1));
    Q_UNUSED(ignored)
}

void restoreSetAside(int folder)
{
    for (const std::string &name : programEntries(folder)) {
        const char *rest = afterRandomPart(name);
        if (!rest || *rest != asideMark)
            continue;
        UniqueFd lock;
        struct stat st {
        };
        const Use state = use(folder, name, O_RDONLY, lock, st);
        if (state == Use::Free
            || (state == Use::Unknown && std::time(nullptr) - st.st_ctim.tv_sec > abandonedAfterSeconds))
            putBack(folder, name, rest + 1);
    }
}

void removeStaleCopies(int folder)
{
    for (const std::string &name : programEntries(folder)) {
        const char *rest = afterRandomPart(name);
        if (!rest || std::strcmp(rest, ".part") != 0)
            continue;
        // Write access, as network file systems want for an exclusive lock. A
        // copy that cannot be locked may still be in progress, and stays.
        UniqueFd lock;
        struct stat st {
        };
        if (use(folder, name, O_WRONLY, lock, st) == Use::Free)
            ::unlinkat(folder, name.c_str(), 0);
    }
}
}
