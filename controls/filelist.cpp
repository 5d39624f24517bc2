// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The file list. It announces a user's choice exactly once: a mouse press
// moves the selection quietly and the click is announced on release (through
// clicked(), or for a press dragged to another row, the row it ends on). The
// keyboard walks the list without choosing: Enter or Space chooses the
// highlighted file. Changes made by code are never announced.
#include "controls/lists.h"

#include "base/hosterror.h"
#include "controls/listview.h"
#include "controls/namelistmodel.h"
#include "files/dirlisting.h"
#include "files/pathcodec.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>

FileList::FileList(QWidget *parent) : QListView(parent), m_model(new NameListModel(this))
{
    setUpListView(this, m_model);
    m_model->setIcons(style()->standardIcon(QStyle::SP_FileIcon));
    connect(this, &QListView::clicked, this, [this](const QModelIndex &index) {
        m_movedWhilePressed = false;
        announce(index);
    });
}

FileList::~FileList() = default;

QString FileList::Path() const
{
    return m_path;
}

void FileList::setPath(const QString &path)
{
    FolderContents contents = readFolder(path, FolderParts::FilesOnly);
    const QScopedValueRollback quiet(m_quiet, true);
    m_model->setNames(std::move(contents.files));
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

void FileList::Refresh()
{
    setPath(m_path);
}

void FileList::announce(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    m_fileName = m_model->names().at(static_cast<std::size_t>(index.row()));
    Q_EMIT Click();
}

QItemSelectionModel::SelectionFlags FileList::selectionCommand(const QModelIndex &index, const QEvent *event) const
{
    // One file is chosen at a time: Ctrl does not deselect it, and pressing
    // on empty space or releasing the button leaves the selection alone.
    if (!index.isValid() || (event && event->type() == QEvent::MouseButtonRelease))
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect;
}

void FileList::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QListView::selectionChanged(selected, deselected);
    if (m_pressing && !m_quiet && !selected.isEmpty())
        m_movedWhilePressed = true;
}

void FileList::mousePressEvent(QMouseEvent *event)
{
    // Only the left button chooses a file.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    m_pressing = true;
    m_movedWhilePressed = false;
    QListView::mousePressEvent(event);
}

void FileList::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QListView::mouseReleaseEvent(event); // a click on a file announces it (clicked)
    m_pressing = false;
    // A press dragged to another file, or released off the list: the file it selected.
    if (std::exchange(m_movedWhilePressed, false))
        announce(currentIndex());
}

void FileList::keyPressEvent(QKeyEvent *event)
{
    const bool typing = m_typed.isValid() && m_typed.elapsed() < QApplication::keyboardInputInterval();
    const QString text = event->text();
    const bool chooses = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter
        || (event->key() == Qt::Key_Space && !typing); // a space within a typed name goes on finding
    if (chooses) {
        chooseCurrent();
        event->accept();
        return;
    }
    if (!text.isEmpty() && text.at(0).isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        m_typed.start();
    QListView::keyPressEvent(event);
}

void FileList::chooseCurrent()
{
    const QModelIndex index = currentIndex();
    if (!index.isValid())
        return;
    {
        const QScopedValueRollback quiet(m_quiet, true);
        selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    }
    announce(index);
}
