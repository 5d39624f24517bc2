// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A move that stops answering: its dialog, Cancel and quitting, and its end when it answers again.
#include "controls/copyprogress.h"
#include "files/renamefile.h"
#include "windowdriver.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QSemaphore>
#include <QTimer>

#include <cstring>

using namespace WindowDriver;

class TestForm1StuckMove : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_stuck.acquire(m_stuck.available());
        m_fixture.setUp();
    }
    void cleanup()
    {
        m_stuck.release(); // a failed check must not leave the move stuck
        QTRY_VERIFY(!movesRunning());
        setRenameHookForTests({});
        m_fixture.tearDown();
    }

    void cancelledWhileStuck_data()
    {
        QTest::addColumn<QString>("step"); // the stuck move: a press, Undo of a move into Sorted, or its Redo
        QTest::addColumn<bool>("targetTaken"); // another file takes the target name while the move is stuck
        QTest::addColumn<QString>("at"); // where a.jpg is in the end
        QTest::addColumn<QString>("late"); // what the user is told once the move answers again
        QTest::addColumn<bool>("undoable"); // what Undo and Redo offer then
        QTest::addColumn<bool>("redoable");
        // What the user is told when the move ends after all, or fails because the target was taken.
        const auto done = [](const char *at) -> QString {
            return QStringLiteral("The move that did not answer has ended after all: the file is now \"%1")
                + QLatin1String(at) + QStringLiteral("\".");
        };
        const auto taken = [](const char *at) -> QString {
            return QStringLiteral("The move that did not answer has failed: the file stays at \"%1") + QLatin1String(at)
                + QStringLiteral("\".\nA file with that name already exists there; nothing was overwritten.");
        };
        QTest::newRow("moved after all") << "press" << false << "/Sorted/a.jpg" << done("/Sorted/a.jpg") << true
                                         << false;
        QTest::newRow("refused after all: the target was taken")
            << "press" << true << "/Pics/a.jpg" << taken("/Pics/a.jpg") << false << false;
        QTest::newRow("an Undo, done after all")
            << "undo" << false << "/Pics/a.jpg" << done("/Pics/a.jpg") << false << true;
        QTest::newRow("an Undo, refused after all: it can be taken again")
            << "undo" << true << "/Sorted/a.jpg" << taken("/Sorted/a.jpg") << true << false;
        QTest::newRow("a Redo, done after all")
            << "redo" << false << "/Sorted/a.jpg" << done("/Sorted/a.jpg") << true << false;
    }

    // The move is held just before its rename, as by a system call that does not return.
    void cancelledWhileStuck()
    {
        QFETCH(QString, step);
        QFETCH(bool, targetTaken);
        const bool undo = step == QLatin1String("undo");
        Form1 &w = *m_fixture.window;
        w.show(); // the keys of quitting need an active window
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.Text5->assignText(path("/Sorted/"));
        w.Check1->setChecked(true);
        click(w, QStringLiteral("a.jpg"));
        if (step != QLatin1String("press"))
            press(w);
        if (step == QLatin1String("redo"))
            w.undoRename->trigger();
        const QString from = undo ? path("/Sorted/a.jpg") : path("/Pics/a.jpg");
        const QString to = undo ? path("/Pics/a.jpg") : path("/Sorted/a.jpg");
        const QByteArray picture = TestFiles::read(from);
        setRenameHookForTests([this](const char *stage) {
            if (std::strcmp(stage, "before-rename") == 0)
                m_stuck.acquire();
        });

        // Half a second on, the dialog is up; the window then answers only quitting.
        bool checked = false;
        QTimer::singleShot(int(CopyProgressDialog::delayMs) + 200, [&] {
            auto *dialog = w.findChild<QDialog *>(QStringLiteral("moveProgress"));
            QVERIFY(dialog && dialog->isVisible());
            const auto cancel
                = qScopeGuard([dialog] { QTest::mouseClick(dialog->findChild<QPushButton *>(), Qt::LeftButton); });
            QVERIFY(!QApplication::activeModalWidget()); // nothing keeps the window from closing
            QVERIFY(!w.central->isEnabled());
            for (const QAction *action : keyedActions(w))
                QVERIFY2(!action->isEnabled(), qPrintable(action->objectName()));
            QTest::keyClick(dialog, Qt::Key_Q, Qt::ControlModifier);
            QCOMPARE(m_fixture.host->endCalls, 1);
            checked = true;
        });
        QElapsedTimer clock;
        clock.start();
        if (step == QLatin1String("press"))
            press(w);
        else
            (undo ? w.undoRename : w.redoRename)->trigger();
        QVERIFY(checked);
        QVERIFY2(clock.elapsed() < CopyProgressDialog::delayMs + stopWaitMs + 1500,
            qPrintable(QString::number(clock.elapsed())));

        // The window has stopped waiting, says so, and answers.
        QVERIFY(!w.findChild<QDialog *>(QStringLiteral("moveProgress")));
        QList<FakeHost::Message> &messages = m_fixture.host->messages;
        const QString refused = step == QLatin1String("press") ? QStringLiteral("Error File not Renamed\n")
            : undo                                             ? QStringLiteral("Rename not Undone\n")
                                                               : QStringLiteral("Rename not Redone\n");
        QCOMPARE(messages.constLast().text,
            refused
                + QStringLiteral("The disk does not answer, so the move could not be stopped yet; it goes on in the "
                                 "background. You will be told how it ends; nothing is lost either way."));
        QVERIFY(w.central->isEnabled() && w.refresh->isEnabled() && w.renameNext->isEnabled());
        QVERIFY(!w.undoRename->isEnabled() && !w.redoRename->isEnabled()); // nothing may take the file meanwhile
        click(w, QStringLiteral("notes.txt"));
        QCOMPARE(w.Text2->text(), QStringLiteral("notes"));
        QCOMPARE(TestFiles::read(from), picture);
        QVERIFY(!TestFiles::exists(to));

        // The move answers again; its end is handled as any other's.
        if (targetTaken)
            QVERIFY(TestFiles::write(to, "other"));
        const qsizetype told = messages.size();
        m_stuck.release();
        QTRY_COMPARE(messages.size(), told + 1);
        QFETCH(QString, late);
        QCOMPARE(messages.constLast().text, late.arg(m_fixture.dir->path()));
        QFETCH(QString, at);
        QCOMPARE(TestFiles::read(path(at.toUtf8().constData())), picture);
        if (targetTaken)
            QCOMPARE(TestFiles::read(to), "other");
        QTRY_COMPARE(listed(w.File1).contains(QStringLiteral("a.jpg")), TestFiles::exists(path("/Pics/a.jpg")));
        QTEST(w.undoRename->isEnabled(), "undoable");
        QTEST(w.redoRename->isEnabled(), "redoable");
    }

private:
    [[nodiscard]] QString path(const char *below) const { return m_fixture.path(below); }
    // What would start a move, or change what the window shows, from the keyboard or a menu.
    [[nodiscard]] static QList<QAction *> keyedActions(const Form1 &w)
    {
        return {w.undoRename, w.redoRename, w.refresh, w.renameNext, w.nextFile, w.previousFile, w.findName,
            w.findDestination, w.openRecent};
    }

    WindowDriver::Fixture m_fixture;
    QSemaphore m_stuck;
};

QTEST_MAIN(TestForm1StuckMove)
#include "tst_form1_stuckmove.moc"
