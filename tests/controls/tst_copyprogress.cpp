// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog that shows the progress of a move, and the move on its worker thread.
#include "controls/copyprogress.h"

#include "base/hosterror.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSemaphore>
#include <QTest>
#include <QTimer>

#include <cerrno>

class TestCopyProgress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void progressDialogAfterDelay_data();
    void progressDialogAfterDelay();
    void amountInTheUserLocale_data();
    void amountInTheUserLocale();
    void moveOnAWorkerThread_data();
    void moveOnAWorkerThread();
    void stuckMoveIsLeftRunning_data();
    void stuckMoveIsLeftRunning();
};

namespace
{
QDialog *visibleDialog()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("moveProgress") && widget->isVisible())
            return qobject_cast<QDialog *>(widget);
    return nullptr;
}

void pressCancel()
{
    QTest::mouseClick(visibleDialog()->findChild<QPushButton *>(), Qt::LeftButton);
}
}

void TestCopyProgress::progressDialogAfterDelay_data()
{
    QTest::addColumn<qint64>("total"); // -1: the move has reported nothing yet
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("cancelKey"); // how Cancel is pressed: 0 for a click
    QTest::newRow("a copy a quarter done") << qint64(4000) << 1000 << 250 << 0;
    QTest::newRow("a move that reports nothing is busy") << qint64(-1) << 0 << -1 << int(Qt::Key_Escape);
    QTest::newRow("Enter presses Cancel") << qint64(4000) << 1000 << 250 << int(Qt::Key_Return);
}

void TestCopyProgress::progressDialogAfterDelay()
{
    QFETCH(qint64, total);
    CopyProgressDialog progress(QStringLiteral("/a"), QStringLiteral("/b"));
    QVERIFY(progress.update(0, total));
    QVERIFY(!visibleDialog());
    QTest::qWait(int(CopyProgressDialog::delayMs) + 100);
    QVERIFY(progress.update(total / 4, total));
    QDialog *dialog = visibleDialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowModality(), Qt::NonModal); // the program can be quit meanwhile
    const auto *bar = dialog->findChild<QProgressBar *>();
    QTEST(bar->maximum(), "maximum");
    QTEST(bar->value(), "value");
    // Cancel is asked once; the dialog stays, saying that the move stops, until the move has.
    QFETCH(int, cancelKey);
    if (cancelKey == 0)
        pressCancel();
    else
        QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, Qt::Key(cancelKey));
    QVERIFY(!progress.update(total / 2, total));
    QVERIFY(progress.isShown());
    QVERIFY(!dialog->findChild<QPushButton *>()->isEnabled());
    QVERIFY(progress.cancelledMs() >= 0);
}

void TestCopyProgress::amountInTheUserLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<qint64>("done");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("share");
    const qint64 GiB = qint64(1) << 30;
    QTest::newRow("English") << "en_US" << 3 * GiB / 2 << 4 * GiB << "1.50 GiB of 4.00 GiB"
                             << "37%";
    QTest::newRow("German") << "de_DE" << 3 * GiB / 2 << 4 * GiB << "1,50 GiB of 4,00 GiB"
                            << "37%";
    QTest::newRow("French, small") << "fr_FR" << qint64(1536) << qint64(10240) << "1,50 Kio of 10,00 Kio"
                                   << "15%";
    QTest::newRow("Arabic digits") << "ar_EG" << qint64(512) << qint64(1024) << "٥١٢ بايت of ١٫٠٠ KiB"
                                   << "٥٠%";
}

// The dialog writes sizes and the share copied as the user's locale writes numbers.
void TestCopyProgress::amountInTheUserLocale()
{
    QFETCH(QString, locale);
    QFETCH(qint64, done);
    QFETCH(qint64, total);
    const QLocale before;
    QLocale::setDefault(QLocale(locale));
    const auto restore = qScopeGuard([&] { QLocale::setDefault(before); });
    CopyProgressDialog progress(QStringLiteral("/a"), QStringLiteral("/b"));
    QTest::qWait(int(CopyProgressDialog::delayMs) + 100);
    QVERIFY(progress.update(done, total));
    QDialog *dialog = visibleDialog();
    QVERIFY(dialog);
    QTEST(dialog->findChild<QLabel *>(QStringLiteral("amount"))->text(), "amount");
    QTEST(dialog->findChild<QProgressBar *>()->text(), "share");
}

