// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Files that are not pictures, or pictures built to exhaust the loader.
#include "picturefixture.h"

class TestHostilePictures : public PictureTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    // The peak memory the loads are measured against grows with every load.
    void refusesWhatIsNotAPicture_data();
    void refusesWhatIsNotAPicture();
    void showsWithinTheBoundsOrRefusesAsTooLarge_data();
    void showsWithinTheBoundsOrRefusesAsTooLarge();
    void decodesAHugePngWithinMemory();
    void showsWhatATruncatedJpegHolds();
};

void TestHostilePictures::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_idlePeakKb = peakMemoryKb();
}

void TestHostilePictures::refusesWhatIsNotAPicture_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("error");
    QTest::newRow("missing file") << QStringLiteral("nothing.png") << QByteArray() << int(ENOENT);
    QTest::newRow("folder") << QStringLiteral("folder.png") << QByteArray() << int(EISDIR);
    QTest::newRow("FIFO, which must not block") << QStringLiteral("pipe.png") << QByteArray() << int(EPIPE);
    QTest::newRow("zero bytes") << QStringLiteral("empty.png") << QByteArray("") << 0;
    QTest::newRow("random bytes") << QStringLiteral("noise.png") << QByteArray("\x13\x9c\xf0\x22 zindle\x01\x02", 14)
                                  << 0;
    QTest::newRow("text") << QStringLiteral("notes.jpg") << QByteArray("<html><body>hi</body></html>") << 0;
    QTest::newRow("PNG claiming 30000x30000") << QStringLiteral("a.png") << pngClaiming(30000, 30000) << 0;
    QTest::newRow("PNG claiming 65000x65000") << QStringLiteral("b.png") << pngClaiming(65000, 65000) << 0;
    QTest::newRow("JPEG claiming 30000x30000") << QStringLiteral("a.jpg") << jpegClaiming(30000, 30000) << 0;
    QTest::newRow("JPEG claiming 65000x65000") << QStringLiteral("b.jpg") << jpegClaiming(65000, 65000) << 0;
    QTest::newRow("PNG bomb 20000x20000 grey") << QStringLiteral("bomb.png") << pngBomb(20000, 20000, 0, 1) << 0;
    QTest::newRow("TGA named .png") << QStringLiteral("targa.png") << targaBytes() << 0;
    QTest::newRow("ICNS named .png") << QStringLiteral("icon.png") << encoded(sample(QSize(32, 32)), "icns") << 0;
}

// Missing files and folders fail with their own error number; everything else
// is "not a picture": any number, but an error all the same. EPIPE marks the FIFO row.
void TestHostilePictures::refusesWhatIsNotAPicture()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, error);
    if (error == EISDIR)
        QVERIFY(QDir(m_dir.path()).mkdir(name));
    else if (error == EPIPE)
        QCOMPARE(::mkfifo(encodePath(path(name)).c_str(), 0600), 0);
    else if (error != ENOENT)
        writeFile(path(name), bytes);
    try {
        const Picture picture = loadPictureFile(path(name), Box);
        QFAIL(qPrintable(QStringLiteral("loaded as %1x%2").arg(picture.Width).arg(picture.Height)));
    } catch (const HostError &e) {
        QVERIFY(!e.text().isEmpty());
        QVERIFY(e.number() != 0);
        if (error == ENOENT || error == EISDIR)
            QCOMPARE(e.number(), error);
    }
    checkMemory();
}

