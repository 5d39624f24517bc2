// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The drive list: the mounted volumes of real file systems, the root first.
#include "controls/lists.h"

#include "base/hosterror.h"
#include "controls/listview.h"
#include "controls/namelistmodel.h"
#include "files/dirlisting.h"
#include "files/pathcodec.h"

#include <QSignalBlocker>
#include <QStorageInfo>

#include <algorithm>
#include <utility>

#include <sys/stat.h>

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
}

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
{
    refreshVolumes();
    // A user's pick moves the selection, then activates, in one go; a pick of the
    // volume already shown activates without moving it. A move by code is forgotten
    // once control is back in the event loop.
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        m_picked = true;
        QMetaObject::invokeMethod(
            this, [this] { m_picked = false; }, Qt::QueuedConnection);
    });
    connect(this, &QComboBox::activated, this, [this] {
        if (std::exchange(m_picked, false))
            Q_EMIT Change();
    });
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
