// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAbstractItemModel;
class QListView;

// Sets up a browsing list: one selectable row per name, uniform row heights
// (so a folder of 100,000 files shows at once), rows indented by their
// NameListModel::IndentRole level, long names shortened in the middle.
void setUpListView(QListView *view, QAbstractItemModel *model);

// Draws where the keyboard focus is in `view`, after the view has painted: while it
// has the focus, a frame around its current row, or around the whole list when no
// row is current. Drawn in the palette's text colours, so that it shows in every
// style and in light and dark palettes alike, whatever the style draws itself.
void paintFocus(QListView *view);
