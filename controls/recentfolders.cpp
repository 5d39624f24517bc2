// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/recentfolders.h"

#include "base/hosterror.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QStandardItemModel>

namespace
{
constexpr int PathRole = Qt::UserRole + 1;
// A folder being typed offers this many sub-folders at most: a drop-down is no listing.
constexpr qsizetype MostCompletions = 100;
}

RecentFolders::RecentFolders(QLineEdit *box, FolderSource &folders)
    : QObject(box)
    , m_box(box)
    , m_system(folders)
    , m_model(new QStandardItemModel(this))
    , m_completer(new QCompleter(m_model, this))
{
    m_completer->setWidget(box);
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->popup()->setObjectName(QStringLiteral("recentFolders"));
    m_completer->popup()->setAccessibleName(tr("Folders"));
    connect(m_completer, qOverload<const QModelIndex &>(&QCompleter::activated), this, &RecentFolders::pick);
    connect(box, &QLineEdit::textEdited, this, &RecentFolders::complete);
}

RecentFolders::~RecentFolders() = default;

void RecentFolders::setLoader(std::function<QStringList()> load)
{
    m_load = std::move(load);
    m_loaded = false;
}

QStringList RecentFolders::folders()
{
    if (!m_loaded) {
        m_loaded = true;
        if (m_load)
            m_folders = m_load().mid(0, Kept);
    }
    return m_folders;
}

void RecentFolders::remember(const QString &folder)
{
    QStringList kept = folders();
    kept.removeAll(folder);
    kept.prepend(folder);
    kept = kept.mid(0, Kept);
    if (kept == m_folders)
        return;
    m_folders = kept;
    Q_EMIT Changed();
}

void RecentFolders::showAll()
{
    offer(folders(), {});
}

QStringList RecentFolders::offered() const
{
    QStringList shown;
    for (int row = 0; row < m_model->rowCount(); ++row)
        shown.append(m_model->item(row)->text());
    return shown;
}

void RecentFolders::complete(const QString &typed)
{
    QStringList remembered;
    for (const QString &folder : folders()) {
        if (folder.startsWith(typed, Qt::CaseInsensitive))
            remembered.append(folder);
    }
    const qsizetype slash = typed.lastIndexOf(u'/');
    QStringList completions;
    if (typed.startsWith(u'/')) {
        for (const QString &path : subFolders(typed.left(slash + 1), typed.mid(slash + 1))) {
            if (!remembered.contains(path))
                completions.append(path);
        }
    }
    offer(remembered, completions);
}

void RecentFolders::offer(const QStringList &paths, const QStringList &completions)
{
    m_model->clear();
    QList<QStandardItem *> missing;
    const auto add = [this](const QString &path) {
        auto *item = new QStandardItem(path);
        item->setData(path, PathRole);
        item->setEditable(false);
        m_model->appendRow(item);
    };
    for (const QString &path : paths) {
        if (m_system.isFolder(path)) {
            add(path);
        } else {
            auto *item = new QStandardItem(tr("%1 (not found)").arg(path));
            item->setData(path, PathRole);
            item->setEditable(false);
            item->setForeground(m_box->palette().brush(QPalette::Disabled, QPalette::Text));
            missing.append(item);
        }
    }
    for (const QString &path : completions)
        add(path);
    for (QStandardItem *item : missing)
        m_model->appendRow(item);
    if (m_model->rowCount() == 0) {
        m_completer->popup()->hide();
        return;
    }
    m_completer->complete();
}

void RecentFolders::pick(const QModelIndex &index)
{
    m_box->setText(index.data(PathRole).toString());
}

QStringList RecentFolders::subFolders(const QString &parent, const QString &stem)
{
    if (parent != m_readParent) {
        m_readParent = parent;
        m_readNames.clear();
        try {
            m_readNames = m_system.read(parent, FolderParts::FoldersOnly).folders;
        } catch (const HostError &) {
            // Nothing to complete in a folder that is not there or cannot be read.
        }
    }
    QStringList paths;
    for (const QString &name : m_readNames) {
        if (name.startsWith(stem, Qt::CaseInsensitive) && paths.size() < MostCompletions)
            paths.append(parent + name + u'/');
    }
    return paths;
}
