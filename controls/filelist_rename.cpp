// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own renames, shown in the file list without reading the folder
// again: the renamed row moves to its sorted place, or leaves or joins the list,
// and the folder's symbolic links, which may dangle now or point to a file
// again, are looked at once more.
#include "controls/lists.h"

#include "controls/namelistmodel.h"

#include <QScopedValueRollback>

#include <algorithm>

namespace
{
QString nameOf(const QString &path)
{
    return path.section(u'/', -1);
}

// Whether the folder that holds `path` is `folder` itself, however either is spelled.
bool inFolder(const FolderSource &folders, const QString &path, const QString &folder)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString parent = slash > 0 ? path.left(slash) : QStringLiteral("/");
    return slash >= 0 && folders.sameFolder(parent, folder);
}

// Whether a listing shows the entry at `path`: visible, and a file or a link to one.
bool listable(const FolderSource &folders, const QString &path)
{
    return !nameOf(path).startsWith(u'.') && folders.isFile(path);
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

void FileList::applyRename(const QString &from, const QString &to)
{
    const QScopedValueRollback quiet(m_quiet, true);
    // Cleared before any row moves: later it would make the view lay out every row at once.
    clearSelection();
    setCurrentIndex({});
    m_fileName.clear();
    const bool leaves = inFolder(m_folders, from, m_path), arrives = inFolder(m_folders, to, m_path);
    const bool joins = arrives && listable(m_folders, to);
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
    if (arrives && !nameOf(to).startsWith(u'.') && m_folders.isLink(to))
        m_links.push_back(nameOf(to));
    showLinks();
}

void FileList::showLinks()
{
    // Links to the renamed file may dangle now, or point to a file again.
    const QString folder = m_path.endsWith(u'/') ? m_path : m_path + u'/';
    for (const QString &link : m_links)
        showEntry(link, listable(m_folders, folder + link));
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
