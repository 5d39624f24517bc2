// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/copyprogress.h"
#include "platform/hosterror.h"
#include "platform/pathcodec.h"
#include "platform/renamefile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <memory>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace
{
std::string bytes(const QString &path)
{
    return encodePath(path);
}

void writeFile(const std::string &path, const QByteArray &data)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    QVERIFY2(fd >= 0, path.c_str());
    QCOMPARE(::write(fd, data.constData(), std::size_t(data.size())), ssize_t(data.size()));
    ::close(fd);
}

// The file's contents, or "<missing>" when there is no file (links are not followed).
QByteArray contents(const QString &path)
{
    struct stat st {
    };
    if (::lstat(bytes(path).c_str(), &st) != 0)
        return "<missing>";
    if (S_ISLNK(st.st_mode)) {
        char target[4096];
        const ssize_t n = ::readlink(bytes(path).c_str(), target, sizeof target);
        return "<link to " + QByteArray(target, int(n)) + '>';
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Every name in the folder, hidden ones included, read with readdir.
QStringList entries(const QString &folder)
{
    QStringList names;
    DIR *dir = ::opendir(bytes(folder).c_str());
    if (!dir)
        return {QStringLiteral("<no folder>")};
    while (const dirent *entry = ::readdir(dir)) {
        const QString name = decodePath(entry->d_name);
        if (name != QLatin1String(".") && name != QLatin1String(".."))
            names.append(name);
    }
    ::closedir(dir);
    names.sort();
    return names;
}

QByteArray pattern(int size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char((unsigned(i) * 7919u) >> 3);
    return data;
}

// A tmpfs mounted for one test, so that a move crosses file systems.
class Tmpfs
{
public:
    Tmpfs(const QString &dir, const char *size) : m_dir(bytes(dir))
    {
        ::mkdir(m_dir.c_str(), 0755);
        m_mounted = ::mount("tmpfs", m_dir.c_str(), "tmpfs", 0, (std::string("size=") + size).c_str()) == 0;
    }
    ~Tmpfs()
    {
        if (m_mounted)
            ::umount2(m_dir.c_str(), MNT_DETACH);
    }
    Tmpfs(const Tmpfs &) = delete;
    Tmpfs &operator=(const Tmpfs &) = delete;
    [[nodiscard]] bool mounted() const { return m_mounted; }

private:
    std::string m_dir;
    bool m_mounted = false;
};

#define REQUIRE_MOUNT(fs)                                                                                              \
    if (!(fs).mounted())                                                                                               \
    QSKIP("Cannot mount a tmpfs here (needs root): moves across file systems are not tested")

int renameError(const QString &from, const QString &to, const CopyProgress &progress = {})
{
    try {
        renameFile(from, to, progress);
    } catch (const HostError &error) {
        return error.number();
    }
    return 0;
}
}

class TestRenameFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void moves_data();
    void moves();
    void refusals_data();
    void refusals();
    void readOnlySourceFolder();
    void readOnlyMount();
    void nameThatIsNotUtf8();
    void newcomerAtTarget_data();
    void newcomerAtTarget();
    void keepsMetadataAcrossFileSystems_data();
    void keepsMetadataAcrossFileSystems();
    void fullDestination();
    void cancelledCopy();
    void sourceThatCannotBeRemoved();
    void caseChangeOnFat();
    void progressDialogAfterDelay();

private:
    [[nodiscard]] QString path(const QString &relative) const { return m_dir->path() + u'/' + relative; }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRenameFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("src")));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("dst")));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("mnt")));
}

void TestRenameFile::cleanup()
{
    setRenameHookForTests({});
    m_dir.reset();
}

void TestRenameFile::moves_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("target");
    QTest::newRow("rename in place") << "file"
                                     << "src/b.txt";
    QTest::newRow("move into another folder") << "file"
                                              << "dst/a.txt";
    QTest::newRow("symbolic link renamed as a link") << "link"
                                                     << "src/b.txt";
    QTest::newRow("dangling link moved as a link") << "dangling"
                                                   << "dst/b.txt";
    QTest::newRow("across file systems") << "file"
                                         << "mnt/b.txt";
    QTest::newRow("link across file systems") << "link"
                                              << "mnt/b.txt";
    QTest::newRow("dangling link across file systems") << "dangling"
                                                       << "mnt/b.txt";
}

void TestRenameFile::moves()
{
    QFETCH(QString, kind);
    QFETCH(QString, target);
    Tmpfs fs(path(QStringLiteral("mnt")), "16m");
    if (target.startsWith(QLatin1String("mnt")))
        REQUIRE_MOUNT(fs);
    writeFile(bytes(path(QStringLiteral("src/data.txt"))), "payload");
    const QString from = path(QStringLiteral("src/a.txt"));
    if (kind == QLatin1String("file"))
        writeFile(bytes(from), "payload");
    else
        QCOMPARE(::symlink(kind == QLatin1String("link") ? "data.txt" : "nowhere", bytes(from).c_str()), 0);
    const QByteArray before = contents(from);

    renameFile(from, path(target), {});

    QCOMPARE(contents(from), QByteArray("<missing>"));
    QCOMPARE(contents(path(target)), before);
    QCOMPARE(contents(path(QStringLiteral("src/data.txt"))), QByteArray("payload"));
    QCOMPARE(entries(path(target.section(u'/', 0, 0))).filter(QStringLiteral(".zindle")), QStringList());
}

