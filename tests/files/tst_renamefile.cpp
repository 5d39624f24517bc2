// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Renames and moves by exact bytes that never replace a file.
#include "renamefixture.h"

#include "files/dirlisting.h"

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
    void namesByExactBytes_data();
    void namesByExactBytes();
    void nulInEitherPath_data();
    void nulInEitherPath();
    void newcomerAtTarget_data();
    void newcomerAtTarget();
    void caseChangeOnFat();

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

void TestRenameFile::namesByExactBytes_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("neighbour"); // the name the file would have if a byte were lost or replaced
    QTest::newRow("byte that is not UTF-8") << QByteArray("a\xff.txt") << QByteArray("a\xef\xbf\xbd.txt");
    QTest::newRow("byte-order mark before the name") << QByteArray("\xef\xbb\xbf"
                                                                   "a.txt")
                                                     << QByteArray("a.txt");
}

// The file is listed under a name of its own and renamed by it; its neighbour stays.
void TestRenameFile::namesByExactBytes()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, neighbour);
    const std::string folder = bytes(path(QStringLiteral("src")));
    writeFile(folder + '/' + name.toStdString(), "raw");
    writeFile(folder + '/' + neighbour.toStdString(), "neighbour");
    const std::vector<QString> listed = readFolder(path(QStringLiteral("src"))).files;
    QCOMPARE(listed.size(), std::size_t(2));
    const QString chosen
        = path(QStringLiteral("src/") + (listed[0] == decodePath(neighbour.toStdString()) ? listed[1] : listed[0]));

    renameFile(chosen, path(QStringLiteral("src/b.txt")), {});

    QCOMPARE(contents(path(QStringLiteral("src/b.txt"))), QByteArray("raw"));
    QCOMPARE(contents(chosen), QByteArray("<missing>"));
    QCOMPARE(contents(decodePath(folder + '/' + neighbour.toStdString())), QByteArray("neighbour"));
}

void TestRenameFile::nulInEitherPath_data()
{
    QTest::addColumn<QString>("fromName");
    QTest::addColumn<QString>("toName");
    QTest::newRow("in the source, cut to another file") << QStringLiteral("src/a.txt\0.bak") << "dst/b.txt";
    QTest::newRow("in the target, cut to a folder's name") << "src/a.txt" << QStringLiteral("dst/moved\0/a.txt");
    QTest::newRow("in the target across file systems") << "src/a.txt" << QStringLiteral("mnt/moved\0/a.txt");
}

// The system calls would act on the path cut at the NUL: refused before any.
void TestRenameFile::nulInEitherPath()
{
    QFETCH(QString, fromName);
    QFETCH(QString, toName);
    Tmpfs fs(path(QStringLiteral("mnt")), "16m");
    writeFile(bytes(path(QStringLiteral("src/a.txt"))), "source");

    QCOMPARE(renameError(path(fromName), path(toName)), EINVAL);

    QCOMPARE(entries(path(QStringLiteral("src"))), QStringList(QStringLiteral("a.txt")));
    QCOMPARE(entries(path(QStringLiteral("dst"))), QStringList());
    QCOMPARE(entries(path(QStringLiteral("mnt"))), QStringList());
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

// On FAT a name differing only in case is the same entry: the rename must still change it.
void TestRenameFile::caseChangeOnFat()
{
    FuseFat fat(path(QStringLiteral("fat.img")), path(QStringLiteral("mnt")));
    REQUIRE_FAT(fat);
    const QString from = path(QStringLiteral("mnt/photo.jpg"));
    writeFile(bytes(from), "picture");
    QCOMPARE(renameError(from, path(QStringLiteral("mnt/PHOTO.JPG"))), 0);
    QCOMPARE(entries(path(QStringLiteral("mnt"))), QStringList(QStringLiteral("PHOTO.JPG")));
    writeFile(bytes(path(QStringLiteral("mnt/other.jpg"))), "other");
    QCOMPARE(renameError(path(QStringLiteral("mnt/PHOTO.JPG")), path(QStringLiteral("mnt/Other.jpg"))), EEXIST);
    QCOMPARE(contents(path(QStringLiteral("mnt/other.jpg"))), QByteArray("other"));
    QCOMPARE(contents(path(QStringLiteral("mnt/PHOTO.JPG"))), QByteArray("picture"));
}

QTEST_MAIN(TestRenameFile)
#include "tst_renamefile.moc"
