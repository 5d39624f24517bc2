// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Moves to another file system while the source changes, while another
// process saves over it, and killed part way: only the very file that was
// copied, unchanged, is ever removed, and the file is always complete at its
// source or its target.
#include "renamefixture.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSet>

#include <csignal>
#include <thread>

namespace
{
const QByteArray original = "original-content", sameSize = "replaced-content";

// A save as editors do it: a new file renamed over the old name.
void save(const QString &path, const QByteArray &data, const timespec *mtime)
{
    const std::string temp = bytes(path) + ".new";
    writeFile(temp, data);
    const timespec times[2] = {*mtime, *mtime};
    QCOMPARE(::utimensat(AT_FDCWD, temp.c_str(), times, 0), 0);
    QCOMPARE(::rename(temp.c_str(), bytes(path).c_str()), 0);
}

QByteArray version(int number)
{
    static const QByteArray body = pattern(64 << 10);
    return "version " + QByteArray::number(number) + '\n' + body;
}

// Saves `folder`/a.txt over and over until `folder`/.stop appears. Each save
// swaps the new version in (RENAME_EXCHANGE, atomic like a rename over the
// old file), so the saver knows which version it replaced. Prints the last
// version saved, then every version it replaced.
int runSaver(const std::string &folder)
{
    const std::string file = folder + "/a.txt", temp = folder + "/.saving";
    QByteArray replaced;
    int saved = 0;
    while (::access((folder + "/.stop").c_str(), F_OK) != 0) {
        ::unlink(temp.c_str());
        writeFile(temp, version(saved + 1));
        if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, file.c_str(), RENAME_EXCHANGE) == 0)
            replaced += ' ' + contents(decodePath(temp)).split('\n').first().mid(8);
        else if (errno != ENOENT || ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, file.c_str(), RENAME_NOREPLACE) != 0)
            continue;
        ++saved;
        ::usleep(QRandomGenerator::global()->bounded(200));
    }
    ::unlink(temp.c_str());
    std::printf("%d%s\n", saved, replaced.constData());
    return 0;
}

const QByteArray &bigFile()
{
    static const QByteArray data = pattern(12 << 20); // more than one copy chunk
    return data;
}

// Moves `from` to `to`, killing itself at `stage` ("copying": after the first
// chunk); at "anywhere", moves the file back and forth until killed.
int runMover(const QString &from, const QString &to, const char *stage, bool named)
{
    setNamedCopiesForTests(named);
    setRenameHookForTests([stage](const char *name) {
        if (qstrcmp(stage, name) == 0)
            std::raise(SIGKILL);
    });
    const auto progress = [stage](qint64 done, qint64) {
        if (done > 0 && qstrcmp(stage, "copying") == 0)
            std::raise(SIGKILL);
        return true;
    };
    std::puts("ready");
    std::fflush(stdout);
    try {
        for (;;) {
            renameFile(from, to, progress);
            renameFile(to, from, progress);
        }
    } catch (const HostError &error) {
        std::printf("move failed: %s\n", qPrintable(error.text()));
    }
    return 1;
}
}

