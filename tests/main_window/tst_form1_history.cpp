// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the window remembers: the renames and moves that Undo takes back and Redo
// does again, and the recent destinations, kept from one run to the next.
#include "controls/recentfolders.h"
#include "files/pathcodec.h"
#include "main_window/renamehistory.h"
#include "testsupport/fakehost.h"
#include "testsupport/testfiles.h"
#include "windowdriver.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QProcess>

#include <sys/mount.h>

using namespace WindowDriver;

class TestForm1History : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { m_fixture.setUp({"/Disk"}); }
    void cleanup() { m_fixture.tearDown(); }

    // Three renames, one of them a move to another disk, then undo and redo in turn, with
    // other programs in the way: what is on disk and what the menu offers after each.
    void undoAndRedo()
    {
        const std::string disk = encodePath(path("/Disk"));
        if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=4m") != 0)
            QSKIP("Cannot mount a tmpfs here (needs root): undo across disks is not tested");
        const auto unmount = qScopeGuard([&] { ::umount2(disk.c_str(), MNT_DETACH); });
        rename("a.jpg", "/Pics/", "b");
        rename("notes.txt", "/Disk/", "notes");
        rename("b.jpg", "/Pics/", "c");
        struct Step {
            const char *action; // "undo", "redo", or a shell command run in the pictures folder
            const char *files; // in Pics, then "|", in Disk
            const char *undo; // the menu's items afterwards
            const char *redo;
            const char *message; // the start of the refusal shown; "" for none
        };
        const Step steps[] {
            {"undo", "b.jpg | notes.txt", "&Undo Rename and Move \"notes.txt\"", "&Redo Rename \"b.jpg\"", ""},
            {"undo", "b.jpg notes.txt |", "&Undo Rename \"a.jpg\"", "&Redo Rename and Move \"notes.txt\"", ""},
            {"redo", "b.jpg | notes.txt", "&Undo Rename and Move \"notes.txt\"", "&Redo Rename \"b.jpg\"", ""},
            {"echo other > notes.txt", "", "", "", ""},
            {"undo", "b.jpg notes.txt | notes.txt", "&Undo Rename and Move \"notes.txt\"", "&Redo Rename \"b.jpg\"",
                "Rename not Undone\nAnother file now has the name"},
            {"rm notes.txt", "", "", "", ""},
            {"undo", "b.jpg notes.txt |", "&Undo Rename \"a.jpg\"", "&Redo Rename and Move \"notes.txt\"", ""},
            {"echo other > x && mv x b.jpg", "", "", "", ""},
            {"undo", "b.jpg notes.txt |", "&Undo Rename", "&Redo Rename and Move \"notes.txt\"",
                "Rename not Undone\n\""},
            {"redo", "b.jpg | notes.txt", "&Undo Rename and Move \"notes.txt\"", "&Redo Rename \"b.jpg\"", ""},
        };
        Form1 &w = *m_fixture.window;
        for (const Step &step : steps) {
            const QString action = QLatin1String(step.action);
            m_fixture.host->messages.clear();
            if (action == QLatin1String("undo") || action == QLatin1String("redo")) {
                (action == QLatin1String("undo") ? w.undoRename : w.redoRename)->trigger();
            } else {
                shell(action);
                continue;
            }
            const QString where = action + u' ' + QString::number(&step - steps);
            QCOMPARE(folders(), QString::fromUtf8(step.files));
            QCOMPARE(w.undoRename->text(), QString::fromUtf8(step.undo));
            QCOMPARE(w.redoRename->text(), QString::fromUtf8(step.redo));
            QCOMPARE(w.undoRename->isEnabled(), w.undoRename->text().contains(u'"'));
            const QString message = m_fixture.host->messages.isEmpty() ? QString() : m_fixture.host->messages[0].text;
            QVERIFY2(message.left(int(qstrlen(step.message))) == QString::fromUtf8(step.message)
                    && message.isEmpty() == !*step.message,
                qPrintable(where + u' ' + message));
        }
        QCOMPARE(TestFiles::read(path("/Disk/notes.txt")), QByteArray("notes"));
    }

    void historyKeepsTwentySteps()
    {
        Form1 &w = *m_fixture.window;
        QString name = QStringLiteral("a");
        for (int step = 1; step <= 22; ++step) {
            const QString next = QStringLiteral("n%1").arg(step);
            rename(name + QStringLiteral(".jpg"), QStringLiteral("/Pics/"), next);
            name = next;
        }
        for (int step = 0; step < 25; ++step)
            w.undoRename->trigger();
        QVERIFY(m_fixture.host->messages.isEmpty());
        QVERIFY(TestFiles::exists(path("/Pics/n2.jpg"))); // the two oldest renames are forgotten
        QVERIFY(!w.undoRename->isEnabled());
        QCOMPARE(w.redoRename->text(), QStringLiteral("&Redo Rename \"n2.jpg\""));
    }

    void stepsThatEndLate_data()
    {
        QTest::addColumn<bool>("back"); // the step left running is an undo, else a redo
        QTest::addColumn<bool>("done"); // it ended done, else refused
        QTest::addColumn<bool>("renamedMeanwhile"); // another rename was done before it ended
        QTest::addColumn<QString>("undo"); // where the file goes by what Undo and Redo then offer
        QTest::addColumn<QString>("redo");
        QTest::newRow("an undo done: Redo offers it") << true << true << false << ""
                                                      << "/p/b";
        QTest::newRow("an undo refused: Undo offers it again") << true << false << false << "/p/a"
                                                               << "";
        QTest::newRow("a redo done: Undo offers it") << false << true << false << "/p/a"
                                                     << "";
        QTest::newRow("a redo refused: Redo offers it again") << false << false << false << ""
                                                              << "/p/b";
        QTest::newRow("an undo done after a new rename is not redone") << true << true << true << "/p/c"
                                                                       << "";
    }

    // A step whose move was left running is out of the history until its move ends, and
    // then put where its end says.
    void stepsThatEndLate()
    {
        QFETCH(bool, back);
        QFETCH(bool, done);
        QFETCH(bool, renamedMeanwhile);
        const FileId file {1, 2, 3, "handle"}, later {1, 2, 4, "later"};
        RenameHistory history;
        history.done({QStringLiteral("/p/a"), QStringLiteral("/p/b"), file});
        if (!back)
            history.undone(file);
        history.leftRunning(back);
        QVERIFY(!history.nextUndo() && !history.nextRedo());
        if (renamedMeanwhile)
            history.done({QStringLiteral("/p/c"), QStringLiteral("/p/d"), file});
        history.endedLate(back ? QStringLiteral("/p/b") : QStringLiteral("/p/a"),
            back ? QStringLiteral("/p/a") : QStringLiteral("/p/b"), done, later);
        const std::optional<RenameStep> undo = history.nextUndo(), redo = history.nextRedo();
        QTEST(undo ? undo->from : QString(), "undo");
        QTEST(redo ? redo->to : QString(), "redo");
        if (undo || redo) // a step done anew is the file as it now is
            QCOMPARE((undo ? undo : redo)->file, done && !renamedMeanwhile ? later : file);
    }

    // Two runs of the program sharing the user's configuration folder.
    void recentDestinationsAcrossRuns()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        const QString odd = decodePath(encodePath(path("/")) + "Caf\xe9 \xff");
        QVERIFY(TestFiles::makeFolder(odd));
        m_fixture.host->keptForReal = true;
        rename(QStringLiteral("a.jpg"), odd + u'/', QStringLiteral("a"));
        rename("notes.txt", "/Sorted/", "notes");
        QCOMPARE(m_fixture.window->recentDestinations(), QStringList({path("/Sorted/"), odd + u'/'}));

        m_fixture.window.reset(); // the next run
        FakeHost host;
        host.keptForReal = true;
        host.documents.insert(QStringLiteral("maria"), path("/Pics"));
        QVERIFY(TestFiles::write(path("/Pics/new.txt"), "new"));
        Form1 w(host);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.recentDestinations(), QStringList({path("/Sorted/"), odd + u'/'}));
        click(w, QStringLiteral("new.txt"));
        QTest::keyClick(w.Text2, Qt::Key_L, Qt::ControlModifier);
        QTest::keyClick(w.Text5, Qt::Key_Down, Qt::AltModifier);
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
            QTest::keyClick(QApplication::activePopupWidget(), key);
        QCOMPARE(w.Text5->text(), odd + u'/');
        press(w);
        QCOMPARE(TestFiles::read(odd + QStringLiteral("/new.txt")), QByteArray("new"));
        QCOMPARE(w.recentDestinations().constFirst(), odd + u'/');
        qunsetenv("XDG_CONFIG_HOME");
    }

    void recentDestinationsOffered_data()
    {
        QTest::addColumn<QStringList>("recent"); // below the temporary folder
        QTest::addColumn<QString>("typed"); // after the temporary folder; "-": Alt+Down instead
        QTest::addColumn<QStringList>("offered");
        const QString missing = QStringLiteral("/gone/ (not found)");
        const auto list = [](const char *spaced) { return QString::fromLatin1(spaced).split(u' '); };
        QTest::newRow("newest first, missing last")
            << list("/gone/ /Sorted/ /Pics/") << "-" << (list("/Sorted/ /Pics/") << missing);
        QTest::newRow("typing completes a folder") << QStringList() << "/So" << list("/Sorted/");
        QTest::newRow("whatever the case") << QStringList() << "/so" << list("/Sorted/");
        QTest::newRow("a recent one, offered once") << list("/Sorted/ /Pics/") << "/P" << list("/Pics/");
        QTest::newRow("a recent one first")
            << list("/Pics/Sub/ /gone/") << "/" << (list("/Pics/Sub/ /Disk/ /Pics/ /Sorted/") << missing);
    }

    void recentDestinationsOffered()
    {
        QFETCH(QStringList, recent);
        QFETCH(QString, typed);
        QVERIFY(TestFiles::makeFolder(path("/Pics/Sub")));
        for (const QString &folder : recent)
            m_fixture.host->recent.append(m_fixture.dir->path() + folder);
        Form1 &w = *m_fixture.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.Text5->setFocus();
        w.Text5->clear();
        if (typed == QLatin1String("-"))
            QTest::keyClick(w.Text5, Qt::Key_Down, Qt::AltModifier);
        else
            QTest::keyClicks(w.Text5, m_fixture.dir->path() + typed);
        QStringList offered = w.Text5->findChild<RecentFolders *>()->offered();
        offered.replaceInStrings(m_fixture.dir->path(), QString());
        QTEST(offered, "offered");
    }

    void tenDestinationsAreKept()
    {
        auto *recent = m_fixture.window->Text5->findChild<RecentFolders *>();
        for (int folder = 0; folder < 12; ++folder)
            recent->remember(QStringLiteral("/f%1/").arg(folder));
        recent->remember(QStringLiteral("/f5/"));
        QCOMPARE(m_fixture.host->recent,
            QString::fromLatin1("/f5/ /f11/ /f10/ /f9/ /f8/ /f7/ /f6/ /f4/ /f3/ /f2/").split(u' '));
    }

