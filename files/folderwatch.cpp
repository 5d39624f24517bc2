// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/folderwatch.h"

#include "files/foldersource.h"

#include <algorithm>

namespace
{
// A burst of changes (a copy of many files, an editor's save) settles within this.
constexpr int SettleMs = 250;
// What the listing after one announcement took, times this, passes before the next.
constexpr int QuietFactor = 4;
}

FolderWatch::FolderWatch(QObject *parent) : FolderWatch(systemFolders().folderEvents(), parent)
{
}

FolderWatch::FolderWatch(std::unique_ptr<FolderEvents> events, QObject *parent)
    : QObject(parent), m_events(std::move(events))
{
    m_wait.setSingleShot(true);
    m_wait.setInterval(SettleMs);
    connect(&m_wait, &QTimer::timeout, this, &FolderWatch::announce);
    connect(m_events.get(), &FolderEvents::Ready, this, [this] {
        readEvents();
        scheduleAnnouncement();
    });
}

FolderWatch::~FolderWatch() = default;

void FolderWatch::watch(const QString &folder)
{
    m_events->watch(folder);
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
    m_events->take([this](const QString &name, bool arrived) {
        if (!name.startsWith(u'.'))
            note(name, arrived);
    });
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
