// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The file list follows its folder: the watch tells of changes, and the folder
// is read again on a worker thread. Each listing and each rename the list shows
// counts one in m_shown, so that a reading finished after either is known to be
// out of date: one that a rename overtook is read again, one that another
// listing overtook is dropped.
#include "controls/lists.h"

#include "base/hosterror.h"
#include "controls/namelistmodel.h"

#include <QScopedValueRollback>
#include <QScrollBar>
#include <QtConcurrent/QtConcurrentRun>

void FileList::Refresh()
{
    setPath(m_path);
}

void FileList::Reload()
{
    if (m_reading.isRunning()) {
        m_readAgain = true;
        return;
    }
    m_watch.watch(m_path); // whatever changes from now on shows in a later reload
    m_readingFrom = m_shown;
    m_readAgain = false;
    m_readingTime.start();
    m_reading.setFuture(QtConcurrent::run([path = m_path, &folders = m_folders]() -> std::optional<FolderContents> {
        try {
            return folders.read(path, FolderParts::FoldersAndFiles);
        } catch (const HostError &) {
            return std::nullopt;
        }
    }));
}

bool FileList::reloading() const
{
    return m_reading.isRunning() || m_readAgain;
}

void FileList::reloadRead()
{
    std::optional<FolderContents> contents = m_reading.result();
    if (contents && m_readingFrom == m_shown) {
        const QModelIndex current = currentIndex();
        const QString highlighted = current.isValid() ? m_model->names().at(std::size_t(current.row())) : QString();
        const int scrolled = verticalScrollBar()->value();
        const QString chosen = m_fileName;
        std::vector<QString> folders = std::move(contents->folders);
        listContents(m_path, std::move(*contents));
        const QScopedValueRollback quiet(m_quiet, true);
        m_fileName = chosen;
        if (const int row = m_model->rowOf(chosen); row >= 0)
            selectionModel()->select(m_model->index(row), QItemSelectionModel::ClearAndSelect);
        if (const int row = m_model->rowOf(highlighted); row >= 0)
            selectionModel()->setCurrentIndex(m_model->index(row), QItemSelectionModel::NoUpdate);
        verticalScrollBar()->setValue(scrolled);
        m_watch.settled(m_readingTime.elapsed());
        Q_EMIT Reloaded(folders);
    }
    if (std::exchange(m_readAgain, false))
        Reload();
}

void FileList::pauseWatch()
{
    m_watch.pause();
}

void FileList::resumeWatch()
{
    m_watch.resume();
}
