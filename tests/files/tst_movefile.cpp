// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Moves to another file system: the copy keeps everything, and a failure loses nothing.
#include "renamefixture.h"

#include <algorithm>

class TestMoveFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void keepsMetadataAcrossFileSystems_data();
    void keepsMetadataAcrossFileSystems();
    void fullDestination();
    void cancelledCopy();
    void cancelledInEveryPhase_data();
    void cancelledInEveryPhase();
    void sourceThatCannotBeRemoved();

private:
    [[nodiscard]] QString path(const QString &relative) const { return m_dir->path() + u'/' + relative; }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestMoveFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("src")));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("dst")));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("mnt")));
}

void TestMoveFile::cleanup()
{
    setRenameHookForTests({});
    m_dir.reset();
}

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

QTEST_MAIN(TestMoveFile)
#include "tst_movefile.moc"
