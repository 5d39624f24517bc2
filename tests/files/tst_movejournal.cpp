// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a killed move leaves is tidied from the journal of moves alone: files
// that only look like the program's are never touched, a file set aside gets
// its full name back (also on FAT mounted again), and a journal that cannot be
// written refuses the move rather than lose track.
#include "renamefixture.h"

#include "files/journalformat.h"

#include <QCoreApplication>

#include <csignal>
#include <thread>

namespace
{
const QByteArray payload = pattern(300 << 10);

// Moves `from` to `to` once with named copies, killing itself at `stage`.
int runKilledMove(const QString &from, const QString &to, const char *stage)
{
    setNamedCopiesForTests(true);
    setRenameHookForTests([stage](const char *name) {
        if (qstrcmp(stage, name) == 0)
            std::raise(SIGKILL);
    });
    return renameError(from, to);
}

// Moves `a` to `b` and back `rounds` times with named copies; prints the failures.
int shuttle(const QString &a, const QString &b, int rounds)
{
    setNamedCopiesForTests(true);
    int failures = 0;
    for (int round = 0; round < rounds; ++round) {
        for (const int error : {renameError(a, b), renameError(b, a)}) {
            if (error != 0)
                std::printf("move failed: %s\n", qPrintable(HostError::fromErrno(error).text()));
            failures += error != 0;
        }
    }
    return failures;
}
}

