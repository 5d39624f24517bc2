// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/dirlisting.h"
#include "files/mounts.h"

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

// The changes to one folder as the system reports them, unsorted and
// unfiltered in time; FolderWatch makes announcements of them.
class FolderEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~FolderEvents() override;

    // Reports changes to `folder` from now on, instead of any other folder's;
    // nothing where it cannot be watched.
    virtual void watch(const QString &folder) = 0;
    // Hands over the changes reported since the last call, oldest first: the name
    // of an entry that arrived or left. An empty name stands for "anything may have
    // changed". Names starting with "." may be left out.
    virtual void take(const std::function<void(const QString &name, bool arrived)> &note) = 0;

Q_SIGNALS:
    // Changes wait to be taken.
    void Ready();
};

// What the drive, folder and file lists (and the destination's completions)
// learn about the system: folders and their entries, the working folder, the
// mounted volumes, and the changes to a folder. They ask nothing of the system
// but through this, so a test can hand them a system of its own;
// systemFolders() is the real one.
// Every function may be called from several threads at once.
class FolderSource
{
public:
    virtual ~FolderSource();

    // As readFolder; raises HostError when the folder cannot be read.
    [[nodiscard]] virtual FolderContents read(const QString &folder, FolderParts parts) const = 0;
    // Whether `path` is a folder, or a symbolic link to one.
    [[nodiscard]] virtual bool isFolder(const QString &path) const = 0;
    // Whether `path` is a regular file, or a symbolic link to one.
    [[nodiscard]] virtual bool isFile(const QString &path) const = 0;
    // Whether `path` itself is a symbolic link, whatever it points to.
    [[nodiscard]] virtual bool isLink(const QString &path) const = 0;
    // Whether `a` and `b` are the same existing folder, however either is spelled.
    [[nodiscard]] virtual bool sameFolder(const QString &a, const QString &b) const = 0;
    // The process's working folder, "/" when it cannot be told.
    [[nodiscard]] virtual QString workingFolder() const = 0;
    // As readMountTable, Viewer::current and volumeName.
    [[nodiscard]] virtual std::vector<Mount> mountTable() const = 0;
    [[nodiscard]] virtual Viewer viewer(const QString &shownFolder) const = 0;
    [[nodiscard]] virtual QString volumeName(const Mount &volume) const = 0;
    // A new report of one folder's changes, watching nothing yet.
    [[nodiscard]] virtual std::unique_ptr<FolderEvents> folderEvents() const = 0;
};

// The system itself; it lives as long as the program.
[[nodiscard]] FolderSource &systemFolders();
