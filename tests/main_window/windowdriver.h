// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Driving the main window as its tests do: choose a file, type a name, press the button.
#pragma once

#include "controls/controls.h"
#include "controls/lists.h"
#include "main_window/form1.h"
#include "testsupport/fakehost.h"
#include "testsupport/testfiles.h"

#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace WindowDriver
{
// A fresh main window whose documents folder, Pics, holds the picture a.jpg
// and notes.txt, next to the empty folder Sorted and the folders `others`,
// in a temporary folder (made in `under` when given).
struct Fixture {
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<Form1> window;

    [[nodiscard]] QString path(const char *below) const { return dir->path() + QString::fromUtf8(below); }

    void setUp(std::initializer_list<const char *> others = {}, const QString &under = {})
    {
        dir = under.isEmpty() ? std::make_unique<QTemporaryDir>()
                              : std::make_unique<QTemporaryDir>(under + QStringLiteral("/XXXXXX"));
        QVERIFY(dir->isValid());
        QVERIFY2(!dir->path().contains(u'.'), "a dot in the temporary folder would refuse every rename");
        QVERIFY(TestFiles::makeFolder(path("/Pics")) && TestFiles::makeFolder(path("/Sorted")));
        for (const char *folder : others)
            QVERIFY(TestFiles::makeFolder(path(folder)));
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(path("/Pics/a.jpg"), "PNG"));
        QVERIFY(TestFiles::write(path("/Pics/notes.txt"), "notes"));
        host = std::make_unique<FakeHost>();
        host->documents.insert(QStringLiteral("maria"), path("/Pics"));
        window = std::make_unique<Form1>(*host);
    }

    void tearDown()
    {
        window.reset();
        TestFiles::removeTree(dir->path());
    }
};

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
