// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pathcodec.h"
#include "platform/pictureloader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
const QSize Box(482, 320);
constexpr qint64 MemoryBudgetKb = 150 * 1024;

// A picture with detail in it: two colour halves and a diagonal, so rotation and truncation show.
QImage sample(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    painter.fillRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height(), Qt::blue);
    painter.setPen(QPen(Qt::white, 3));
    painter.drawLine(0, 0, size.width(), size.height());
    return image;
}

QByteArray encoded(const QImage &image, const char *format, bool progressive = false)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image) ? buffer.data() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void putBigEndian(QByteArray &bytes, qsizetype at, quint32 value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * (width - 1 - i)));
}

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray pngChunk(const char *type, const QByteArray &data)
{
    QByteArray chunk(4, '\0');
    putBigEndian(chunk, 0, static_cast<quint32>(data.size()), 4);
    const QByteArray body = QByteArray(type) + data;
    QByteArray crc(4, '\0');
    putBigEndian(crc, 0, crc32(body), 4);
    return chunk + body + crc;
}

QByteArray pngHeader(quint32 width, quint32 height, char colourType)
{
    QByteArray ihdr(13, '\0');
    putBigEndian(ihdr, 0, width, 4);
    putBigEndian(ihdr, 4, height, 4);
    ihdr[8] = 8; // bits per sample
    ihdr[9] = colourType;
    return QByteArray("\x89PNG\r\n\x1A\n") + pngChunk("IHDR", ihdr);
}

// A real PNG whose header then claims another size (the CRC made right again).
QByteArray pngClaiming(quint32 width, quint32 height)
{
    const QByteArray real = encoded(sample(QSize(64, 48)), "png");
    return pngHeader(width, height, 2) + real.mid(33);
}

// A real JPEG whose frame header then claims another size.
QByteArray jpegClaiming(quint16 width, quint16 height, bool progressive = false)
{
    QByteArray jpeg = encoded(sample(QSize(64, 48)), "jpeg", progressive);
    const qsizetype sof = jpeg.indexOf(progressive ? "\xFF\xC2" : "\xFF\xC0");
    putBigEndian(jpeg, sof + 5, height, 2);
    putBigEndian(jpeg, sof + 7, width, 2);
    return jpeg;
}

// zlib data for `count` zero bytes, written by hand with fixed Huffman codes:
// one literal 0, then copies of 258 bytes at distance 1 (13 bits each).
QByteArray zlibZeros(qint64 count)
{
    QByteArray out("\x78\x01");
    quint32 bits = 0;
    int used = 0;
    const auto put = [&](quint32 value, int n) { // Huffman codes go most significant bit first
        for (int i = n - 1; i >= 0; --i) {
            bits |= ((value >> i) & 1u) << used;
            if (++used == 8) {
                out.append(static_cast<char>(bits));
                bits = 0;
                used = 0;
            }
        }
    };
    put(1, 1), put(1, 1), put(0, 1); // last block; fixed codes: type 01, low bit first
    put(0x30, 8); // literal 0
    for (qint64 i = 0; i < (count - 1) / 258; ++i)
        put(0xC5, 8), put(0, 5); // length 258, distance 1
    for (qint64 i = 0; i < (count - 1) % 258; ++i)
        put(0x30, 8);
    put(0, 7); // end of block
    if (used > 0)
        out.append(static_cast<char>(bits));
    QByteArray adler(4, '\0');
    putBigEndian(adler, 0, static_cast<quint32>((count % 65521) << 16 | 1), 4);
    return out + adler;
}

// A valid PNG of all-black pixels, a few MB on disk and hundreds of MB decoded.
QByteArray pngBomb(quint32 width, quint32 height, char colourType, int channels)
{
    const qint64 raw = qint64(height) * (1 + qint64(width) * channels);
    return pngHeader(width, height, colourType) + pngChunk("IDAT", zlibZeros(raw)) + pngChunk("IEND", {});
}

// An APP1 block saying "turn 90 degrees clockwise to view", placed right after SOI.
QByteArray withOrientation6(const QByteArray &jpeg)
{
    const QByteArray tiff("MM\0*\0\0\0\x08" // big-endian header, first IFD at 8
                          "\0\x01" // one entry
                          "\x01\x12\0\x03\0\0\0\x01\0\x06\0\0" // Orientation, SHORT, 1 value: 6
                          "\0\0\0\0",
        26);
    QByteArray app1("\xFF\xE1\0\0Exif\0\0", 10);
    app1 += tiff;
    putBigEndian(app1, 2, static_cast<quint32>(app1.size() - 2), 2);
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

QByteArray targaBytes()
{
    QByteArray tga(18, '\0');
    tga[2] = 2; // uncompressed true colour
    tga[12] = 2, tga[14] = 2, tga[16] = 24;
    return tga + QByteArray(12, '\x7f');
}

qint64 peakMemoryKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

int himetric(int pixels)
{
    return qRound(pixels * 2540.0 / 96.0);
}
}

class TestPictureLoader : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    qint64 m_idlePeakKb = 0;

    [[nodiscard]] QString path(const QString &name) const { return m_dir.path() + u'/' + name; }
    void checkMemory() const
    {
        const qint64 growthKb = peakMemoryKb() - m_idlePeakKb;
        QVERIFY2(growthKb < MemoryBudgetKb, qPrintable(QStringLiteral("peak grew by %1 kB").arg(growthKb)));
    }

private Q_SLOTS:
    void initTestCase();
    // The hostile files come first: the peak memory they are measured against grows with every load.
    void refusesWhatIsNotAPicture_data();
    void refusesWhatIsNotAPicture();
    void decodesAHugePngWithinMemory();
    void showsWhatATruncatedJpegHolds();
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
    m_idlePeakKb = peakMemoryKb();
}

void TestPictureLoader::refusesWhatIsNotAPicture_data()
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
    QTest::newRow("progressive JPEG claiming 8000x6000")
        << QStringLiteral("c.jpg") << jpegClaiming(8000, 6000, true) << 0;
    QTest::newRow("PNG bomb 20000x20000 grey") << QStringLiteral("bomb.png") << pngBomb(20000, 20000, 0, 1) << 0;
    QTest::newRow("TGA named .png") << QStringLiteral("targa.png") << targaBytes() << 0;
    QTest::newRow("ICNS named .png") << QStringLiteral("icon.png") << encoded(sample(QSize(32, 32)), "icns") << 0;
}

// Missing files and folders fail with their own error number; everything else
// is "not a picture": any number, but an error all the same. EPIPE marks the FIFO row.
void TestPictureLoader::refusesWhatIsNotAPicture()
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

// 400 MB of pixels compressed to 2.5 MB, but under the size limit: a picture like any
// other, which must come out at the box's size without ever holding the full pixels.
void TestPictureLoader::decodesAHugePngWithinMemory()
{
    writeFile(path(QStringLiteral("huge.png")), pngBomb(10000, 10000, 6, 4));
    const Picture picture = loadPictureFile(path(QStringLiteral("huge.png")), Box);
    QCOMPARE(picture.Width, 264583);
    QCOMPARE(picture.Height, 264583);
    QCOMPARE(picture.image.size(), QSize(320, 320));
    checkMemory();
}

void TestPictureLoader::showsWhatATruncatedJpegHolds()
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
