// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How the user chooses a file. The file list announces a user's choice exactly
// once: a mouse press moves the selection quietly and the click is announced on
// release (through clicked(), or for a press dragged to another row, the row it
// ends on). The keyboard walks the list without choosing: Enter or Space chooses
// the highlighted file. Changes made by code are never announced.
#include "controls/lists.h"

#include "controls/namelistmodel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>

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
