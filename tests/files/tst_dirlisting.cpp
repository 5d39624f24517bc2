// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// readFolder and the natural order, on real folders with awkward entries.
#include "base/hosterror.h"
#include "files/dirlisting.h"
#include "files/pathcodec.h"
#include "testsupport/testfiles.h"

#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QStringList toList(const std::vector<QString> &names)
{
    return QStringList(names.begin(), names.end());
}

// A name whose byte 0xE9 (Latin-1 "é") is not valid UTF-8, as decodePath shows it.
const QString latin1Cafe = QStringLiteral("caf") + QChar(char16_t(0xDCE9)) + QStringLiteral(".jpg");
const QString replacementCafe = QStringLiteral("caf\uFFFD.jpg");
}

class TestDirListing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_dir.setAutoRemove(false); // QDir cannot remove the name that is not UTF-8: removeTree does
        const std::string root = encodePath(m_dir.path());
        for (const char *file : {"IMG_10.jpg", "IMG_2.jpg", "img_1.JPG", "Notes", ".hidden.jpg"})
            QVERIFY(TestFiles::write(m_dir.path() + u'/' + QLatin1String(file)));
        // Raw bytes, as a camera or an old archive writes them: not valid UTF-8.
        for (const char *raw : {"/caf\xe9.jpg", "/caf\xef\xbf\xbd.jpg"}) {
            const int fd = ::open((root + raw).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
            QVERIFY2(fd >= 0, raw);
            ::close(fd);
        }
        for (const char *folder : {"/Sub", "/.git", "/10 Archive", "/9 Inbox"})
            QVERIFY(::mkdir((root + folder).c_str(), 0755) == 0);
        QVERIFY(::symlink("IMG_2.jpg", (root + "/shortcut.jpg").c_str()) == 0);
        QVERIFY(::symlink("missing.jpg", (root + "/dangling.jpg").c_str()) == 0);
        QVERIFY(::symlink("Sub", (root + "/SubLink").c_str()) == 0);
        QVERIFY(::symlink("loop", (root + "/loop").c_str()) == 0);
        QVERIFY(::mkfifo((root + "/pipe").c_str(), 0644) == 0);
    }

    void cleanupTestCase() { TestFiles::removeTree(m_dir.path()); }

    void naturalLess_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("less");
        QTest::newRow("IMG_2 before IMG_10") << "IMG_2.jpg"
                                             << "IMG_10.jpg" << true;
        QTest::newRow("IMG_10 after IMG_2") << "IMG_10.jpg"
                                            << "IMG_2.jpg" << false;
        QTest::newRow("case ignored: apple before Banana") << "apple"
                                                           << "Banana" << true;
        QTest::newRow("case ignored: Banana after apple") << "Banana"
                                                          << "apple" << false;
        QTest::newRow("case ignored across a number") << "img_9.JPG"
                                                      << "IMG_10.jpg" << true;
        QTest::newRow("leading zeros: 01 before 2") << "img_01"
                                                    << "img_2" << true;
        QTest::newRow("leading zeros: 010 after 9") << "img_010"
                                                    << "img_9" << false;
        QTest::newRow("numbers beyond 64 bits") << "x99999999999999999999999999"
                                                << "x100000000000000000000000000" << true;
        QTest::newRow("equal but for case: upper first") << "IMG.jpg"
                                                         << "img.jpg" << true;
        QTest::newRow("equal but for case: lower second") << "img.jpg"
                                                          << "IMG.jpg" << false;
        QTest::newRow("equal but for zeros: more zeros first") << "a007"
                                                               << "a7" << true;
        QTest::newRow("equal but for zeros: fewer zeros second") << "a7"
                                                                 << "a007" << false;
        QTest::newRow("a prefix comes first") << "a"
                                              << "a0" << true;
        QTest::newRow("a digit before a letter") << "a1"
                                                 << "ab" << true;
        QTest::newRow("a digit after a space") << "a 1"
                                               << "a1" << true;
        QTest::newRow("an underscore before a digit") << "a_"
                                                      << "a1" << true;
        QTest::newRow("numbers compared, then what follows") << "a1b"
                                                             << "a01c" << true;
        QTest::newRow("accented letters folded") << text("\xc3\x89t\xc3\xa9 1") << text("\xc3\xa9t\xc3\xa9 2") << true;
        QTest::newRow("an escaped byte before U+FFFD") << latin1Cafe << replacementCafe << true;
        QTest::newRow("a name is not before itself") << "IMG_2.jpg"
                                                     << "IMG_2.jpg" << false;
    }

    void naturalLess()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, less);
        QCOMPARE(::naturalLess(a, b), less);
        if (less)
            QVERIFY(!::naturalLess(b, a)); // asymmetric
    }

    // Every pair of distinct names is ordered one way, and the order is transitive.
    void naturalLessIsATotalOrder()
    {
        const QStringList names = orderedNames();
        for (qsizetype i = 0; i < names.size(); ++i) {
            for (qsizetype j = 0; j < names.size(); ++j) {
                QVERIFY2(::naturalLess(names[i], names[j]) == (i < j),
                    qPrintable(names[i] + QLatin1String(" / ") + names[j]));
                std::string keyI, keyJ;
                appendNaturalKey(names[i], keyI);
                appendNaturalKey(names[j], keyJ);
                // The key orders exactly as naturalLess, down to names that differ only in case.
                QCOMPARE(keyI < keyJ, i < j);
            }
        }
    }

    void readFolderListsVisibleFilesNaturally()
    {
        const FolderContents contents = readFolder(m_dir.path());
        const QStringList files {latin1Cafe, replacementCafe, QStringLiteral("img_1.JPG"), QStringLiteral("IMG_2.jpg"),
            QStringLiteral("IMG_10.jpg"), QStringLiteral("Notes"), QStringLiteral("shortcut.jpg")};
        QCOMPARE(toList(contents.files), files);
        const QStringList folders {
            QStringLiteral("9 Inbox"), QStringLiteral("10 Archive"), QStringLiteral("Sub"), QStringLiteral("SubLink")};
        QCOMPARE(toList(contents.folders), folders);
    }

    void readFolderParts()
    {
        const FolderContents folders = readFolder(m_dir.path(), FolderParts::FoldersOnly);
        QVERIFY(folders.files.empty());
        QCOMPARE(folders.folders.size(), std::size_t(4));
        const FolderContents files = readFolder(m_dir.path(), FolderParts::FilesOnly);
        QVERIFY(files.folders.empty());
        QCOMPARE(files.files.size(), std::size_t(7));
    }

    // The name that is not UTF-8 is listed, distinct from its U+FFFD sibling,
    // and turns back into its exact bytes.
    void nameThatIsNotUtf8RoundTrips()
    {
        const std::vector<QString> files = readFolder(m_dir.path()).files;
        QCOMPARE(std::count(files.begin(), files.end(), latin1Cafe), 1);
        QCOMPARE(std::count(files.begin(), files.end(), replacementCafe), 1);
        QCOMPARE(encodePath(latin1Cafe), std::string("caf\xe9.jpg"));
        QCOMPARE(encodePath(replacementCafe), std::string("caf\xef\xbf\xbd.jpg"));
        struct stat st {
        };
        QCOMPARE(::stat(encodePath(m_dir.path() + u'/' + latin1Cafe).c_str(), &st), 0);
        QVERIFY(S_ISREG(st.st_mode));
    }

    void readFolderInAFolderThatIsNotUtf8()
    {
        const QString folder = m_dir.path() + QStringLiteral("/Sub/") + QChar(char16_t(0xDCFF));
        QVERIFY(TestFiles::makeFolder(folder));
        QVERIFY(TestFiles::write(folder + QStringLiteral("/inside.jpg")));
        QCOMPARE(toList(readFolder(folder).files), QStringList {QStringLiteral("inside.jpg")});
        QCOMPARE(
            toList(readFolder(m_dir.path() + QStringLiteral("/Sub")).folders), QStringList {QChar(char16_t(0xDCFF))});
    }

    void readFolderFails_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("error");
        QTest::newRow("missing folder") << QStringLiteral("/no-such-folder/here") << ENOENT;
        QTest::newRow("empty path") << QString() << ENOENT;
        QTest::newRow("a file") << QStringLiteral("/IMG_2.jpg") << ENOTDIR;
        QTest::newRow("a dangling link") << QStringLiteral("/dangling.jpg") << ENOENT;
    }

    void readFolderFails()
    {
        QFETCH(QString, path);
        QFETCH(int, error);
        const QString full = path.startsWith(QLatin1String("/no-such")) || path.isEmpty() ? path : m_dir.path() + path;
        try {
            (void)readFolder(full);
            QFAIL("no HostError");
        } catch (const HostError &e) {
            QCOMPARE(e.number(), error);
            QCOMPARE(e.text(), QString::fromLocal8Bit(std::strerror(error)));
        }
    }

    // readFolder sorts through keys and a shortcut on their first bytes, keyed in
    // batches on two threads: it must give exactly the order of naturalLess,
    // whatever the names share and however many there are.
    void readFolderSortsAsNaturalLess()
    {
        QTemporaryDir many;
        QVERIFY(many.isValid());
        many.setAutoRemove(false);
        const auto cleanup = qScopeGuard([&many] { TestFiles::removeTree(many.path()); });
        QStringList names = orderedNames();
        QRandomGenerator random(20260101);
        const QStringList stems {QStringLiteral("IMG_"), QStringLiteral("img_"), QStringLiteral("Img-"),
            QStringLiteral("DSC"), QStringLiteral("x"), text("\xc3\xa9t\xc3\xa9 "), text("\xc3\x89T\xc3\x89_"),
            text("\xd0\xa4\xd0\xbe\xd1\x82\xd0\xbe "), text("\xe5\x86\x99\xe7\x9c\x9f"), QStringLiteral("ete ")};
        QSet<QString> unique(names.begin(), names.end());
        while (names.size() < 9000) {
            const QString stem = stems[random.bounded(int(stems.size()))];
            const QString zeros(random.bounded(3), u'0');
            const QString name = stem + zeros + QString::number(random.bounded(5000))
                + (random.bounded(2) ? QStringLiteral(".jpg") : QStringLiteral(".JPG"));
            if (!unique.contains(name)) {
                unique.insert(name);
                names.append(name);
            }
        }
        for (const QString &name : std::as_const(names))
            QVERIFY(TestFiles::write(many.path() + u'/' + name));
        std::sort(names.begin(), names.end(), ::naturalLess);
        QCOMPARE(toList(readFolder(many.path()).files), names);
    }

    void readFolderOfNamesSharingAWholeKey()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QStringList names {QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("a0"), QStringLiteral("a00"),
            QStringLiteral("a0b"), QStringLiteral("ab")};
        for (const QString &name : names)
            QVERIFY(TestFiles::write(folder.path() + u'/' + name));
        // "a0" and "a00" are level (both zero): their exact text orders them.
        const QStringList expected {QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("a0"),
            QStringLiteral("a00"), QStringLiteral("a0b"), QStringLiteral("ab")};
        QCOMPARE(toList(readFolder(folder.path()).files), expected);
    }

private:
    // Names in the order a file manager shows them.
    static QStringList orderedNames()
    {
        return {QStringLiteral(" space"), QStringLiteral("0"), QStringLiteral("00"), QStringLiteral("1"),
            QStringLiteral("01a"), QStringLiteral("1a"), QStringLiteral("2"), QStringLiteral("10"),
            QStringLiteral("DSC0001"), text("\xc3\x89t\xc3\xa9"), text("\xc3\xa9t\xc3\xa9"),
            QStringLiteral("IMG_1.jpg"), QStringLiteral("img_1.jpg"), QStringLiteral("IMG_02.jpg"),
            QStringLiteral("IMG_2.jpg"), QStringLiteral("img_002.JPG"), QStringLiteral("IMG_10.jpg"),
            QStringLiteral("IMG_10a.jpg"), QStringLiteral("IMG_10b.jpg"), QStringLiteral("IMG_100.jpg"),
            QStringLiteral("IMGa"), QStringLiteral("Zebra"), QStringLiteral("zebra"), QStringLiteral("zebra2"),
            QStringLiteral("zebra10"), latin1Cafe.mid(3), replacementCafe.mid(3)};
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestDirListing)
#include "tst_dirlisting.moc"
