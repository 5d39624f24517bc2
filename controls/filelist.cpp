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

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

#include <sys/stat.h>

namespace
{
QString nameOf(const QString &path)
{
    return path.section(u'/', -1);
}

// Whether the folder that holds `path` is `folder` itself, however either is spelled.
bool inFolder(const QString &path, const QString &folder)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString parent = slash > 0 ? path.left(slash) : QStringLiteral("/");
    struct stat a {
    }, b {};
    return slash >= 0 && ::stat(encodePath(parent).c_str(), &a) == 0 && ::stat(encodePath(folder).c_str(), &b) == 0
        && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether a listing shows the entry at `path`: visible, and a file or a link to one.
bool listable(const QString &path)
{
    struct stat st {
    };
    return !nameOf(path).startsWith(u'.') && ::stat(encodePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isLink(const QString &path)
{
    struct stat st {
    };
    return !nameOf(path).startsWith(u'.') && ::lstat(encodePath(path).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// The row at which `name` is listed, or would be, in the listing's order.
int sortedRow(const std::vector<QString> &names, const QString &name)
{
    std::string key, probe;
    appendNaturalKey(name, key);
    const auto before = [&](const QString &listed) {
        probe.clear();
        appendNaturalKey(listed, probe);
        return probe < key;
    };
    return int(std::partition_point(names.begin(), names.end(), before) - names.begin());
}
}

FileList::FileList(QWidget *parent) : QListView(parent), m_model(new NameListModel(this))
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
        listContents(path, readFolder(path, FolderParts::FilesOnly));
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
    m_reading.setFuture(QtConcurrent::run([path = m_path]() -> std::optional<FolderContents> {
        try {
            return readFolder(path, FolderParts::FoldersAndFiles);
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

void FileList::applyRename(const QString &from, const QString &to)
{
    const QScopedValueRollback quiet(m_quiet, true);
    // Cleared before any row moves: later it would make the view lay out every row at once.
    clearSelection();
    setCurrentIndex({});
    m_fileName.clear();
    const bool leaves = inFolder(from, m_path), arrives = inFolder(to, m_path), joins = arrives && listable(to);
    // A reading under way may predate the rename: it is read again.
    ++m_shown;
    m_readAgain = m_reading.isRunning();
    // The folder's watch saw this rename too: it is shown here, not by reading the folder again.
    m_watch.forget(leaves ? nameOf(from) : QString(), arrives ? nameOf(to) : QString());
    if (leaves && joins) {
        moveEntry(nameOf(from), nameOf(to));
    } else {
        if (leaves)
            showEntry(nameOf(from), false);
        if (joins)
            showEntry(nameOf(to), true);
    }
    if (leaves)
        std::erase(m_links, nameOf(from));
    if (arrives && isLink(to))
        m_links.push_back(nameOf(to));
    // Links to the file may dangle now, or point to a file again.
    const QString folder = m_path.endsWith(u'/') ? m_path : m_path + u'/';
    for (const QString &link : m_links)
        showEntry(link, listable(folder + link));
}

void FileList::moveEntry(const QString &from, const QString &to)
{
    const std::vector<QString> &names = m_model->names();
    const auto listedAt
        = [&](int row, const QString &name) { return row < int(names.size()) && names[std::size_t(row)] == name; };
    const int row = sortedRow(names, from), target = sortedRow(names, to);
    if (!listedAt(row, from) || listedAt(target, to)) {
        showEntry(from, false);
        showEntry(to, true);
    } else {
        m_model->moveName(row, target > row ? target - 1 : target, to);
    }
}

void FileList::showEntry(const QString &name, bool listed)
{
    const std::vector<QString> &names = m_model->names();
    const int row = sortedRow(names, name);
    const bool present = row < int(names.size()) && names[std::size_t(row)] == name;
    if (listed && !present)
        m_model->insertName(row, name);
    else if (!listed && present)
        m_model->removeName(row);
}

void FileList::announce(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    m_fileName = m_model->names().at(static_cast<std::size_t>(index.row()));
    Q_EMIT Click();
}

void FileList::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles)
{
    if (topLeft == bottomRight) {
        QListView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    // Rows of one height without editors: changed names move no row and need only
    // a repaint. QListView would lay out every row anew and QAbstractItemView
    // measure every changed one, both slow with the 100,000 of a large folder.
    viewport()->update();
    if (QAccessible::isActive()) {
        QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::DataChanged);
        event.setFirstRow(topLeft.row());
        event.setLastRow(bottomRight.row());
        event.setFirstColumn(0);
        event.setLastColumn(0);
        QAccessible::updateAccessibility(&event);
    }
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

void FileList::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    paintFocus(this);
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
