// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up with a path: a folder opens as if browsed, a file is chosen in its folder.
#include "controls/controls.h"
#include "controls/lists.h"
#include "files/pathcodec.h"
#include "main_window/form1.h"
#include "testsupport/fakehost.h"
#include "testsupport/testfiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

class TestForm1Start : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        for (const QString &folder : {path("/Documents"), path("/Photos"), nonUtf8Folder()})
            QVERIFY(TestFiles::makeFolder(folder));
        for (const QString &file : {path("/Photos/beach.jpg"), path("/Photos/README"), path("/Photos/.hidden"),
                 QString(nonUtf8Folder() + QStringLiteral("/caf\u00e9.png"))})
            QVERIFY(TestFiles::write(file));
        QCOMPARE(::mkfifo(encodePath(path("/fifo")).c_str(), 0644), 0);
        QCOMPARE(::symlink("fifo", encodePath(path("/link to a fifo")).c_str()), 0);
        QVERIFY(makeDeepFolder());
    }

    void cleanupTestCase()
    {
        QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), m_dir.path()}); // nftw cannot go that deep
    }

    void init()
    {
        m_host = std::make_unique<FakeHost>();
        m_host->documents.insert(m_host->user, path("/Documents"));
        m_host->pictureSize = QSize(8000, 6000); // every file previews, as a click on it would
        m_window = std::make_unique<Form1>(*m_host);
        QCOMPARE(m_window->Dir1->Path(), path("/Documents"));
    }

    void opens_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("chosen"); // "" when no file is chosen
        QTest::addColumn<QString>("baseName");
        QTest::addColumn<QString>("extension");
        QTest::newRow("folder") << path("/Photos") << path("/Photos") << QString() << QString() << QString();
        QTest::newRow("folder with a trailing slash")
            << path("/Photos/") << path("/Photos") << QString() << QString() << QString();
        QTest::newRow("file") << path("/Photos/beach.jpg") << path("/Photos") << QStringLiteral("beach.jpg")
                              << QStringLiteral("beach") << QStringLiteral("jpg");
        QTest::newRow("file without extension") << path("/Photos/README") << path("/Photos") << QStringLiteral("README")
                                                << QStringLiteral("README") << QString();
        QTest::newRow("names that are not UTF-8")
            << nonUtf8Folder() + QStringLiteral("/caf\u00e9.png") << nonUtf8Folder() << QStringLiteral("caf\u00e9.png")
            << QStringLiteral("caf\u00e9") << QStringLiteral("png");
    }

    void opens()
    {
        QFETCH(QString, argument);
        QFETCH(QString, folder);
        QFETCH(QString, chosen);
        Form1 &w = *m_window;
        w.openPath(argument);
        QTRY_VERIFY(!w.previewPending());

        QVERIFY(m_host->messages.isEmpty());
        QCOMPARE(w.Dir1->Path(), folder);
        QCOMPARE(w.File1->Path(), folder);
        const QString prefix = folder + u'/';
        QCOMPARE(w.Label1->text(), prefix);
        QCOMPARE(w.Text5->text(), prefix);
        QCOMPARE(w.File1->FileName(), chosen);
        QCOMPARE(w.FileChosen, std::int16_t(chosen.isEmpty() ? 0 : 1));
        if (chosen.isEmpty())
            return;
        // Chosen as a click chooses: selected in the list, name split, target path composed, previewed.
        QCOMPARE(w.File1->currentIndex().data().toString(), chosen);
        QTEST(w.Text2->text(), "baseName");
        QTEST(w.Text3->text(), "extension");
        QCOMPARE(w.Label2->text(), prefix + chosen);
        QVERIFY(m_host->loadedPictures.contains(prefix + chosen));
    }

    void refuses_data()
    {
        QTest::addColumn<QString>("argument"); // empty: this machine has none
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        const QString absent = QStringLiteral("Directory does not exist");
        const auto because = [](int error) { return QString::fromLocal8Bit(std::strerror(error)); };
        QTest::newRow("missing") << path("/nothing") << absent << because(ENOENT);
        QTest::newRow("missing file in a folder") << path("/Photos/gone.jpg") << absent << because(ENOENT);
        QTest::newRow("hidden file, not listed") << path("/Photos/.hidden") << absent << because(ENOTDIR);
        const QString tooLong = QStringLiteral("The path is too long to open.");
        const QString special = QStringLiteral("The path is not a folder or a regular file.");
        const QString cannot = QStringLiteral("Cannot Open");
        QTest::newRow("a folder deeper than a path can name") << m_deepFolder << tooLong << cannot;
        QTest::newRow("a FIFO") << path("/fifo") << special << cannot;
        QTest::newRow("a link to a FIFO") << path("/link to a fifo") << special << cannot;
        QTest::newRow("a character device") << QStringLiteral("/dev/zero") << special << cannot;
        QTest::newRow("a block device") << blockDevice() << special << cannot;
    }

    // What the folder list cannot open is said, and the window stays where it started.
    void refuses()
    {
        QFETCH(QString, argument);
        if (argument.isEmpty())
            QSKIP("this machine has no such file");
        Form1 &w = *m_window;
        w.openPath(argument);

        QCOMPARE(m_host->messages.size(), 1);
        QTEST(m_host->messages[0].text, "text");
        QCOMPARE(m_host->messages[0].style, 16);
        QTEST(m_host->messages[0].title, "title");
        QCOMPARE(w.Dir1->Path(), path("/Documents"));
        QCOMPARE(w.FileChosen, std::int16_t(0));
    }

private:
    [[nodiscard]] QString path(const char *relative) const { return m_dir.path() + QLatin1String(relative); }
    [[nodiscard]] QString nonUtf8Folder() const { return m_dir.path() + decodePath("/Fotos \xe9t\xe9"); }

    // A folder whose path is longer than the system takes (4096 bytes), made a level at a time by bash,
    // whose cd, unlike dash's, does not need the whole path.
    bool makeDeepFolder()
    {
        const QString name(200, u'd');
        m_deepFolder = m_dir.path() + QString(u'/' + name).repeated(25);
        return QProcess::execute(QStringLiteral("bash"),
                   {QStringLiteral("-c"),
                       QStringLiteral("cd \"$0\" && for i in $(seq 25); do mkdir %1 && cd %1; done").arg(name),
                       m_dir.path()})
            == 0;
    }

    // A block device of this machine, or "" when it has none.
    static QString blockDevice()
    {
        struct stat st {
        };
        for (const char *device : {"/dev/loop0", "/dev/vda", "/dev/sda", "/dev/nvme0n1"})
            if (::stat(device, &st) == 0 && S_ISBLK(st.st_mode))
                return QString::fromLatin1(device);
        return {};
    }

    QTemporaryDir m_dir;
    QString m_deepFolder;
    std::unique_ptr<FakeHost> m_host;
    std::unique_ptr<Form1> m_window;
};

QTEST_MAIN(TestForm1Start)
#include "tst_form1_start.moc"
