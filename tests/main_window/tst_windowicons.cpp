// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Every window shows the program's own icon, not the toolkit's generic one.
#include "about_box/frmabout.h"
#include "controls/appicon.h"
#include "help_window/hellp.h"
#include "main_window/form1.h"
#include "testsupport/fakehost.h"

#include <QImage>
#include <QTest>

class TestWindowIcons : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Built into the program and drawn by the SVG engine: a missing resource or
    // plugin gives a null or empty picture.
    void iconDrawsFromTitleBarToLauncherSize()
    {
        for (int size : {16, 256}) {
            const QImage image = appIcon().pixmap(size, size).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
            QVERIFY(qAlpha(image.pixel(0, 0)) < 255); // the rounded corner lets the panel show through
        }
    }

    void everyWindowShowsIt()
    {
        FakeHost host;
        Form1 window(host);
        window.hep_Click();
        window.aBout_Click();
        const QImage expected = appIcon().pixmap(32, 32).toImage();
        for (QWidget *shown : std::initializer_list<QWidget *> {&window, window.helpWindow(), window.aboutBox()}) {
            QVERIFY(shown);
            QCOMPARE(shown->windowIcon().pixmap(32, 32).toImage(), expected);
        }
    }
};

QTEST_MAIN(TestWindowIcons)
#include "tst_windowicons.moc"
