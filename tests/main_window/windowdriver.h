// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Driving the main window as its tests do: choose a file, type a name, press the button.
#pragma once

#include "controls/controls.h"
#include "controls/lists.h"
#include "main_window/form1.h"

#include <QPushButton>
#include <QTest>

namespace WindowDriver
{
// Chooses `name` as a click would, and waits for its preview.
inline void click(Form1 &window, const QString &name)
{
    window.File1->setFileName(name);
    window.File1_Click();
    QTRY_VERIFY(!window.previewPending());
}

inline void typeBaseName(Form1 &window, const QString &base)
{
    window.Text2->selectAll();
    QTest::keyClick(window.Text2, Qt::Key_Delete);
    QTest::keyClicks(window.Text2, base);
}

inline void press(Form1 &window)
{
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QTRY_VERIFY(!window.previewPending());
}

// The names a list shows, top to bottom.
[[nodiscard]] inline QStringList listed(const QAbstractItemView *list)
{
    QStringList names;
    const QAbstractItemModel *model = list->model();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row, 0).data().toString();
    return names;
}
}
