// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The journal file: where it lives, its lock, its owners, and its changes.
#include "files/renamejournal.h"

#include "base/hosterror.h"
#include "files/filehandle.h"
#include "files/journalformat.h"
#include "files/pathcodec.h"
#include "files/renamesupport.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QScopeGuard>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <pwd.h>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace RenameSupport;

namespace RenameJournal
{
namespace
{
// Past this size the journal is rewritten with its entries alone.
constexpr off_t compactAbove = 64 << 10;

// The entries of this process's moves in progress, by ID.
std::mutex liveMutex;
std::set<std::uint64_t> &live()
{
    static std::set<std::uint64_t> ids;
    return ids;
}

// The journal this thread holds locked while it tidies: what the tidying
// records meanwhile (a placeholder for a file it puts back) is written through
// it, as the journal's own lock would wait for ever for that one.
thread_local int tidyingJournal = -1;

bool isLive(std::uint64_t id)
{
    const std::lock_guard lock(liveMutex);
    return live().count(id) != 0;
}

void setLive(std::uint64_t id, bool on)
{
    const std::lock_guard lock(liveMutex);
    if (on)
        live().insert(id);
    else
        live().erase(id);
}

// Whether the mover that wrote an entry has ended: another boot, or a process
// that is gone (or another by now under its number). This process's entries
// are its moves', and have ended once their Record has.
bool ended(const Line &line)
{
    const Owner &me = Owner::self();
    if (line.owner.boot != me.boot)
        return true;
    if (line.owner.pid == me.pid && line.owner.start == me.start)
        return !isLive(line.id);
    const Owner other = Owner::of(line.owner.pid);
    // A process one may not look at (hidden /proc) counts as running.
    return other.missing || (other.readable && other.start != line.owner.start);
}

bool makeFolders(const std::string &path)
{
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        if (::mkdir(path.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

// The journal, open and locked; invalid, with `err` set, when it cannot be.
UniqueFd openLocked(int &err)
{
    const std::string path = journalPath();
    const std::string folder = path.substr(0, path.rfind('/'));
    if (path.empty() || !makeFolders(folder)) {
        err = path.empty() ? ENOENT : errno;
        return UniqueFd();
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        UniqueFd fd(::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
        struct stat opened {
        }, named {};
        if (!fd.valid() || ::flock(fd.get(), LOCK_EX) != 0 || ::fstat(fd.get(), &opened) != 0) {
            err = errno;
            return UniqueFd();
        }
        // A compaction may have put a new journal under the name meanwhile.
        if (::stat(path.c_str(), &named) == 0 && sameFile(opened, named)) {
            if (S_ISREG(opened.st_mode))
                return UniqueFd(fd.release());
            err = EINVAL;
            return UniqueFd();
        }
    }
    err = EAGAIN;
    return UniqueFd();
}

[[noreturn]] void failToWrite(int err)
{
    const QString text = QCoreApplication::translate(
        "RenameJournal", "Zindle cannot write its journal of moves in progress, %1 (%2), so it changed nothing")
                             .arg(decodePath(journalPath()), HostError::fromErrno(err).text());
    throw HostError(ENOLCK, text);
}

int writeAll(int fd, const std::string &text)
{
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += std::size_t(n);
    }
    return 0;
}

// Rewrites the journal with `entries` alone, into a new file renamed over it.
int compact(const Journal &journal)
{
    const std::string path = journalPath(), fresh = path + ".new";
    ::unlink(fresh.c_str());
    const UniqueFd fd(::open(fresh.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    std::string text;
    for (const auto &[id, line] : journal.entries)
        text += line.text;
    int err = fd.valid() ? writeAll(fd.get(), text) : errno;
    if (err == 0 && ::fsync(fd.get()) != 0)
        err = errno;
    if (err == 0 && ::rename(fresh.c_str(), path.c_str()) != 0)
        err = errno;
    if (err != 0)
        ::unlink(fresh.c_str());
    return err;
}

// Adds `text` (whole lines) to the locked journal `fd`, flushed at once
// unless `entries` is false; empties or rewrites the journal instead when that
// leaves it with nothing or too long (never while it is being tidied: the
// tidying goes on writing to `fd`). Lines that drop entries need not be on the
// disk at once: an entry that comes back after a crash names a file that is
// gone, or no longer the one recorded, and the next tidying drops it.
int append(int fd, const std::string &text, bool entries = true)
{
    const bool mayRewrite = fd != tidyingJournal;
    Journal journal = readJournal(fd);
    applyLines(journal, text);
    struct stat st {
    };
    if (::fstat(fd, &st) != 0)
        return errno;
    // Lines it could not read are kept for a person to look at, until it grows too long.
    if (journal.entries.empty() && journal.ignored == 0)
        return ::ftruncate(fd, 0) == 0 && (!entries || ::fdatasync(fd) == 0) ? 0 : errno;
    if (mayRewrite && st.st_size + off_t(text.size()) > compactAbove)
        return compact(journal);
    // After a line cut short (a full disk, a crash), the new lines start on a line of their own.
    char last = '\n';
    const bool cut = st.st_size > 0 && ::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n';
    const int err = writeAll(fd, cut ? '\n' + text : text);
    return err != 0 ? err : !entries || ::fdatasync(fd) == 0 ? 0 : errno;
}

// Writes `entry` under `id`; 0 or the errno.
int write(std::uint64_t id, const Entry &entry)
{
    if (tidyingJournal >= 0)
        return append(tidyingJournal, entryLine(id, entry));
    int err = 0;
    const UniqueFd fd = openLocked(err);
    return fd.valid() ? append(fd.get(), entryLine(id, entry)) : err;
}
}

std::string journalPath()
{
    const char *state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/')
        return std::string(state) + "/zindle/journal";
    const char *home = std::getenv("HOME");
    const passwd *user = home && home[0] == '/' ? nullptr : ::getpwuid(::geteuid());
    if (user && user->pw_dir)
        home = user->pw_dir;
    return home && home[0] == '/' ? std::string(home) + "/.local/state/zindle/journal" : std::string();
}

std::string folderPath(int folder)
{
    char link[64], path[4096 + 1];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", folder);
    const ssize_t size = ::readlink(link, path, sizeof path - 1);
    return size > 0 ? std::string(path, std::size_t(size)) : std::string();
}

void describe(Entry &entry, const struct stat &st, int folder, const std::string &name)
{
    entry.known = true;
    entry.handle = fileHandle(folder, name);
    entry.device = st.st_dev;
    entry.inode = st.st_ino;
    entry.size = st.st_size;
    entry.mtimeSec = st.st_mtim.tv_sec;
    entry.mtimeNsec = st.st_mtim.tv_nsec;
}

Record::Record(Entry entry) : m_id(QRandomGenerator::global()->generate64()), m_entry(std::move(entry))
{
    m_entry.time = std::time(nullptr);
    if (m_entry.folder.empty()) // where the folder cannot be named, nothing could be tidied there
        failToWrite(ENOENT);
    setLive(m_id, true);
    if (const int err = write(m_id, m_entry)) {
        setLive(m_id, false);
        failToWrite(err);
    }
}

Record::~Record()
{
    setLive(m_id, false);
}

void Record::update(const Entry &entry)
{
    const std::int64_t time = m_entry.time;
    m_entry = entry;
    m_entry.time = time;
    if (const int err = write(m_id, m_entry))
        failToWrite(err);
}

void Record::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    int err = 0;
    const UniqueFd fd(tidyingJournal >= 0 ? -1 : openLocked(err).release());
    if (fd.valid() || tidyingJournal >= 0)
        err = append(fd.valid() ? fd.get() : tidyingJournal, doneLine(m_id), false);
    // An entry left in the journal names a file that is gone or back under
    // its name, so that the tidying finds nothing of its to act on.
    Q_UNUSED(err)
}

void tidy(const std::string &folder, const std::function<Outcome(const Entry &)> &settle)
{
    int err = 0;
    const UniqueFd fd = openLocked(err);
    if (!fd.valid())
        failToWrite(err);
    std::string settled;
    {
        tidyingJournal = fd.get();
        const auto stop = qScopeGuard([] { tidyingJournal = -1; });
        for (const auto &[id, line] : readJournal(fd.get()).entries) {
            if (line.readable && line.entry.folder == folder && ended(line) && settle(line.entry) == Outcome::Done)
                settled += doneLine(id);
        }
    }
    if (!settled.empty() && (err = append(fd.get(), settled, false)) != 0)
        failToWrite(err);
}
}
