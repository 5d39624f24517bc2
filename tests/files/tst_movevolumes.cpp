// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Moves to and from the disks people carry (FAT, exFAT, NTFS) and other Linux
// file systems (btrfs, xfs), and renames on each, through the host as the
// window calls it: the file ends complete at one end, nothing is replaced,
// nothing hidden stays behind, and a move killed half way leaves the source whole.
#include "renamefixture.h"

#include "host/linuxhost.h"
#include "testsupport/testfiles.h"

#include <QCoreApplication>

#include <csignal>
#include <map>

namespace
{
const QByteArray payload = pattern(3 << 20);
const timespec stamp = {1600000000, 0}; // an even second: FAT keeps times in steps of two

enum Scene { Moved, SameNameTaken, OtherCaseTaken, LetterCase, Newcomer, Cancelled, Killed, KilledAside };
const char *const sceneNames[] = {"moved", "same name taken", "name differing in case taken", "letter case changed",
    "newcomer", "cancelled", "killed", "killed with the source aside, its name then taken"};

// Moves as the window does, killing itself at `stage`, or at "-" once the copy has begun.
int runKilledMove(const QString &from, const QString &to, const char *stage)
{
    setRenameHookForTests([stage](const char *name) {
        if (qstrcmp(stage, name) == 0)
            std::raise(SIGKILL);
    });
    LinuxHost host;
    try {
        host.rename(from, to, [stage](qint64 done, qint64) {
            if (done > 0 && qstrcmp(stage, "-") == 0)
                std::raise(SIGKILL);
            return true;
        });
    } catch (const HostError &) {
        return 2;
    }
    return 0;
}

// The stage at which a newcomer is saved, as editors save, over the name that the
// move (or the putting back of a file set aside) is about to take: where there
// is no RENAME_NOREPLACE, just before the link or the placeholder that stand in
// for it; "" where the name is simply taken before the next move.
const char *lastMoment(Volume::Kind kind, const QString &direction, Scene scene)
{
    const bool within = direction == QLatin1String("within"), from = direction == QLatin1String("from");
    if (kind == Volume::Ntfs && (!from || scene == KilledAside))
        return "before-link";
    if (scene == KilledAside)
        return Volume::hardLinks(kind) ? "" : "before-replace-placeholder";
    return !within ? "before-publish" : Volume::hardLinks(kind) ? "before-rename" : "before-replace-placeholder";
}

int moveError(const QString &from, const QString &to, const CopyProgress &progress = {})
{
    LinuxHost host;
    try {
        host.rename(from, to, progress);
    } catch (const HostError &error) {
        return error.number();
    }
    return 0;
}
}

