// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The listing order in several languages and scripts, through less() and
// through the keys that the listing sorts by.
#include "files/nameorder.h"

#include <QTest>

namespace
{
QStringList texts(std::initializer_list<const char *> utf8)
{
    QStringList list;
    for (const char *name : utf8)
        list.append(QString::fromUtf8(name));
    return list;
}

std::string keyOf(const NameOrder &order, const QString &name)
{
    std::string key = "prefix"; // keys are appended
    order.appendKey(name, key);
    return key.substr(6);
}

// A byte that is not valid UTF-8, as decodePath shows it.
QString escaped(char16_t byte)
{
    return QChar(char16_t(0xDC00 + byte));
}

const QStringList latinWords = texts({"\xc3\xa5ngstr\xc3\xb6m", "Apfel", "\xc3\x84pfel", "apple", "banana",
    "\xc3\x89mile", "\xc3\xa9mile", "\xc3\x96lfarbe", "zebra", "Zo\xc3\xab"});
}

class TestNameOrder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void order_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("names"); // in the order expected
        QTest::newRow("C: accented letters beside their base letters") << "C" << latinWords;
        QTest::newRow("C.UTF-8 as C") << "C.UTF-8" << latinWords;
        QTest::newRow("POSIX as C") << "POSIX" << latinWords;
        QTest::newRow("German") << "de_DE" << latinWords;
        QTest::newRow("Swedish: \xc3\xa5 \xc3\xa4 \xc3\xb6 after z")
            << "sv_SE"
            << texts({"Apfel", "apple", "banana", "\xc3\x89mile", "\xc3\xa9mile", "zebra", "Zo\xc3\xab",
                   "\xc3\xa5ngstr\xc3\xb6m", "\xc3\x84pfel", "\xc3\x96lfarbe"});
        QTest::newRow("Russian: \xd1\x91 beside \xd0\xb5, numbers in words")
            << "ru_RU"
            << texts({"\xd0\x90\xd0\xbd\xd0\xbd\xd0\xb0", "\xd1\x91\xd0\xb6", "\xd0\x95\xd0\xbb\xd1\x8c",
                   "\xd0\xb6\xd1\x83\xd0\xba", "\xd0\xae\xd0\xbb\xd0\xb0",
                   "\xd0\xaf\xd0\xb1\xd0\xbb\xd0\xbe\xd0\xba\xd0\xbe"
                   "2",
                   "\xd0\xaf\xd0\xb1\xd0\xbb\xd0\xbe\xd0\xba\xd0\xbe"
                   "10"});
        QTest::newRow("Greek: an accented letter beside its letter")
            << "el_GR"
            << texts({"\xce\x91\xce\xbb\xcf\x86\xce\xb1", "\xce\xac\xce\xbb\xcf\x86\xce\xb1",
                   "\xce\x92\xce\xae\xcf\x84\xce\xb1", "\xce\xb3\xce\xac\xce\xbc\xce\xbc\xce\xb1",
                   "\xce\xa9\xce\xbc\xce\xad\xce\xb3\xce\xb1"});
        QTest::newRow("Japanese: kana by sound, after Latin")
            << "ja_JP"
            << texts({"Zebra", "\xe3\x81\x82\xe3\x81\x84", "\xe3\x82\xab\xe3\x83\xa1\xe3\x83\xa9",
                   "\xe3\x81\x95\xe3\x81\x8f\xe3\x82\x89"});
        QTest::newRow("digits of any script as numbers")
            << "C" << texts({"photo 2", "photo \xd9\xa3", "photo 3b", "photo 10", "photo \xef\xbc\x91\xef\xbc\x91"});
        QTest::newRow("spaces and punctuation before digits before letters")
            << "C" << texts({"a 1", "a_", "a-1", "a.1", "a1", "ab"});
        QTest::newRow("equal but for case or zeros: by exact bytes")
            << "C" << texts({"\xc3\x89t\xc3\xa9", "\xc3\xa9t\xc3\xa9", "IMG_02.jpg", "IMG_2.jpg", "img_002.JPG"});
        QTest::newRow("width and composition ignored, then exact bytes")
            << "C" << texts({"a", "\xef\xbd\x81", "e\xcc\x81", "\xc3\xa9"});
        QTest::newRow("bytes that are not UTF-8 beside U+FFFD, by their bytes")
            << "C"
            << QStringList {QStringLiteral("cafe"), QString::fromUtf8("caf\xc3\xa9"), QStringLiteral("cafe1"),
                   QStringLiteral("cafz"), QStringLiteral("caf") + escaped(0xE9), QStringLiteral("caf\uFFFD"),
                   QStringLiteral("caf") + escaped(0xFF), QStringLiteral("cag")};
        QTest::newRow("a character beyond U+FFFF is no escaped byte")
            << "C"
            << QStringList {QString::fromUtf8("x\xf0\x9f\x92\xb7"), QStringLiteral("xa"),
                   QStringLiteral("x") + escaped(0xB7), QStringLiteral("x\uFFFD")};
        QTest::newRow("long names, past the first guess of the key's size")
            << "C"
            << QStringList {QString(300, QChar(0x5199)) + u'2', QString(300, QChar(0x5199)) + QStringLiteral("10"),
                   QString(301, QChar(0x5199))};
    }

    // Every pair is ordered one way by less() and the same way by the keys.
    void order()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, names);
        const NameOrder order {QLocale(locale)};
        for (qsizetype i = 0; i < names.size(); ++i) {
            for (qsizetype j = 0; j < names.size(); ++j) {
                const QByteArray pair = (names[i] + QLatin1String(" / ") + names[j]).toUtf8();
                QVERIFY2(order.less(names[i], names[j]) == (i < j), pair.constData());
                QVERIFY2((keyOf(order, names[i]) < keyOf(order, names[j])) == (i < j), pair.constData());
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestNameOrder)
#include "tst_nameorder.moc"
