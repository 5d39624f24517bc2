// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from the keyboard: the keys that press the rename button,
// and the menus' shortcut keys.
#include "controls/controls.h"
#include "help_window/hellp.h"
#include "main_window/form1.h"
#include "testsupport/fakehost.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestForm1Keys : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // With no file chosen, the button's handler answers "Chose a File": a press shows it once.
    void keysThatPressTheButton_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("presses");
        QTest::newRow("Enter in the base name") << "Text2" << int(Qt::Key_Return) << 1;
        QTest::newRow("keypad Enter in the extension") << "Text3" << int(Qt::Key_Enter) << 1;
        QTest::newRow("Enter on the button") << "Command1" << int(Qt::Key_Return) << 1;
        QTest::newRow("Space on the button") << "Command1" << int(Qt::Key_Space) << 1;
        QTest::newRow("Enter in the destination") << "Text5" << int(Qt::Key_Return) << 0;
        QTest::newRow("Enter on Hold") << "Check1" << int(Qt::Key_Return) << 0;
    }

    void keysThatPressTheButton()
    {
        QFETCH(QString, control);
        QFETCH(int, key);
        QFETCH(int, presses);
        FakeHost host;
        Form1 w(host);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QSignalSpy clicked(w.Command1, &QPushButton::clicked);
        auto *const target = w.findChild<QWidget *>(control);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(clicked.count(), presses);
        QCOMPARE(host.messages.size(), presses);
        if (presses)
            QCOMPARE(host.messages[0].text, QStringLiteral("Chose a File"));
    }

    void shortcuts_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("fromHelp"); // pressed in the help window instead of the main window
        QTest::addColumn<int>("ends");
        QTest::addColumn<bool>("helpShown");
        QTest::newRow("Ctrl+Q ends") << int(Qt::Key_Q) << int(Qt::ControlModifier) << false << 1 << false;
        QTest::newRow("Ctrl+Q ends from Help") << int(Qt::Key_Q) << int(Qt::ControlModifier) << true << 1 << true;
        QTest::newRow("F1 opens Help") << int(Qt::Key_F1) << int(Qt::NoModifier) << false << 0 << true;
        QTest::newRow("Q alone does nothing") << int(Qt::Key_Q) << int(Qt::NoModifier) << false << 0 << false;
    }

    void shortcuts()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, fromHelp);
        FakeHost host;
        Form1 w(host);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QWidget *window = &w;
        if (fromHelp) {
            w.hep_Click();
            window = w.helpWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
        }
        QTest::keyClick(window, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTEST(host.endCalls, "ends");
        QTEST(w.helpWindow() && w.helpWindow()->isVisible(), "helpShown");
    }
};

QTEST_MAIN(TestForm1Keys)
#include "tst_form1_keys.moc"
