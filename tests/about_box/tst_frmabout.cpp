// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "about_box/frmabout.h"
#include "main_window/form1.h"
#include "testsupport/fakehost.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace
{
class AppHost : public FakeHost
{
public:
    AppInfo info;
    [[nodiscard]] AppInfo app() const override { return info; }
};

// Message boxes that wait for the user in an event loop of their own, as real ones do;
// each notes whether `watched` was still shown when it closed.
class WaitingHost : public FakeHost
{
public:
    QPointer<QWidget> watched;
    QList<bool> shownWhenClosed;
    void messageBox(const QString &text, int style, const QString &title) override
    {
        FakeHost::messageBox(text, style, title);
        QDialog box;
        box.setModal(true);
        QTimer::singleShot(300, &box, &QDialog::accept);
        box.exec();
        shownWhenClosed.append(watched && watched->isVisible());
    }
};

// The rows of a label's picture that hold text (dark pixels) come in bands, one per line.
int textLines(const QImage &image)
{
    int lines = 0;
    bool before = false;
    for (int y = 0; y < image.height(); ++y) {
        bool dark = false;
        for (int x = 0; x < image.width() && !dark; ++x)
            dark = qGray(image.pixel(x, y)) < 100;
        lines += dark && !before ? 1 : 0;
        before = dark;
    }
    return lines;
}
}

class TestFrmAbout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void loadFillsTexts_data();
    void loadFillsTexts();
    void timerHidesOnceAndShowsMainWindow();
    void focusStartsOnOk();
    void hidesNoEarlierThanSixSecondsAfterLoading();
    void tickWaitsForTheRunningHandler_data();
    void tickWaitsForTheRunningHandler();
    void descriptionShowsThreeLines();
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
    const auto unload = qScopeGuard([&box] { delete box; }); // before mainWindow, even when a check fails
    QVERIFY(box->Timer1->isActive());
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
}

void TestFrmAbout::focusStartsOnOk()
{
    AppHost host;
    QWidget mainWindow;
    QPointer<frmAbout> box = new frmAbout(host, &mainWindow);
    const auto unload = qScopeGuard([&box] { delete box; });
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QCOMPARE(QApplication::focusWidget(), box->cmdOK);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), box->cmdSysInfo);
}

// A coarse timer may fire up to 5% early, depending on where in a second it started:
// boxes loaded at several moments of a second catch that.
void TestFrmAbout::hidesNoEarlierThanSixSecondsAfterLoading()
{
    struct Load {
        QElapsedTimer clock;
        std::unique_ptr<frmAbout> box;
        qint64 hiddenAfter = -1;
    };
    AppHost host;
    std::vector<Load> loads(8);
    for (Load &load : loads) {
        load.clock.start();
        load.box = std::make_unique<frmAbout>(host, nullptr);
        load.box->show();
        connect(load.box->windowHandle(), &QWindow::visibleChanged, this,
            [&load] { load.hiddenAfter = load.clock.elapsed(); });
        QTest::qWait(125);
    }
    QTRY_VERIFY_WITH_TIMEOUT(loads.back().hiddenAfter >= 0, 8000);
    for (const Load &load : loads)
        QVERIFY2(load.hiddenAfter >= 6000, qPrintable(QString::number(load.hiddenAfter)));
}

void TestFrmAbout::tickWaitsForTheRunningHandler_data()
{
    QTest::addColumn<bool>("fromMainWindow"); // else the About box's own System Info button
    QTest::newRow("System Information Is Unavailable") << false;
    QTest::newRow("Chose a File") << true;
}

void TestFrmAbout::tickWaitsForTheRunningHandler()
{
    QFETCH(bool, fromMainWindow);
    WaitingHost host;
    Form1 w(host);
    w.aBout_Click();
    frmAbout *box = w.aboutBox();
    host.watched = box;
    box->Timer1->setInterval(20); // due while the handler waits in its message box
    if (fromMainWindow)
        w.Command1_Click();
    else
        box->cmdSysInfo_Click();
    QCOMPARE(host.shownWhenClosed, QList<bool> {true});
    QTRY_VERIFY(!box->isVisible());
}

void TestFrmAbout::descriptionShowsThreeLines()
{
    AppHost host;
    frmAbout box(host, nullptr);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.lblDescription->text().size(), 200);
    const QImage image = box.lblDescription->grab().toImage();
    QCOMPARE(textLines(image), 3);
    QCOMPARE(textLines(image.copy(0, 0, 1, image.height())), 0); // nothing cut off at the sides
    QCOMPARE(textLines(image.copy(image.width() - 1, 0, 1, image.height())), 0);
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
