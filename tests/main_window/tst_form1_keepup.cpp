// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping up with the disk: other programs' changes show in the lists without
// a click, F5 shows them at once, and the last rename can be undone.
#include "controls/imagebox.h"
#include "testsupport/fakehost.h"
#include "testsupport/testfiles.h"
#include "windowdriver.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace WindowDriver;

namespace
{
// An ext4 file system with 128-byte inodes, which keep no birth time, in a
// loop image mounted for one test (needs root).
class SmallInodeExt4
{
public:
    SmallInodeExt4()
    {
        const QString image = m_dir.filePath(QStringLiteral("ext4.img"));
        QFile file(image);
        m_mounted = m_dir.isValid() && QDir(m_dir.path()).mkdir(QStringLiteral("fs")) && file.open(QIODevice::WriteOnly)
            && file.resize(16 << 20);
        file.close();
        m_mounted = m_mounted
            && run(QStringLiteral("mkfs.ext4"),
                {QStringLiteral("-q"), QStringLiteral("-F"), QStringLiteral("-I"), QStringLiteral("128"), image})
            && run(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("loop"), image, path()});
    }
    ~SmallInodeExt4()
    {
        if (m_mounted)
            ::umount2(path().toUtf8().constData(), MNT_DETACH);
    }
    SmallInodeExt4(const SmallInodeExt4 &) = delete;
    SmallInodeExt4 &operator=(const SmallInodeExt4 &) = delete;
    [[nodiscard]] bool mounted() const { return m_mounted; }
    [[nodiscard]] QString path() const { return m_dir.filePath(QStringLiteral("fs")); }

private:
    static bool run(const QString &program, const QStringList &arguments)
    {
        const QString found
            = QStandardPaths::findExecutable(program, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(found.isEmpty() ? program : found, arguments);
        return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
}

class TestForm1KeepUp : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { m_fixture.setUp(); }
    void cleanup() { m_fixture.tearDown(); }

    void anotherProgramsChangesShowWithoutAClick()
    {
        Form1 &w = *m_fixture.window;
        click(w, QStringLiteral("a.jpg"));
        typeBaseName(w, QStringLiteral("typed"));
        const qsizetype pictures = m_fixture.host->loadedPictures.size();
        shell(QStringLiteral("touch new.txt && mv notes.txt later.txt && mkdir Sub"));
        QTRY_COMPARE(listed(w.File1), names("a.jpg later.txt new.txt"));
        QTRY_VERIFY(listed(w.Dir1).contains(QStringLiteral("Sub")));
        // A refresh is not a click: the choice, the boxes and the preview stay, and no handler ran.
        QCOMPARE(w.File1->FileName(), QStringLiteral("a.jpg"));
        QCOMPARE(w.File1->selectionModel()->selectedIndexes().value(0).data().toString(), QStringLiteral("a.jpg"));
        QCOMPARE(w.FileChosen, std::int16_t(1));
        QCOMPARE(w.Text2->text(), QStringLiteral("typed"));
        QCOMPARE(w.Dir1->Path(), path("/Pics"));
        QCOMPARE(m_fixture.host->loadedPictures.size(), pictures);
        QVERIFY(m_fixture.host->messages.isEmpty());
    }

    void chosenFileRemovedByAnotherProgramStaysChosen()
    {
        Form1 &w = *m_fixture.window;
        click(w, QStringLiteral("a.jpg"));
        shell(QStringLiteral("rm a.jpg"));
        QTRY_COMPARE(listed(w.File1), names("notes.txt"));
        QCOMPARE(w.File1->FileName(), QStringLiteral("a.jpg"));
        typeBaseName(w, QStringLiteral("b"));
        press(w);
        QCOMPARE(m_fixture.host->messages.size(), 1);
        QCOMPARE(m_fixture.host->messages[0].text,
            QStringLiteral("Error File not Renamed\nThe file, or the folder it should go to, no longer exists."));
    }

    void clearedChoiceNeverMovesTheFolder()
    {
        Form1 &w = *m_fixture.window;
        w.Text5->assignText(path("/Sorted/"));
        w.Check1->setChecked(true);
        click(w, QStringLiteral("a.jpg"));
        w.File1->Refresh(); // the list forgets the choice; the window still counts a file as chosen
        typeBaseName(w, QStringLiteral("b"));
        press(w);
        QCOMPARE(m_fixture.host->messages.size(), 1);
        QVERIFY(TestFiles::exists(path("/Pics/a.jpg")));
        QVERIFY(!TestFiles::exists(path("/Sorted/b.jpg")));
    }

    void ownRenameIsNotListedAgain()
    {
        Form1 &w = *m_fixture.window;
        QSignalSpy listings(w.File1->model(), &QAbstractItemModel::modelReset);
        click(w, QStringLiteral("a.jpg"));
        typeBaseName(w, QStringLiteral("b"));
        press(w);
        QTest::qWait(700); // longer than a watched change takes to show
        QCOMPARE(listed(w.File1), names("b.jpg notes.txt"));
        QCOMPARE(listings.count(), 0);
    }

    void burstOfChangesIsListedOnce()
    {
        QSignalSpy listings(m_fixture.window->File1->model(), &QAbstractItemModel::modelReset);
        shell(QStringLiteral("for i in $(seq 500); do : > f$i; done"));
        QTRY_COMPARE(m_fixture.window->File1->model()->rowCount(), 502);
        QTest::qWait(700);
        QVERIFY2(listings.count() <= 2, qPrintable(QString::number(listings.count())));
    }

    void f5ListsWithoutTheWatch()
    {
        m_fixture.window->File1->pauseWatch();
        QVERIFY(TestFiles::write(path("/Pics/quick.txt")));
        m_fixture.window->refresh->trigger();
        QTRY_COMPARE(listed(m_fixture.window->File1), names("a.jpg notes.txt quick.txt"));
        QCOMPARE(m_fixture.window->refresh->shortcut(), QKeySequence(Qt::Key_F5));
    }

    void renameWhileTheFolderIsReadAgain()
    {
        Form1 &w = *m_fixture.window;
        click(w, QStringLiteral("a.jpg"));
        typeBaseName(w, QStringLiteral("b"));
        w.refresh->trigger(); // read on a worker thread, most likely before the rename
        press(w);
        QTRY_VERIFY(!w.File1->reloading());
        QCOMPARE(listed(w.File1), names("b.jpg notes.txt"));
    }

    void undo_data()
    {
        QTest::addColumn<bool>("move");
        QTest::newRow("rename in the folder") << false;
        QTest::newRow("move into a held folder") << true;
    }

    void undo()
    {
        QFETCH(bool, move);
        Form1 &w = *m_fixture.window;
        QVERIFY(!w.undoRename->isEnabled());
        const QString renamed = move ? path("/Sorted/b.jpg") : path("/Pics/b.jpg");
        rename(renamed);
        QVERIFY(w.undoRename->isEnabled());
        w.undoRename->trigger();
        QVERIFY(m_fixture.host->messages.isEmpty());
        QVERIFY(TestFiles::exists(path("/Pics/a.jpg")));
        QVERIFY(!TestFiles::exists(renamed));
        QCOMPARE(listed(w.File1), names("a.jpg notes.txt"));
        QVERIFY(!w.undoRename->isEnabled()); // one level
    }

    void undoRefused_data()
    {
        QTest::addColumn<QString>("meanwhile"); // what another program does after the rename
        QTest::addColumn<QString>("other"); // the file it leaves
        QTest::addColumn<QString>("reason"); // %1: that file's path
        QTest::addColumn<bool>("noBirthTimes"); // on ext4 with small inodes, which keep no birth time
        QTest::newRow("old name taken") << "echo other > a.jpg"
                                        << "a.jpg"
                                        << "Another file now has the name \"%1\"; nothing was overwritten." << false;
        const QString notTheSame
            = QStringLiteral("\"%1\" is no longer the file that was renamed; nothing was changed.");
        QTest::newRow("another file at the new name") << "echo other > c && mv c b.jpg"
                                                      << "b.jpg" << notTheSame << false;
        QTest::newRow("the new name removed and made again") << "rm b.jpg && echo other > b.jpg"
                                                             << "b.jpg" << notTheSame << false;
        QTest::newRow("made again on the freed inode, no birth times") << "rm b.jpg && echo other > b.jpg"
                                                                       << "b.jpg" << notTheSame << true;
    }

    void undoRefused()
    {
        QFETCH(QString, meanwhile);
        QFETCH(QString, other);
        QFETCH(QString, reason);
        QFETCH(bool, noBirthTimes);
        std::unique_ptr<SmallInodeExt4> image;
        if (noBirthTimes) {
            if (::geteuid() != 0)
                QSKIP("Needs root to mount an ext4 image: a file made again on a freed inode is not tested");
            image = std::make_unique<SmallInodeExt4>();
            QVERIFY2(image->mounted(), "Cannot make and mount an ext4 image with 128-byte inodes");
            m_fixture.tearDown();
            m_fixture.setUp({}, image->path());
        }
        const QString otherPath = path("/Pics/") + other;
        rename(path("/Pics/b.jpg"));
        struct stat renamed {
        }, now {};
        QCOMPARE(::stat(path("/Pics/b.jpg").toUtf8().constData(), &renamed), 0);
        shell(meanwhile);
        if (noBirthTimes) {
            QVERIFY2(!QFileInfo(path("/Pics/b.jpg")).birthTime().isValid(), "the image keeps birth times");
            QCOMPARE(::stat(path("/Pics/b.jpg").toUtf8().constData(), &now), 0);
            QVERIFY2(now.st_ino == renamed.st_ino, "the new file did not get the freed inode: the case is not tested");
        }
        m_fixture.window->undoRename->trigger();
        QCOMPARE(m_fixture.host->messages.size(), 1);
        QCOMPARE(m_fixture.host->messages[0].text, QStringLiteral("Rename not Undone\n") + reason.arg(otherPath));
        // Nothing was overwritten or moved: the other program's file is as it left it.
        QCOMPARE(TestFiles::read(otherPath), "other\n");
        if (image)
            m_fixture.tearDown();
    }

    void ctrlZUndoesTypingFirstThenTheRename()
    {
        Form1 &w = *m_fixture.window;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        rename(path("/Pics/b.jpg"));
        QTRY_VERIFY(w.Text2->hasFocus());
        QTest::keyClicks(w.Text2, QStringLiteral("x"));
        QTest::keyClick(w.Text2, Qt::Key_Z, Qt::ControlModifier); // the box's own typing first
        QCOMPARE(w.Text2->text(), QStringLiteral("b"));
        QVERIFY(TestFiles::exists(path("/Pics/b.jpg")));
        QTest::keyClick(w.Text2, Qt::Key_Z, Qt::ControlModifier); // nothing of its own left: the rename
        QVERIFY(TestFiles::exists(path("/Pics/a.jpg")));
        QVERIFY(!TestFiles::exists(path("/Pics/b.jpg")));
    }

private:
    QString path(const char *below) const { return m_fixture.path(below); }
    static QStringList names(const char *spaced) { return QString::fromUtf8(spaced).split(u' '); }

    // Runs `command` in another process, in the pictures folder.
    void shell(const QString &command) const
    {
        QProcess process;
        process.setWorkingDirectory(path("/Pics"));
        process.start(QStringLiteral("sh"), {QStringLiteral("-c"), command});
        QVERIFY(process.waitForFinished() && process.exitCode() == 0);
    }

    // Renames a.jpg to `target` (in another folder: held there) through the window.
    void rename(const QString &target)
    {
        Form1 &w = *m_fixture.window;
        const QString folder = target.section(u'/', 0, -2);
        if (folder != path("/Pics")) {
            w.Text5->assignText(folder + u'/');
            w.Check1->setChecked(true);
        }
        click(w, QStringLiteral("a.jpg"));
        typeBaseName(w, target.section(u'/', -1).section(u'.', 0, 0));
        press(w);
        QVERIFY(m_fixture.host->messages.isEmpty());
        QVERIFY(TestFiles::exists(target));
    }

    WindowDriver::Fixture m_fixture;
};

QTEST_MAIN(TestForm1KeepUp)
#include "tst_form1_keepup.moc"
