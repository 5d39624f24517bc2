// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "help_window/hellp.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

class TestHellp : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void textIsTheExactPage();
    void lineNumbering();
    void boxShowsOneLinePerLine();
    void typingChangesNothing();
    void keysDoNotPressExit_data();
    void keysDoNotPressExit();
    void exitHidesAndKeepsSelection();
    void closingTheFrameDestroys();
};

void TestHellp::textIsTheExactPage()
{
    const QString text = Hellp::helpText();
    QCOMPARE(text.size(), 513);
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    // Every CR is followed by LF and every LF preceded by CR: 11 lines exactly.
    QCOMPARE(text.count(u'\r'), 11);
    QCOMPARE(text.count(u'\n'), 11);
    QCOMPARE(text.count(QStringLiteral("\r\n")), 11);
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines[0], QStringLiteral("\t\t") + QString(29, u' ') + QStringLiteral("Help file"));
    QCOMPARE(lines[3], QStringLiteral("2) Click the checkbox labeled Hold to lock the destination  directory "));
    QCOMPARE(lines[6], QString());
    QCOMPARE(lines[10], QStringLiteral("3)Press ReName Button "));
}

void TestHellp::lineNumbering()
{
    QStringList numbers;
    const QRegularExpression numbered(QStringLiteral("^(\\d\\))"));
    for (const QString &line : Hellp::helpText().split(QStringLiteral("\r\n"))) {
        const auto match = numbered.match(line);
        if (match.hasMatch())
            numbers.append(match.captured(1));
    }
    const QStringList expected {QStringLiteral("1)"), QStringLiteral("2)"), QStringLiteral("5)"), QStringLiteral("6)"),
        QStringLiteral("1)"), QStringLiteral("2)"), QStringLiteral("3)")};
    QCOMPARE(numbers, expected);
}

void TestHellp::boxShowsOneLinePerLine()
{
    Hellp help;
    // No CR glyphs and no doubled breaks: 11 lines plus the empty one after the last break.
    QCOMPARE(help.Text1->blockCount(), 12);
    QCOMPARE(help.Text1->toPlainText(), Hellp::helpText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TestHellp::typingChangesNothing()
{
    Hellp help;
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    const QString before = help.Text1->toPlainText();
    QTest::keyClicks(help.Text1, QStringLiteral("typed"));
    QTest::keyClick(help.Text1, Qt::Key_Backspace);
    QTest::keyClick(help.Text1, Qt::Key_Delete);
    QTest::keyClick(help.Text1, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(help.Text1->toPlainText(), before);
    // The caret still moves and selects, so the text can be copied.
    QTest::keyClick(help.Text1, Qt::Key_Down, Qt::ShiftModifier);
    QVERIFY(help.Text1->textCursor().hasSelection());
}

void TestHellp::keysDoNotPressExit_data()
{
    QTest::addColumn<bool>("onButton");
    QTest::addColumn<int>("key");
    QTest::newRow("Enter in the text") << false << int(Qt::Key_Return);
    QTest::newRow("keypad Enter in the text") << false << int(Qt::Key_Enter);
    QTest::newRow("Esc in the text") << false << int(Qt::Key_Escape);
    QTest::newRow("Enter on Exit") << true << int(Qt::Key_Return);
    QTest::newRow("Esc on Exit") << true << int(Qt::Key_Escape);
}

void TestHellp::keysDoNotPressExit()
{
    QFETCH(bool, onButton);
    QFETCH(int, key);
    Hellp help;
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QTest::keyClick(onButton ? static_cast<QWidget *>(help.Command1) : help.Text1, Qt::Key(key));
    QVERIFY(help.isVisible());
}

void TestHellp::exitHidesAndKeepsSelection()
{
    QPointer<Hellp> help = new Hellp;
    help->show();
    QTextCursor cursor = help->Text1->textCursor();
    cursor.setPosition(50);
    cursor.setPosition(60, QTextCursor::KeepAnchor);
    help->Text1->setTextCursor(cursor);
    QTest::mouseClick(help->Command1, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(help);
    QVERIFY(!help->isVisible());
    help->show();
    QCOMPARE(help->Text1->textCursor().selectionStart(), 50);
    QCOMPARE(help->Text1->textCursor().selectionEnd(), 60);
    delete help;
}

void TestHellp::closingTheFrameDestroys()
{
    QPointer<Hellp> help = new Hellp;
    help->show();
    help->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!help);
}

QTEST_MAIN(TestHellp)
#include "tst_hellp.moc"