// Pictures whose decoding could hold hundreds of MB: shown within the memory
// bound, each at its stored size, or refused as too large, never as not a picture.
void TestHostilePictures::showsWithinTheBoundsOrRefusesAsTooLarge_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size"); // as stored, in pixels; empty when refused as too large
    const QList<QList<int>> interleaved {{0, 1, 2}};
    QTest::newRow("progressive JPEG claiming 8000x6000") << jpegClaiming(8000, 6000, true) << QSize(8000, 6000);
    QTest::newRow("progressive JPEG of first coefficients only, 11585x11585, its frame header past 128 kB")
        << flatJpeg(11585, 11585, 3, 0xC2, interleaved, jpegMetadata() + jpegMetadata()) << QSize(11585, 11585);
    QTest::newRow("baseline JPEG 6500x6500 in three scans of one component each")
        << flatJpeg(6500, 6500, 3, 0xC0, {{0}, {1}, {2}}) << QSize(6500, 6500);
    QTest::newRow("progressive JPEG 8000x6000 of 300 empty scans of first coefficients")
        << flatJpeg(8000, 6000, 3, 0xC2, QList<QList<int>>(300, {0, 1, 2}), {}, false) << QSize();
    QTest::newRow("baseline JPEG 12000x12000 in three scans")
        << flatJpeg(12000, 12000, 3, 0xC0, {{0}, {1}, {2}}) << QSize(12000, 12000);
    QTest::newRow("baseline JPEG 20000x20000 in three scans")
        << flatJpeg(20000, 20000, 3, 0xC0, {{0}, {1}, {2}}) << QSize();
    QTest::newRow("JPEG claiming 30000x30000") << jpegClaiming(30000, 30000) << QSize();
    QTest::newRow("PNG bomb 20000x20000 grey") << pngBomb(20000, 20000, 0, 1) << QSize();
    QTest::newRow("PNG 16-bit RGBA 6000x5000 of zeros, inflating 150-fold")
        << pngOfZeros(6000, 5000, 6, 4, 16, false) << QSize();
    QTest::newRow("PNG 8-bit RGBA 8192x6140 of zeros") << pngOfZeros(8192, 6140, 6, 4, 8, false) << QSize(8192, 6140);
}

void TestHostilePictures::showsWithinTheBoundsOrRefusesAsTooLarge()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    writeFile(path(QStringLiteral("large")), bytes);
    try {
        const Picture picture = loadPictureFile(path(QStringLiteral("large")), Box);
        QCOMPARE(QSize(picture.Width, picture.Height), QSize(himetric(size.width()), himetric(size.height())));
        QCOMPARE(picture.image.size(), size.scaled(Box, Qt::KeepAspectRatio));
    } catch (const HostError &e) {
        QVERIFY2(size.isEmpty(), qPrintable(e.text()));
        QCOMPARE(e.number(), EFBIG);
        QCOMPARE(e.text(), QStringLiteral("Too large to preview"));
    }
    checkMemory();
}

// 64 MB of pixels compressed to 420 kB, but under the size limit: a picture like any
// other, which must come out at the box's size within the memory budget.
void TestHostilePictures::decodesAHugePngWithinMemory()
{
    writeFile(path(QStringLiteral("huge.png")), pngBomb(4096, 4096, 6, 4));
    const Picture picture = loadPictureFile(path(QStringLiteral("huge.png")), Box);
    QCOMPARE(picture.Width, 108373);
    QCOMPARE(picture.Height, 108373);
    QCOMPARE(picture.image.size(), QSize(320, 320));
    checkMemory();
}

void TestHostilePictures::showsWhatATruncatedJpegHolds()
{
    const QByteArray jpeg = encoded(sample(QSize(800, 600)), "jpeg");
    writeFile(path(QStringLiteral("cut.jpg")), jpeg.left(jpeg.size() / 2));
    const Picture picture = loadPictureFile(path(QStringLiteral("cut.jpg")), Box);
    QCOMPARE(picture.Width, 21167);
    QCOMPARE(picture.Height, 15875);
    QVERIFY(!picture.image.isNull());
    const QColor decodedPart = picture.image.pixelColor(picture.image.width() / 8, picture.image.height() / 4);
    QVERIFY2(decodedPart.red() > 200 && decodedPart.blue() < 60, qPrintable(decodedPart.name()));
}

QTEST_GUILESS_MAIN(TestHostilePictures)
#include "tst_hostilepictures.moc"