void TestRenameFile::refusals_data()
{
    QTest::addColumn<QString>("source"); // "file" or "none"
    QTest::addColumn<QString>("target"); // "file", "dangling link", "hard link", "none"
    QTest::addColumn<QString>("targetName");
    QTest::addColumn<int>("error");
    QTest::newRow("target exists") << "file"
                                   << "file"
                                   << "dst/b.txt" << EEXIST;
    QTest::newRow("dangling link at target") << "file"
                                             << "dangling link"
                                             << "dst/b.txt" << EEXIST;
    QTest::newRow("source missing") << "none"
                                    << "none"
                                    << "dst/b.txt" << ENOENT;
    QTest::newRow("destination folder missing") << "file"
                                                << "none"
                                                << "gone/b.txt" << ENOENT;
    QTest::newRow("hard-linked pair") << "file"
                                      << "hard link"
                                      << "src/b.txt" << EEXIST;
    QTest::newRow("hard-linked pair differing in case") << "file"
                                                        << "hard link"
                                                        << "src/A.txt" << EEXIST;
    QTest::newRow("same name") << "file"
                               << "none"
                               << "src/a.txt" << EEXIST;
    QTest::newRow("target exists across file systems") << "file"
                                                       << "file"
                                                       << "mnt/b.txt" << EEXIST;
    QTest::newRow("dangling link across file systems") << "file"
                                                       << "dangling link"
                                                       << "mnt/b.txt" << EEXIST;
    QTest::newRow("source missing across file systems") << "none"
                                                        << "none"
                                                        << "mnt/b.txt" << ENOENT;
    QTest::newRow("destination folder missing across") << "file"
                                                       << "none"
                                                       << "mnt/gone/b.txt" << ENOENT;
}

void TestRenameFile::refusals()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(QString, targetName);
    QFETCH(int, error);
    Tmpfs fs(path(QStringLiteral("mnt")), "16m");
    if (targetName.startsWith(QLatin1String("mnt")))
        REQUIRE_MOUNT(fs);
    const QString from = path(QStringLiteral("src/a.txt"));
    const QString to = path(targetName);
    if (source == QLatin1String("file"))
        writeFile(bytes(from), "source");
    if (target == QLatin1String("file"))
        writeFile(bytes(to), "target");
    else if (target == QLatin1String("dangling link"))
        QCOMPARE(::symlink("victim.txt", bytes(to).c_str()), 0);
    else if (target == QLatin1String("hard link"))
        QCOMPARE(::link(bytes(from).c_str(), bytes(to).c_str()), 0);
    const QByteArray fromBefore = contents(from), toBefore = contents(to);
    const QString toFolder = to.section(u'/', 0, -2);
    const QStringList folderBefore = entries(toFolder);

    QCOMPARE(renameError(from, to), error);

    QCOMPARE(contents(from), fromBefore);
    QCOMPARE(contents(to), toBefore);
    QCOMPARE(entries(toFolder), folderBefore);
    QCOMPARE(contents(toFolder + QLatin1String("/victim.txt")), QByteArray("<missing>"));
}

void TestRenameFile::readOnlySourceFolder()
{
    if (::geteuid() == 0)
        QSKIP("Running as root, which may write into any folder: the read-only folder is not tested");
    const QString from = path(QStringLiteral("src/a.txt"));
    writeFile(bytes(from), "source");
    QCOMPARE(::chmod(bytes(path(QStringLiteral("src"))).c_str(), 0555), 0);
    const int error = renameError(from, path(QStringLiteral("dst/a.txt")));
    ::chmod(bytes(path(QStringLiteral("src"))).c_str(), 0755);
    QCOMPARE(error, EACCES);
    QCOMPARE(contents(from), QByteArray("source"));
    QCOMPARE(entries(path(QStringLiteral("dst"))), QStringList());
}

