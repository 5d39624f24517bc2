// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog that shows the progress of a move to another file system.
#include "controls/copyprogress.h"

#include "base/hosterror.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QSemaphore>
#include <QTest>
#include <QTimer>

#include <cerrno>

class TestCopyProgress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void progressDialogAfterDelay();
    void moveOnAWorkerThread_data();
    void moveOnAWorkerThread();
};

namespace
{
QProgressDialog *visibleDialog()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<QProgressDialog *>(widget); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}
}

void TestCopyProgress::progressDialogAfterDelay()
{
    CopyProgressDialog progress(QStringLiteral("/a"), QStringLiteral("/b"));
    QVERIFY(progress.update(0, 4000));
    QVERIFY(!visibleDialog());
    QTest::qWait(int(CopyProgressDialog::delayMs) + 100);
    QVERIFY(progress.update(1000, 4000));
    QProgressDialog *dialog = visibleDialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
    QCOMPARE(dialog->value(), dialog->maximum() / 4);
    dialog->cancel();
    QVERIFY(!progress.update(2000, 4000));
}

void TestCopyProgress::moveOnAWorkerThread_data()
{
    QTest::addColumn<bool>("copies"); // the move reports a copy, then stalls
    QTest::addColumn<bool>("cancel"); // the user presses Cancel while it stalls
    QTest::addColumn<int>("failure"); // what the move raises, 0 for nothing
    QTest::newRow("a stalled copy shows the dialog") << true << false << 0;
    QTest::newRow("Cancel while the copy stalls") << true << true << int(ECANCELED);
    QTest::newRow("a slow rename shows none") << false << false << 0;
    QTest::newRow("a failure is raised on the caller's thread") << false << false << int(EXDEV);
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
            QTest::mouseClick(visibleDialog()->findChild<QPushButton *>(), Qt::LeftButton);
        stalled.release();
    });
    int raised = 0;
    bool copied = false;
    try {
        copied = runMove(QStringLiteral("/a"), QStringLiteral("/b"), [&](const CopyProgress &progress) {
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
    QCOMPARE(dialogShown, copies);
    QCOMPARE(raised, failure);
    QCOMPARE(copied, copies && failure == 0);
    QVERIFY(!visibleDialog());
}

QTEST_MAIN(TestCopyProgress)
#include "tst_copyprogress.moc"
