// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The folder list: the path down to the browsed folder, then its sub-folders.
#include "controls/lists.h"

#include "base/hosterror.h"
#include "controls/listview.h"
#include "controls/namelistmodel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QScrollBar>

#include <algorithm>
#include <cerrno>

namespace
{
// An absolute path without "." or ".." parts or a trailing "/", except the root
// itself. ".." is taken by name, as a file manager does, not through links.
QString absoluteFolder(const QString &base, const QString &path)
{
    if (path.isEmpty())
        throw HostError::fromErrno(ENOENT);
    QStringList parts;
    const QString full = path.startsWith(u'/') ? path : base + u'/' + path;
    for (const QString &part : full.split(u'/', Qt::SkipEmptyParts)) {
        if (part == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (part != QLatin1String(".")) {
            parts.append(part);
        }
    }
    return u'/' + parts.join(u'/');
}
}

DirList::DirList(QWidget *parent, FolderSource &folders)
    : QListView(parent), m_folders(folders), m_path(folders.workingFolder()), m_model(new NameListModel(this))
{
    setUpListView(this, m_model);
    m_model->setIcons(style()->standardIcon(QStyle::SP_DirIcon), style()->standardIcon(QStyle::SP_DirOpenIcon));
    connect(this, &QListView::doubleClicked, this, &DirList::openIndex);
    try {
        showFolder(m_path, m_folders.read(m_path, FolderParts::FoldersOnly).folders);
    } catch (const HostError &) {
        // The start folder cannot be read: show it alone.
        m_model->setNames({m_path}, {}, 1);
        m_entryPaths = {m_path};
    }
}

DirList::~DirList() = default;

QString DirList::Path() const
{
    return m_path;
}

void DirList::setPath(const QString &path)
{
    const QString folder = absoluteFolder(m_path, path);
    FolderContents contents = m_folders.read(folder, FolderParts::FoldersAndFiles);
    showFolder(folder, contents.folders);
    m_contents = std::move(contents);
    const auto forget = qScopeGuard([this] { m_contents.reset(); });
    Q_EMIT Change();
}

std::optional<FolderContents> DirList::takeContents()
{
    return std::exchange(m_contents, std::nullopt);
}

void DirList::showSubFolders(const std::vector<QString> &folders)
{
    const QModelIndex current = currentIndex();
    const QString highlighted = current.isValid() ? m_entryPaths.at(std::size_t(current.row())) : QString();
    const int scrolled = verticalScrollBar()->value();
    showFolder(m_path, folders);
    const auto row = std::find(m_entryPaths.begin(), m_entryPaths.end(), highlighted);
    if (row != m_entryPaths.end())
        setCurrentIndex(m_model->index(int(row - m_entryPaths.begin())));
    verticalScrollBar()->setValue(scrolled);
}

void DirList::showFolder(const QString &folder, const std::vector<QString> &subFolders)
{
    // Rows: "/", each folder down to the browsed one (indented by depth), then its sub-folders.
    std::vector<QString> names {QStringLiteral("/")};
    std::vector<QString> entryPaths {QStringLiteral("/")};
    QString walked;
    for (const QString &part : folder.split(u'/', Qt::SkipEmptyParts)) {
        walked += u'/' + part;
        names.push_back(part);
        entryPaths.push_back(walked);
    }
    const int depth = static_cast<int>(names.size());
    const QString prefix = folder == QLatin1String("/") ? QString() : folder;
    for (const QString &sub : subFolders) {
        names.push_back(sub);
        entryPaths.push_back(prefix + u'/' + sub);
    }
    std::vector<int> indents(names.size(), depth);
    for (int level = 0; level < depth; ++level)
        indents[static_cast<std::size_t>(level)] = level;

    m_model->setNames(std::move(names), std::move(indents), depth);
    m_entryPaths = std::move(entryPaths);
    m_path = folder;
    setCurrentIndex(m_model->index(depth - 1));
}

void DirList::openIndex(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const QString folder = m_entryPaths.at(static_cast<std::size_t>(index.row())); // setPath replaces the rows
    if (folder != m_path) // the open folder's own row: no change
        openFolder(folder);
}

void DirList::openFolder(const QString &folder)
{
    try {
        setPath(folder);
    } catch (const HostError &) {
        // A folder the user may not open stays closed, as in a file manager.
        QApplication::beep();
    }
}

void DirList::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    paintFocus(this);
}

void DirList::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        openIndex(currentIndex());
        event->accept();
        return;
    case Qt::Key_Backspace:
        if (m_path != QLatin1String("/"))
            openFolder(m_path + QLatin1String("/.."));
        event->accept();
        return;
    default:
        QListView::keyPressEvent(event);
    }
}
