// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu through the main window: one help window and one About box,
// reused while they exist and created afresh once destroyed.
#include "about_box/frmabout.h"
#include "help_window/hellp.h"
#include "main_window/form1.h"
#include "testsupport/fakehost.h"

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace
{
template<typename Window>
int windowCount()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += qobject_cast<Window *>(widget) ? 1 : 0;
    return count;
}

void processDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
}

class TestMenus : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void helpWindow_data();
    void helpWindow();
    void aboutBox_data();
    void aboutBox();
};

void TestMenus::helpWindow_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("sameWindow"); // the window of the first Help is still the one

    const auto steps = [](const char *list) { return QString::fromLatin1(list).split(u' '); };
    QTest::newRow("Help") << steps("help") << true << true << true;
    QTest::newRow("Help twice") << steps("help help") << true << true << true;
    QTest::newRow("Exit hides") << steps("help exit") << true << false << true;
    QTest::newRow("Help, Exit, Help") << steps("help exit help") << true << true << true;
    QTest::newRow("frame close destroys") << steps("help frame") << false << false << false;
    QTest::newRow("frame close, then Help") << steps("help frame help") << true << true << false;
}

void TestMenus::helpWindow()
{
    QFETCH(QStringList, steps);
    FakeHost host;
    Form1 w(host);
    w.show();
    QPointer<Hellp> first;
    bool destroyed = false;
    for (const QString &step : steps) {
        if (step == QLatin1String("help"))
            w.findChild<QAction *>(QStringLiteral("hep"))->trigger();
        else if (step == QLatin1String("exit"))
            QTest::mouseClick(w.helpWindow()->Command1, Qt::LeftButton);
        else
            w.helpWindow()->close();
        processDeletes();
        destroyed = destroyed || step == QLatin1String("frame");
        if (!first && !destroyed)
            first = w.helpWindow();
    }
    QTEST(w.helpWindow() != nullptr, "exists");
    QCOMPARE(windowCount<Hellp>(), w.helpWindow() ? 1 : 0);
    QTEST(w.helpWindow() && w.helpWindow()->isVisible(), "visible");
    QTEST(first && first == w.helpWindow(), "sameWindow");
    if (w.helpWindow())
        QCOMPARE(w.helpWindow()->Text1->toPlainText(),
            Hellp::helpText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TestMenus::aboutBox_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("timerRunning");
    QTest::addColumn<bool>("sameBox"); // the box of the first About is still the one
    QTest::addColumn<bool>("mainShown"); // the last step showed the (hidden) main window

    const auto steps = [](const char *list) { return QString::fromLatin1(list).split(u' '); };
    QTest::newRow("first open") << steps("about") << true << true << true << true << false;
    QTest::newRow("About twice: one box") << steps("about about") << true << true << true << true << false;
    QTest::newRow("timer fires") << steps("about timer") << true << false << false << true << true;
    QTest::newRow("reopen after timer") << steps("about timer about") << true << true << false << true << false;
    QTest::newRow("OK unloads") << steps("about ok") << false << false << false << false << true;
    QTest::newRow("Enter presses OK") << steps("about enter") << false << false << false << false << true;
    QTest::newRow("Esc presses OK") << steps("about esc") << false << false << false << false << true;
    QTest::newRow("close box unloads only") << steps("about closebox") << false << false << false << false << false;
    QTest::newRow("OK, then reopen") << steps("about ok about") << true << true << true << false << false;
    QTest::newRow("close box, then reopen") << steps("about closebox about") << true << true << true << false << false;
    QTest::newRow("timer, reopen, OK, reopen")
        << steps("about timer about ok about") << true << true << true << false << false;
}

void TestMenus::aboutBox()
{
    QFETCH(QStringList, steps);
    FakeHost host;
    Form1 w(host);
    QPointer<frmAbout> first;
    bool unloaded = false;
    for (const QString &step : steps) {
        w.hide();
        frmAbout *const box = w.aboutBox();
        if (step == QLatin1String("about")) {
            w.findChild<QAction *>(QStringLiteral("aBout"))->trigger();
        } else if (step == QLatin1String("timer")) {
            QVERIFY(box->Timer1->isActive()); // the tick can only come while the timer runs
            box->Timer1_Timer();
        } else if (step == QLatin1String("ok")) {
            QTest::mouseClick(box->cmdOK, Qt::LeftButton);
        } else if (step == QLatin1String("enter") || step == QLatin1String("esc")) {
            QTest::keyClick(box->cmdOK, step == QLatin1String("enter") ? Qt::Key_Return : Qt::Key_Escape);
        } else {
            box->close();
        }
        processDeletes();
        unloaded = unloaded || step == QLatin1String("ok") || step == QLatin1String("closebox")
            || step == QLatin1String("enter") || step == QLatin1String("esc");
        if (!first && !unloaded)
            first = w.aboutBox();
    }
    frmAbout *const box = w.aboutBox();
    QTEST(box != nullptr, "exists");
    QCOMPARE(windowCount<frmAbout>(), box ? 1 : 0);
    QTEST(box && box->isVisible(), "visible");
    QTEST(box && box->Timer1->isActive(), "timerRunning");
    QTEST(first && first == box, "sameBox");
    QTEST(w.isVisible(), "mainShown");
    if (box)
        QCOMPARE(box->windowTitle(), QStringLiteral("About Zindle"));
}

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