// The source on a read-only mount: neither renamed in place nor moved out (root only).
void TestRenameFile::readOnlyMount()
{
    const std::string src = bytes(path(QStringLiteral("src")));
    const QString from = path(QStringLiteral("src/a.txt"));
    writeFile(bytes(from), "source");
    if (::mount(src.c_str(), src.c_str(), nullptr, MS_BIND, nullptr) != 0)
        QSKIP("Cannot bind-mount here (needs root): the read-only mount is not tested");
    const bool readOnly = ::mount(nullptr, src.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    const int inPlace = renameError(from, path(QStringLiteral("src/b.txt")));
    const int moved = renameError(from, path(QStringLiteral("dst/a.txt")));
    ::umount2(src.c_str(), MNT_DETACH);
    QVERIFY(readOnly);
    QCOMPARE(inPlace, EROFS);
    QCOMPARE(moved, EROFS);
    QCOMPARE(contents(from), QByteArray("source"));
    QCOMPARE(entries(path(QStringLiteral("dst"))), QStringList());
}

void TestRenameFile::nameThatIsNotUtf8()
{
    const std::string folder = bytes(path(QStringLiteral("src")));
    writeFile(folder + "/a\xff.txt", "raw");
    writeFile(folder + "/a\xef\xbf\xbd.txt", "neighbour");
    const QString from = decodePath(folder + "/a\xff.txt");

    renameFile(from, path(QStringLiteral("src/b.txt")), {});

    QCOMPARE(contents(path(QStringLiteral("src/b.txt"))), QByteArray("raw"));
    QCOMPARE(contents(from), QByteArray("<missing>"));
    QCOMPARE(contents(path(QStringLiteral("src/a\uFFFD.txt"))), QByteArray("neighbour"));
}

void TestRenameFile::newcomerAtTarget_data()
{
    QTest::addColumn<QString>("targetName");
    QTest::addColumn<QString>("stage");
    QTest::newRow("same file system") << "dst/b.txt"
                                      << "before-rename";
    QTest::newRow("across file systems") << "mnt/b.txt"
                                         << "before-publish";
}

// A file that appears at the target between the checks and the rename stays untouched.
void TestRenameFile::newcomerAtTarget()
{
    QFETCH(QString, targetName);
    QFETCH(QString, stage);
    Tmpfs fs(path(QStringLiteral("mnt")), "16m");
    if (targetName.startsWith(QLatin1String("mnt")))
        REQUIRE_MOUNT(fs);
    const QString from = path(QStringLiteral("src/a.txt"));
    const QString to = path(targetName);
    writeFile(bytes(from), "source");
    QStringList stages;
    setRenameHookForTests([&](const char *name) {
        stages.append(QLatin1String(name));
        if (stage == QLatin1String(name))
            writeFile(bytes(to), "newcomer");
    });

    QCOMPARE(renameError(from, to), EEXIST);

    QVERIFY2(stages.contains(stage), qPrintable(stages.join(u',')));
    QCOMPARE(contents(to), QByteArray("newcomer"));
    QCOMPARE(contents(from), QByteArray("source"));
    QCOMPARE(entries(to.section(u'/', 0, -2)), QStringList(QStringLiteral("b.txt")));
}

void TestRenameFile::keepsMetadataAcrossFileSystems_data()
{
    QTest::addColumn<QString>("fromName");
    QTest::addColumn<QString>("toName");
    QTest::newRow("disk to tmpfs") << "src/a.bin"
                                   << "mnt/b.bin";
    QTest::newRow("tmpfs to disk") << "mnt/a.bin"
                                   << "dst/b.bin";
}

void TestRenameFile::keepsMetadataAcrossFileSystems()
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

void TestRenameFile::fullDestination()
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

void TestRenameFile::cancelledCopy()
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

// The source turns immutable after the copy is published: the copy is taken back.
void TestRenameFile::sourceThatCannotBeRemoved()
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
        if (qstrcmp(stage, "before-remove-source") == 0)
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

// On FAT a name differing only in case is the same entry: the rename must still change it.
void TestRenameFile::caseChangeOnFat()
{
    const QString mkfs = QStandardPaths::findExecutable(
        QStringLiteral("mkfs.vfat"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    const QString image = path(QStringLiteral("fat.img"));
    if (mkfs.isEmpty() || ::geteuid() != 0)
        QSKIP("Needs root and mkfs.vfat (dosfstools) to mount a FAT image: the case change is not tested");
    QFile file(image);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(4 << 20));
    file.close();
    QCOMPARE(QProcess::execute(mkfs, {image}), 0);
    if (QProcess::execute(
            QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("loop"), image, path(QStringLiteral("mnt"))})
        != 0)
        QSKIP("Cannot mount a FAT image here: the case change on FAT is not tested");
    const QString from = path(QStringLiteral("mnt/photo.jpg"));
    writeFile(bytes(from), "picture");
    const int sameName = renameError(from, path(QStringLiteral("mnt/PHOTO.JPG")));
    const QStringList after = entries(path(QStringLiteral("mnt")));
    writeFile(bytes(path(QStringLiteral("mnt/other.jpg"))), "other");
    const int other = renameError(from, path(QStringLiteral("mnt/Other.jpg")));
    const QByteArray otherAfter = contents(path(QStringLiteral("mnt/other.jpg")));
    ::umount2(bytes(path(QStringLiteral("mnt"))).c_str(), MNT_DETACH);
    QCOMPARE(sameName, 0);
    QCOMPARE(after, QStringList(QStringLiteral("PHOTO.JPG")));
    QCOMPARE(other, EEXIST);
    QCOMPARE(otherAfter, QByteArray("other"));
}

void TestRenameFile::progressDialogAfterDelay()
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

QTEST_MAIN(TestRenameFile)
#include "tst_renamefile.moc"
