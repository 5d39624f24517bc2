// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Moves to another file system: the copy keeps everything it may, its holes
// too, and a failure loses nothing.
#include "renamefixture.h"

#include <QCoreApplication>

#include <algorithm>
#include <grp.h>

namespace
{
constexpr qint64 mib = 1 << 20;
constexpr uid_t mover = 65534; // nobody, of the group nogroup (65534) and a member of `moversGroup`
constexpr gid_t moversGroup = 4242;

// As the user `mover`, moves `from` to `to`; the error, or 100 when the user cannot be taken on.
int runAsMover(const QString &from, const QString &to)
{
    const gid_t groups[] = {moversGroup};
    if (::setgroups(1, groups) != 0 || ::setgid(mover) != 0 || ::setuid(mover) != 0)
        return 100;
    return renameError(from, to);
}
}

class TestMoveFile : public QObject, protected RenameFolders
{
    Q_OBJECT

private Q_SLOTS:
    void init() { makeFolders(); }
    void cleanup() { removeFolders(); }
    void keepsMetadataAcrossFileSystems_data();
    void keepsMetadataAcrossFileSystems();
    void fullDestination();
    void cancelledCopy();
    void cancelledInEveryPhase_data();
    void cancelledInEveryPhase();
    void sourceThatCannotBeRemoved();
    void sparseFiles_data();
    void sparseFiles();
    void setIdBitsMovedByAnotherUser_data();
    void setIdBitsMovedByAnotherUser();
};

void TestMoveFile::keepsMetadataAcrossFileSystems_data()
{
    QTest::addColumn<QString>("fromName");
    QTest::addColumn<QString>("toName");
    QTest::newRow("disk to tmpfs") << "src/a.bin"
                                   << "mnt/b.bin";
    QTest::newRow("tmpfs to disk") << "mnt/a.bin"
                                   << "dst/b.bin";
}

void TestMoveFile::keepsMetadataAcrossFileSystems()
{
    QFETCH(QString, fromName);
    QFETCH(QString, toName);
    Tmpfs fs(path(QStringLiteral("mnt")), "64m");
    REQUIRE_MOUNT(fs);
    const QString from = path(fromName), to = path(toName);
    const QByteArray data = pattern(9 << 20); // more than one copy chunk
    writeFile(bytes(from), data);
    QCOMPARE(::chown(bytes(from).c_str(), 1234, 5678), 0); // before chmod: it clears set-user-ID
    QCOMPARE(::chmod(bytes(from).c_str(), 04751), 0);
    const timespec times[2] = {{1600000000, 123456789}, {1500000000, 987654321}};
    QCOMPARE(::utimensat(AT_FDCWD, bytes(from).c_str(), times, 0), 0);
    const bool withAttribute = ::setxattr(bytes(from).c_str(), "user.zindle", "tag", 3, 0) == 0;

    renameFile(from, to, {});

    struct stat st {
    };
    QCOMPARE(::lstat(bytes(to).c_str(), &st), 0);
    QCOMPARE(contents(to), data);
    QCOMPARE(contents(from), QByteArray("<missing>"));
    QCOMPARE(st.st_mode & 07777, 04751u);
    QCOMPARE(st.st_uid, 1234u);
    QCOMPARE(st.st_gid, 5678u);
    QCOMPARE(st.st_mtim.tv_sec, times[1].tv_sec);
    QCOMPARE(st.st_mtim.tv_nsec, times[1].tv_nsec);
    QCOMPARE(st.st_atim.tv_nsec, times[0].tv_nsec);
    if (!withAttribute)
        QSKIP("The source's file system takes no user.* attributes: their copy is not checked");
    char value[16] = {};
    QCOMPARE(::getxattr(bytes(to).c_str(), "user.zindle", value, sizeof value), ssize_t(3));
    QCOMPARE(QByteArray(value), QByteArray("tag"));
}

void TestMoveFile::fullDestination()
{
    Tmpfs fs(path(QStringLiteral("mnt")), "64k");
    REQUIRE_MOUNT(fs);
    const QString from = path(QStringLiteral("src/a.bin"));
    const QByteArray data = pattern(200 * 1000);
    writeFile(bytes(from), data);

    QCOMPARE(renameError(from, path(QStringLiteral("mnt/a.bin"))), ENOSPC);

    QCOMPARE(contents(from), data);
    QCOMPARE(entries(path(QStringLiteral("mnt"))), QStringList());
}

void TestMoveFile::cancelledCopy()
{
    Tmpfs fs(path(QStringLiteral("mnt")), "64m");
    REQUIRE_MOUNT(fs);
    const QString from = path(QStringLiteral("src/a.bin"));
    const QByteArray data = pattern(20 << 20);
    writeFile(bytes(from), data);
    QList<qint64> reports;
    const auto cancelSecond = [&](qint64 done, qint64 total) {
        reports.append(done);
        return total == data.size() && reports.size() < 2;
    };

    QCOMPARE(renameError(from, path(QStringLiteral("mnt/a.bin")), cancelSecond), ECANCELED);

    QCOMPARE(reports.size(), 2);
    QVERIFY(reports[1] > 0 && reports[1] < data.size());
    QCOMPARE(contents(from), data);
    QCOMPARE(entries(path(QStringLiteral("mnt"))), QStringList());
}

