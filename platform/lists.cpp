// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The host's browsing lists. Folders are listed by readFolder (readdir, never
// QDir, so that names that are not valid UTF-8 show) into a NameListModel, a
// vector of names that a QListView with uniform item sizes shows at once even
// for 100,000 files.
//
// FileList announces a user's choice exactly once: a mouse press moves the
// selection quietly and the click is announced on release (through clicked(),
// or for a press dragged to another row, the row it ends on); a keyboard move
// is announced as the selection moves. Changes made by code are never announced.
#include "platform/lists.h"

#include "platform/dirlisting.h"
#include "platform/hosterror.h"
#include "platform/namelistmodel.h"
#include "platform/pathcodec.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
// File systems that hold no user files.
bool isPseudoVolume(const QStorageInfo &volume)
{
    static const QList<QByteArray> pseudo {"proc", "sysfs", "cgroup", "cgroup2", "devpts", "devtmpfs", "securityfs",
        "pstore", "bpf", "debugfs", "tracefs", "mqueue", "hugetlbfs", "fusectl", "configfs", "autofs", "binfmt_misc",
        "efivarfs", "nsfs", "rpc_pipefs", "fuse.gvfsd-fuse", "fuse.portal"};
    const QByteArray type = volume.fileSystemType();
    if (pseudo.contains(type))
        return true;
    const QString root = volume.rootPath();
    const auto under = [&root](QLatin1String area) { return root == area || root.startsWith(area + u'/'); };
    if (under(QLatin1String("/proc")) || under(QLatin1String("/sys")) || under(QLatin1String("/dev")))
        return true;
    return type == "tmpfs" && (under(QLatin1String("/run")) || under(QLatin1String("/var/run")));
}

// A file bind-mounted over another (as containers do with /etc/hosts) is no volume to browse.
bool isFolder(const QString &path)
{
    struct stat st {
    };
    return stat(encodePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
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

// Indents a row by its NameListModel::IndentRole level, and asks for no width
// of its own: rows span the view, and a long name is shortened in the middle
// (keeping its extension) with the full name as tool tip.
class RowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem indented(option);
        if (const int level = index.data(NameListModel::IndentRole).toInt()) {
            const int step = std::max(4, option.fontMetrics.height() / 2);
            indented.rect.setLeft(option.rect.left() + std::min(level * step, option.rect.width() / 3));
        }
        QStyledItemDelegate::paint(painter, indented, index);
    }

    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {1, QStyledItemDelegate::sizeHint(option, index).height()};
    }
};

void setUpView(QListView *view, QAbstractItemModel *model)
{
    view->setModel(model);
    view->setItemDelegate(new RowDelegate(view));
    view->setUniformItemSizes(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTextElideMode(Qt::ElideMiddle);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int icon = view->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, view);
    view->setIconSize({icon, icon});
}
}

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
{
    refreshVolumes();
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

void DriveList::refreshVolumes()
{
    QList<QStorageInfo> volumes;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        const bool listed = std::any_of(
            volumes.cbegin(), volumes.cend(), [&root](const QStorageInfo &v) { return v.rootPath() == root; });
        if (!listed && !isPseudoVolume(volume) && isFolder(root))
            volumes.append(volume);
    }
    // The root sorts first: "/" is a prefix of every other mount point.
    std::sort(volumes.begin(), volumes.end(),
        [](const QStorageInfo &a, const QStorageInfo &b) { return a.rootPath() < b.rootPath(); });
    const QString selected = Drive();
    const QSignalBlocker blocker(this);
    clear();
    for (const QStorageInfo &volume : std::as_const(volumes)) {
        const QString root = volume.rootPath();
        const QString name = volume.name();
        addItem(name.isEmpty() || name == root ? root : name + QLatin1String(" (") + root + u')', root);
    }
    setCurrentIndex(std::max(0, findData(selected)));
}

void DriveList::showPopup()
{
    refreshVolumes();
    QComboBox::showPopup();
}

DirList::DirList(QWidget *parent) : QListView(parent), m_path(currentFolder()), m_model(new NameListModel(this))
{
    setUpView(this, m_model);
    m_model->setIcons(style()->standardIcon(QStyle::SP_DirIcon), style()->standardIcon(QStyle::SP_DirOpenIcon));
    connect(this, &QListView::doubleClicked, this, &DirList::openIndex);
    try {
        setPath(m_path);
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
    const FolderContents contents = readFolder(folder, FolderParts::FoldersOnly);

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
    for (const QString &sub : contents.folders) {
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
    Q_EMIT Change();
}

void DirList::openIndex(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const QString folder = m_entryPaths.at(static_cast<std::size_t>(index.row())); // setPath replaces the rows
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

FileList::FileList(QWidget *parent) : QListView(parent), m_model(new NameListModel(this))
{
    setUpView(this, m_model);
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
    if (m_quiet || selected.isEmpty())
        return;
    if (m_pressing)
        m_movedWhilePressed = true;
    else
        announce(selected.indexes().constFirst());
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
