// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A batch of files from the keyboard: what "To" shows after each kind of edit is
// where the press puts the file; Ctrl+Enter, Alt+Down and Alt+Up walk the list.
#include "controls/imagebox.h"
#include "testsupport/fakehost.h"
#include "testsupport/testfiles.h"
#include "windowdriver.h"

#include <QApplication>

using namespace WindowDriver;

class TestForm1Keys : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_fixture.setUp();
        for (const char *name : {"/Pics/b.jpg", "/Pics/c.jpg"})
            QVERIFY(QImage(path("/Pics/a.jpg")).save(path(name), "PNG"));
        Form1 &w = *m_fixture.window;
        w.File1->Refresh();
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }
    void cleanup() { m_fixture.tearDown(); }

    void targetIsWhereThePressPutsTheFile_data()
    {
        QTest::addColumn<QString>("steps"); // %P: the pictures folder, %S: Sorted, both ending in "/"
        QTest::addColumn<QString>("target");
        // clang-format off
        QTest::newRow("base name") << "type:q" << "%Pq.jpg";
        QTest::newRow("base name undone") << "type:q Ctrl+Z" << "%Pa.jpg";
        QTest::newRow("extension") << "Tab type:png" << "%Pa.png";
        QTest::newRow("extension emptied") << "Tab Backspace" << "%Pa.";
        QTest::newRow("destination") << "Ctrl+L type:%S" << "%Sa.jpg";
        QTest::newRow("destination without its slash") << "Ctrl+L type:%S Backspace" << "%Sa.jpg";
        QTest::newRow("destination from the recent ones") << "Ctrl+L Alt+Down Down Down Return" << "%Sa.jpg";
        QTest::newRow("Hold checked") << "Ctrl+L type:%S Tab Space" << "%Sa.jpg";
        QTest::newRow("Hold, then another folder") << "Ctrl+L type:%S Tab Space browse:%P click:b.jpg" << "%Sb.jpg";
        QTest::newRow("Hold cleared") << "Ctrl+L type:%S Tab Space Space F2 type:d" << "%Sd.jpg";
        // clang-format on
    }

    void targetIsWhereThePressPutsTheFile()
    {
        QFETCH(QString, steps);
        QFETCH(QString, target);
        Form1 &w = *m_fixture.window;
        m_fixture.host->recent = {path("/Pics/"), path("/Sorted/")};
        run(QStringLiteral("click:a.jpg ") + steps);
        target = expand(target);
        QCOMPARE(w.Label2->text(), target);
        press(w);
        QVERIFY(m_fixture.host->messages.isEmpty());
        QVERIFY2(TestFiles::exists(target), qPrintable(target));
        QCOMPARE(w.Label2->text(), target);
    }

    // From a chosen file, keys; then which file is chosen (and the base name it shows),
    // which one the list highlights, and the files of the folder.
    void walkThroughTheFiles_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("chosen"); // "": none
        QTest::addColumn<QString>("highlighted");
        QTest::addColumn<QString>("files"); // the pictures folder afterwards
        QTest::addColumn<int>("messages");
        // clang-format off
        QTest::newRow("Ctrl+Enter renames, the next is chosen") << "a.jpg" << "type:x Ctrl+Return" << "b.jpg" << "b.jpg" << "b.jpg c.jpg notes.txt x.jpg" << 0;
        QTest::newRow("keypad Enter too") << "a.jpg" << "type:x Ctrl+Enter" << "b.jpg" << "b.jpg" << "b.jpg c.jpg notes.txt x.jpg" << 0;
        QTest::newRow("from the extension box") << "a.jpg" << "Tab type:png Ctrl+Return" << "b.jpg" << "b.jpg" << "a.png b.jpg c.jpg notes.txt" << 0;
        QTest::newRow("on the button, name kept") << "b.jpg" << "Shift+Tab Ctrl+Return" << "c.jpg" << "c.jpg" << "a.jpg b.jpg c.jpg notes.txt" << 0;
        QTest::newRow("moved away, the next is chosen") << "a.jpg" << "Ctrl+L type:%S F2 type:y Ctrl+Return" << "b.jpg" << "b.jpg" << "b.jpg c.jpg notes.txt" << 0;
        QTest::newRow("the last file: the one before") << "notes.txt" << "type:z Ctrl+Return" << "c.jpg" << "c.jpg" << "a.jpg b.jpg c.jpg z.txt" << 0;
        QTest::newRow("refused: the file stays chosen") << "a.jpg" << "type:b Ctrl+Return" << "a.jpg" << "a.jpg" << "a.jpg b.jpg c.jpg notes.txt" << 1;
        QTest::newRow("too many dots: highlighted, not chosen") << "a.jpg" << "type:x.y Ctrl+Return" << "" << "a.jpg" << "a.jpg b.jpg c.jpg notes.txt" << 1;
        QTest::newRow("Enter highlights the next") << "a.jpg" << "type:x Return" << "" << "b.jpg" << "b.jpg c.jpg notes.txt x.jpg" << 0;
        QTest::newRow("... which two Shift+Tab and Enter choose") << "a.jpg" << "type:x Return Shift+Tab Shift+Tab Return" << "b.jpg" << "b.jpg" << "b.jpg c.jpg notes.txt x.jpg" << 0;
        QTest::newRow("after a press, Alt+Down chooses the highlighted") << "a.jpg" << "type:x Return F2 Alt+Down" << "b.jpg" << "b.jpg" << "b.jpg c.jpg notes.txt x.jpg" << 0;
        QTest::newRow("... and Alt+Up the one before") << "b.jpg" << "type:x Return F2 Alt+Up" << "a.jpg" << "a.jpg" << "a.jpg c.jpg notes.txt x.jpg" << 0;
        QTest::newRow("Alt+Down") << "a.jpg" << "Alt+Down" << "b.jpg" << "b.jpg" << "a.jpg b.jpg c.jpg notes.txt" << 0;
        QTest::newRow("Alt+Down twice, Alt+Up") << "a.jpg" << "Alt+Down Alt+Down Alt+Up" << "b.jpg" << "b.jpg" << "a.jpg b.jpg c.jpg notes.txt" << 0;
        QTest::newRow("Alt+Down from the extension") << "b.jpg" << "Tab Alt+Down" << "c.jpg" << "c.jpg" << "a.jpg b.jpg c.jpg notes.txt" << 0;
        QTest::newRow("Alt+Up at the first file") << "a.jpg" << "Alt+Up" << "a.jpg" << "a.jpg" << "a.jpg b.jpg c.jpg notes.txt" << 0;
        QTest::newRow("Alt+Down at the last file") << "notes.txt" << "Alt+Down" << "notes.txt" << "notes.txt" << "a.jpg b.jpg c.jpg notes.txt" << 0;
        QTest::newRow("Page Down is the box's") << "a.jpg" << "PgDown" << "a.jpg" << "a.jpg" << "a.jpg b.jpg c.jpg notes.txt" << 0;
        // clang-format on
    }

    void walkThroughTheFiles()
    {
        QFETCH(QString, start);
        QFETCH(QString, steps);
        QFETCH(QString, chosen);
        QFETCH(QString, files);
        Form1 &w = *m_fixture.window;
        run(QStringLiteral("click:") + start + u' ' + steps);
        QCOMPARE(w.File1->FileName(), chosen);
        QCOMPARE(w.FileChosen, std::int16_t(chosen.isEmpty() ? 0 : 1));
        QTEST(w.File1->currentIndex().data().toString(), "highlighted");
        QTEST(int(m_fixture.host->messages.size()), "messages");
        QCOMPARE(listed(w.File1).join(u' '), files);
        if (!chosen.isEmpty() && !m_fixture.host->messages.size()) { // chosen as a click chooses
            QCOMPARE(w.Text2->text(), chosen.section(u'.', 0, 0));
            QCOMPARE(QApplication::focusWidget(), w.Text2);
            QCOMPARE(w.Text2->selectedText(), w.Text2->text());
        }
    }

    // The neighbours of the chosen file are decoded ahead: choosing one loads nothing more, until the folder changes.
    void nextPictureWasReadAhead()
    {
        Form1 &w = *m_fixture.window;
        run(QStringLiteral("click:a.jpg"));
        const auto loads = [&] { return m_fixture.host->loadedPictures.count(path("/Pics/b.jpg")); };
        QCOMPARE(loads(), 1);
        w.Image1->setPicture({});
        run(QStringLiteral("type:x Ctrl+Return")); // renames a.jpg, chooses b.jpg
        QCOMPARE(loads(), 1);
        QVERIFY(!w.Image1->picture().image.isNull()); // shown all the same
        run(QStringLiteral("browse:%S browse:%P click:b.jpg"));
        QCOMPARE(loads(), 2);
    }