void TestMoveFile::cancelledInEveryPhase_data()
{
    QTest::addColumn<int>("phase"); // the share of the whole at which Cancel is answered, in eighths
    QTest::newRow("copying") << 1;
    QTest::newRow("flushing to the disk") << 5;
    QTest::newRow("flushed, not yet published") << 8;
}

// Progress rises steadily to the whole, and Cancel in any phase leaves only the source.
void TestMoveFile::cancelledInEveryPhase()
{
    QFETCH(int, phase);
    Tmpfs fs(path(QStringLiteral("mnt")), "64m");
    REQUIRE_MOUNT(fs);
    const QString from = path(QStringLiteral("mnt/a.bin")), to = path(QStringLiteral("dst/a.bin"));
    const QByteArray data = pattern(40 << 20);
    writeFile(bytes(from), data);
    QList<qint64> reports;
    const auto cancelAt = [&](qint64 done, qint64 total) {
        reports.append(done);
        return done * 8 < total * phase;
    };

    QCOMPARE(renameError(from, to, cancelAt), ECANCELED);

    QVERIFY(std::is_sorted(reports.begin(), reports.end()));
    QCOMPARE(reports.constLast() * 8 / data.size(), phase);
    QCOMPARE(contents(from), data);
    QCOMPARE(entries(path(QStringLiteral("dst"))), QStringList());
}

// The source turns immutable as it is opened, so that it cannot be removed once copied: the copy is taken back.
void TestMoveFile::sourceThatCannotBeRemoved()
{
    Tmpfs fs(path(QStringLiteral("mnt")), "16m");
    REQUIRE_MOUNT(fs);
    const QString from = path(QStringLiteral("src/a.txt"));
    writeFile(bytes(from), "source");
    const auto setImmutable = [&](bool on) {
        const int fd = ::open(bytes(from).c_str(), O_RDONLY);
        int flags = 0;
        bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return done;
    };
    bool immutable = false;
    setRenameHookForTests([&](const char *stage) {
        if (qstrcmp(stage, "before-open") == 0)
            immutable = setImmutable(true);
    });

    const int error = renameError(from, path(QStringLiteral("mnt/a.txt")));
    setImmutable(false);

    if (!immutable)
        QSKIP("The temporary folder's file system cannot make a file immutable: not tested");
    QCOMPARE(error, EPERM);
    QCOMPARE(contents(from), QByteArray("source"));
    QCOMPARE(entries(path(QStringLiteral("mnt"))), QStringList());
}

void TestMoveFile::sparseFiles_data()
{
    QTest::addColumn<bool>("fat"); // onto FAT of 16 MiB, which keeps no holes; else onto a tmpfs of 16 MiB
    QTest::addColumn<bool>("ntfs"); // from NTFS, whose driver shows no holes; else from the disk
    QTest::addColumn<qint64>("size");
    QTest::addColumn<qint64>("at"); // where its one stretch of data lies, holes all around
    QTest::addColumn<int>("data"); // how long that is
    QTest::addColumn<int>("error");
    QTest::newRow("holes kept") << false << false << 100 * mib << 50 * mib << int(mib) << 0;
    QTest::newRow("ending in a hole") << false << false << 40 * mib << qint64(0) << 100 << 0;
    QTest::newRow("8 GiB of 1 MiB of data onto 16 MiB")
        << false << false << qint64(8) * 1024 * mib << qint64(4) * 1024 * mib << int(mib) << 0;
    QTest::newRow("more data than the free space")
        << false << false << 64 * mib << qint64(0) << int(20 * mib) << ENOSPC;
    QTest::newRow("holes filled in on FAT") << true << false << 8 * mib << 4 * mib << 65536 << 0;
    QTest::newRow("more than FAT's free space once filled in")
        << true << false << 32 * mib << qint64(0) << 100 << ENOSPC;
    QTest::newRow("4 GiB or more onto FAT") << true << false << qint64(5) * 1024 * mib << qint64(0) << 100 << EFBIG;
    QTest::newRow("holes its file system does not show") << false << true << 40 * mib << 20 * mib << 100 << 0;
}

