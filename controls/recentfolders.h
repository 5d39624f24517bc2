// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/foldersource.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QCompleter;
class QLineEdit;
class QModelIndex;
class QStandardItemModel;

// The drop-down of a box that names a folder: the folders it was set to lately
// (at most Kept, newest first) and, as one types, the folders that complete the
// text typed. A remembered folder that no longer exists is shown as missing,
// after those that exist. Picking an entry (Up, Down, Enter, or a click) sets the
// box's text as typing it would.
class RecentFolders : public QObject
{
    Q_OBJECT
public:
    static constexpr int Kept = 10;

    // Serves `box`, which must outlive it, and asks `folders` which folders exist.
    explicit RecentFolders(QLineEdit *box, FolderSource &folders = systemFolders());
    ~RecentFolders() override;

    // Where the remembered folders come from, asked once, when they are first needed.
    void setLoader(std::function<QStringList()> load);
    // The remembered folders, newest first.
    [[nodiscard]] QStringList folders();
    // `folder` becomes the newest; the oldest beyond Kept is forgotten. Changed fires
    // when the list differs.
    void remember(const QString &folder);
    // Opens the drop-down with every remembered folder.
    void showAll();
    // What the drop-down offers, top to bottom, missing folders marked as the user sees them.
    [[nodiscard]] QStringList offered() const;
    [[nodiscard]] QCompleter *completer() const { return m_completer; }

Q_SIGNALS:
    void Changed();

private:
    // The drop-down for what the user typed: matching remembered folders, then sub-folders.
    void complete(const QString &typed);
    // Shows `paths` (remembered ones marked), those that exist first; hides an empty list.
    void offer(const QStringList &paths, const QStringList &completions);
    void pick(const QModelIndex &index);
    // The sub-folders of `parent` whose names start with `stem`, as full paths ending in "/".
    [[nodiscard]] QStringList subFolders(const QString &parent, const QString &stem);

    QLineEdit *const m_box;
    FolderSource &m_system;
    QStandardItemModel *const m_model;
    QCompleter *const m_completer;
    std::function<QStringList()> m_load;
    QStringList m_folders;
    bool m_loaded = false;
    QString m_readParent; // the folder whose sub-folders m_readNames holds
    std::vector<QString> m_readNames;
};
