// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/mounts.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QListView>

#include <vector>

class NameListModel;

// Host drive list: the volumes a desktop shows (desktopVolumes), the root
// first, each designated by its mount point and shown with its name where it
// has one. Change fires when the user picks another volume than the one shown;
// never when code selects one, nor when the user picks the one shown again.
class DriveList : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveList(QWidget *parent = nullptr);
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
    explicit DirList(QWidget *parent = nullptr);
    ~DirList() override;

    // The browsed folder: absolute, without "." or ".." parts and without a
    // trailing "/" (except the root "/" itself).
    [[nodiscard]] QString Path() const;
    // Moves to `path` (a folder or a mount point; a relative path is taken
    // from the browsed folder) and fires Change, nested in this call. Raises
    // HostError and changes nothing when the folder does not exist or cannot
    // be opened.
    void setPath(const QString &path);

Q_SIGNALS:
    void Change();

private:
    void openIndex(const QModelIndex &index);
    void openFolder(const QString &folder);
    void keyPressEvent(QKeyEvent *event) override;

    QString m_path;
    NameListModel *const m_model;
    std::vector<QString> m_entryPaths; // the folder each row opens
};

// Host file list: the visible regular files (and links to them) of its
// folder, sorted as a file manager sorts. Click fires once when the user
// clicks a file (even the selected one), or presses Enter or Space on the
// highlighted one; never when the arrow keys or typing move the highlight,
// nor when code changes the list or the selection.
class FileList : public QListView
{
    Q_OBJECT
public:
    explicit FileList(QWidget *parent = nullptr);
    ~FileList() override;

    [[nodiscard]] QString Path() const;
    // Lists `path` with nothing selected (FileName is then "").
    // Raises HostError and changes nothing when it cannot be listed.
    void setPath(const QString &path);
    // Name of the chosen file without folder, "" when none is chosen.
    [[nodiscard]] QString FileName() const;
    // Selects `name` when listed (nothing otherwise) and names it as chosen all the same; fires no Click.
    void setFileName(const QString &name);
    // Lists the folder again as it now is, with nothing selected.
    void Refresh();

Q_SIGNALS:
    void Click();

private:
    void announce(const QModelIndex &index);
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex &index, const QEvent *event = nullptr) const override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Chooses the highlighted file, as a click on it would.
    void chooseCurrent();

    QString m_path;
    QString m_fileName;
    NameListModel *const m_model;
    bool m_quiet = false; // the selection is being changed by code, not by the user
    bool m_pressing = false; // a left button press: its click is announced on release
    bool m_movedWhilePressed = false; // the selection moved during that press
    QElapsedTimer m_typed; // since the last key typed to find a file by its name
};
