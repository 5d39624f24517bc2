// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What of an SVG is written again for its decoder, and what is left out.
#include "pictures/svgcleaner.h"

#include <QTest>

namespace
{
const QByteArray Svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\">";
const QByteArray Good = "data:image/gif;base64," + QByteArray("good").toBase64();
const QByteArray Bad = "data:image/gif;base64," + QByteArray("bad").toBase64();
const QByteArray Embedded = "data:image/png;base64," + QByteArray("PNG").toBase64();

// Accepts the bytes "good" only, as a 7 x 5 picture.
std::optional<EmbeddedPicture> embedGood(const QByteArray &bytes)
{
    return bytes == "good" ? std::optional(EmbeddedPicture {"PNG", QSize(7, 5)}) : std::nullopt;
}
}

class TestSvgCleaner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsOnlyWhatIsSafe_data();
    void keepsOnlyWhatIsSafe();
};

void TestSvgCleaner::keepsOnlyWhatIsSafe_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QByteArrayList>("kept"); // empty: the document is refused
    QTest::addColumn<QByteArrayList>("dropped");
    const QByteArray rect = "<rect width=\"1\" height=\"1\"/>";
    QTest::newRow("shapes") << Svg + rect + "</svg>" << QByteArrayList {"<rect width=\"1\" height=\"1\"/>"}
                            << QByteArrayList {};
    QTest::newRow("image naming a path") << Svg + "<image xlink:href=\"/p.png\" width=\"4\"/>" + rect + "</svg>"
                                         << QByteArrayList {"<rect"} << QByteArrayList {"<image", "p.png"};
    QTest::newRow("image by href and prefix")
        << Svg + "<s:image xmlns:s=\"http://www.w3.org/2000/svg\" href=\"p\"/>" + rect + "</svg>"
        << QByteArrayList {"<rect"} << QByteArrayList {"image", "\"p\""};
    QTest::newRow("image embedding a picture")
        << Svg + "<image xlink:href=\"" + Good + "\" width=\"4\" height=\"3\"/></svg>"
        << QByteArrayList {"<image width=\"4\" height=\"3\"", "xlink:href=\"" + Embedded + "\""}
        << QByteArrayList {Good};
    QTest::newRow("image embedding a picture, without a size")
        << Svg + "<image xlink:href=\" " + Good + "\"/></svg>"
        << QByteArrayList {"width=\"7\" height=\"5\"", "xlink:href=\"" + Embedded + "\""} << QByteArrayList {Good};
    QTest::newRow("image embedding what is refused") << Svg + "<image xlink:href=\"" + Bad + "\"/>" + rect + "</svg>"
                                                     << QByteArrayList {"<rect"} << QByteArrayList {"<image"};
    QTest::newRow("image embedding percent-encoded data") << Svg + "<image xlink:href=\"data:image/gif,good\"/>" + rect
            + "</svg>" << QByteArrayList {"<rect"} << QByteArrayList {"<image"};
    QTest::newRow("image embedding a picture and naming a path")
        << Svg + "<image xlink:href=\"" + Good + "\" href=\"/p.png\"/>" + rect + "</svg>" << QByteArrayList {"<rect"}
        << QByteArrayList {"<image", "p.png"};
    QTest::newRow("use of a part of this document")
        << Svg + "<use xlink:href=\"#a\"/></svg>" << QByteArrayList {"<use xlink:href=\"#a\"/>"} << QByteArrayList {};
    QTest::newRow("use of another file") << Svg + "<use xlink:href=\"b.svg#a\" x=\"1\"/></svg>"
                                         << QByteArrayList {"<use x=\"1\"/>"} << QByteArrayList {"b.svg"};
    QTest::newRow("style sheet instruction")
        << "<?xml-stylesheet type=\"text/css\" href=\"/s.css\"?>" + Svg + rect + "</svg>" << QByteArrayList {"<rect"}
        << QByteArrayList {"stylesheet", "s.css"};
    QTest::newRow("style in CDATA") << Svg + "<style><![CDATA[rect{fill:red}]]></style></svg>"
                                    << QByteArrayList {"<![CDATA[rect{fill:red}]]>"} << QByteArrayList {};
    QTest::newRow("entities declared in the DTD")
        << QByteArray("<!DOCTYPE svg [<!ENTITY ns \"http://www.w3.org/2000/svg\"><!ENTITY e SYSTEM \"/etc/passwd\">]>"
                      "<svg xmlns=\"&ns;\"><text>a&e;b</text></svg>")
        << QByteArrayList {"<svg xmlns=\"http://www.w3.org/2000/svg\">", "<text>ab</text>"}
        << QByteArrayList {"DOCTYPE", "passwd"};
    QTest::newRow("entities growing past the limit") << "<!DOCTYPE svg [<!ENTITY a \"" + QByteArray(4000, 'a') + "\">]>"
            + Svg + "<text>" + QByteArray("&a;").repeated(300)
            + "</text></svg>" << QByteArrayList {} << QByteArrayList {};
    QTest::newRow("50000 elements") << Svg + rect.repeated(49999) + "</svg>" << QByteArrayList {"<rect"}
                                    << QByteArrayList {};
    QTest::newRow("50001 elements") << Svg + rect.repeated(50000) + "</svg>" << QByteArrayList {} << QByteArrayList {};
    QTest::newRow("not well-formed") << Svg + "<rect></svg>" << QByteArrayList {} << QByteArrayList {};
    QTest::newRow("cut short") << Svg + rect << QByteArrayList {} << QByteArrayList {};
}

void TestSvgCleaner::keepsOnlyWhatIsSafe()
{
    QFETCH(QByteArray, document);
    QFETCH(QByteArrayList, kept);
    QFETCH(QByteArrayList, dropped);
    const std::optional<QByteArray> cleaned = cleanSvg(document, embedGood);
    QCOMPARE(cleaned.has_value(), !kept.isEmpty());
    for (const QByteArray &part : kept)
        QVERIFY2(cleaned->contains(part), cleaned->constData());
    for (const QByteArray &part : dropped)
        QVERIFY2(!cleaned->contains(part), cleaned->constData());
}

QTEST_GUILESS_MAIN(TestSvgCleaner)
#include "tst_svgcleaner.moc"
