// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of every accepted format, loaded at the size of the preview box.
#include "picturefixture.h"

class TestPictureLoader : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    [[nodiscard]] QString path(const QString &name) const { return m_dir.path() + u'/' + name; }

private Q_SLOTS:
    void initTestCase();
    void loadsEachFormat_data();
    void loadsEachFormat();
    void decodesNoMorePixelsThanTheBoxShows_data();
    void decodesNoMorePixelsThanTheBoxShows();
    void turnsAPictureByItsExifOrientation();
    void takesADoubledSeparatorAsOne_data();
    void takesADoubledSeparatorAsOne();
    void opensANameThatIsNotUtf8();
};

void TestPictureLoader::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestPictureLoader::loadsEachFormat_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    const QImage image = sample(QSize(640, 480));
    QTest::newRow("PNG 640x480") << encoded(image, "png") << 16933 << 12700;
    QTest::newRow("JPEG 1600x900") << encoded(sample(QSize(1600, 900)), "jpeg") << 42333 << 23813;
    QTest::newRow("BMP") << encoded(image, "bmp") << 16933 << 12700;
    QTest::newRow("WebP") << encoded(image, "webp") << 16933 << 12700;
    QTest::newRow("TIFF") << encoded(image, "tiff") << 16933 << 12700;
    QTest::newRow("PPM") << encoded(image, "ppm") << 16933 << 12700;
    QTest::newRow("PGM") << encoded(image.convertToFormat(QImage::Format_Grayscale8), "pgm") << 16933 << 12700;
    QTest::newRow("ICO 48x32") << encoded(sample(QSize(48, 32)), "ico") << 1270 << 847;
    QTest::newRow("GIF 1x1") << QByteArray("GIF89a\x01\0\x01\0\x80\0\0\xff\xff\xff\0\0\0!\xf9\x04\x01\0\0\0\0"
                                           ",\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0;",
        43) << 26 << 26;
    QTest::newRow("SVG 200x100") << QByteArray("<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
                                               "width=\"200\" height=\"100\"><rect width=\"200\" height=\"100\" "
                                               "fill=\"red\"/></svg>")
                                 << 5292 << 2646;
    QTest::newRow("PNG of zeros compressed by hand") << pngBomb(64, 32, 0, 1) << 1693 << 847;
}

// Every format is found by its content: the file is named as if it were something else.
void TestPictureLoader::loadsEachFormat()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, width);
    QFETCH(int, height);
    QVERIFY(!bytes.isEmpty());
    writeFile(path(QStringLiteral("picture.txt")), bytes);
    const Picture picture = loadPictureFile(path(QStringLiteral("picture.txt")), Box);
    QCOMPARE(picture.Width, width);
    QCOMPARE(picture.Height, height);
    QVERIFY(!picture.image.isNull());
}

void TestPictureLoader::decodesNoMorePixelsThanTheBoxShows_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("decoded");
    QTest::newRow("JPEG 4:3 into the box") << QByteArray("jpeg") << QSize(4000, 3000) << Box << QSize(427, 320);
    QTest::newRow("JPEG 16:9 into the box") << QByteArray("jpeg") << QSize(1920, 1080) << Box << QSize(482, 271);
    QTest::newRow("PNG 4:3 into the box") << QByteArray("png") << QSize(2000, 1500) << Box << QSize(427, 320);
    QTest::newRow("PNG 16:9 into a HiDPI box")
        << QByteArray("png") << QSize(3200, 1800) << QSize(964, 640) << QSize(964, 542);
    QTest::newRow("small picture never enlarged") << QByteArray("png") << QSize(100, 50) << Box << QSize(100, 50);
}

void TestPictureLoader::decodesNoMorePixelsThanTheBoxShows()
{
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);
    QFETCH(QSize, box);
    QFETCH(QSize, decoded);
    writeFile(path(QStringLiteral("big.") + QString::fromLatin1(format)), encoded(sample(size), format.constData()));
    const Picture picture = loadPictureFile(path(QStringLiteral("big.") + QString::fromLatin1(format)), box);
    QCOMPARE(picture.Width, himetric(size.width()));
    QCOMPARE(picture.Height, himetric(size.height()));
    QVERIFY(picture.image.width() <= box.width() && picture.image.height() <= box.height());
    QVERIFY(qAbs(picture.image.width() - decoded.width()) <= 1);
    QVERIFY(qAbs(picture.image.height() - decoded.height()) <= 1);
}

void TestPictureLoader::turnsAPictureByItsExifOrientation()
{
    // Stored 800x600 with red on the left: upright it is 600x800 with red on top.
    writeFile(path(QStringLiteral("turned.jpg")), withOrientation6(encoded(sample(QSize(800, 600)), "jpeg")));
    const Picture picture = loadPictureFile(path(QStringLiteral("turned.jpg")), Box);
    QCOMPARE(picture.Width, 15875);
    QCOMPARE(picture.Height, 21167);
    const QImage &image = picture.image;
    QVERIFY(image.height() <= Box.height() && image.width() <= Box.width());
    QVERIFY(qAbs(image.width() - 240) <= 1 && qAbs(image.height() - 320) <= 1);
    const QColor top = image.pixelColor(image.width() / 4 * 3, image.height() / 8);
    const QColor bottom = image.pixelColor(image.width() / 4, image.height() / 8 * 7);
    QVERIFY2(top.red() > 200 && top.blue() < 60, qPrintable(top.name()));
    QVERIFY2(bottom.blue() > 200 && bottom.red() < 60, qPrintable(bottom.name()));
}

void TestPictureLoader::takesADoubledSeparatorAsOne_data()
{
    QTest::addColumn<QString>("form");
    QTest::newRow("doubled before the folder") << QStringLiteral("/%1/a.png");
    QTest::newRow("doubled before the name") << QStringLiteral("%1//a.png");
    QTest::newRow("tripled before the name") << QStringLiteral("%1///a.png");
}

void TestPictureLoader::takesADoubledSeparatorAsOne()
{
    QFETCH(QString, form);
    writeFile(path(QStringLiteral("a.png")), encoded(sample(QSize(96, 48)), "png"));
    const Picture picture = loadPictureFile(form.arg(m_dir.path()), Box);
    QCOMPARE(picture.Width, 2540);
    QCOMPARE(picture.Height, 1270);
}

void TestPictureLoader::opensANameThatIsNotUtf8()
{
    const std::string bytes = encodePath(m_dir.path()) + "/Bild\xff\xfe.png";
    const int fd = ::open(bytes.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    QVERIFY(fd >= 0);
    const QByteArray png = encoded(sample(QSize(192, 96)), "png");
    const bool written = ::write(fd, png.constData(), static_cast<size_t>(png.size())) == png.size();
    ::close(fd);
    QVERIFY(written);
    const Picture picture = loadPictureFile(decodePath(bytes), Box);
    ::unlink(bytes.c_str()); // a name Qt cannot spell, so the temporary folder could not remove it
    QCOMPARE(picture.Width, 5080);
    QCOMPARE(picture.Height, 2540);
}

QTEST_GUILESS_MAIN(TestPictureLoader)
#include "tst_pictureloader.moc"
