// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog that shows the progress of a move to another file system.
#include "controls/copyprogress.h"

#include <QApplication>
#include <QProgressDialog>
#include <QTest>

class TestCopyProgress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void progressDialogAfterDelay();
};

void TestCopyProgress::progressDialogAfterDelay()
{
    const auto visibleDialog = [] {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<QProgressDialog *>(widget); dialog && dialog->isVisible())
                return dialog;
        return static_cast<QProgressDialog *>(nullptr);
    };
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

QTEST_MAIN(TestCopyProgress)
#include "tst_copyprogress.moc"
