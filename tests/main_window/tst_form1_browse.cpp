// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Folder changes, the destination hold and the click on a file, in real folders.
#include "controls/controls.h"
#include "controls/lists.h"
#include "files/pathcodec.h"
#include "main_window/form1.h"
#include "testsupport/fakehost.h"
#include "testsupport/testfiles.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

#include <unistd.h>

class TestForm1Browse : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY2(!m_dir.path().contains(u'.'), "the dot tests need a temporary folder without dots");
        for (const char *folder : {"/Photos", "/Sorted", "/my.files", "/photos"})
            QVERIFY(TestFiles::makeFolder(path(folder)));
        for (const char *file : {"/Photos/holiday.jpg", "/Photos/archive.tar.gz", "/Photos/README"})
            QVERIFY(TestFiles::write(path(file)));
    }

    void cleanupTestCase() { TestFiles::removeTree(m_dir.path()); }

    void init()
    {
        m_host = std::make_unique<FakeHost>();
        m_host->pictureSize = QSize(8000, 6000); // every file previews, so each click runs to its end
        m_window = std::make_unique<Form1>(*m_host);
    }

    void folderChange_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("held");
        QTest::addColumn<int>("dirPathLen");
        QTest::addColumn<QString>("text5");
        QTest::addColumn<QString>("label1");
        QTest::addColumn<QString>("label2");
        QTest::addColumn<int>("manyDots");
        const QString photos = path("/Photos");
        QTest::newRow("not held") << photos << false << int(photos.size()) << photos + u'/' << photos + u'/'
                                  << photos + QStringLiteral("/holiday") << 0;
        QTest::newRow("held keeps the destination") << photos << true << int(photos.size()) << path("/Sorted/")
                                                    << photos + u'/' << path("/Sorted/holiday") << 0;
        QTest::newRow("the root") << "/" << false << 1 << "/"
                                  << "/"
                                  << "/holiday" << 0;
        QTest::newRow("four characters") << "/tmp" << false << 4 << "/tmp/"
                                         << "/tmp/"
                                         << "/tmp/holiday" << 0;
        QTest::newRow("dot in the folder name")
            << path("/my.files") << false << int(path("/my.files").size()) << path("/my.files/") << path("/my.files/")
            << path("/my.files/holiday") << 0;
    }

    void folderChange()
    {
        QFETCH(QString, folder);
        QFETCH(bool, held);
        Form1 &w = *m_window;
        w.Text5->assignText(path("/Sorted/"));
        w.Text2->assignText(QStringLiteral("holiday"));
        w.Text3->assignText(QStringLiteral("jpg"));
        w.Check1->setChecked(held);
        w.FileChosen = 1;

        w.Dir1->setPath(folder);
        QTEST(int(w.DirPathLen), "dirPathLen");
        QCOMPARE(w.File1->Path(), folder);
        QTEST(w.Text5->text(), "text5");
        QTEST(w.Label1->text(), "label1");
        QTEST(w.Label2->text(), "label2");
        QTEST(int(w.ManyDots), "manyDots");
        QCOMPARE(w.FileChosen, std::int16_t(0));
        QCOMPARE(w.Text3->text(), QStringLiteral("jpg"));
    }

    void folderChangeAfterAClickKeepsTheCaption()
    {
        Form1 &w = *m_window;
        w.Dir1->setPath(path("/Photos"));
        w.Check1->setChecked(true);
        w.Dir1->setPath(path("/Sorted"));
        clickFile(QStringLiteral("x.jpg"));
        QCOMPARE(w.Command1->text(), QStringLiteral("Rename and Move"));
        QCOMPARE(w.FileChosen, std::int16_t(1));
        w.Dir1->setPath(path("/Photos"));
        QCOMPARE(w.Command1->text(), QStringLiteral("Rename and Move"));
        QCOMPARE(w.FileChosen, std::int16_t(0));
    }

    void driveThatCannotBeOpened()
    {
        Form1 &w = *m_window;
        w.Dir1->setPath(path("/Photos"));
        const QString text5 = w.Text5->text(), label1 = w.Label1->text(), label2 = w.Label2->text();
        w.Drive1->addItem(QStringLiteral("gone"), path("/no-such-volume"));
        w.Drive1->setCurrentIndex(w.Drive1->count() - 1);
        w.Drive1_Change();

        QCOMPARE(m_host->messages.size(), 1);
        QCOMPARE(m_host->messages[0].text, QStringLiteral("Directory does not exist"));
        QCOMPARE(m_host->messages[0].style, 16);
        QCOMPARE(m_host->messages[0].title, QString::fromLocal8Bit(std::strerror(ENOENT)));
        QCOMPARE(w.Dir1->Path(), path("/Photos"));
        QCOMPARE(w.File1->Path(), path("/Photos"));
        QCOMPARE(w.Text5->text(), text5);
        QCOMPARE(w.Label1->text(), label1);
        QCOMPARE(w.Label2->text(), label2);
    }

    // The folder list opens a folder on a volume the drive list leaves out
    // (here the temporary folder, recorded as memory): the drive list lists it
    // and keeps showing the drive picked before.
    void browsingListsTheFoldersVolume()
    {
        Form1 &w = *m_window;
        const std::string table
            = "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n9 1 0:30 / " + encodePath(m_dir.path()) + " rw - tmpfs tmpfs rw\n";
        w.Dir1->setPath(QStringLiteral("/"));
        w.Drive1->setMountTable(parseMountTable(table));
        w.Drive1->showVolumeOf(QStringLiteral("/"));
        QCOMPARE(w.Drive1->findData(m_dir.path()), -1);
        w.Dir1->setPath(path("/Photos"));
        QVERIFY(w.Drive1->findData(m_dir.path()) >= 0);
        QCOMPARE(w.Drive1->Drive(), QStringLiteral("/"));
    }

    void folderVanishedBeforeTheFileListReadIt()
    {
        Form1 &w = *m_window;
        w.Dir1->setPath(path("/Photos"));
        const QString text5 = w.Text5->text(), label1 = w.Label1->text();
        QVERIFY(TestFiles::makeFolder(path("/brief")));
        {
            // The folder list accepts the folder; its change handler runs only once the folder is gone.
            const QSignalBlocker blocker(w.Dir1);
            w.Dir1->setPath(path("/brief"));
        }
        QVERIFY(::rmdir(encodePath(path("/brief")).c_str()) == 0);
        w.Dir1_Change();

        QCOMPARE(m_host->messages.size(), 1);
        QCOMPARE(m_host->messages[0].text, QStringLiteral("Directory does not exist"));
        QCOMPARE(m_host->messages[0].title, QString::fromLocal8Bit(std::strerror(ENOENT)));
        QCOMPARE(w.File1->Path(), path("/Photos"));
        QCOMPARE(w.Text5->text(), text5);
        QCOMPARE(w.Label1->text(), label1);
        QCOMPARE(w.FileChosen, std::int16_t(0));
        // The folder list is back on the folder the rest of the window shows.
        QCOMPARE(w.Dir1->Path(), path("/Photos"));
        clickFile(QStringLiteral("holiday.jpg"));
        QCOMPARE(w.Command1->text(), QStringLiteral("Rename"));
        // And the folder shown is still the one watched.
        QVERIFY(TestFiles::write(path("/Photos/late.txt")));
        QTRY_VERIFY(!w.File1->model()
                         ->match(w.File1->model()->index(0, 0), Qt::DisplayRole, QStringLiteral("late.txt"))
                         .isEmpty());
        QVERIFY(::unlink(encodePath(path("/Photos/late.txt")).c_str()) == 0);
    }

    void nameSplit_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("manyDots");
        QTest::newRow("holiday.jpg") << "holiday.jpg"
                                     << "holiday"
                                     << "jpg"
                                     << "holiday.jpg" << 0;
        QTest::newRow("archive.tar.gz") << "archive.tar.gz"
                                        << "archive"
                                        << "tar.gz"
                                        << "archive.tar.gz" << 1;
        QTest::newRow(".profile") << ".profile"
                                  << ""
                                  << "profile"
                                  << ".profile" << 0;
        QTest::newRow("README, no dot") << "README"
                                        << "README"
                                        << ""
                                        << "README" << 0;
    }

    void nameSplit()
    {
        QFETCH(QString, name);
        QFETCH(QString, target);
        Form1 &w = *m_window;
        w.Dir1->setPath(path("/Photos"));
        w.Text2->assignText(QStringLiteral("previous"));
        w.Text3->assignText(QStringLiteral("png"));
        clickFile(name);

        QCOMPARE(w.FileChosen, std::int16_t(1));
        QTEST(w.Text2->text(), "base");
        QTEST(w.Text3->text(), "extension");
        QCOMPARE(w.Label2->text(), path("/Photos/") + target);
        QTEST(int(w.ManyDots), "manyDots");
        QCOMPARE(w.Command1->text(), QStringLiteral("Rename"));
    }

    void captionRule_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("held");
        QTest::addColumn<QString>("destination"); // typed after the folder change; "" keeps what it set
        QTest::addColumn<QString>("caption");
        QTest::newRow("own folder") << path("/Photos") << false << ""
                                    << "Rename";
        QTest::newRow("the root") << "/" << false << ""
                                  << "Rename";
        QTest::newRow("held elsewhere") << path("/Photos") << true << path("/Sorted/") << "Rename and Move";
        QTest::newRow("differs in letter case") << path("/Photos") << false << path("/photos/") << "Rename and Move";
        QTest::newRow("typed without trailing slash") << path("/Photos") << false << path("/Photos") << "Rename";
    }

    void captionRule()
    {
        QFETCH(QString, folder);
        QFETCH(bool, held);
        QFETCH(QString, destination);
        Form1 &w = *m_window;
        w.Check1->setChecked(held);
        w.Dir1->setPath(folder);
        if (!destination.isEmpty())
            w.Text5->assignText(destination);
        w.Command1->setText(QStringLiteral("unset"));
        clickFile(QStringLiteral("holiday.jpg"));
        QTEST(w.Command1->text(), "caption");
    }

    void nameThatIsNotUtf8()
    {
        const QByteArray bytes = encodePath(path("/Photos/")).c_str() + QByteArray("caf\xe9.jpg");
        const QString name = decodePath("caf\xe9.jpg");
        QVERIFY(TestFiles::write(decodePath(bytes.toStdString())));
        QVERIFY(TestFiles::write(path("/Photos/caf\uFFFD.jpg")));
        Form1 &w = *m_window;
        w.Dir1->setPath(path("/Photos"));
        clickFile(name);
        QCOMPARE(w.Text2->text(), decodePath("caf\xe9"));
        const std::string target = encodePath(w.Label2->text());
        QCOMPARE(QByteArray(target.data(), qsizetype(target.size())), bytes);
    }

private:
    QString path(const char *below) const { return m_dir.path() + QString::fromUtf8(below); }

    void clickFile(const QString &name)
    {
        m_window->File1->setFileName(name);
        m_window->File1_Click();
        QTRY_VERIFY(!m_window->previewPending());
    }

    QTemporaryDir m_dir;
    std::unique_ptr<FakeHost> m_host;
    std::unique_ptr<Form1> m_window;
};

QTEST_MAIN(TestForm1Browse)
#include "tst_form1_browse.moc"
