// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How many pixels a picture may have, from what its headers claim.
#include "picturefixture.h"
#include "pictures/decodecost.h"

namespace
{
constexpr qint64 M = qint64(1) << 20;

QByteArray pngWith(char depth, char colourType, char interlace)
{
    QByteArray png = pngHeader(16, 16, colourType);
    png[24] = depth;
    png[28] = interlace;
    return png;
}

// A JPEG of `scans` scans, each with entropy-coded data that holds a stuffed byte and a restart marker.
QByteArray jpegOfScans(int scans, const QByteArray &beforeEachScan = {}, const QByteArray &app = {})
{
    QByteArray jpeg = QByteArray("\xFF\xD8", 2) + app + QByteArray("\xFF\xC2\0\x0B\x08\0\x10\0\x10\x01\x01\x11\0", 13);
    for (int i = 0; i < scans; ++i)
        jpeg += beforeEachScan + QByteArray("\xFF\xDA\0\x08\x01\x01\0\0\x3F\0\x12\xFF\0\x34\xFF\xD0\x56", 17);
    return jpeg + "\xFF\xD9";
}

// A TIFF of one RGB image, its rows in strips of `rows` (0: one strip, the default) or in square tiles.
QByteArray tiff(bool littleEndian, int width, int height, int rows, int bits = 8, int tile = 0)
{
    QList<std::pair<int, int>> tags {{256, width}, {257, height}, {258, bits}, {277, 3}};
    if (rows > 0)
        tags.append({278, rows});
    if (tile > 0)
        tags.append({{322, tile}, {323, tile}});
    QByteArray bytes = littleEndian ? QByteArray("II*\0\x08\0\0\0", 8) : QByteArray("MM\0*\0\0\0\x08", 8);
    bytes += QByteArray(2 + 12 * tags.size() + 4, '\0');
    const auto put = [&](qsizetype at, int value, int bytesWide) {
        for (int i = 0; i < bytesWide; ++i)
            bytes[at + i] = static_cast<char>(value >> 8 * (littleEndian ? i : bytesWide - 1 - i));
    };
    put(8, static_cast<int>(tags.size()), 2);
    for (qsizetype i = 0; i < tags.size(); ++i) {
        put(10 + 12 * i, tags[i].first, 2);
        put(12 + 12 * i, 4, 2); // LONG
        put(14 + 12 * i, 1, 4);
        put(18 + 12 * i, tags[i].second, 4);
    }
    return bytes;
}
}

class TestDecodeCost : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void limitsByWhatTheHeadersClaim_data();
    void limitsByWhatTheHeadersClaim();
};

void TestDecodeCost::limitsByWhatTheHeadersClaim_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("limit");
    QTest::newRow("PNG 8-bit") << QByteArray("png") << pngWith(8, 6, 0) << 16 * M;
    QTest::newRow("PNG 16-bit") << QByteArray("png") << pngWith(16, 2, 0) << 4 * M;
    QTest::newRow("PNG interlaced") << QByteArray("png") << pngWith(8, 2, 1) << 4 * M;
    QTest::newRow("PNG 16-bit interlaced") << QByteArray("png") << pngWith(16, 0, 1) << 1 * M;
    QTest::newRow("PNG header cut short") << QByteArray("png") << pngWith(8, 6, 0).left(28) << qint64(0);
    QTest::newRow("JPEG written by Qt") << QByteArray("jpeg") << encoded(sample(QSize(64, 48)), "jpeg") << 128 * M;
    QTest::newRow("progressive JPEG written by Qt")
        << QByteArray("jpeg") << encoded(sample(QSize(64, 48)), "jpeg", true) << 8 * M;
    QTest::newRow("JPEG of 100 scans") << QByteArray("jpeg") << jpegOfScans(100) << 128 * M / 100;
    QTest::newRow("JPEG of 100 scans with garbage before each")
        << QByteArray("jpeg") << jpegOfScans(100, "\x01\x02") << 128 * M / 100;
    QTest::newRow("JPEG whose metadata holds scan markers")
        << QByteArray("jpeg") << jpegOfScans(1, {}, QByteArray("\xFF\xE1\0\x08\xFF\xDA\xFF\xDA\xFF\xDA", 10)) << 8 * M;
    QTest::newRow("TIFF written by Qt") << QByteArray("tiff") << encoded(sample(QSize(64, 48)), "tiff") << 16 * M;
    QTest::newRow("TIFF in strips of 64 rows") << QByteArray("tiff") << tiff(true, 4000, 4000, 64) << 16 * M;
    QTest::newRow("TIFF in one strip of 36 MB") << QByteArray("tiff") << tiff(true, 4000, 3000, 0) << qint64(0);
    QTest::newRow("big-endian TIFF in one strip of 36 MB")
        << QByteArray("tiff") << tiff(false, 4000, 3000, 0) << qint64(0);
    QTest::newRow("TIFF in tiles of 256") << QByteArray("tiff") << tiff(true, 4000, 4000, 0, 8, 256) << 16 * M;
    QTest::newRow("TIFF 16-bit") << QByteArray("tiff") << tiff(false, 400, 300, 16, 16) << 4 * M;
    QTest::newRow("WebP written by Qt") << QByteArray("webp") << encoded(sample(QSize(64, 48)), "webp") << 12 * M;
    QTest::newRow("animated WebP") << QByteArray("webp")
                                   << QByteArray("RIFF\0\0\0\0WEBPVP8X\x0A\0\0\0\x12\0\0\0\x0F\0\0\x0F\0\0", 30)
                                   << 8 * M;
    QTest::newRow("GIF") << QByteArray("gif") << gifOnCanvas(QSize(64, 48), QSize(64, 48)) << 16 * M;
}

void TestDecodeCost::limitsByWhatTheHeadersClaim()
{
    QFETCH(QByteArray, format);
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, limit);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(pixelLimit(format, buffer, bytes.left(128 * 1024)), limit);
}

QTEST_GUILESS_MAIN(TestDecodeCost)
#include "tst_decodecost.moc"