void TestCopyProgress::moveOnAWorkerThread_data()
{
    QTest::addColumn<bool>("copies"); // the move reports a copy, then stalls
    QTest::addColumn<bool>("cancel"); // the user presses Cancel while it stalls
    QTest::addColumn<int>("failure"); // what the move raises, 0 for nothing
    QTest::addColumn<MoveEnd>("end");
    QTest::newRow("a stalled copy shows the dialog") << true << false << 0 << MoveEnd::Copied;
    QTest::newRow("Cancel while the copy stalls") << true << true << int(ECANCELED) << MoveEnd::Copied;
    QTest::newRow("a slow rename shows it too") << false << false << 0 << MoveEnd::Renamed;
    QTest::newRow("a rename that ends soon after Cancel is done") << false << true << 0 << MoveEnd::Renamed;
    QTest::newRow("a failure is raised on the caller's thread") << false << false << int(EXDEV) << MoveEnd::Renamed;
}

// While the move runs, the caller's thread keeps answering: its timer shows
// whether the dialog is up and presses Cancel, before it lets the move go on.
void TestCopyProgress::moveOnAWorkerThread()
{
    QFETCH(bool, copies);
    QFETCH(bool, cancel);
    QFETCH(int, failure);
    QSemaphore stalled;
    bool dialogShown = false;
    QTimer::singleShot(int(CopyProgressDialog::delayMs) * 2, [&] {
        dialogShown = visibleDialog() != nullptr;
        if (cancel && dialogShown)
            pressCancel();
        stalled.release();
    });
    int raised = 0;
    auto end = MoveEnd::LeftRunning;
    try {
        end = runMove(QStringLiteral("/a"), QStringLiteral("/b"), [&](const CopyProgress &progress) {
            if (copies && !progress(0, 100))
                throw HostError::fromErrno(ECANCELED);
            stalled.acquire();
            if (copies && !progress(100, 100))
                throw HostError::fromErrno(ECANCELED);
            if (failure != 0)
                throw HostError::fromErrno(failure);
        });
    } catch (const HostError &error) {
        raised = error.number();
    }
    QVERIFY(dialogShown);
    QCOMPARE(raised, failure);
    if (failure == 0)
        QTEST(end, "end");
    QVERIFY(!visibleDialog());
}

void TestCopyProgress::stuckMoveIsLeftRunning_data()
{
    QTest::addColumn<bool>("quit"); // the program ends, rather than the user pressing Cancel
    QTest::addColumn<bool>("windowGone"); // the window is closed before the move answers again
    QTest::newRow("the program ends") << true << false;
    QTest::newRow("Cancel, and the window goes before the move ends") << false << true;
}

// A move that never answers (a system call that does not return) holds neither the window nor the program's end.
void TestCopyProgress::stuckMoveIsLeftRunning()
{
    QFETCH(bool, quit);
    QFETCH(bool, windowGone);
    auto owner = std::make_unique<QWidget>();
    QList<bool> holds;
    int lateEnds = 0;
    MoveWindow window {owner.get(), [&](bool held) { holds.append(held); }, [&](const LateMoveEnd &) { ++lateEnds; }};
    QSemaphore stuck;
    const auto unstick = qScopeGuard([&] { stuck.release(); });
    // The program's end as the host brings it about.
    QTimer::singleShot(
        int(CopyProgressDialog::delayMs) + 200, [&] { quit ? QCoreApplication::exit(0) : pressCancel(); });
    QElapsedTimer clock;
    clock.start();
    const MoveEnd end = runMove(
        QStringLiteral("/a"), QStringLiteral("/b"), [&](const CopyProgress &) { stuck.acquire(); }, window);
    const qint64 waited = clock.elapsed();
    if (quit) { // event loops run again
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }
    QCOMPARE(end, MoveEnd::LeftRunning);
    QVERIFY2(waited < CopyProgressDialog::delayMs + stopWaitMs + 1500, qPrintable(QString::number(waited)));
    QVERIFY(!visibleDialog());
    QCOMPARE(holds, QList<bool>({true, false}));
    QVERIFY(movesRunning());
    if (windowGone)
        owner.reset();
    stuck.release();
    QTRY_VERIFY(!movesRunning());
    QTest::qWait(50);
    QCOMPARE(lateEnds, windowGone ? 0 : 1);
}

QTEST_MAIN(TestCopyProgress)
#include "tst_copyprogress.moc"
