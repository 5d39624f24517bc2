// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/pathcodec.h"

#include <QTest>

class TestPathCodec : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << QByteArray("/home/maria/IMG_0042.jpg");
        QTest::newRow("utf-8 accents") << QByteArray("/tmp/caf\xc3\xa9.png");
        QTest::newRow("utf-8 four-byte emoji") << QByteArray("/tmp/\xf0\x9f\x98\x80.jpg");
        QTest::newRow("latin-1 byte") << QByteArray("/tmp/caf\xe9.png");
        QTest::newRow("lone continuation byte") << QByteArray("a\x80z");
        QTest::newRow("truncated sequence at end") << QByteArray("a\xe2\x82");
        QTest::newRow("overlong slash") << QByteArray("a\xc0\xafz");
        QTest::newRow("encoded surrogate") << QByteArray("a\xed\xb2\x80z");
        QTest::newRow("above U+10FFFF") << QByteArray("a\xf4\x90\x80\x80z");
        QTest::newRow("byte-order mark alone") << QByteArray("\xef\xbb\xbf");
        QTest::newRow("byte-order mark before a name") << QByteArray("/tmp/\xef\xbb\xbf"
                                                                     "a.txt");
        QTest::newRow("byte-order marks inside") << QByteArray("a\xef\xbb\xbf\xef\xbb\xbf"
                                                               "b");
        QTest::newRow("every high byte") << [] {
            QByteArray all;
            for (int b = 0x80; b <= 0xFF; ++b)
                all.append(char(b));
            return all;
        }();
    }

    void roundTrip()
    {
        QFETCH(QByteArray, bytes);
        const QString text = decodePath(std::string_view(bytes.constData(), std::size_t(bytes.size())));
        const std::string back = encodePath(text);
        QCOMPARE(QByteArray(back.data(), qsizetype(back.size())), bytes);
    }

    void validUtf8DecodesAsUsual()
    {
        QCOMPARE(decodePath("caf\xc3\xa9"), QStringLiteral("caf\u00e9"));
        QCOMPARE(decodePath("\xf0\x9f\x98\x80"), QString::fromUtf8("\xf0\x9f\x98\x80"));
        QCOMPARE(decodePath("\xef\xbb\xbf"
                            "a"),
            QString(QChar(0xFEFF) + QStringLiteral("a")));
    }

    void invalidBytesBecomeEscapes()
    {
        QCOMPARE(decodePath("a\xe9"), QString(QStringLiteral("a") + QChar(char16_t(0xDCE9))));
        // The replacement character is a real character, not an escape: a different name.
        QVERIFY(decodePath("a\xe9") != decodePath("a\xef\xbf\xbd"));
        QCOMPARE(encodePath(QStringLiteral("a\uFFFD")), std::string("a\xef\xbf\xbd"));
    }
};

QTEST_GUILESS_MAIN(TestPathCodec)
#include "tst_pathcodec.moc"
