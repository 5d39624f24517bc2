// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "about_box/frmabout.h"
#include "testsupport/fakehost.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace
{
class AppHost : public FakeHost
{
public:
    AppInfo info;
    [[nodiscard]] AppInfo app() const override { return info; }
};
}

class TestFrmAbout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void loadFillsTexts_data();
    void loadFillsTexts();
    void timerHidesOnceAndShowsMainWindow();
    void focusStartsOnOk();
};

void TestFrmAbout::loadFillsTexts_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("version");
    QTest::newRow("this program") << QStringLiteral("Zindle") << 1 << 0 << 0 << QStringLiteral("Version 1.0.0");
    QTest::newRow("numbers in plain decimal")
        << QStringLiteral("Other") << 12 << 3 << 405 << QStringLiteral("Version 12.3.405");
}

void TestFrmAbout::loadFillsTexts()
{
    QFETCH(QString, title);
    AppHost host;
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    host.info = {title, major, minor, revision};
    frmAbout box(host, nullptr);
    QCOMPARE(box.windowTitle(), QStringLiteral("About ") + title);
    QCOMPARE(box.lblTitle->text(), title);
    QTEST(box.lblVersion->text(), "version");
    QCOMPARE(box.Label1->text(), QStringLiteral("Please read the help file before using the program"));
}

void TestFrmAbout::timerHidesOnceAndShowsMainWindow()
{
    AppHost host;
    QWidget mainWindow;
    QPointer<frmAbout> box = new frmAbout(host, &mainWindow);
    QVERIFY(box->Timer1->isActive());
    QCOMPARE(box->Timer1->interval(), 6000);
    box->Timer1->setInterval(20); // the real tick, without waiting six seconds
    box->show();
    QTRY_VERIFY(!box->isVisible());
    QVERIFY(box);
    QVERIFY(mainWindow.isVisible());
    QVERIFY(!box->Timer1->isActive());
    // Shown again, it stays: the timer belongs to the load, not to the show.
    box->show();
    QTest::qWait(100);
    QVERIFY(box->isVisible());
    delete box;
}

void TestFrmAbout::focusStartsOnOk()
{
    AppHost host;
    QWidget mainWindow;
    QPointer<frmAbout> box = new frmAbout(host, &mainWindow);
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QCOMPARE(QApplication::focusWidget(), box->cmdOK);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), box->cmdSysInfo);
    delete box;
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
