// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/folderwatch.h"

#include "files/pathcodec.h"

#include <QSocketNotifier>

#include <algorithm>
#include <array>
#include <cstring>

#include <sys/inotify.h>
#include <unistd.h>

namespace
{
// A burst of changes (a copy of many files, an editor's save) settles within this.
constexpr int SettleMs = 250;
// What the listing after one announcement took, times this, passes before the next.
constexpr int QuietFactor = 4;

constexpr std::uint32_t Gone = IN_DELETE | IN_MOVED_FROM;
constexpr std::uint32_t Arrived = IN_CREATE | IN_MOVED_TO;
// The folder itself went or lost its watch, or the kernel dropped events: anything may have changed.
constexpr std::uint32_t Anything = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_Q_OVERFLOW;
}

FolderWatch::FolderWatch(QObject *parent) : QObject(parent), m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    m_wait.setSingleShot(true);
    m_wait.setInterval(SettleMs);
    connect(&m_wait, &QTimer::timeout, this, &FolderWatch::announce);
    if (m_fd < 0)
        return;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        readEvents();
        scheduleAnnouncement();
    });
}

FolderWatch::~FolderWatch()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void FolderWatch::watch(const QString &folder)
{
    if (m_fd < 0)
        return;
    const int watch = inotify_add_watch(
        m_fd, encodePath(folder).c_str(), Gone | Arrived | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR);
    if (m_watch >= 0 && m_watch != watch)
        inotify_rm_watch(m_fd, m_watch);
    m_watch = watch;
    readEvents();
    m_seen.clear();
    m_wait.stop();
}

void FolderWatch::forget(const QString &gone, const QString &arrived)
{
    readEvents();
    for (const Entry &change : {Entry {gone, false}, Entry {arrived, true}}) {
        const auto own = std::find_if(m_seen.begin(), m_seen.end(),
            [&](const Entry &seen) { return seen.arrived == change.arrived && seen.name == change.name; });
        if (!change.name.isEmpty() && own != m_seen.end())
            m_seen.erase(own);
    }
    if (m_seen.empty())
        m_wait.stop();
}

void FolderWatch::pause()
{
    ++m_pauses;
}

void FolderWatch::resume()
{
    if (m_pauses > 0 && --m_pauses == 0)
        scheduleAnnouncement();
}

void FolderWatch::readEvents()
{
    alignas(inotify_event) std::array<char, 16384> buffer;
    for (;;) {
        const ssize_t length = ::read(m_fd, buffer.data(), buffer.size());
        if (length <= 0)
            return;
        for (ssize_t at = 0; at < length;) {
            inotify_event event;
            std::memcpy(&event, buffer.data() + at, sizeof event);
            const char *name = buffer.data() + at + sizeof event;
            at += ssize_t(sizeof event + event.len);
            if (event.mask & IN_Q_OVERFLOW)
                note({}, true);
            if (event.wd != m_watch || m_watch < 0)
                continue;
            if (event.mask & Anything)
                note({}, true);
            else if (event.len > 0 && name[0] != '.' && !anythingSeen())
                note(decodePath(name), bool(event.mask & Arrived));
        }
    }
}

void FolderWatch::note(QString name, bool arrived)
{
    if (anythingSeen())
        return;
    if (name.isEmpty() || m_seen.size() >= NamedAtMost) {
        std::vector<Entry>().swap(m_seen); // gives the memory back
        m_seen.push_back({{}, true});
        return;
    }
    m_seen.push_back({std::move(name), arrived});
}

bool FolderWatch::anythingSeen() const
{
    return !m_seen.empty() && m_seen.front().name.isEmpty();
}

std::size_t FolderWatch::heldBytes() const
{
    std::size_t bytes = m_seen.capacity() * sizeof(Entry);
    for (const Entry &change : m_seen)
        bytes += std::size_t(change.name.capacity()) * sizeof(QChar);
    return bytes;
}

void FolderWatch::scheduleAnnouncement()
{
    if (!m_seen.empty() && m_pauses == 0 && !m_wait.isActive())
        m_wait.start();
}

void FolderWatch::announce()
{
    if (m_pauses > 0)
        return;
    readEvents();
    m_seen.clear();
    Q_EMIT Changed();
}

void FolderWatch::settled(qint64 tookMs)
{
    m_wait.setInterval(int(std::clamp<qint64>(tookMs * QuietFactor, SettleMs, 60'000)));
}