private:
    QString path(const char *below) const { return m_fixture.path(below); }

    // Renames `name` of the pictures folder into `folder` (below the temporary folder, or absolute) as `base`.
    void rename(const QString &name, const QString &folder, const QString &base)
    {
        Form1 &w = *m_fixture.window;
        w.Dir1->setPath(path("/Pics"));
        click(w, name);
        w.Text5->assignText(folder.startsWith(m_fixture.dir->path()) ? folder : m_fixture.dir->path() + folder);
        typeBaseName(w, base);
        press(w);
        QVERIFY2(m_fixture.host->messages.isEmpty(), qPrintable(m_fixture.host->messages.value(0).text));
    }
    void rename(const char *name, const char *folder, const char *base)
    {
        rename(QLatin1String(name), QLatin1String(folder), QLatin1String(base));
    }

    void shell(const QString &command) const
    {
        QProcess process;
        process.setWorkingDirectory(path("/Pics"));
        process.start(QStringLiteral("sh"), {QStringLiteral("-c"), command});
        QVERIFY(process.waitForFinished() && process.exitCode() == 0);
    }

    // The pictures folder's files, "|", the other disk's.
    QString folders() const
    {
        const QString both = QDir(path("/Pics")).entryList(QDir::Files).join(u' ') + QStringLiteral(" | ")
            + QDir(path("/Disk")).entryList(QDir::Files).join(u' ');
        return both.trimmed();
    }

    WindowDriver::Fixture m_fixture;
};

QTEST_MAIN(TestForm1History)
#include "tst_form1_history.moc"
