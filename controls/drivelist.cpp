// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The drive list: the volumes a desktop shows, the root first.
#include "controls/lists.h"

#include "controls/accessibility.h"

#include <QSignalBlocker>

#include <algorithm>
#include <utility>

DriveList::DriveList(QWidget *parent, FolderSource &folders) : QComboBox(parent), m_folders(folders)
{
    Accessibility::installInterfaces(); // named by what it is, not by the volume it shows
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
    keepVolumeOf(path);
    int best = -1;
    for (int i = 0; i < count(); ++i) {
        const QString root = itemData(i).toString();
        if (isInsideFolder(path, root) && (best < 0 || root.size() > itemData(best).toString().size()))
            best = i;
    }
    const QSignalBlocker blocker(this);
    setCurrentIndex(best);
}

void DriveList::keepVolumeOf(const QString &folder)
{
    m_shownFolder = folder;
    const Mount *const volume = mountOf(m_table, folder);
    if (volume && findData(volume->point) < 0)
        fill();
}

void DriveList::refreshVolumes()
{
    setMountTable(m_folders.mountTable());
}

void DriveList::setMountTable(std::vector<Mount> table)
{
    m_table = std::move(table);
    fill();
}

void DriveList::fill()
{
    const QString selected = Drive();
    const QSignalBlocker blocker(this);
    clear();
    for (const Mount &volume : desktopVolumes(m_table, m_folders.viewer(m_shownFolder))) {
        const QString name = m_folders.volumeName(volume);
        const QString &point = volume.point;
        addItem(name.isEmpty() || name == point ? point : name + QLatin1String(" (") + point + u')', point);
    }
    setCurrentIndex(std::max(0, findData(selected)));
}

void DriveList::showPopup()
{
    refreshVolumes();
    QComboBox::showPopup();
}
