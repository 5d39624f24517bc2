// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/lists.h"

#include "platform/dirlisting.h"
#include "platform/hosterror.h"
#include "platform/namelistmodel.h"
#include "platform/pathcodec.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStorageInfo>

#include <cerrno>
#include <climits>
#include <unistd.h>

namespace
{
// File systems that hold no user files.
bool isPseudoVolume(const QStorageInfo &volume)
{
    static const QList<QByteArray> pseudo {"proc", "sysfs", "cgroup", "cgroup2", "devpts", "devtmpfs", "securityfs",
        "pstore", "bpf", "debugfs", "tracefs", "mqueue", "hugetlbfs", "fusectl", "configfs", "autofs", "binfmt_misc",
        "efivarfs", "nsfs", "rpc_pipefs"};
    const QByteArray type = volume.fileSystemType();
    if (pseudo.contains(type))
        return true;
    const QString root = volume.rootPath();
    const bool systemArea = root.startsWith(QLatin1String("/run")) || root.startsWith(QLatin1String("/dev"))
        || root.startsWith(QLatin1String("/sys")) || root.startsWith(QLatin1String("/proc"));
    return type == "tmpfs" && systemArea;
}

bool isInside(const QString &path, const QString &folder)
{
    if (folder == QLatin1String("/"))
        return path.startsWith(u'/');
    return path == folder || path.startsWith(folder + u'/');
}

QString currentFolder()
{
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) ? decodePath(buffer) : QStringLiteral("/");
}

// An absolute path without "." or ".." parts or a trailing "/", except the root itself.
QString absoluteFolder(const QString &base, const QString &path)
{
    if (path.isEmpty())
        throw HostError::fromErrno(ENOENT);
    QStringList parts;
    const QString full = path.startsWith(u'/') ? path : base + u'/' + path;
    for (const QString &part : full.split(u'/', Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            parts.isEmpty() ? void() : parts.removeLast();
        else if (part != QLatin1String("."))
            parts.append(part);
    }
    return u'/' + parts.join(u'/');
}
}

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
{
    QList<QStorageInfo> volumes;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (!isPseudoVolume(volume))
            volumes.append(volume);
    }
    std::sort(volumes.begin(), volumes.end(),
        [](const QStorageInfo &a, const QStorageInfo &b) { return a.rootPath() < b.rootPath(); });
    for (const QStorageInfo &volume : std::as_const(volumes)) {
        const QString root = volume.rootPath();
        const QString name = volume.displayName();
        addItem(name.isEmpty() || name == root ? root : name + QLatin1String(" (") + root + u')', root);
    }
    connect(this, &QComboBox::activated, this, &DriveList::Change);
}

DriveList::~DriveList() = default;

QString DriveList::Drive() const
{
    return currentData().toString();
}

void DriveList::showVolumeOf(const QString &path)
{
    int best = -1;
    for (int i = 0; i < count(); ++i) {
        const QString root = itemData(i).toString();
        if (isInside(path, root) && (best < 0 || root.size() > itemData(best).toString().size()))
            best = i;
    }
    const QSignalBlocker blocker(this);
    setCurrentIndex(best);
}

DirList::DirList(QWidget *parent) : QListView(parent), m_path(currentFolder()), m_model(new NameListModel(this))
{
    setModel(m_model);
    setUniformItemSizes(true);
    setEditTriggers(NoEditTriggers);
    connect(this, &QListView::doubleClicked, this, &DirList::openIndex);
    try {
        setPath(m_path);
    } catch (const HostError &) {
        // The start folder cannot be read: show it alone.
        m_model->setNames({m_path});
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
    const FolderContents contents = readFolder(folder);

    std::vector<QString> names {QStringLiteral("/")};
    std::vector<int> indents {0};
    m_entryPaths = {QStringLiteral("/")};
    QString walked;
    for (const QString &part : folder.split(u'/', Qt::SkipEmptyParts)) {
        walked += u'/' + part;
        names.push_back(part);
        indents.push_back(static_cast<int>(indents.size()));
        m_entryPaths.push_back(walked);
    }
    const int depth = static_cast<int>(indents.size());
    const int currentRow = depth - 1;
    const QString prefix = folder == QLatin1String("/") ? QString() : folder;
    for (const QString &sub : contents.folders) {
        names.push_back(sub);
        indents.push_back(depth);
        m_entryPaths.push_back(prefix + u'/' + sub);
    }
    m_model->setNames(std::move(names), std::move(indents));
    setCurrentIndex(m_model->index(currentRow));
    m_path = folder;
    Q_EMIT Change();
}

void DirList::openIndex(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const QString target = m_entryPaths.at(static_cast<std::size_t>(index.row()));
    try {
        setPath(target);
    } catch (const HostError &) {
        // A folder the user cannot open stays closed, as in a file manager.
    }
}

void DirList::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openIndex(currentIndex());
        return;
    }
    QListView::keyPressEvent(event);
}

FileList::FileList(QWidget *parent) : QListView(parent), m_model(new NameListModel(this))
{
    setModel(m_model);
    setUniformItemSizes(true);
    setEditTriggers(NoEditTriggers);
    connect(this, &QListView::clicked, this, [this](const QModelIndex &index) {
        m_fileName = m_model->names().at(static_cast<std::size_t>(index.row()));
        Q_EMIT Click();
    });
}

FileList::~FileList() = default;

QString FileList::Path() const
{
    return m_path;
}

void FileList::setPath(const QString &path)
{
    FolderContents contents = readFolder(path);
    m_path = path;
    m_fileName.clear();
    const QScopedValueRollback quiet(m_quiet, true);
    m_model->setNames(std::move(contents.files));
    clearSelection();
    setCurrentIndex({});
}

QString FileList::FileName() const
{
    return m_fileName;
}

void FileList::setFileName(const QString &name)
{
    const auto &names = m_model->names();
    const auto found = std::find(names.begin(), names.end(), name);
    const QScopedValueRollback quiet(m_quiet, true);
    if (found != names.end())
        setCurrentIndex(m_model->index(static_cast<int>(found - names.begin())));
    m_fileName = name;
}

void FileList::Refresh()
{
    setPath(m_path);
}

void FileList::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QListView::currentChanged(current, previous);
    // A mouse click announces itself through clicked(); the keyboard moves the current row.
    if (m_quiet || m_pressing || !current.isValid())
        return;
    m_fileName = m_model->names().at(static_cast<std::size_t>(current.row()));
    Q_EMIT Click();
}

void FileList::mousePressEvent(QMouseEvent *event)
{
    const QScopedValueRollback pressing(m_pressing, true);
    QListView::mousePressEvent(event);
}
