// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Ordinary pictures of 20 to 48 megapixels, as cameras, scanners and the web
// make them, are shown at the box's size; each is loaded in a fresh process
// (this program, started with --load), whose peak memory is compared with
// that of one loading a tiny picture. The pictures are made here, by the
// formats' own libraries: the top half red on the left and blue on the
// right, the bottom half green, so that a swapped channel or a turned or
// flipped picture shows.
#include "picturefixture.h"
#include "picturewriters.h"

#include <QProcess>

#include <cstring>

namespace
{
// The top half red on the left and blue on the right, the bottom half green;
// with `noise`, grainy as a photo, so that it compresses as little as one.
RowSource quarters(QSize size, bool noise = false)
{
    return [size, noise](int y, std::uint8_t *rgb) {
        quint32 grain = quint32(y) * 2654435761u;
        for (int x = 0; x < size.width(); ++x, rgb += 3) {
            const int lit = y >= size.height() / 2 ? 1 : x < size.width() / 2 ? 0 : 2;
            for (int c = 0; c < 3; ++c) {
                grain = grain * 1103515245u + 12345u;
                const auto speck = std::uint8_t(noise ? grain >> 27 : 0);
                rgb[c] = c == lit ? 0xFF - speck : speck;
            }
        }
    };
}

bool writeJpeg(const QString &path, QSize size, bool progressive)
{
    QImage image(size, QImage::Format_RGB888);
    const RowSource rows = quarters(size);
    for (int y = 0; y < size.height(); ++y)
        rows(y, image.scanLine(y));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(encoded(image, "jpeg", progressive)) > 0;
}

// Child side: loads one picture and prints "<peak kB> <width> <height> <image width> <image height>",
// then the colours at the centres of the top left, top right and bottom quarters.
int loadAndReport(const char *path)
{
    try {
        const Picture picture = loadPictureFile(QFile::decodeName(path), Box);
        const QImage &image = picture.image;
        std::printf("%lld %d %d %d %d", static_cast<long long>(peakMemoryKb()), picture.Width, picture.Height,
            image.width(), image.height());
        for (const QPoint &at : {QPoint(image.width() / 4, image.height() / 4),
                 QPoint(image.width() * 3 / 4, image.height() / 4), QPoint(image.width() / 2, image.height() * 3 / 4)})
            std::printf(" %s", qPrintable(image.pixelColor(at).name()));
        std::printf("\n");
        return 0;
    } catch (const HostError &e) {
        std::printf("refused: %s\n", qPrintable(e.text()));
        return 1;
    }
}

// What a fresh process loading `path` printed.
QList<QByteArray> loadInFreshProcess(const QString &path)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--load"), path});
    if (!child.waitForFinished(120000))
        return {"did not end"};
    return child.readAllStandardOutput().trimmed().split(' ');
}
}

class TestLargePictures : public PictureTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void showsEachWithinTheMemoryBound_data();
    void showsEachWithinTheMemoryBound();

private:
    qint64 m_baselineKb = 0;
};

void TestLargePictures::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(writePng(path(QStringLiteral("tiny.png")), QSize(2, 2), quarters(QSize(2, 2)), 3, 8, false));
    const QList<QByteArray> tiny = loadInFreshProcess(path(QStringLiteral("tiny.png")));
    m_baselineKb = tiny.value(0).toLongLong();
    QVERIFY2(m_baselineKb > 0, tiny.join(' ').constData());
}

void TestLargePictures::showsEachWithinTheMemoryBound_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QSize>("size");
    QTest::newRow("baseline JPEG 8000x6000") << QStringLiteral("jpeg") << QSize(8000, 6000);
    QTest::newRow("progressive JPEG 8000x6000") << QStringLiteral("progressive jpeg") << QSize(8000, 6000);
    QTest::newRow("progressive JPEG 5000x4000") << QStringLiteral("progressive jpeg") << QSize(5000, 4000);
    QTest::newRow("PNG 8-bit RGB 6000x4000") << QStringLiteral("png 8") << QSize(6000, 4000);
    QTest::newRow("PNG 16-bit RGBA 5000x4000") << QStringLiteral("png 16") << QSize(5000, 4000);
    QTest::newRow("PNG 16-bit RGBA 6000x5000, a photo's grain") << QStringLiteral("grainy png 16") << QSize(6000, 5000);
    QTest::newRow("PNG interlaced 6000x4000") << QStringLiteral("interlaced png") << QSize(6000, 4000);
    QTest::newRow("TIFF in strips of 16 rows, LZW, 6000x4000") << QStringLiteral("tiff strips") << QSize(6000, 4000);
    QTest::newRow("TIFF in tiles of 256, deflate, 6000x4000") << QStringLiteral("tiff tiles") << QSize(6000, 4000);
    QTest::newRow("TIFF in one strip, deflate, 5000x4000") << QStringLiteral("tiff one strip") << QSize(5000, 4000);
    QTest::newRow("WebP 5000x4000") << QStringLiteral("webp") << QSize(5000, 4000);
}

void TestLargePictures::showsEachWithinTheMemoryBound()
{
    QFETCH(QString, kind);
    QFETCH(QSize, size);
    const QString file = path(QStringLiteral("large"));
    const RowSource rows = quarters(size);
    const bool made = kind == u"jpeg" ? writeJpeg(file, size, false)
        : kind == u"progressive jpeg" ? writeJpeg(file, size, true)
        : kind == u"png 8"            ? writePng(file, size, rows, 3, 8, false)
        : kind == u"png 16"           ? writePng(file, size, rows, 4, 16, false)
        : kind == u"interlaced png"   ? writePng(file, size, rows, 3, 8, true)
        : kind == u"tiff strips"      ? writeTiff(file, size, rows, 16, 0, COMPRESSION_LZW)
        : kind == u"tiff tiles"       ? writeTiff(file, size, rows, 0, 256, COMPRESSION_ADOBE_DEFLATE)
        : kind == u"tiff one strip"   ? writeTiff(file, size, rows, size.height(), 0, COMPRESSION_ADOBE_DEFLATE)
                                      : writeWebp(file, size, rows);
    QVERIFY(made);
    const QList<QByteArray> report = loadInFreshProcess(file);
    QFile::remove(file);
    QCOMPARE(report.size(), 8);
    const qint64 addedKb = report[0].toLongLong() - m_baselineKb;
    QVERIFY2(addedKb < MemoryBudgetKb, qPrintable(QStringLiteral("%1 kB added").arg(addedKb)));
    QCOMPARE(QSize(report[1].toInt(), report[2].toInt()), QSize(himetric(size.width()), himetric(size.height())));
    QCOMPARE(QSize(report[3].toInt(), report[4].toInt()), size.scaled(Box, Qt::KeepAspectRatio));
    const QStringList colours {QStringLiteral("red"), QStringLiteral("blue"), QStringLiteral("green")};
    for (int i = 0; i < 3; ++i) {
        const QColor colour(QString::fromLatin1(report[5 + i]));
        const int strong = i == 0 ? colour.red() : i == 1 ? colour.blue() : colour.green();
        const int others = colour.red() + colour.green() + colour.blue() - strong;
        QVERIFY2(strong > 200 && others < 120, qPrintable(colours[i] + u' ' + colour.name()));
    }
}

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--load") == 0) {
        QCoreApplication app(argc, argv);
        return loadAndReport(argv[2]);
    }
    QCoreApplication app(argc, argv);
    TestLargePictures test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_largepictures.moc"
