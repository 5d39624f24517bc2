// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The file list: what it lists and which file is chosen. How the user chooses
// (filelist_click.cpp), how it follows the folder (filelist_reload.cpp) and the
// program's own renames (filelist_rename.cpp), and how it is drawn and announced
// (filelist_view.cpp) each have a file of their own.
#include "controls/lists.h"

#include "base/hosterror.h"
#include "controls/listview.h"
#include "controls/namelistmodel.h"

#include <QScopedValueRollback>

FileList::FileList(QWidget *parent, FolderSource &folders)
    : QListView(parent), m_folders(folders), m_model(new NameListModel(this)), m_watch(folders.folderEvents())
{
    setUpListView(this, m_model);
    m_model->setIcons(style()->standardIcon(QStyle::SP_FileIcon));
    connect(this, &QListView::clicked, this, [this](const QModelIndex &index) {
        m_movedWhilePressed = false;
        announce(index);
    });
    connect(&m_watch, &FolderWatch::Changed, this, &FileList::FolderChanged);
    connect(&m_reading, &QFutureWatcher<std::optional<FolderContents>>::finished, this, &FileList::reloadRead);
}

FileList::~FileList() = default;

QString FileList::Path() const
{
    return m_path;
}

void FileList::setPath(const QString &path)
{
    m_watch.watch(path);
    try {
        listContents(path, m_folders.read(path, FolderParts::FilesOnly));
    } catch (const HostError &) {
        m_watch.watch(m_path); // the folder still shown
        throw;
    }
}

void FileList::showContents(const QString &path, FolderContents contents)
{
    m_watch.watch(path);
    listContents(path, std::move(contents));
}

void FileList::listContents(const QString &path, FolderContents contents)
{
    const QScopedValueRollback quiet(m_quiet, true);
    ++m_shown;
    m_readAgain = false; // a reading under way is out of date, and this listing is newer
    m_model->setNames(std::move(contents.files));
    m_links = std::move(contents.links);
    m_path = path;
    m_fileName.clear();
    // Also marks the current row as set, so that focus does not put it on the first file.
    setCurrentIndex({});
}

QString FileList::FileName() const
{
    return m_fileName;
}

void FileList::setFileName(const QString &name)
{
    const QScopedValueRollback quiet(m_quiet, true);
    const int row = m_model->rowOf(name);
    if (row >= 0) {
        setCurrentIndex(m_model->index(row));
        scrollTo(currentIndex());
    } else {
        clearSelection();
        setCurrentIndex({});
    }
    m_fileName = name;
}

void FileList::highlight(const QString &name)
{
    const QScopedValueRollback quiet(m_quiet, true);
    const int row = m_model->rowOf(name);
    if (row < 0) {
        clearSelection();
        setCurrentIndex({});
        return;
    }
    setCurrentIndex(m_model->index(row));
    scrollTo(currentIndex());
}

int FileList::fileCount() const
{
    return m_model->rowCount();
}

QString FileList::fileAt(int row) const
{
    return row >= 0 && row < fileCount() ? m_model->names().at(std::size_t(row)) : QString();
}

int FileList::rowOfFile(const QString &name) const
{
    return m_model->rowOf(name);
}