class TestMoveJournal : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        for (const char *folder : {"src", "mnt", "state"})
            QVERIFY(QDir(m_dir->path()).mkpath(QString::fromLatin1(folder)));
        qputenv("XDG_STATE_HOME", m_dir->filePath(QStringLiteral("state")).toUtf8());
    }

    void cleanup()
    {
        setNamedCopiesForTests(false);
        qunsetenv("XDG_STATE_HOME");
    }

    void lookAlikesSurvive_data()
    {
        QTest::addColumn<QString>("killedAt"); // where a killed move left a file in the journal, "" for none
        QTest::addColumn<QString>("lookAlike"); // then put in that file's place, or made by hand
        QTest::newRow("made by hand") << ""
                                      << "";
        QTest::newRow("in place of a set-aside file") << "after-set-aside"
                                                      << "src/";
        QTest::newRow("in place of a copy in progress") << "before-publish"
                                                        << "mnt/";
    }

    // Moves out of and back into both folders leave other files with the
    // program's hidden names as they are, even where the journal names them.
    void lookAlikesSurvive()
    {
        QFETCH(QString, killedAt);
        QFETCH(QString, lookAlike);
        Tmpfs fs(path(QStringLiteral("mnt")), "16m");
        REQUIRE_MOUNT(fs);
        const QString from = path(QStringLiteral("src/a.bin")), to = path(QStringLiteral("mnt/a.bin"));
        writeFile(bytes(from), payload);
        QStringList made;
        if (!killedAt.isEmpty()) {
            QCOMPARE(runHelper({QStringLiteral("--killed"), from, to, killedAt}), -1);
            const QString left = hidden().value(0);
            QVERIFY2(left.startsWith(lookAlike), qPrintable(left));
            QCOMPARE(::unlink(bytes(path(left)).c_str()), 0);
            made << left;
        }
        made << QStringLiteral("src/.zindle-XyZ789~notes") << QStringLiteral("mnt/.zindle-XyZ789~notes")
             << QStringLiteral("src/.zindle-AbC123.part") << QStringLiteral("mnt/.zindle-AbC123.part");
        for (const QString &name : made)
            writeFile(bytes(path(name)), "by hand");
        writeFile(bytes(path(QStringLiteral("src/b.txt"))), "b");

        QCOMPARE(renameError(path(QStringLiteral("src/b.txt")), path(QStringLiteral("mnt/b.txt"))), 0);
        QCOMPARE(renameError(path(QStringLiteral("mnt/b.txt")), path(QStringLiteral("src/b.txt"))), 0);

        made.sort();
        QCOMPARE(hidden(), made);
        for (const QString &name : made)
            QCOMPARE(contents(path(name)), QByteArray("by hand"));
        QVERIFY(!QFile::exists(path(QStringLiteral("src/notes"))) && !QFile::exists(path(QStringLiteral("mnt/notes"))));
        QVERIFY(contents(from) == payload || contents(to) == payload);
    }

    void killedAfterSetAsideOfLongName_data()
    {
        QTest::addColumn<bool>("fat"); // from FAT, mounted again before the next move; else from the disk
        QTest::newRow("from the disk") << false;
        QTest::newRow("from FAT mounted again") << true;
    }

    // The set-aside name cannot hold all of a long name: the journal can.
    void killedAfterSetAsideOfLongName()
    {
        QFETCH(bool, fat);
        Tmpfs fs(path(QStringLiteral("mnt")), "16m");
        FuseFat stick(path(QStringLiteral("fat.img")), path(QStringLiteral("src")), fat);
        if (fat) {
            REQUIRE_FAT(stick);
        } else {
            REQUIRE_MOUNT(fs);
        }
        const QString name = QString(246, u'n') + QStringLiteral(".txt");
        const QString from = path(QStringLiteral("src/") + name);
        writeFile(bytes(from), payload);
        writeFile(bytes(path(QStringLiteral("src/other.txt"))), "other");

        QCOMPARE(runHelper({QStringLiteral("--killed"), from, path(QStringLiteral("mnt/a.txt")),
                     QStringLiteral("after-set-aside")}),
            -1);
        QCOMPARE(hidden().size(), 1);
        if (fat)
            QVERIFY(stick.unmount() && stick.mount());
        QCOMPARE(renameError(path(QStringLiteral("src/other.txt")), path(QStringLiteral("mnt/other.txt"))), 0);

        QCOMPARE(entries(path(QStringLiteral("src"))), QStringList(name));
        QCOMPARE(contents(from), payload);
        QCOMPARE(contents(path(QStringLiteral("mnt/a.txt"))), payload); // the copy was complete, too
    }

    void journalUnusable_data()
    {
        QTest::addColumn<bool>("folder"); // the journal's folder can be made; else a file stands there
        QTest::addColumn<int>("error");
        QTest::newRow("a file in place of its folder") << false << ENOLCK;
        QTest::newRow("lines that fail their checksum") << true << 0;
    }

    // A journal that cannot be written refuses the move; lines it cannot read are never acted on.
    void journalUnusable()
    {
        QFETCH(bool, folder);
        Tmpfs fs(path(QStringLiteral("mnt")), "16m");
        REQUIRE_MOUNT(fs);
        const QString state = path(QStringLiteral("state/zindle"));
        const QString lookAlike = path(QStringLiteral("src/.zindle-AbC123~notes"));
        writeFile(bytes(lookAlike), "by hand");
        if (folder) {
            // An entry for the look-alike, as a killed move would have left it, but cut and altered.
            const int src = ::open(bytes(path(QStringLiteral("src"))).c_str(), O_PATH | O_DIRECTORY);
            struct stat st {
            };
            QVERIFY(src >= 0 && ::fstat(src, &st) == 0);
            RenameJournal::Entry entry;
            entry.folder = RenameJournal::folderPath(src);
            entry.name = ".zindle-AbC123~notes";
            entry.original = "notes";
            QCOMPARE(::fstatat(src, entry.name.c_str(), &st, 0), 0);
            RenameJournal::describe(entry, st, src, entry.name);
            ::close(src);
            std::string line = RenameJournal::entryLine(1, entry);
            line[line.size() - 2] ^= 1;
            QVERIFY(QDir().mkpath(state));
            writeFile(
                bytes(state + QStringLiteral("/journal")), "garbage\n" + QByteArray::fromStdString(line) + "1- 1");
        } else {
            writeFile(bytes(state), "not a folder");
        }
        const QString from = path(QStringLiteral("src/a.bin"));
        writeFile(bytes(from), payload);

        QTEST(renameError(from, path(QStringLiteral("mnt/a.bin"))), "error");

        QCOMPARE(contents(folder ? path(QStringLiteral("mnt/a.bin")) : from), payload);
        QCOMPARE(entries(path(QStringLiteral("src"))).size() + entries(path(QStringLiteral("mnt"))).size(), 2);
        QCOMPARE(contents(lookAlike), QByteArray("by hand"));
    }

    // Threads of this process and another process move files across at once,
    // each tidying the folders the others are using: none takes another's file.
    void concurrentMoves()
    {
        Tmpfs fs(path(QStringLiteral("mnt")), "64m");
        REQUIRE_MOUNT(fs);
        constexpr int threads = 4, rounds = 15;
        for (int i = 0; i <= threads; ++i)
            writeFile(bytes(path(QStringLiteral("src/%1.bin").arg(i))), payload);
        QProcess other;
        other.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--shuttle"), path(QStringLiteral("src/0.bin")), path(QStringLiteral("mnt/0.bin")),
                QString::number(rounds)});
        setNamedCopiesForTests(true);
        std::vector<std::thread> movers;
        std::atomic<int> failures {0};
        for (int i = 1; i <= threads; ++i)
            movers.emplace_back([&, i] {
                failures += shuttle(
                    path(QStringLiteral("src/%1.bin").arg(i)), path(QStringLiteral("mnt/%1.bin").arg(i)), rounds);
            });
        for (std::thread &mover : movers)
            mover.join();
        QVERIFY(other.waitForFinished(60000));
        QCOMPARE(other.readAllStandardOutput(), QByteArray());
        QCOMPARE(failures.load(), 0);
        QCOMPARE(hidden(), QStringList());
        for (int i = 0; i <= threads; ++i)
            QCOMPARE(contents(path(QStringLiteral("src/%1.bin").arg(i))), payload);
        QCOMPARE(QFileInfo(path(QStringLiteral("state/zindle/journal"))).size(), 0);
    }

private:
    [[nodiscard]] QString path(const QString &relative) const { return m_dir->path() + u'/' + relative; }
    // The program's hidden names in both folders, as "src/…" and "mnt/…".
    [[nodiscard]] QStringList hidden() const
    {
        QStringList names;
        for (const QString &folder : {QStringLiteral("mnt"), QStringLiteral("src")}) {
            for (const QString &name : entries(path(folder)).filter(QStringLiteral(".zindle-")))
                names << folder + u'/' + name;
        }
        names.sort();
        return names;
    }
    // Runs this program with `arguments`; its exit code, or -1 when it was killed.
    static int runHelper(const QStringList &arguments)
    {
        QProcess helper;
        helper.start(QCoreApplication::applicationFilePath(), arguments);
        if (!helper.waitForFinished(30000))
            return -2;
        return helper.exitStatus() == QProcess::CrashExit ? -1 : helper.exitCode();
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

int main(int argc, char **argv)
{
    if (argc == 5 && qstrcmp(argv[1], "--killed") == 0)
        return runKilledMove(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), argv[4]);
    if (argc == 5 && qstrcmp(argv[1], "--shuttle") == 0)
        return shuttle(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), std::atoi(argv[4]));
    QCoreApplication app(argc, argv);
    TestMoveJournal test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_movejournal.moc"
