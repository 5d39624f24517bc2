// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/dirlisting.h"
#include "files/foldersource.h"
#include "files/folderwatch.h"
#include "files/mounts.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QListView>

#include <optional>
#include <vector>

class NameListModel;

// The three lists learn about the system only from the FolderSource they are
// made with, which must outlive them (and any reading they started).

// Host drive list: the volumes a desktop shows (desktopVolumes), the root
// first, each designated by its mount point and shown with its name where it
// has one. Change fires when the user picks another volume than the one shown;
// never when code selects one, nor when the user picks the one shown again.
class DriveList : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveList(QWidget *parent = nullptr, FolderSource &folders = systemFolders());
    ~DriveList() override;

    // Mount point of the selected volume.
    [[nodiscard]] QString Drive() const;
    // Selects the volume that holds `path` (listing it, as keepVolumeOf does), without firing Change.
    void showVolumeOf(const QString &path);
    // The folder list shows `folder`: its volume is listed whatever its type,
    // until another folder is shown. Keeps the selection and fires no Change.
    void keepVolumeOf(const QString &folder);
    // Reads the mounted volumes again, keeping the selected one when still listed.
    // Opening the list does this, so that a volume mounted meanwhile shows.
    void refreshVolumes();
    // Lists the volumes of `table` as refreshVolumes does with the live table.
    void setMountTable(std::vector<Mount> table);

Q_SIGNALS:
    void Change();

private:
    void showPopup() override;
    void fill();

    FolderSource &m_folders;
    std::vector<Mount> m_table;
    QString m_shownFolder;
    bool m_picked = false; // the user has just moved the selection to another volume
};

// Host folder list: the path from the root down to the browsed folder, then
// its visible sub-folders. Opening an entry (double click, Enter) changes the
// path, except on the open folder's own row; Backspace opens the parent.
// Every accepted change of path fires Change synchronously.
class DirList : public QListView
{
    Q_OBJECT
public:
    explicit DirList(QWidget *parent = nullptr, FolderSource &folders = systemFolders());
    ~DirList() override;

    // The browsed folder: absolute, without "." or ".." parts and without a
    // trailing "/" (except the root "/" itself).
    [[nodiscard]] QString Path() const;
    // Moves to `path` (a folder or a mount point; a relative path is taken
    // from the browsed folder) and fires Change, nested in this call. Raises
    // HostError and changes nothing when the folder does not exist or cannot
    // be opened.
    void setPath(const QString &path);
    // While Change runs: the new folder's contents, its files read together with
    // its sub-folders, so that a file list need not read the folder again.
    // Nothing once taken, and outside Change.
    [[nodiscard]] std::optional<FolderContents> takeContents();
    // Shows `folders` (as readFolder sorts them) as the browsed folder's sub-folders now,
    // keeping the path, the highlighted folder and the scroll position; fires no Change.
    void showSubFolders(const std::vector<QString> &folders);

Q_SIGNALS:
    void Change();

private:
    void showFolder(const QString &folder, const std::vector<QString> &subFolders);
    void openIndex(const QModelIndex &index);
    void openFolder(const QString &folder);
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

    FolderSource &m_folders;
    QString m_path;
    NameListModel *const m_model;
    std::vector<QString> m_entryPaths; // the folder each row opens
    std::optional<FolderContents> m_contents; // see takeContents
};

// Host file list: the visible regular files (and links to them) of its
// folder, sorted as a file manager sorts. Click fires once when the user
// clicks a file (even the selected one), or presses Enter or Space on the
// highlighted one; never when the arrow keys or typing move the highlight,
// nor when code changes the list or the selection. FolderChanged fires, a
// burst of changes at a time, when anyone but this list's applyRename has
// added, removed or renamed an entry of the listed folder.
class FileList : public QListView
{
    Q_OBJECT
public:
    explicit FileList(QWidget *parent = nullptr, FolderSource &folders = systemFolders());
    ~FileList() override;

    [[nodiscard]] QString Path() const;
    // Lists `path` with nothing selected (FileName is then "").
    // Raises HostError and changes nothing when it cannot be listed.
    void setPath(const QString &path);
    // As setPath, with what readFolder has just read from `path`.
    void showContents(const QString &path, FolderContents contents);
    // Name of the chosen file without folder, "" when none is chosen.
    [[nodiscard]] QString FileName() const;
    // Selects `name` when listed (nothing otherwise) and names it as chosen all the same; fires no Click.
    void setFileName(const QString &name);
    // Moves the highlight to `name` when listed (else to no file), as the arrow keys
    // would, without choosing it: FileName stays; fires no Click.
    void highlight(const QString &name);
    // The files as listed: how many, the name at `row` ("" outside), the row of `name` (-1 when not listed).
    [[nodiscard]] int fileCount() const;
    [[nodiscard]] QString fileAt(int row) const;
    [[nodiscard]] int rowOfFile(const QString &name) const;
    // Lists the folder again as it now is, with nothing selected.
    void Refresh();
    // Lists the folder again as it now is, reading it on a worker thread so that
    // the window keeps answering. Once read, the list keeps the chosen file chosen
    // (and selected where it is still listed), the highlighted row and the scroll
    // position, fires no Click, and Reloaded hands over the folder's sub-folders.
    // A folder that cannot be read changes nothing. A reading that applyRename
    // overtakes is read again; one that another listing overtakes is dropped.
    void Reload();
    // Whether a reload is being read.
    [[nodiscard]] bool reloading() const;
    // While paused, FolderChanged waits; resuming fires it for the changes that
    // applyRename has not shown meanwhile.
    void pauseWatch();
    void resumeWatch();
    // Shows that the program itself renamed or moved the file `from` to `to`
    // (full paths), without reading the folder again: a name leaves or joins
    // the list where its folder is the listed one (however spelled), and joins
    // it only as a listing would show it; links that now dangle, or point to a
    // file again, follow. Nothing is selected afterwards. When nothing else
    // changed in the folder, the list is as Refresh would make it.
    void applyRename(const QString &from, const QString &to);

Q_SIGNALS:
    void Click();
    void FolderChanged();
    void Reloaded(const std::vector<QString> &folders);

private:
    // Shows what was read from `path`, watched since just before the reading.
    void listContents(const QString &path, FolderContents contents);
    void reloadRead();
    void announce(const QModelIndex &index);
    // Puts `name` into the list in its sorted place, or takes it out.
    void showEntry(const QString &name, bool listed);
    // The name `from` is listed as `to`, in its sorted place; the number of rows stays.
    void moveEntry(const QString &from, const QString &to);
    // Lists the known links that point to a file, and only those.
    void showLinks();
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex &index, const QEvent *event = nullptr) const override;
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Chooses the highlighted file, as a click on it would.
    void chooseCurrent();
    void paintEvent(QPaintEvent *event) override;

    FolderSource &m_folders;
    QString m_path;
    QString m_fileName;
    NameListModel *const m_model;
    bool m_quiet = false; // the selection is being changed by code, not by the user
    bool m_pressing = false; // a left button press: its click is announced on release
    bool m_movedWhilePressed = false; // the selection moved during that press
    std::vector<QString> m_links; // the listed folder's symbolic links, as last known
    QElapsedTimer m_typed; // since the last key typed to find a file by its name
    FolderWatch m_watch;
    QFutureWatcher<std::optional<FolderContents>> m_reading;
    QElapsedTimer m_readingTime;
    quint64 m_shown = 0; // counts what this list has shown: listings and renames
    quint64 m_readingFrom = 0; // m_shown as the reading began
    bool m_readAgain = false; // the folder may have changed since the reading began
};
