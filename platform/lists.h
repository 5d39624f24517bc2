// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QListView>

class NameListModel;

// Host drive list: the mounted volumes of real file systems, the root first,
// each designated by its mount point. Change fires when the user picks one.
class DriveList : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveList(QWidget *parent = nullptr);
    ~DriveList() override;

    // Mount point of the selected volume.
    [[nodiscard]] QString Drive() const;
    // Selects the volume that holds `path`, without firing Change.
    void showVolumeOf(const QString &path);

Q_SIGNALS:
    void Change();
};

// Host folder list: the path from the root down to the browsed folder, then
// its visible sub-folders. Opening an entry (double click, Enter) changes the
// path. Every accepted change of path fires Change synchronously.
class DirList : public QListView
{
    Q_OBJECT
public:
    explicit DirList(QWidget *parent = nullptr);
    ~DirList() override;

    [[nodiscard]] QString Path() const;
    // Moves to `path` (a folder or a mount point). Raises HostError and
    // changes nothing when the folder does not exist or cannot be opened.
    void setPath(const QString &path);

Q_SIGNALS:
    void Change();

private:
    void openIndex(const QModelIndex &index);
    void keyPressEvent(QKeyEvent *event) override;

    QString m_path;
    NameListModel *const m_model;
    std::vector<QString> m_entryPaths; // the folder each row opens
};

// Host file list: the visible regular files (and links to them) of its
// folder, sorted as a file manager sorts. Click fires when the user clicks a
// file or moves the selection with the keyboard.
class FileList : public QListView
{
    Q_OBJECT
public:
    explicit FileList(QWidget *parent = nullptr);
    ~FileList() override;

    [[nodiscard]] QString Path() const;
    // Lists `path` with nothing selected. Raises HostError when it cannot be listed.
    void setPath(const QString &path);
    // Name of the selected file without folder, "" when none is selected.
    [[nodiscard]] QString FileName() const;
    // Selects `name` when listed, or names it as chosen all the same; fires no Click.
    void setFileName(const QString &name);
    // Lists the folder again as it now is.
    void Refresh();

Q_SIGNALS:
    void Click();

private:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void mousePressEvent(QMouseEvent *event) override;

    QString m_path;
    QString m_fileName;
    NameListModel *const m_model;
    bool m_quiet = false; // selection moved by code, not by the user
    bool m_pressing = false; // a mouse press: its click is announced on release
};
