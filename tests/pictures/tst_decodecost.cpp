// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How a picture is decoded and how many pixels it may have, from what its headers claim.
#include "picturefixture.h"
#include "pictures/decodecost.h"

namespace
{
constexpr qint64 M = qint64(1) << 20;
constexpr int Library = int(JpegPlan::Route::Library);
constexpr int FirstCoefficients = int(JpegPlan::Route::FirstCoefficients);

// A JPEG of `scans` scans, each with entropy-coded data that holds a stuffed byte and a restart marker.
QByteArray jpegOfScans(int scans, const QByteArray &beforeEachScan = {}, const QByteArray &app = {})
{
    QByteArray jpeg = QByteArray("\xFF\xD8", 2) + app + QByteArray("\xFF\xC2\0\x0B\x08\0\x10\0\x10\x01\x01\x11\0", 13);
    for (int i = 0; i < scans; ++i)
        jpeg += beforeEachScan + QByteArray("\xFF\xDA\0\x08\x01\x01\0\0\x3F\0\x12\xFF\0\x34\xFF\xD0\x56", 17);
    return jpeg + "\xFF\xD9";
}
}

class TestDecodeCost : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void plansAJpegByWhatItsDecoderKeeps_data();
    void plansAJpegByWhatItsDecoderKeeps();
    void limitsWhatQtDecodesWhole_data();
    void limitsWhatQtDecodesWhole();
};

void TestDecodeCost::plansAJpegByWhatItsDecoderKeeps_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("route");
    QTest::addColumn<qint64>("limit"); // 0: too large
    const QList<QList<int>> interleaved {{0, 1, 2}}, apart {{0}, {1}, {2}};
    QTest::newRow("JPEG written by Qt") << encoded(sample(QSize(64, 48)), "jpeg") << Library << 128 * M;
    QTest::newRow("progressive JPEG written by Qt, in 10 scans")
        << encoded(sample(QSize(64, 48)), "jpeg", true) << Library << 128 * M / 10;
    QTest::newRow("JPEG of 100 scans") << jpegOfScans(100) << Library << 128 * M / 100;
    QTest::newRow("JPEG of 100 scans with garbage before each")
        << jpegOfScans(100, "\x01\x02") << Library << 128 * M / 100;
    QTest::newRow("JPEG whose metadata holds scan markers")
        << jpegOfScans(1, {}, QByteArray("\xFF\xE1\0\x08\xFF\xDA\xFF\xDA\xFF\xDA", 10)) << Library << 128 * M;
    QTest::newRow("baseline 20000x20000 in one scan")
        << flatJpeg(20000, 20000, 3, 0xC0, interleaved) << Library << 128 * M;
    QTest::newRow("baseline 4000x3000 in three scans, 72 MB of coefficients")
        << flatJpeg(4000, 3000, 3, 0xC0, apart) << Library << 128 * M / 3;
    QTest::newRow("baseline 6500x6500 in three scans, 242 MB of coefficients")
        << flatJpeg(6500, 6500, 3, 0xC0, apart) << FirstCoefficients << qint64(6500) * 6500;
    QTest::newRow("progressive 11585x11585, its frame header past 128 kB of metadata") << flatJpeg(11585, 11585, 3,
        0xC2, interleaved, jpegMetadata() + jpegMetadata()) << FirstCoefficients << qint64(11585) * 11585;
    QTest::newRow("progressive grey 11585x11585 in three scans")
        << flatJpeg(11585, 11585, 1, 0xC2, {{0}, {0}, {0}}) << FirstCoefficients << qint64(11585) * 11585;
    QTest::newRow("progressive CMYK 11585x11585")
        << flatJpeg(11585, 11585, 4, 0xC2, {{0, 1, 2, 3}}) << Library << qint64(0);
    QTest::newRow("progressive 8000x6000 in 20 scans of first coefficients, too long to decode")
        << flatJpeg(8000, 6000, 3, 0xC2, QList<QList<int>>(20, {0, 1, 2}), {}, false) << Library << qint64(0);
    QTest::newRow("progressive 30000x30000, too many blocks to hold")
        << flatJpeg(30000, 30000, 3, 0xC2, interleaved).left(2000) << Library << qint64(0);
}

void TestDecodeCost::plansAJpegByWhatItsDecoderKeeps()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, route);
    QFETCH(qint64, limit);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const std::optional<JpegFrame> frame = readJpegFrame(buffer);
    QVERIFY(frame);
    const JpegPlan plan = planJpeg(*frame);
    QCOMPARE(plan.pixelLimit, limit);
    if (limit > 0)
        QCOMPARE(int(plan.route), route);
}

void TestDecodeCost::limitsWhatQtDecodesWhole_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("limit");
    QTest::newRow("GIF") << QByteArray("gif") << gifOnCanvas(QSize(64, 48), QSize(64, 48)) << 16 * M;
    QTest::newRow("BMP") << QByteArray("bmp") << encoded(sample(QSize(64, 48)), "bmp") << 16 * M;
    QTest::newRow("animated WebP") << QByteArray("webp")
                                   << QByteArray("RIFF\0\0\0\0WEBPVP8X\x0A\0\0\0\x12\0\0\0\x0F\0\0\x0F\0\0", 30)
                                   << 8 * M;
}

void TestDecodeCost::limitsWhatQtDecodesWhole()
{
    QFETCH(QByteArray, format);
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, limit);
    QCOMPARE(pixelLimit(format, bytes), limit);
}

QTEST_GUILESS_MAIN(TestDecodeCost)
#include "tst_decodecost.moc"