class TestMoveVolumes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("state")));
        qputenv("XDG_STATE_HOME", path(QStringLiteral("state")).toUtf8());
        for (const Volume::Kind kind : Volume::kinds) {
            QVERIFY(QDir(m_dir.path()).mkpath(volume(kind)));
            m_volumes[kind]
                = std::make_unique<Volume>(kind, path(volume(kind) + QStringLiteral(".img")), path(volume(kind)), 64);
        }
    }

    void cleanupTestCase()
    {
        m_volumes.clear();
        qunsetenv("XDG_STATE_HOME");
    }

    // Each row starts from empty folders.
    void init()
    {
        for (const QString &folder : {QStringLiteral("disk/src"), QStringLiteral("disk/dst")}) {
            TestFiles::removeTree(path(folder));
            QVERIFY(QDir(m_dir.path()).mkpath(folder));
        }
        for (const auto &[kind, mounted] : m_volumes) {
            const QString root = volume(Volume::Kind(kind));
            for (const QString &folder : {QStringLiteral("/src"), QStringLiteral("/dst")}) {
                if (mounted->mounted()) {
                    TestFiles::removeTree(path(root + folder));
                    QVERIFY(QDir(m_dir.path()).mkpath(root + folder));
                }
            }
        }
    }

    void cleanup() { setRenameHookForTests({}); }

    void moves_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("direction"); // onto the volume from the disk, from it to the disk, or within it
        QTest::addColumn<int>("scene");
        for (const Volume::Kind kind : Volume::kinds) {
            for (const char *direction : {"to", "from", "within"}) {
                const bool within = qstrcmp(direction, "within") == 0;
                for (const Scene scene :
                    {Moved, SameNameTaken, OtherCaseTaken, LetterCase, Newcomer, Cancelled, Killed, KilledAside}) {
                    // A rename is killed half way only where it goes through a placeholder.
                    if ((scene == LetterCase && !within) || (scene == Killed && within && Volume::hardLinks(kind))
                        || (scene == KilledAside && qstrcmp(direction, "from") != 0) || (scene == Cancelled && within))
                        continue;
                    QTest::addRow("%s, %s, %s", qPrintable(Volume::name(kind)), direction, sceneNames[scene])
                        << int(kind) << QString::fromLatin1(direction) << int(scene);
                }
            }
        }
    }

    void moves()
    {
        QFETCH(int, kind);
        QFETCH(QString, direction);
        QFETCH(int, scene);
        REQUIRE_VOLUME(*m_volumes[kind]);
        const QString onVolume = path(volume(Volume::Kind(kind)));
        const QString fromFolder
            = direction == QLatin1String("to") ? path(QStringLiteral("disk/src")) : onVolume + QStringLiteral("/src");
        const QString toFolder = direction == QLatin1String("from") ? path(QStringLiteral("disk/dst"))
            : direction == QLatin1String("to")                      ? onVolume + QStringLiteral("/dst")
                                                                    : fromFolder;
        const bool foldsCase = direction != QLatin1String("from") && Volume::caseInsensitive(Volume::Kind(kind));
        const QString from = fromFolder + QStringLiteral("/a.bin"),
                      to = toFolder + (scene == LetterCase ? QStringLiteral("/A.BIN") : QStringLiteral("/b.bin"));
        writeFile(bytes(from), payload);
        const timespec times[2] = {stamp, stamp};
        QCOMPARE(::utimensat(AT_FDCWD, bytes(from).c_str(), times, 0), 0);
        const QString taken = scene == SameNameTaken || scene == Newcomer ? to
            : scene == OtherCaseTaken                                     ? toFolder + QStringLiteral("/B.BIN")
            : scene == KilledAside                                        ? from
                                                                          : QString();
        if (scene == SameNameTaken || scene == OtherCaseTaken)
            writeFile(bytes(taken), "taken");
        const char *last = lastMoment(Volume::Kind(kind), direction, Scene(scene));
        const auto saveNewcomer = [&] {
            const QString temp = taken.section(u'/', 0, -2) + QStringLiteral("/newcomer.tmp");
            writeFile(bytes(temp), "newcomer");
            QCOMPARE(::rename(bytes(temp).c_str(), bytes(taken).c_str()), 0);
        };
        setRenameHookForTests([&, saved = false](const char *stage) mutable {
            if ((scene == Newcomer || scene == KilledAside) && !saved && qstrcmp(stage, last) == 0) {
                saved = true;
                saveNewcomer();
            }
        });

        int error = 0;
        if (scene == Killed || scene == KilledAside) {
            // A move is killed once its copy has begun, or once the source is aside; a rename, with its
            // placeholder in place.
            const QString at = scene == KilledAside    ? QStringLiteral("after-set-aside")
                : direction == QLatin1String("within") ? QString::fromLatin1(last)
                                                       : QStringLiteral("-");
            QCOMPARE(runHelper({QStringLiteral("--killed"), from, to, at}), -1);
            if (scene == KilledAside && !*last)
                saveNewcomer();
            // The next moves into and out of both folders tidy what it left.
            writeFile(bytes(fromFolder + QStringLiteral("/other.txt")), "other");
            QCOMPARE(moveError(fromFolder + QStringLiteral("/other.txt"), toFolder + QStringLiteral("/other2.txt")), 0);
            QCOMPARE(moveError(toFolder + QStringLiteral("/other2.txt"), fromFolder + QStringLiteral("/other.txt")), 0);
        } else {
            error = moveError(from, to, [&](qint64 done, qint64) { return scene != Cancelled || done == 0; });
        }

        const bool moved = scene == Moved || scene == LetterCase || (scene == OtherCaseTaken && !foldsCase);
        QCOMPARE(error, moved || scene == Killed || scene == KilledAside ? 0 : scene == Cancelled ? ECANCELED : EEXIST);
        if (!taken.isEmpty())
            QCOMPARE(contents(taken), QByteArray(scene == Newcomer || scene == KilledAside ? "newcomer" : "taken"));
        if (scene == LetterCase)
            QCOMPARE(entries(toFolder), QStringList(QStringLiteral("A.BIN")));
        else if (scene != KilledAside)
            QCOMPARE(contents(from), moved ? QByteArray("<missing>") : payload);
        if (scene == KilledAside) {
            // Its name taken, the file set aside is put back beside it under a name that is not hidden.
            const QStringList back = entries(fromFolder).filter(QRegularExpression(QStringLiteral("^zindle-")));
            QCOMPARE(back.size(), 1);
            QCOMPARE(contents(fromFolder + u'/' + back.first()), payload);
            QCOMPARE(contents(to), payload); // the copy was complete too
        }
        if (moved) {
            QCOMPARE(contents(to), payload);
            struct stat st {
            };
            QCOMPARE(::stat(bytes(to).c_str(), &st), 0);
            QVERIFY2(std::abs(st.st_mtim.tv_sec - stamp.tv_sec) <= 2, qPrintable(QString::number(st.st_mtim.tv_sec)));
        }
        if (scene == Killed || scene == Cancelled)
            QCOMPARE(contents(to), QByteArray("<missing>")); // the unfinished copy was removed
        const QStringList hidden
            = (entries(fromFolder) + entries(toFolder)).filter(QRegularExpression(QStringLiteral("^\\.")));
        QVERIFY2(hidden.isEmpty(), qPrintable(hidden.join(u' ')));
    }

private:
    [[nodiscard]] QString path(const QString &relative) const { return m_dir.path() + u'/' + relative; }
    [[nodiscard]] static QString volume(Volume::Kind kind) { return QStringLiteral("volume%1").arg(int(kind)); }
    // Runs this program with `arguments`; its exit code, or -1 when it was killed.
    static int runHelper(const QStringList &arguments)
    {
        QProcess helper;
        helper.start(QCoreApplication::applicationFilePath(), arguments);
        if (!helper.waitForFinished(60000))
            return -2;
        return helper.exitStatus() == QProcess::CrashExit ? -1 : helper.exitCode();
    }

    QTemporaryDir m_dir;
    std::map<int, std::unique_ptr<Volume>> m_volumes;
};

int main(int argc, char **argv)
{
    if (argc == 5 && qstrcmp(argv[1], "--killed") == 0)
        return runKilledMove(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), argv[4]);
    QCoreApplication app(argc, argv);
    TestMoveVolumes test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_movevolumes.moc"
