// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures whose bytes claim more than the file holds: chunk lengths beyond
// its end, SVGs that name other files, GIF canvases larger than their frames.
// Whatever they claim, a load opens no file but the one clicked and stays
// within the memory budget.
#include "picturefixture.h"

#include <optional>
#include <sys/inotify.h>

namespace
{
const QString Clicked = QStringLiteral("clicked");

// The names of the files opened in a folder from now on.
class OpenedFiles
{
public:
    explicit OpenedFiles(const QString &folder) : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        inotify_add_watch(m_fd, encodePath(folder).c_str(), IN_OPEN);
    }
    ~OpenedFiles() { ::close(m_fd); }

    [[nodiscard]] QStringList names() const
    {
        QStringList names;
        alignas(inotify_event) char buffer[4096];
        for (ssize_t n; (n = ::read(m_fd, buffer, sizeof buffer)) > 0;) {
            for (ssize_t at = 0; at < n;) {
                const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
                if (event->len > 0) // the folder itself has no name
                    names.append(QString::fromUtf8(event->name));
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return names;
    }

private:
    int m_fd;
};

// A path of `segments` lines between pseudo-random points of a 40 x 30 box, nearly all crossing each other.
QByteArray crossingPath(int segments)
{
    QByteArray d("M0 0");
    quint32 seed = 1;
    const auto next = [&seed](int range) { return int((seed = seed * 1103515245u + 12345u) >> 16) % range; };
    for (int i = 0; i < segments; ++i)
        d += " L" + QByteArray::number(next(40)) + ' ' + QByteArray::number(next(30));
    return d;
}

bool showsRed(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
                return true;
        }
    }
    return false;
}
}

class TestContainedPictures : public PictureTest
{
    Q_OBJECT

private:
    [[nodiscard]] QByteArray pathBytes(const QString &name) const { return QFile::encodeName(path(name)); }

private Q_SLOTS:
    void initTestCase();
    void loadsOnlyWhatTheFileHolds_data();
    void loadsOnlyWhatTheFileHolds();
};

// Next to the clicked file lie a red picture and a FIFO, for SVGs to name.
void TestContainedPictures::initTestCase()
{
    QVERIFY(m_dir.isValid());
    writeFile(path(QStringLiteral("red.png")), encoded(sample(QSize(64, 48)).copy(0, 0, 32, 48), "png"));
    QCOMPARE(::mkfifo(encodePath(path(QStringLiteral("pipe"))).c_str(), 0600), 0);
    m_idlePeakKb = peakMemoryKb();
}

