// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The rename button, end to end within the window, on real files.
#include "controls/controls.h"
#include "controls/imagebox.h"
#include "controls/lists.h"
#include "files/pathcodec.h"
#include "main_window/form1.h"
#include "testsupport/fakehost.h"
#include "testsupport/testfiles.h"
#include "windowdriver.h"

#include <QCheckBox>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestForm1Rename : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { m_fixture.setUp({"/old.stuff"}); }
    void cleanup() { m_fixture.tearDown(); }

    void renameInPlace()
    {
        Form1 &w = *m_fixture.window;
        click(QStringLiteral("a.jpg"));
        typeBaseName(QStringLiteral("b"));
        press();
        QVERIFY(m_fixture.host->messages.isEmpty());
        QVERIFY(!TestFiles::exists(path("/Pics/a.jpg")));
        QVERIFY(TestFiles::exists(path("/Pics/b.jpg")));
        QCOMPARE(listed(), QStringList({QStringLiteral("b.jpg"), QStringLiteral("notes.txt")}));
        QCOMPARE(w.OldFile, path("/Pics/a.jpg"));
        QCOMPARE(w.NewFile, path("/Pics/b.jpg"));
        QCOMPARE(w.FileChosen, std::int16_t(0));
        QVERIFY(!w.Image1->isHidden()); // the preview shows the renamed picture
        QVERIFY(m_fixture.host->loadedPictures.contains(path("/Pics/b.jpg")));
    }

    void moveIntoTheHeldFolder()
    {
        Form1 &w = *m_fixture.window;
        w.Dir1->setPath(path("/Sorted"));
        w.Check1->setChecked(true);
        w.Dir1->setPath(path("/Pics"));
        click(QStringLiteral("a.jpg"));
        QCOMPARE(w.Command1->text(), QStringLiteral("Rename and Move"));
        press();
        QVERIFY(m_fixture.host->messages.isEmpty());
        QVERIFY(TestFiles::exists(path("/Sorted/a.jpg")));
        QCOMPARE(listed(), QStringList({QStringLiteral("notes.txt")}));
    }

    void secondPressWithoutAClick()
    {
        click(QStringLiteral("a.jpg"));
        typeBaseName(QStringLiteral("b"));
        press();
        typeBaseName(QStringLiteral("c"));
        press();
        QCOMPARE(m_fixture.host->messages.size(), 1);
        QCOMPARE(m_fixture.host->messages[0].text, QStringLiteral("Chose a File"));
        QCOMPARE(m_fixture.host->messages[0].title, QStringLiteral("File"));
        QCOMPARE(m_fixture.host->messages[0].style, 16);
        QVERIFY(TestFiles::exists(path("/Pics/b.jpg")));
        QVERIFY(!TestFiles::exists(path("/Pics/c.jpg")));
    }

    void emptyBaseNameRenamesNothingQuietly()
    {
        Form1 &w = *m_fixture.window;
        click(QStringLiteral("a.jpg"));
        typeBaseName(QString());
        press();
        QVERIFY(m_fixture.host->messages.isEmpty());
        QVERIFY(TestFiles::exists(path("/Pics/a.jpg")));
        QVERIFY(!w.Image1->isHidden()); // not hidden, and the preview stays as it was
        QCOMPARE(w.FileChosen, std::int16_t(0));
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("destination"); // typed into the destination box; "-" leaves it
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("untouched"); // a file that must keep its content
        QTest::addColumn<bool>("keeps"); // the file stays chosen, the name typed
        QTest::newRow("dot in the destination folder")
            << path("/old.stuff/") << "b"
            << "Error File not Renamed\nThe target path may hold no \".\" other than the one before the extension."
            << path("/Pics/a.jpg") << false;
        QTest::newRow("target exists") << "-"
                                       << "notes"
                                       << "Error File not Renamed\nA file with that name already "
                                          "exists there; nothing was overwritten."
                                       << path("/Pics/notes.txt") << true;
        QTest::newRow("slash in the base name")
            << "-"
            << "x/b"
            << "Error File not Renamed\nA name may not contain \"/\"." << path("/Pics/a.jpg") << true;
        QTest::newRow("NUL in the base name")
            << "-" << QStringLiteral("b\0/x") << "Error File not Renamed\nA name may not contain a NUL character."
            << path("/Pics/a.jpg") << true;
        QTest::newRow("NUL in the destination folder")
            << path("/Sorted") + QStringLiteral("/moved\0/") << "b"
            << "Error File not Renamed\nThe destination folder may not contain a NUL character." << path("/Pics/a.jpg")
            << true;
        QTest::newRow("destination folder path too long")
            << path("/Sorted") + QStringLiteral("/f").repeated(2100) + u'/' << "b"
            << "Error File not Renamed\nThe destination folder path is too long." << path("/Pics/a.jpg") << true;
        QTest::newRow("new name too long")
            << "-" << QString(256, u'n') << "Error File not Renamed\nThe new name is too long." << path("/Pics/a.jpg")
            << true;
        QTest::newRow("destination emptied by hand")
            << ""
            << "b"
            << "Error File not Renamed\nThe destination folder must be a full path, starting with \"/\"."
            << path("/Pics/a.jpg") << true;
        QTest::newRow("destination folder path through a file")
            << "%pics%/README/"
            << "b"
            << "Error File not Renamed\nA part of the destination folder path is a file, not a folder."
            << "%pics%/README" << true;
        QTest::newRow("destination folder missing")
            << path("/gone/") << "b"
            << "Error File not Renamed\nThe file, or the folder it should go to, no longer exists."
            << path("/Pics/a.jpg") << true;
    }

    void refusals()
    {
        QFETCH(QString, destination);
        QFETCH(QString, base);
        QFETCH(QString, untouched);
        QFETCH(bool, keeps);
        destination.replace(QLatin1String("%pics%"), path("/Pics")); // this row's folder, not the one of the table
        untouched.replace(QLatin1String("%pics%"), path("/Pics"));
        Form1 &w = *m_fixture.window;
        QVERIFY(TestFiles::write(path("/Pics/notes.jpg"), "the other file"));
        QVERIFY(TestFiles::write(path("/Pics/README"), "a file, not a folder"));
        click(QStringLiteral("a.jpg"));
        if (destination != QLatin1String("-"))
            w.Text5->assignText(destination);
        if (base.contains(QChar(u'\0')))
            w.Text2->assignText(base); // as pasted: no key types a NUL
        else
            typeBaseName(base);
        const QByteArray before = TestFiles::read(untouched);
        press();
        QCOMPARE(m_fixture.host->messages.size(), 1);
        QTEST(m_fixture.host->messages[0].text, "message");
        QCOMPARE(m_fixture.host->messages[0].title, QStringLiteral("Error"));
        QCOMPARE(m_fixture.host->messages[0].style, 16);
        QVERIFY(TestFiles::exists(path("/Pics/a.jpg")));
        QCOMPARE(TestFiles::read(untouched), before);
        QCOMPARE(TestFiles::read(path("/Pics/notes.jpg")), QByteArray("the other file"));
        // The file system's refusals keep the chosen file and the typed name, ready for another
        // name; the refusal of too many dots runs the rest of the press as usual.
        QCOMPARE(w.FileChosen, std::int16_t(keeps ? 1 : 0));
        QCOMPARE(w.Image1->isHidden(), !keeps);
        QCOMPARE(w.File1->FileName(), keeps ? QStringLiteral("a.jpg") : QString());
        QCOMPARE(w.File1->currentIndex().data().toString(), QStringLiteral("a.jpg"));
        QCOMPARE(w.Text2->text(), base);
        if (keeps) { // a better name and destination, and the file is renamed without a new click
            w.Text5->assignText(path("/Pics/"));
            typeBaseName(QStringLiteral("other"));
            press();
            QCOMPARE(m_fixture.host->messages.size(), 1);
            QVERIFY(TestFiles::exists(path("/Pics/other.jpg")));
        }
    }

    void noFileChosenAndManyDotsShowsBoth()
    {
        Form1 &w = *m_fixture.window;
        w.Text5->assignText(path("/old.stuff/"));
        w.Text3->assignText(QStringLiteral("txt"));
        typeBaseName(QStringLiteral("b"));
        press();
        QCOMPARE(m_fixture.host->messages.size(), 2);
        QCOMPARE(m_fixture.host->messages[0].text, QStringLiteral("Chose a File"));
        QVERIFY(m_fixture.host->messages[1].text.startsWith(QStringLiteral("Error File not Renamed\n")));
    }

    void destinationTypedWithoutTrailingSlash()
    {
        Form1 &w = *m_fixture.window;
        click(QStringLiteral("a.jpg"));
        w.Text5->assignText(path("/Sorted"));
        press();
        QVERIFY(m_fixture.host->messages.isEmpty());
        QVERIFY(TestFiles::exists(path("/Sorted/a.jpg")));
        QVERIFY(!TestFiles::exists(path("/Sorteda.jpg")));
    }

    void fileChangedOnDiskAfterTheClick_data()
    {
        QTest::addColumn<bool>("sourceDeleted"); // else: a file appears at the target
        QTest::newRow("source deleted") << true;
        QTest::newRow("target appears") << false;
    }

    void fileChangedOnDiskAfterTheClick()
    {
        QFETCH(bool, sourceDeleted);
        click(QStringLiteral("a.jpg"));
        typeBaseName(QStringLiteral("b"));
        m_fixture.host->beforeRename = [&] {
            if (sourceDeleted)
                QVERIFY(::unlink(encodePath(path("/Pics/a.jpg")).c_str()) == 0);
            else
                QVERIFY(TestFiles::write(path("/Pics/b.jpg"), "newcomer"));
        };
        press();
        QCOMPARE(m_fixture.host->messages.size(), 1);
        QVERIFY(m_fixture.host->messages[0].text.startsWith(QStringLiteral("Error File not Renamed\n")));
        if (!sourceDeleted) {
            QCOMPARE(TestFiles::read(path("/Pics/b.jpg")), QByteArray("newcomer"));
            QVERIFY(TestFiles::exists(path("/Pics/a.jpg")));
        }
    }

    // A click, the base name typed ("-": kept), the button. Without an edit no name
    // changes; a name without "." composes none, so any "." in the target is one too many.
    void pressAfterAClick_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("result"); // the file's name afterwards
        QTest::addColumn<QString>("message");
        const QString refused
            = QStringLiteral("Error File not Renamed\nThe target path may hold no \".\" other than the one before "
                             "the extension.");
        // clang-format off
        QTest::newRow("no edit: picture") << "/Pics" << "a.jpg" << "-" << "a.jpg" << "";
        QTest::newRow("no edit: name ending in a dot") << "/Pics" << "trail." << "-" << "trail." << "";
        QTest::newRow("no edit: name without a dot") << "/Pics" << "README" << "-" << "README" << "";
        QTest::newRow("no edit: two dots") << "/Pics" << "a.b.c" << "-" << "a.b.c" << refused;
        QTest::newRow("no dot: new name without") << "/Pics" << "README" << "LICENSE" << "LICENSE" << "";
        QTest::newRow("no dot: new name with one") << "/Pics" << "README" << "a.b" << "README" << refused;
        QTest::newRow("no dot: in a dotted folder") << "/old.stuff" << "README" << "b" << "README" << refused;
        // clang-format on
    }

    void pressAfterAClick()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QString, base);
        QFETCH(QString, result);
        const QString in = m_fixture.dir->path() + folder + u'/';
        for (const char *file : {"trail.", "README", "a.b.c"})
            QVERIFY(TestFiles::write(in + QLatin1String(file)));
        m_fixture.window->Dir1->setPath(in);
        click(name);
        if (base != QLatin1String("-"))
            typeBaseName(base);
        press();
        QTEST(m_fixture.host->messages.isEmpty() ? QString() : m_fixture.host->messages.constLast().text, "message");
        QVERIFY(listed().contains(result));
        QCOMPARE(TestFiles::exists(in + name), name == result);
        QVERIFY(m_fixture.host->loadedPictures.contains(in + result)); // the preview names the file as it now is
    }

    // Nothing was renamed: the preview must not show whatever lies at the target.
    void refusalShowsNoOtherFile_data()
    {
        QTest::addColumn<bool>("clicked");
        QTest::newRow("target taken by another picture") << true;
        QTest::newRow("no file chosen, target names a picture") << false;
    }

    void refusalShowsNoOtherFile()
    {
        QFETCH(bool, clicked);
        QImage other(64, 48, QImage::Format_RGB32);
        other.fill(Qt::red);
        QVERIFY(other.save(path("/Pics/b.jpg"), "PNG"));
        m_fixture.window->File1->Refresh();
        if (clicked)
            click(QStringLiteral("a.jpg"));
        m_fixture.window->Text3->assignText(QStringLiteral("jpg"));
        typeBaseName(QStringLiteral("b"));
        press();
        QCOMPARE(m_fixture.host->messages.size(), 1);
        // The chosen file stays chosen and previewed; nothing shows the other file.
        QCOMPARE(m_fixture.window->Image1->isHidden(), !clicked);
        if (clicked)
            QCOMPARE(m_fixture.window->Image1->picture().image.pixelColor(0, 0), QColor(Qt::blue));
    }

    void nameThatIsNotUtf8IsRenamedByItsBytes()
    {
        const QString odd = decodePath(encodePath(path("/Pics/")) + "caf\xe9.txt");
        QVERIFY(TestFiles::write(odd, "odd"));
        QVERIFY(TestFiles::write(path("/Pics/caf\uFFFD.txt"), "neighbour"));
        m_fixture.window->File1->Refresh();
        click(decodePath("caf\xe9.txt"));
        typeBaseName(QStringLiteral("renamed"));
        press();
        QVERIFY(m_fixture.host->messages.isEmpty());
        QCOMPARE(TestFiles::read(path("/Pics/renamed.txt")), QByteArray("odd"));
        QVERIFY(!TestFiles::exists(odd));
        QCOMPARE(TestFiles::read(path("/Pics/caf\uFFFD.txt")), QByteArray("neighbour"));
    }

private:
    QString path(const char *below) const { return m_fixture.path(below); }

    void click(const QString &name) { WindowDriver::click(*m_fixture.window, name); }
    void typeBaseName(const QString &base) { WindowDriver::typeBaseName(*m_fixture.window, base); }
    void press() { WindowDriver::press(*m_fixture.window); }
    [[nodiscard]] QStringList listed() const { return WindowDriver::listed(m_fixture.window->File1); }

    WindowDriver::Fixture m_fixture;
};

QTEST_MAIN(TestForm1Rename)
#include "tst_form1_rename.moc"
