// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How the file list is drawn, and how its changes reach a screen reader.
#include "controls/lists.h"

#include "controls/listview.h"

#include <QAccessible>

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

void FileList::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    paintFocus(this);
}