void TestContainedPictures::loadsOnlyWhatTheFileHolds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size"); // HIMETRIC; empty when the file is refused
    QTest::addColumn<bool>("red"); // whether the red picture shows
    QTest::addColumn<qint64>("length"); // of the file, when zeros follow the bytes (a sparse file)
    const QByteArray png = encoded(sample(QSize(64, 48)), "png");
    const QSize pngSize(1693, 1270);
    const QSize svgSize(1058, 794);
    QByteArray annotated = png;
    annotated.insert(33,
        pngChunk("tEXt", QByteArrayLiteral("Comment\0hi"))
            + pngChunk("zTXt", QByteArrayLiteral("Title\0\0x\x9c\x03\0\0\0\0\x01")) + pngChunk("prVt", "1"));

    QTest::newRow("PNG text chunk claiming 2 GB")
        << pngChunkClaiming("tEXt", 0x7FFF0000) << QSize() << false << qint64(0);
    QTest::newRow("PNG palette chunk claiming 2 GB")
        << pngChunkClaiming("sPLT", 0x7FFF0000) << QSize() << false << qint64(0);
    QTest::newRow("PNG chunk claiming 4 GB") << pngChunkClaiming("iTXt", 0xFFFFFFF0) << QSize() << false << qint64(0);
    QTest::newRow("PNG image data claiming 2 GB")
        << pngChunkClaiming("IDAT", 0x7FFF0000) << QSize() << false << qint64(0);
    QTest::newRow("PNG with text and private chunks") << annotated << pngSize << true << qint64(0);
    QTest::newRow("icon of a PNG claiming 2 GB")
        << iconHolding(pngChunkClaiming("tEXt", 0x7FFF0000)) << QSize() << false << qint64(0);
    QTest::newRow("icon of a PNG") << iconHolding(png) << pngSize << true << qint64(0);

    const QByteArray redPath = pathBytes(QStringLiteral("red.png"));
    QTest::newRow("SVG image naming a picture")
        << svgDocument("<image xlink:href=\"" + redPath + "\" width=\"40\" height=\"30\"/>") << svgSize << false
        << qint64(0);
    QTest::newRow("SVG image naming a file URL")
        << svgDocument("<image xlink:href=\"file://" + redPath + "\" width=\"40\" height=\"30\"/>") << svgSize << false
        << qint64(0);
    QTest::newRow("SVG image naming a picture by href")
        << svgDocument("<image href=\"" + redPath + "\" width=\"40\" height=\"30\"/>") << svgSize << false << qint64(0);
    QTest::newRow("SVG image naming a FIFO, which must not block")
        << svgDocument("<image xlink:href=\"" + pathBytes(QStringLiteral("pipe")) + "\" width=\"4\" height=\"3\"/>")
        << svgSize << false << qint64(0);
    QTest::newRow("SVG style sheet naming a FIFO") << svgDocument("<rect width=\"4\" height=\"3\"/>",
        "<?xml-stylesheet type=\"text/css\" href=\"" + pathBytes(QStringLiteral("pipe")) + "\"?>")
                                                   << svgSize << false << qint64(0);
    QTest::newRow("SVG external entity") << svgDocument(
        "<text y=\"20\">&x;</text>", "<?xml version=\"1.0\"?>\n<!DOCTYPE svg [<!ENTITY x SYSTEM \"" + redPath + "\">]>")
                                         << svgSize << false << qint64(0);
    QTest::newRow("SVG embedding a picture")
        << svgDocument("<image xlink:href=\"" + dataUri(png) + "\" width=\"40\" height=\"30\"/>") << svgSize << true
        << qint64(0);
    QTest::newRow("SVG embedding a PNG claiming 2 GB")
        << svgDocument("<image xlink:href=\"" + dataUri(pngChunkClaiming("tEXt", 0x7FFF0000)) + "\"/>") << svgSize
        << false << qint64(0);
    QTest::newRow("SVG embedding a GIF canvas of 5700x5700")
        << svgDocument("<image xlink:href=\"" + dataUri(gifOnCanvas(QSize(5700, 5700), QSize(1, 1))) + "\"/>")
        << svgSize << false << qint64(0);
    QTest::newRow("SVG whose entities grow it to 120 MB")
        << svgDocument("<text>" + QByteArray("&b;").repeated(30000) + "</text>",
               "<?xml version=\"1.0\"?>\n<!DOCTYPE svg [<!ENTITY a \"" + QByteArray(100, 'x') + "\"><!ENTITY b \""
                   + QByteArray("&a;").repeated(40) + "\">]>")
        << QSize() << false << qint64(0);
    QTest::newRow("SVG path crossing itself 200,000 times, minutes to draw")
        << svgDocument("<path stroke=\"red\" stroke-width=\"0.3\" d=\"" + crossingPath(200000) + "\"/>") << QSize()
        << false << qint64(0);

    const QByteArray webp = encoded(sample(QSize(64, 48)), "webp");
    QTest::newRow("WebP followed by 200 MB") << webp << pngSize << true << qint64(200) * 1024 * 1024;
    QTest::newRow("WebP container claiming 2 GB")
        << webp.left(4) + QByteArrayLiteral("\0\0\0\x7f") + webp.mid(8) << QSize() << false << qint64(0);

    QTest::newRow("GIF 1x1 frame on a 5700x5700 canvas")
        << gifOnCanvas(QSize(5700, 5700), QSize(1, 1)) << QSize() << false << qint64(0);
    QTest::newRow("GIF 1x1 frame on a 200x100 canvas")
        << gifOnCanvas(QSize(200, 100), QSize(1, 1)) << QSize(5292, 2646) << false << qint64(0);
    QTest::newRow("GIF 200x100 frame on a canvas left to the frame")
        << gifOnCanvas(QSize(0, 0), QSize(200, 100)) << QSize(5292, 2646) << false << qint64(0);
}

void TestContainedPictures::loadsOnlyWhatTheFileHolds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QFETCH(bool, red);
    QFETCH(qint64, length);
    writeFile(path(Clicked), bytes);
    if (length > 0)
        QVERIFY(QFile::resize(path(Clicked), length));
    const OpenedFiles opened(m_dir.path());
    std::optional<Picture> picture;
    try {
        picture = loadPictureFile(path(Clicked), Box);
    } catch (const HostError &e) {
        QVERIFY(!e.text().isEmpty());
    }
    QStringList others = opened.names();
    others.removeAll(Clicked);
    QVERIFY2(others.isEmpty(), qPrintable(others.join(u' ')));
    checkMemory();
    QCOMPARE(picture.has_value(), !size.isEmpty());
    if (picture) {
        QCOMPARE(QSize(picture->Width, picture->Height), size);
        QVERIFY(picture->image.width() <= Box.width() && picture->image.height() <= Box.height());
        QCOMPARE(showsRed(picture->image), red);
    }
}

QTEST_MAIN(TestContainedPictures) // an SVG draws its text with the fonts of a GUI application
#include "tst_containedpictures.moc"
