// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/listview.h"

#include "controls/namelistmodel.h"

#include <QListView>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace
{
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

}

void setUpListView(QListView *view, QAbstractItemModel *model)
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

void paintFocus(QListView *view)
{
    if (!view->hasFocus())
        return;
    QPainter painter(view->viewport());
    const QModelIndex current = view->currentIndex();
    const bool onRow = current.isValid() && view->visualRect(current).intersects(view->viewport()->rect());
    const QRect area = onRow ? view->visualRect(current) : view->viewport()->rect();
    // Text colour on the row's own background: on a selected row that is the highlighted text.
    const bool selected = onRow && view->selectionModel()->isSelected(current);
    const QColor colour = view->palette().color(selected ? QPalette::HighlightedText : QPalette::Text);
    constexpr int Width = 2;
    painter.setPen(QPen(colour, Width));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(Width / 2, Width / 2, -Width / 2 - 1, -Width / 2 - 1));
}
