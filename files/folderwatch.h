// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

#include <memory>
#include <vector>

class FolderEvents;

// Watches one folder, by its exact bytes, for entries that come, go or are
// renamed by anyone. Changed is announced once for a burst of changes, and
// never again sooner than four times as long as the last listing it caused
// took (see settled): a folder that changes all the time cannot keep the
// machine busy listing it. Hidden names are not watched (listings leave them out), so the
// program's own set-aside and temporary files count for nothing. The changes awaiting an
// announcement are kept by name up to a small number; beyond it the watch keeps only that
// something changed, so a folder changing fast holds no memory however long it is watched.
class FolderWatch : public QObject
{
    Q_OBJECT
public:
    // Watches through inotify (see systemFolders).
    explicit FolderWatch(QObject *parent = nullptr);
    // Watches through `events`.
    explicit FolderWatch(std::unique_ptr<FolderEvents> events, QObject *parent = nullptr);
    ~FolderWatch() override;

    // Watches `folder` from now on, instead of any other, and forgets the
    // changes seen so far: call it just before the folder is read. Where the
    // events cannot watch it (no inotify, or beyond its limits), it is simply not watched.
    void watch(const QString &folder);
    // Forgets, among the changes seen until now, the program's own: the entry
    // `gone` left the folder and `arrived` came into it (either may be empty).
    void forget(const QString &gone, const QString &arrived);
    // While paused, changes are collected and not announced; resuming announces
    // those still left, after the usual wait.
    void pause();
    void resume();
    // The listing that followed an announcement took `tookMs`.
    void settled(qint64 tookMs);

    // The changes awaiting an announcement, and the memory they take.
    [[nodiscard]] std::size_t pendingChanges() const { return m_seen.size(); }
    [[nodiscard]] std::size_t heldBytes() const;
    // How many changes are kept by name, at most.
    static constexpr std::size_t NamedAtMost = 256;

Q_SIGNALS:
    void Changed();

private:
    struct Entry {
        QString name;
        bool arrived;
    };
    void readEvents();
    // Keeps a change by name; an empty name stands for "anything".
    void note(QString name, bool arrived);
    [[nodiscard]] bool anythingSeen() const;
    void announce();
    void scheduleAnnouncement();

    std::unique_ptr<FolderEvents> m_events;
    std::vector<Entry> m_seen; // changes not yet announced, or only one that stands for "anything"
    QTimer m_wait;
    int m_pauses = 0;
};