class TestMoveHazards : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("src")));
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("mnt")));
    }

    void cleanup() { setRenameHookForTests({}); }

    void changeDuringMove_data()
    {
        QTest::addColumn<QString>("stage");
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("error");
        QTest::addColumn<QByteArray>("atSource");
        QTest::addColumn<QByteArray>("atTarget");
        const QByteArray missing = "<missing>";
        QTest::newRow("saved just before the set-aside") << "before-set-aside"
                                                         << "save" << EAGAIN << QByteArray("saved") << missing;
        QTest::newRow("saved once the source is aside") << "after-set-aside"
                                                        << "save" << 0 << QByteArray("saved") << original;
        QTest::newRow("rewritten in place, time put back, copy not yet named")
            << "before-publish"
            << "rewrite" << EAGAIN << sameSize << missing;
        QTest::newRow("rewritten in place, time put back, copy named") << "before-remove-source"
                                                                       << "rewrite" << EAGAIN << sameSize << missing;
        QTest::newRow("rewritten in place, time put back, just before the set-aside")
            << "before-set-aside"
            << "rewrite" << EAGAIN << sameSize << missing;
        QTest::newRow("rewritten in place, time put back, once aside") << "after-set-aside"
                                                                       << "rewrite" << EAGAIN << sameSize << missing;
        QTest::newRow("saved at the same size and time") << "before-remove-source"
                                                         << "save same" << EAGAIN << sameSize << missing;
        QTest::newRow("appended to once aside") << "after-set-aside"
                                                << "append" << EAGAIN << original + "more" << missing;
    }

    void changeDuringMove()
    {
        QFETCH(QString, stage);
        QFETCH(QString, change);
        Tmpfs fs(path(QStringLiteral("mnt")), "16m");
        REQUIRE_MOUNT(fs);
        const QString from = path(QStringLiteral("src/a.txt")), to = path(QStringLiteral("mnt/a.txt"));
        writeFile(bytes(from), original);
        const timespec old = {1500000000, 0}, times[2] = {old, old};
        QCOMPARE(::utimensat(AT_FDCWD, bytes(from).c_str(), times, 0), 0);
        setRenameHookForTests([&](const char *name) {
            if (stage != QLatin1String(name))
                return;
            const QString aside = entries(path(QStringLiteral("src"))).filter(QStringLiteral(".zindle-")).value(0);
            if (change == QLatin1String("save") || change == QLatin1String("save same"))
                save(from, change == QLatin1String("save") ? QByteArray("saved") : sameSize, &old);
            // Once aside, the file is reached as a writer that had it open would reach it.
            const bool save = change.startsWith(QLatin1String("save"));
            const QString file = aside.isEmpty() || save ? from : path(QStringLiteral("src/") + aside);
            const int fd = ::open(bytes(file).c_str(), O_WRONLY | (change == QLatin1String("append") ? O_APPEND : 0));
            if (!aside.isEmpty() && !save)
                QTest::qSleep(20); // later than the set-aside by more than the clock's tick, as any other program is
            if (change == QLatin1String("rewrite"))
                QCOMPARE(::pwrite(fd, sameSize.constData(), std::size_t(sameSize.size()), 0), ssize_t(sameSize.size()));
            if (change == QLatin1String("append"))
                QCOMPARE(::write(fd, "more", 4), ssize_t(4));
            QCOMPARE(::futimens(fd, times), 0); // the modification time put back
            ::close(fd);
        });

        QTEST(renameError(from, to), "error");

        QTEST(contents(from), "atSource");
        QTEST(contents(to), "atTarget");
        QCOMPARE(entries(path(QStringLiteral("src"))), QStringList(QStringLiteral("a.txt")));
    }

    // A FIFO put at the source's name just before it is opened is refused at
    // once: the open does not wait for a writer.
    void fifoAtSource()
    {
        Tmpfs fs(path(QStringLiteral("mnt")), "16m");
        REQUIRE_MOUNT(fs);
        const QString from = path(QStringLiteral("src/a.txt")), moved = path(QStringLiteral("src/a.txt.kept"));
        writeFile(bytes(from), original);
        setRenameHookForTests([&](const char *stage) {
            if (qstrcmp(stage, "before-open") == 0)
                QVERIFY(::rename(bytes(from).c_str(), bytes(moved).c_str()) == 0
                    && ::mkfifo(bytes(from).c_str(), 0644) == 0);
        });
        std::atomic<int> error {-1};
        std::thread mover([&] { error = renameError(from, path(QStringLiteral("mnt/a.txt"))); });
        const bool ended = QTest::qWaitFor([&] { return error != -1; }, 5000);
        if (!ended) // stuck in the open: a writer sets it free, so that the test can end
            ::close(::open(bytes(from).c_str(), O_WRONLY));
        mover.join();
        QVERIFY2(ended, "the move waited for a writer of the FIFO");
        QCOMPARE(error.load(), EAGAIN);
        QCOMPARE(contents(moved), original);
        QCOMPARE(entries(path(QStringLiteral("mnt"))), QStringList());
    }

    // A second process saves at the source path in a loop while moves run: every
    // version it saved is afterwards either one it replaced itself, or complete
    // at the source or among the moved files.
    void savesWhileMoving()
    {
        Tmpfs fs(path(QStringLiteral("mnt")), "256m");
        REQUIRE_MOUNT(fs);
        QProcess saver;
        saver.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--saver"), path(QStringLiteral("src"))});
        QVERIFY(saver.waitForStarted());
        const QString from = path(QStringLiteral("src/a.txt"));
        QTRY_VERIFY(QFile::exists(from));
        int moved = 0, changed = 0;
        for (int round = 0; round < 400; ++round) {
            while (::access(bytes(from).c_str(), F_OK) != 0)
                ::usleep(20);
            const int error = renameError(from, path(QStringLiteral("mnt/%1.txt").arg(round)));
            QVERIFY2(error == 0 || error == EAGAIN || error == ENOENT, qPrintable(QString::number(error)));
            moved += error == 0;
            changed += error == EAGAIN;
        }
        writeFile(bytes(path(QStringLiteral("src/.stop"))), {});
        QVERIFY(saver.waitForFinished(20000));
        const QList<QByteArray> report = saver.readAllStandardOutput().trimmed().split(' ');
        QSet<int> accounted;
        for (const QByteArray &number : report.mid(1))
            accounted.insert(number.toInt());
        for (const QString &folder : {QStringLiteral("src"), QStringLiteral("mnt")}) {
            for (const QString &name : entries(path(folder))) {
                if (name == QLatin1String(".stop"))
                    continue;
                const QByteArray data = contents(path(folder + u'/' + name));
                const int number = data.split('\n').first().mid(8).toInt();
                QVERIFY2(data == version(number), qPrintable(folder + u'/' + name + QLatin1String(" is not complete")));
                accounted.insert(number);
            }
        }
        for (int number = 1; number <= report.first().toInt(); ++number)
            QVERIFY2(accounted.contains(number), qPrintable(QStringLiteral("version %1 was lost").arg(number)));
        QVERIFY2(moved > 0, "no move succeeded: the test proved nothing");
        qInfo("%d of 400 moves went through, %d were refused as changed, %d versions saved", moved, changed,
            report.first().toInt());
    }

    void killed_data()
    {
        QTest::addColumn<QString>("stage");
        QTest::addColumn<bool>("named");
        QTest::addColumn<QString>("left"); // hidden entry the kill leaves: "", "copy" or "aside"
        QTest::newRow("while copying") << "copying" << false << "";
        QTest::newRow("while copying under a name") << "copying" << true << "copy";
        QTest::newRow("before the copy is named") << "before-publish" << false << "";
        QTest::newRow("before a named copy is renamed") << "before-publish" << true << "copy";
        QTest::newRow("with the copy in place") << "before-set-aside" << false << "";
        QTest::newRow("with the source set aside") << "after-set-aside" << false << "aside";
        QTest::newRow("at random moments, both ways") << "anywhere" << false << "any";
        QTest::newRow("at random moments, named copies") << "anywhere" << true << "any";
    }

    // The file stays complete at its source or target, and the next move from
    // and into those folders tidies what the killed one left.
    void killed()
    {
        QFETCH(QString, stage);
        QFETCH(bool, named);
        QFETCH(QString, left);
        Tmpfs fs(path(QStringLiteral("mnt")), "64m");
        REQUIRE_MOUNT(fs);
        const QString from = path(QStringLiteral("src/a.bin")), to = path(QStringLiteral("mnt/a.bin"));
        writeFile(bytes(from), bigFile());
        writeFile(bytes(path(QStringLiteral("src/other.txt"))), "other");
        for (int kill = 0; kill < (stage == QLatin1String("anywhere") ? 12 : 1); ++kill) {
            QProcess mover;
            mover.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--mover"), from, to, stage, named ? QStringLiteral("named") : QString()});
            QVERIFY(mover.waitForReadyRead(10000));
            if (stage == QLatin1String("anywhere")) {
                QTest::qSleep(QRandomGenerator::global()->bounded(1, 60));
                mover.kill();
            }
            QVERIFY(mover.waitForFinished(10000));
            QCOMPARE(mover.exitStatus(), QProcess::CrashExit);
            const QStringList hidden = leftovers();
            if (left != QLatin1String("any"))
                QVERIFY2(left.isEmpty() ? hidden.isEmpty() : hidden.size() == 1, qPrintable(hidden.join(u' ')));
            if (left == QLatin1String("copy"))
                QVERIFY(hidden.value(0).endsWith(QLatin1String(".part")));

            // The next move from and into each folder.
            renameFile(path(QStringLiteral("src/other.txt")), path(QStringLiteral("mnt/other.txt")), {});
            renameFile(path(QStringLiteral("mnt/other.txt")), path(QStringLiteral("src/other.txt")), {});

            QCOMPARE(leftovers(), QStringList());
            const QByteArray atSource = contents(from), atTarget = contents(to);
            QVERIFY2(atSource == bigFile() || atTarget == bigFile(), "the file is complete nowhere");
            QVERIFY(atSource == bigFile() || atSource == "<missing>");
            QVERIFY(atTarget == bigFile() || atTarget == "<missing>");
            if (atSource != bigFile())
                renameFile(to, from, {}); // back to where the next round starts
            else if (atTarget == bigFile())
                QCOMPARE(::unlink(bytes(to).c_str()), 0);
        }
    }

private:
    [[nodiscard]] QString path(const QString &relative) const { return m_dir->path() + u'/' + relative; }
    [[nodiscard]] QStringList leftovers() const
    {
        return (entries(path(QStringLiteral("src"))) + entries(path(QStringLiteral("mnt"))))
            .filter(QStringLiteral(".zindle-"));
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--saver") == 0)
        return runSaver(argv[2]);
    if (argc == 6 && qstrcmp(argv[1], "--mover") == 0)
        return runMover(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), argv[4], argv[5][0] != '\0');
    QCoreApplication app(argc, argv);
    TestMoveHazards test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_movehazards.moc"
