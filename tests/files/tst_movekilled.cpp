// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Moves killed part way: the file stays complete at its source or its target,
// and the next move from and into those folders tidies what was left.
#include "renamefixture.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <csignal>

namespace
{
const QByteArray data = pattern(12 << 20); // more than one copy chunk

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

class TestMoveKilled : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void killed_data();
    void killed();

private:
    [[nodiscard]] QString path(const QString &relative) const { return m_dir->path() + u'/' + relative; }
    [[nodiscard]] QStringList leftovers() const
    {
        return entries(path(QStringLiteral("src"))) + entries(path(QStringLiteral("mnt")));
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestMoveKilled::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("src")));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("mnt")));
}

void TestMoveKilled::killed_data()
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

void TestMoveKilled::killed()
{
    QFETCH(QString, stage);
    QFETCH(bool, named);
    QFETCH(QString, left);
    Tmpfs fs(path(QStringLiteral("mnt")), "64m");
    REQUIRE_MOUNT(fs);
    const QString from = path(QStringLiteral("src/a.bin")), to = path(QStringLiteral("mnt/a.bin"));
    writeFile(bytes(from), data);
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
        const QStringList hidden = leftovers().filter(QStringLiteral(".zindle-"));
        if (left != QLatin1String("any"))
            QVERIFY2(left.isEmpty() ? hidden.isEmpty() : hidden.size() == 1, qPrintable(hidden.join(u' ')));
        if (left == QLatin1String("copy"))
            QVERIFY(hidden.value(0).endsWith(QLatin1String(".part")));

        // The next move from and into each folder.
        renameFile(path(QStringLiteral("src/other.txt")), path(QStringLiteral("mnt/other.txt")), {});
        renameFile(path(QStringLiteral("mnt/other.txt")), path(QStringLiteral("src/other.txt")), {});

        QCOMPARE(leftovers().filter(QStringLiteral(".zindle-")), QStringList());
        const QByteArray atSource = contents(from), atTarget = contents(to);
        QVERIFY2(atSource == data || atTarget == data, "the file is complete nowhere");
        QVERIFY(atSource == data || atSource == "<missing>");
        QVERIFY(atTarget == data || atTarget == "<missing>");
        if (atSource != data)
            renameFile(to, from, {}); // back to where the next round starts
        else if (atTarget == data)
            QCOMPARE(::unlink(bytes(to).c_str()), 0);
    }
}

int main(int argc, char **argv)
{
    if (argc == 6 && qstrcmp(argv[1], "--mover") == 0)
        return runMover(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), argv[4], argv[5][0] != '\0');
    QCoreApplication app(argc, argv);
    TestMoveKilled test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_movekilled.moc"
