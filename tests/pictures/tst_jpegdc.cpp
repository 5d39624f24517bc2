// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A JPEG decoded from its first coefficients alone shows what libjpeg's own
// decoder shows at an eighth of the size, whatever the layout libjpeg's own
// encoder (cjpeg) gave it: scans, sampling, restarts, colour.
#include "picturefixture.h"
#include "pictures/jpegdc.h"

#include <QProcess>

#include <cmath>

namespace
{
// Smooth colour fields and a soft disc: detail an eighth of the size keeps.
QImage smoothPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const double disc = std::hypot(x - size.width() / 2.0, y - size.height() / 2.0) / size.height();
            line[x] = qRgb(
                x * 255 / size.width(), y * 255 / size.height(), int(255 * std::clamp(1.5 - 2 * disc, 0.0, 1.0)));
        }
    }
    return image;
}

QByteArray runTool(const QString &tool, const QStringList &arguments, const QByteArray &input)
{
    QProcess process;
    process.start(tool, arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return process.exitCode() == 0 ? process.readAllStandardOutput() : QByteArray();
}

// The mean difference of the two pictures' samples, over all channels.
double meanDifference(const QImage &a, const QImage &b)
{
    double total = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return total / (3.0 * a.width() * a.height());
}
}

class TestJpegDc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsWhatLibjpegShowsAtAnEighth_data();
    void showsWhatLibjpegShowsAtAnEighth();
};

void TestJpegDc::showsWhatLibjpegShowsAtAnEighth_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QByteArray>("options"); // cjpeg's
    QTest::addColumn<QByteArray>("scans"); // a scan script, when not empty
    QTest::newRow("progressive 4:2:0") << QSize(1600, 1200) << QByteArray("-progressive") << QByteArray();
    QTest::newRow("progressive 4:4:4, a restart every row of blocks")
        << QSize(1600, 1200) << QByteArray("-progressive -sample 1x1 -restart 1") << QByteArray();
    QTest::newRow("progressive grey") << QSize(1600, 1200) << QByteArray("-progressive -grayscale") << QByteArray();
    QTest::newRow("progressive 4:2:0 of odd size, partial blocks at the edges")
        << QSize(1001, 667) << QByteArray("-progressive") << QByteArray();
    QTest::newRow("progressive RGB") << QSize(1600, 1200) << QByteArray("-progressive -rgb") << QByteArray();
    QTest::newRow("sequential, each component a scan of its own")
        << QSize(1600, 1200) << QByteArray() << QByteArray("0;\n1;\n2;\n");
    QTest::newRow("sequential 4:2:2, a restart every 3 blocks, components apart")
        << QSize(1600, 1200) << QByteArray("-sample 2x1 -restart 3B") << QByteArray("0;\n1;\n2;\n");
    QTest::newRow("progressive, first coefficients refined bit by bit")
        << QSize(1600, 1200) << QByteArray()
        << QByteArray("0,1,2: 0-0, 0, 2;\n0,1,2: 0-0, 2, 1;\n0,1,2: 0-0, 1, 0;\n0: 1-63, 0, 0;\n1: 1-63, 0, 0;\n"
                      "2: 1-63, 0, 0;\n");
}

void TestJpegDc::showsWhatLibjpegShowsAtAnEighth()
{
    QFETCH(QSize, size);
    QFETCH(QByteArray, options);
    QFETCH(QByteArray, scans);
    QStringList arguments = QString::fromLatin1(options).split(u' ', Qt::SkipEmptyParts);
    QTemporaryDir dir;
    if (!scans.isEmpty()) {
        writeFile(dir.filePath(QStringLiteral("scans")), scans);
        arguments << QStringLiteral("-scans") << dir.filePath(QStringLiteral("scans"));
    }
    QBuffer ppm;
    ppm.open(QIODevice::WriteOnly);
    QVERIFY(smoothPicture(size).save(&ppm, "ppm"));
    QByteArray jpeg
        = runTool(QStringLiteral("cjpeg"), arguments << QStringLiteral("-quality") << QStringLiteral("90"), ppm.data());
    QVERIFY(!jpeg.isEmpty());
    const QImage reference
        = QImage::fromData(runTool(QStringLiteral("djpeg"),
                               {QStringLiteral("-scale"), QStringLiteral("1/8"), QStringLiteral("-ppm")}, jpeg),
            "ppm");
    QCOMPARE(reference.size(), QSize((size.width() + 7) / 8, (size.height() + 7) / 8));

    QBuffer device(&jpeg);
    QVERIFY(device.open(QIODevice::ReadOnly));
    const std::optional<JpegFrame> frame = readJpegFrame(device);
    QVERIFY(frame && decodableFromDc(*frame));
    const QImage decoded = decodeJpegDc(device, size);
    QCOMPARE(decoded.size(), reference.size());
    const double difference = meanDifference(decoded, reference);
    QVERIFY2(difference < 3, qPrintable(QString::number(difference)));
}

QTEST_GUILESS_MAIN(TestJpegDc)
#include "tst_jpegdc.moc"
