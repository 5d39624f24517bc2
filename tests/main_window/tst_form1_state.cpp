// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's start-up, its target path and the window as a keyboard user meets it.
#include "controls/controls.h"
#include "controls/lists.h"
#include "controls/placement.h"
#include "main_window/form1.h"
#include "testsupport/fakehost.h"
#include "testsupport/testfiles.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

class TestForm1State : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(TestFiles::makeFolder(m_dir.path() + QStringLiteral("/start")));
        QVERIFY(TestFiles::makeFolder(m_dir.path() + QStringLiteral("/Documents")));
        QVERIFY(TestFiles::write(m_dir.path() + QStringLiteral("/Documents/letter.txt")));
        QVERIFY(QDir::setCurrent(m_dir.path() + QStringLiteral("/start")));
    }

    void startUp_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("nameFails");
        QTest::addColumn<QString>("documents"); // below the temporary folder; "" names none
        QTest::addColumn<QString>("expectedFolder");
        QTest::addColumn<QString>("expectedText5");
        // clang-format off
        QTest::newRow("documents folder exists") << "maria" << false << "/Documents" << "/Documents" << "/Documents/";
        QTest::newRow("documents folder absent") << "maria" << false << "/missing" << "/start" << "/start/";
        QTest::newRow("user-name query fails") << "maria" << true << "/Documents" << "/start" << "/start/";
        QTest::newRow("empty user name") << "" << false << "/Documents" << "/start" << "/start/";
        // clang-format on
    }

    void startUp()
    {
        QFETCH(QString, user);
        QFETCH(bool, nameFails);
        QFETCH(QString, documents);
        QFETCH(QString, expectedFolder);
        QFETCH(QString, expectedText5);
        FakeHost host;
        host.user = user;
        host.userNameFails = nameFails;
        host.documents.insert(QStringLiteral("maria"), m_dir.path() + documents);
        Form1 w(host);

        QCOMPARE(w.Text6->text(), nameFails ? QString() : user);
        QCOMPARE(w.Dir1->Path(), m_dir.path() + expectedFolder);
        QCOMPARE(w.File1->Path(), m_dir.path() + expectedFolder);
        QCOMPARE(w.Text5->text(), m_dir.path() + expectedText5);
        QCOMPARE(w.Label1->text(), m_dir.path() + expectedText5);
        QCOMPARE(w.FileChosen, std::int16_t(0));
        QVERIFY(host.messages.isEmpty());
    }

    void composition_data()
    {
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("manyDots");
        QTest::newRow("plain") << "/Photos/"
                               << "holiday"
                               << "jpg"
                               << "/Photos/holiday.jpg" << 0;
        QTest::newRow("dot in a folder name") << "/my.files/"
                                              << "a"
                                              << "txt"
                                              << "/my.files/a.txt" << 1;
        QTest::newRow("extension tar.gz") << "/Photos/"
                                          << "archive"
                                          << "tar.gz"
                                          << "/Photos/archive.tar.gz" << 1;
        QTest::newRow("dot in the base name") << "/Photos/"
                                              << "a.b"
                                              << "jpg"
                                              << "/Photos/a.b.jpg" << 1;
        QTest::newRow("empty base name") << "/Photos/"
                                         << ""
                                         << "jpg"
                                         << "/Photos/.jpg" << 0;
        QTest::newRow("no extension keeps the name") << "/Photos/"
                                                     << "README"
                                                     << ""
                                                     << "/Photos/README" << 0;
        QTest::newRow("typed without trailing slash") << "/Photos"
                                                      << "a"
                                                      << "jpg"
                                                      << "/Photos/a.jpg" << 0;
        QTest::newRow("the root") << "/"
                                  << "a"
                                  << "jpg"
                                  << "/a.jpg" << 0;
        QTest::newRow("no destination stays relative") << ""
                                                       << "a"
                                                       << "jpg"
                                                       << "a.jpg" << 0;
    }

    void composition()
    {
        QFETCH(QString, destination);
        QFETCH(QString, base);
        QFETCH(QString, extension);
        QFETCH(QString, target);
        QFETCH(int, manyDots);
        FakeHost host;
        Form1 w(host);
        w.Text5->assignText(destination);
        w.Text3->assignText(extension);
        w.Text2->assignText(QStringLiteral("x"));
        w.Text2->selectAll();
        if (base.isEmpty())
            QTest::keyClick(w.Text2, Qt::Key_Backspace);
        else
            QTest::keyClicks(w.Text2, base); // typing replaces the selection

        QCOMPARE(w.Text2->text(), base);
        QCOMPARE(w.Label2->text(), target);
        QCOMPARE(w.ManyDots, std::int16_t(manyDots));
        QCOMPARE(w.FirstDot, std::int16_t(target.indexOf(u'.') + 1));
        QCOMPARE(w.LastDot, std::int16_t(target.lastIndexOf(u'.') + 1));
    }

    void editingTheExtensionAloneRecomposesTheTarget()
    {
        FakeHost host;
        Form1 w(host);
        w.Text5->assignText(QStringLiteral("/Photos/"));
        w.Text3->assignText(QStringLiteral("jpg"));
        QTest::keyClicks(w.Text2, QStringLiteral("holiday"));
        QTest::keyClick(w.Text3, Qt::Key_End); // assigned text leaves the caret at the start
        QTest::keyClicks(w.Text3, QStringLiteral(".gz"));
        QCOMPARE(w.Label2->text(), QStringLiteral("/Photos/holiday.jpg.gz"));
        QCOMPARE(w.ManyDots, std::int16_t(1));
        QTest::keyClick(w.Text3, Qt::Key_Z, Qt::ControlModifier); // the box's own undo is a change too
        QCOMPARE(w.Label2->text(), QStringLiteral("/Photos/holiday.jpg"));
        QCOMPARE(w.ManyDots, std::int16_t(0));
        QTest::keyClicks(w.Text3, QStringLiteral(".gz"));

        // Toggling "Hold" composes again from the boxes as they are, and leaves the destination.
        w.Check1->click();
        QCOMPARE(w.Label2->text(), QStringLiteral("/Photos/holiday.jpg.gz"));
        QCOMPARE(w.ManyDots, std::int16_t(1));
        QCOMPARE(w.Text5->text(), QStringLiteral("/Photos/"));
        w.Check1->click();
        QCOMPARE(w.Text5->text(), QStringLiteral("/Photos/"));
    }

    void targetTurnsRedAtTheFirstEditAndStaysRed()
    {
        FakeHost host;
        host.documents.insert(QStringLiteral("maria"), m_dir.path() + QStringLiteral("/Documents"));
        Form1 w(host);
        const QColor red(255, 0, 0);
        QVERIFY(w.Label2->palette().color(QPalette::WindowText) != red);
        QTest::keyClicks(w.Text2, QStringLiteral("a"));
        QCOMPARE(w.Label2->palette().color(QPalette::WindowText), red);
        w.Dir1->setPath(m_dir.path());
        w.Check1->click();
        QCOMPARE(w.Label2->palette().color(QPalette::WindowText), red);
    }

    void assigningTheSameBaseNameStillComposes()
    {
        FakeHost host;
        Form1 w(host);
        w.Text5->assignText(QStringLiteral("/Photos/"));
        w.Text2->assignText(QStringLiteral("a"));
        w.Label2->assignCaption(QStringLiteral("/x.y.z"));
        QCOMPARE(w.ManyDots, std::int16_t(1));
        w.Text2->assignText(QStringLiteral("a")); // unchanged text: the change event runs all the same
        QCOMPARE(w.Label2->text(), QStringLiteral("/Photos/a"));
        QCOMPARE(w.ManyDots, std::int16_t(0));
    }

    void tabVisitsTheControlsInOrder()
    {
        FakeHost host;
        host.documents.insert(QStringLiteral("maria"), m_dir.path() + QStringLiteral("/Documents"));
        host.pictureSize = QSize(8000, 6000); // a click on a picture would take the focus to the base name
        Form1 w(host);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(QApplication::focusWidget(), w.Dir1);
        QStringList visited;
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *focused = QApplication::focusWidget();
            visited << focused->objectName();
            // Its name for a screen reader (a button's caption serves as its name).
            const QString name = focused->accessibleName();
            visited << (name.isEmpty() ? QAccessible::queryAccessibleInterface(focused)->text(QAccessible::Name)
                                       : name);
        }
        QCOMPARE(visited,
            QStringList({QStringLiteral("File1"), QStringLiteral("Files"), QStringLiteral("Command1"),
                QStringLiteral("Rename"), QStringLiteral("Text2"), QStringLiteral("File Name"), QStringLiteral("Text3"),
                QStringLiteral("Extension"), QStringLiteral("Drive1"), QStringLiteral("Drive"), QStringLiteral("Text5"),
                QStringLiteral("Destination Directory and Folder"), QStringLiteral("Check1"), QStringLiteral("Hold"),
                QStringLiteral("Dir1"), QStringLiteral("Drive and Directory")}));
        QCOMPARE(w.FileChosen, std::int16_t(0)); // passing through the file list chooses no file
        for (const QWidget *scratch : {w.Text1, w.Text4, w.Text6})
            QVERIFY(!scratch->isVisible());
    }

    // The window at 106, 102 with its 924 x 664 pixels, moved only as far as the screen needs,
    // and shrunk only where the screen is smaller (logical pixels: a scale of 2 halves the screen);
    // shrunk one way, it grows the other by its 14-pixel scroll bar where there is room.
    void placement_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QRect>("placed");
        const QMargins frame(4, 30, 4, 4);
        QTest::newRow("room enough") << QRect(0, 0, 1920, 1080) << QMargins() << QRect(106, 102, 924, 664);
        QTest::newRow("1280 x 720, frame counted") << QRect(0, 0, 1280, 720) << frame << QRect(106, 52, 924, 664);
        QTest::newRow("narrow, panel on top") << QRect(0, 160, 1000, 920) << frame << QRect(72, 190, 924, 664);
        QTest::newRow("smaller than the window") << QRect(0, 0, 800, 600) << frame << QRect(4, 30, 792, 566);
        QTest::newRow("1280 x 720 at 1.25") << QRect(0, 0, 1024, 576) << frame << QRect(82, 30, 938, 542);
        QTest::newRow("1280 x 800 at 2, no frame") << QRect(0, 0, 640, 400) << QMargins() << QRect(0, 0, 640, 400);
        QTest::newRow("1600 x 1200 at 2, panel on the left")
            << QRect(48, 0, 752, 600) << frame << QRect(52, 30, 744, 566);
    }

    void placement()
    {
        QFETCH(QRect, available);
        QFETCH(QMargins, frame);
        QTEST(fittedInto(QRect(106, 102, 924, 664), frame, available, 14), "placed");
    }

    // The window fits the screen, frame counted; made smaller than its content, as on a small screen,
    // it brings every control into view, one that takes the focus or one the scroll bars are moved to.
    void smallWindowScrolls_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("across"); // -1: the control takes the focus; else the scroll bars go to the
                                         // bottom and to the left (0) or right (1) end
        for (const char *name : {"Command1", "Text2", "Text3", "Text5", "Check1"})
            QTest::newRow(name) << QString::fromLatin1(name) << -1;
        for (const char *name : {"Label1", "Label7"})
            QTest::newRow(QByteArray(name).append(" bottom left").constData()) << QString::fromLatin1(name) << 0;
        for (const char *name : {"Label2", "Label8", "Command1"})
            QTest::newRow(QByteArray(name).append(" bottom right").constData()) << QString::fromLatin1(name) << 1;
    }

    void smallWindowScrolls()
    {
        QFETCH(QString, control);
        QFETCH(int, across);
        FakeHost host;
        Form1 w(host);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.screen()->availableGeometry().contains(w.frameGeometry()));
        w.resize(480, 360);
        auto *scroller = w.findChild<QScrollArea *>(QStringLiteral("scroller"));
        QWidget *viewport = scroller->viewport();
        QWidget *target = w.central->findChild<QWidget *>(control);
        QVERIFY(target);
        const auto shown
            = [&] { return viewport->rect().contains(QRect(target->mapTo(viewport, QPoint()), target->size())); };
        QTRY_VERIFY(!shown());
        if (across < 0) {
            w.activateWindow();
            target->setFocus();
        } else {
            scroller->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
            scroller->horizontalScrollBar()->triggerAction(
                across ? QAbstractSlider::SliderToMaximum : QAbstractSlider::SliderToMinimum);
        }
        QVERIFY(shown());
    }

    // Where the window fits, its client area is the designed one: no scroll bar, nothing moved.
    void fittingWindowDoesNotScroll()
    {
        FakeHost host;
        Form1 w(host);
        w.show();
        w.resize(924, 644 + w.menuBar()->height());
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *scroller = w.findChild<QScrollArea *>(QStringLiteral("scroller"));
        QVERIFY(!scroller->horizontalScrollBar()->isVisible());
        QVERIFY(!scroller->verticalScrollBar()->isVisible());
        QCOMPARE(w.Command1->mapTo(&w, QPoint()), QPoint(709, 452 + w.menuBar()->height()));
    }

    void exitEndsTheProgram()
    {
        FakeHost host;
        Form1 w(host);
        w.show();
        w.findChild<QAction *>(QStringLiteral("exIt"))->trigger();
        QCOMPARE(host.endCalls, 1);
        w.close(); // closing through the frame ends it the same way
        QCOMPARE(host.endCalls, 2);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestForm1State)
#include "tst_form1_state.moc"
