// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Refusals that only a user without root's rights meets, since root may read and write
// every folder: run as root, ctest starts this program as the user nobody (unprivileged.sh).
#include "files/dirlisting.h"
#include "renamefixture.h"
#include "testsupport/testfiles.h"

#include <cerrno>
#include <cstring>

class TestFilesUnprivileged : public QObject, protected RenameFolders
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (::geteuid() == 0)
            QSKIP("Root may use every folder: run through ctest, which starts this program as the user nobody");
    }

    void init() { makeFolders(); }
    void cleanup() { removeFolders(); }

    void readFolderRefused()
    {
        const QString locked = path(QStringLiteral("src/Locked"));
        QVERIFY(TestFiles::makeFolder(locked));
        QCOMPARE(::chmod(encodePath(locked).c_str(), 0), 0);
        try {
            (void)readFolder(locked);
            QFAIL("no HostError");
        } catch (const HostError &e) {
            QCOMPARE(e.number(), EACCES);
            QCOMPARE(e.text(), QString::fromLocal8Bit(std::strerror(EACCES)));
        }
        ::chmod(encodePath(locked).c_str(), 0755);
    }

    void readOnlySourceFolder()
    {
        const QString from = path(QStringLiteral("src/a.txt"));
        writeFile(bytes(from), "source");
        QCOMPARE(::chmod(bytes(path(QStringLiteral("src"))).c_str(), 0555), 0);
        const int error = renameError(from, path(QStringLiteral("dst/a.txt")));
        ::chmod(bytes(path(QStringLiteral("src"))).c_str(), 0755);
        QCOMPARE(error, EACCES);
        QCOMPARE(contents(from), QByteArray("source"));
        QCOMPARE(entries(path(QStringLiteral("dst"))), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestFilesUnprivileged)
#include "tst_files_unprivileged.moc"