private:
    QString path(const char *below) const { return m_fixture.path(below); }

    QString expand(QString text) const
    {
        return text.replace(QLatin1String("%P"), path("/Pics/")).replace(QLatin1String("%S"), path("/Sorted/"));
    }

    // Runs steps separated by spaces: "click:NAME", "browse:FOLDER", "type:TEXT", or keys for the focused control.
    void run(const QString &steps)
    {
        Form1 &w = *m_fixture.window;
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            const QString argument = expand(step.section(u':', 1));
            if (step.startsWith(QLatin1String("click:")))
                click(w, argument);
            else if (step.startsWith(QLatin1String("browse:")))
                w.Dir1->setPath(argument);
            else if (step.startsWith(QLatin1String("type:")))
                QTest::keyClicks(QApplication::focusWidget(), argument);
            else
                QTest::keySequence(focused(), QKeySequence::fromString(step));
            QTRY_VERIFY(!w.previewPending());
        }
    }

    // Where keys go: the open drop-down, or the focused control.
    static QWidget *focused()
    {
        QWidget *popup = QApplication::activePopupWidget();
        return popup ? popup : QApplication::focusWidget();
    }

    WindowDriver::Fixture m_fixture;
};

QTEST_MAIN(TestForm1Keys)
#include "tst_form1_keys.moc"
