// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/numbertext.h"

#include <QLocale>
#include <QTest>

namespace
{
// QCOMPARE on doubles is fuzzy; the round trip's 16th digit needs an exact test.
void compareExactly(double actual, double expected)
{
    QVERIFY2(
        actual == expected, qPrintable(QStringLiteral("%1 != %2").arg(actual, 0, 'g', 17).arg(expected, 0, 'g', 17)));
}
}

class TestNumberText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesTheShortestText_data();
    void writesTheShortestText();
    void writesAPointWhateverTheLocale();
    void readsTheLeadingNumber_data();
    void readsTheLeadingNumber();
    void roundTripKeepsFifteenDigits_data();
    void roundTripKeepsFifteenDigits();
};

void TestNumberText::writesTheShortestText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("3:4 fit ratio, rounded to 15 digits") << 2.0091666666666668 << QStringLiteral("2.00916666666667");
    QTest::newRow("16:9 fit ratio") << 0.8476171875 << QStringLiteral("0.8476171875");
    QTest::newRow("4:3 fit ratio") << 1.13015625 << QStringLiteral("1.13015625");
    QTest::newRow("offset with one decimal") << 365.5 << QStringLiteral("365.5");
    QTest::newRow("offset with five decimals") << 365.71875 << QStringLiteral("365.71875");
    QTest::newRow("whole number has no point") << 4800.0 << QStringLiteral("4800");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0");
    QTest::newRow("negative zero") << -0.0 << QStringLiteral("0");
    QTest::newRow("negative") << -2.5 << QStringLiteral("-2.5");
    QTest::newRow("below one, leading zero") << 0.125 << QStringLiteral("0.125");
    QTest::newRow("very small") << 1E-20 << QStringLiteral("1E-20");
    QTest::newRow("very large") << 1E+20 << QStringLiteral("1E+20");
    QTest::newRow("fifteen digits stay plain") << 123456789012345.0 << QStringLiteral("123456789012345");
}

void TestNumberText::writesTheShortestText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(numberToText(value), text);
}

// The reading side knows only ".", so a desktop set to a comma locale must not change the text.
void TestNumberText::writesAPointWhateverTheLocale()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = numberToText(365.5);
    QLocale::setDefault(previous);
    QCOMPARE(text, QStringLiteral("365.5"));
}

void TestNumberText::readsTheLeadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("number then letters") << QStringLiteral("12abc") << 12.0;
    QTest::newRow("letters only") << QStringLiteral("abc") << 0.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("no digit before the point") << QStringLiteral(".5") << 0.5;
    QTest::newRow("point alone") << QStringLiteral(".") << 0.0;
    QTest::newRow("sign alone") << QStringLiteral("-") << 0.0;
    QTest::newRow("exponent") << QStringLiteral("1e3") << 1000.0;
    QTest::newRow("negative with trailing letter") << QStringLiteral("-2.5x") << -2.5;
    QTest::newRow("exponent without digits") << QStringLiteral("1e") << 1.0;
    QTest::newRow("exponent sign without digits") << QStringLiteral("1E+") << 1.0;
    QTest::newRow("exponent form written back") << QStringLiteral("1E-20") << 1E-20;
    QTest::newRow("plus sign") << QStringLiteral("+7.25") << 7.25;
    QTest::newRow("second point ends the number") << QStringLiteral("1.5.6") << 1.5;
    QTest::newRow("comma ends the number") << QStringLiteral("365,5") << 365.0;
}

void TestNumberText::readsTheLeadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    compareExactly(textToNumber(text), value);
}

void TestNumberText::roundTripKeepsFifteenDigits_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("readBack");
    QTest::newRow("fit ratio loses its 16th digit") << 2.0091666666666668 << 2.00916666666667;
    QTest::newRow("16:9 fit ratio exact") << 0.8476171875 << 0.8476171875;
    QTest::newRow("offset exact") << 365.71875 << 365.71875;
    QTest::newRow("negative") << -1234.5 << -1234.5;
    QTest::newRow("very small") << 1E-20 << 1E-20;
    QTest::newRow("very large") << 1E+20 << 1E+20;
    QTest::newRow("one third") << 1.0 / 3 << 0.333333333333333;
}

void TestNumberText::roundTripKeepsFifteenDigits()
{
    QFETCH(double, value);
    QFETCH(double, readBack);
    compareExactly(textToNumber(numberToText(value)), readBack);
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