// The copy takes as much room as the source's data, where the disk can keep
// holes; a file the disk cannot hold is refused before anything is copied.
void TestMoveFile::sparseFiles()
{
    QFETCH(bool, fat);
    QFETCH(bool, ntfs);
    QFETCH(qint64, size);
    QFETCH(qint64, at);
    QFETCH(int, data);
    QFETCH(int, error);
    Tmpfs fs(path(QStringLiteral("mnt")), fat ? "0" : "16m");
    FuseFat stick(path(QStringLiteral("fat.img")), path(QStringLiteral("mnt")), fat);
    Volume disk(Volume::Ntfs, path(QStringLiteral("ntfs.img")), path(QStringLiteral("src")), 64, ntfs);
    if (fat) {
        REQUIRE_FAT(stick);
    } else {
        REQUIRE_MOUNT(fs);
    }
    if (ntfs)
        REQUIRE_VOLUME(disk);
    const QString from = path(QStringLiteral("src/a.bin")), to = path(QStringLiteral("mnt/a.bin"));
    const QByteArray stretch = pattern(data);
    const int fd = ::open(bytes(from).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    QVERIFY(fd >= 0 && ::ftruncate(fd, size) == 0);
    QCOMPARE(::pwrite(fd, stretch.constData(), std::size_t(data), at), ssize_t(data));
    ::close(fd);
    int reports = 0;

    QCOMPARE(renameError(from, to, [&](qint64, qint64) { return ++reports > 0; }), error);

    struct stat st {
    };
    QCOMPARE(::stat(bytes(error == 0 ? to : from).c_str(), &st), 0);
    QCOMPARE(qint64(st.st_size), size);
    if (error != 0) {
        QCOMPARE(reports, 0); // refused at once
        QCOMPARE(entries(path(QStringLiteral("mnt"))), QStringList());
        return;
    }
    const qint64 used = qint64(st.st_blocks) * 512;
    QVERIFY2(fat ? used >= size : used <= data + mib, qPrintable(QString::number(used)));
    // The data, with a MiB of the holes around it, and the last byte.
    const qint64 start = std::max(qint64(0), at - mib);
    const QByteArray expected
        = QByteArray(int(at - start), '\0') + stretch + QByteArray(int(std::min(size - at - data, mib)), '\0');
    QFile copy(to);
    QVERIFY(copy.open(QIODevice::ReadOnly) && copy.seek(start));
    QCOMPARE(copy.read(expected.size()), expected);
    QVERIFY(copy.seek(size - 1));
    QCOMPARE(copy.read(2), QByteArray(1, '\0'));
}

void TestMoveFile::setIdBitsMovedByAnotherUser_data()
{
    QTest::addColumn<uint>("owner");
    QTest::addColumn<uint>("group");
    QTest::addColumn<uint>("mode");
    QTest::addColumn<uint>("kept"); // the copy's mode
    QTest::newRow("root's set-user-ID file") << 0u << 0u << 04755u << 0755u;
    QTest::newRow("root's set-group-ID file") << 0u << 0u << 02755u << 0755u;
    QTest::newRow("both, of a group the mover is a member of") << 0u << uint(moversGroup) << 06755u << 02755u;
    QTest::newRow("the mover's own") << uint(mover) << uint(mover) << 06755u << 06755u;
}

// A user who moves another's set-ID file to another disk owns the copy: the
// bits that would give that user the other's rights are dropped, as mv does.
void TestMoveFile::setIdBitsMovedByAnotherUser()
{
    QFETCH(uint, owner);
    QFETCH(uint, group);
    QFETCH(uint, mode);
    if (::geteuid() != 0)
        QSKIP("Needs root to make a file of another owner and to move it as another user: not tested");
    Tmpfs fs(path(QStringLiteral("mnt")), "16m");
    REQUIRE_MOUNT(fs);
    // The mover may pass through the folders, remove the file from its own and keep a journal.
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("state")));
    for (const char *folder : {"", "/src", "/mnt", "/state"}) {
        const std::string name = bytes(m_dir->path() + QLatin1String(folder));
        QVERIFY(::chmod(name.c_str(), folder[0] == '\0' ? 0755 : 0777) == 0);
    }
    const QString from = path(QStringLiteral("src/a.bin")), to = path(QStringLiteral("mnt/a.bin"));
    writeFile(bytes(from), "program");
    QCOMPARE(::chown(bytes(from).c_str(), owner, group), 0);
    QCOMPARE(::chmod(bytes(from).c_str(), mode), 0);

    QProcess helper;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_STATE_HOME"), path(QStringLiteral("state")));
    helper.setProcessEnvironment(environment);
    helper.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--as-mover"), from, to});
    QVERIFY(helper.waitForFinished(30000));
    QCOMPARE(helper.exitCode(), 0);

    struct stat st {
    };
    QCOMPARE(::stat(bytes(to).c_str(), &st), 0);
    QCOMPARE(contents(to), QByteArray("program"));
    QCOMPARE(st.st_uid, mover);
    QCOMPARE(st.st_gid, group == moversGroup ? moversGroup : mover);
    QTEST(uint(st.st_mode & 07777), "kept");
}

int main(int argc, char **argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--as-mover") == 0)
        return runAsMover(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    QCoreApplication app(argc, argv);
    TestMoveFile test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_movefile.moc"
