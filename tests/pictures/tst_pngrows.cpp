// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The PNGs read without libpng against libpng reading the same bytes: the
// same pixels, the same refusals, and every other kind left to libpng.
#include "pictures/pngrows.h"
#include "tests/pictures/picturebytes.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTest>

#include <png.h>

namespace
{
const Admit admitAll = [](QSize, qint64) {};

// Rows of samples, with their filter bytes, as noise with gradients through it, so that every filter has work.
QByteArray samples(QSize size, int channels, int depth = 8)
{
    QRandomGenerator noise(7);
    const qsizetype rowBytes = qsizetype(size.width()) * channels * depth / 8;
    QByteArray raw;
    for (int y = 0; y < size.height(); ++y) {
        raw.append('\0');
        for (qsizetype i = 0; i < rowBytes; ++i)
            raw.append(char(y % 3 == 0 ? noise.bounded(256) : (i * 5 + qsizetype(y) * 9 + noise.bounded(4)) & 0xFF));
    }
    return raw;
}

void appendTo(png_structp png, png_bytep data, std::size_t length)
{
    static_cast<QByteArray *>(png_get_io_ptr(png))->append(reinterpret_cast<const char *>(data), qsizetype(length));
}

// The samples written by libpng, each row with one of `filters` (PNG_FILTER_* bits).
QByteArray writtenByLibpng(QSize size, int colour, int depth, int filters, bool interlaced = false)
{
    const int channels = colour == PNG_COLOR_TYPE_RGBA ? 4 : colour == PNG_COLOR_TYPE_RGB ? 3 : 1;
    const QByteArray raw = samples(size, channels, depth);
    const qsizetype stride = raw.size() / size.height();
    QByteArray file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)))
        return {};
    png_set_write_fn(png, &file, appendTo, nullptr);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, filters);
    png_set_IHDR(png, info, png_uint_32(size.width()), png_uint_32(size.height()), depth, colour,
        interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int pass = png_set_interlace_handling(png); pass > 0; --pass) {
        for (int y = 0; y < size.height(); ++y)
            png_write_row(png, reinterpret_cast<png_const_bytep>(raw.constData() + y * stride + 1));
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return file;
}

// A PNG of `raw` rows (with their filter bytes) by hand, its image data in IDAT chunks of `split` bytes.
QByteArray handMade(QSize size, int colour, const QByteArray &raw, qsizetype split, const QByteArray &before = {})
{
    const QByteArray data = qCompress(raw, 6).mid(4);
    QByteArray file = pngHeader(quint32(size.width()), quint32(size.height()), char(colour)) + before;
    for (qsizetype at = 0; at < data.size(); at += split)
        file += pngChunk("IDAT", data.mid(at, split));
    return file + pngChunk("IEND", {});
}

std::optional<Decoded> decode(const QByteArray &bytes, QSize box, bool own, bool *taken = nullptr)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    bool ownTaken = false;
    std::optional<Decoded> decoded
        = own ? decodeCommonPng(buffer, box, admitAll, ownTaken) : decodePngWithLibpng(buffer, box, admitAll);
    if (taken)
        *taken = ownTaken;
    return decoded;
}
}

class TestPngRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsAsLibpngDoes_data();
    void readsAsLibpngDoes();
};

void TestPngRows::readsAsLibpngDoes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<bool>("shown");
    const std::pair<const char *, int> filters[] {{"none", PNG_FILTER_NONE}, {"sub", PNG_FILTER_SUB},
        {"up", PNG_FILTER_UP}, {"average", PNG_FILTER_AVG}, {"paeth", PNG_FILTER_PAETH}, {"any", PNG_ALL_FILTERS}};
    for (const auto &[name, filter] : filters) {
        for (const int width : {1, 2, 7, 61}) {
            const QSize size(width, 9);
            QTest::addRow("RGB, %s, %d wide", name, width)
                << writtenByLibpng(size, PNG_COLOR_TYPE_RGB, 8, filter) << size << true << true;
            QTest::addRow("RGBA, %s, %d wide", name, width)
                << writtenByLibpng(size, PNG_COLOR_TYPE_RGBA, 8, filter) << size << true << true;
        }
    }
    const QSize size(300, 200);
    QTest::newRow("RGBA shrunk") << writtenByLibpng(size, PNG_COLOR_TYPE_RGBA, 8, PNG_ALL_FILTERS) << QSize(64, 64)
                                 << true << true;

    // What libpng is left to read.
    QTest::newRow("16-bit RGB") << writtenByLibpng(size, PNG_COLOR_TYPE_RGB, 16, PNG_ALL_FILTERS) << size << false
                                << true;
    QTest::newRow("interlaced") << writtenByLibpng(size, PNG_COLOR_TYPE_RGBA, 8, PNG_ALL_FILTERS, true) << size << false
                                << true;
    QTest::newRow("grey") << writtenByLibpng(size, PNG_COLOR_TYPE_GRAY, 8, PNG_ALL_FILTERS) << size << false << true;
    const QByteArray rgb = samples(size, 3);
    QTest::newRow("transparent colour") << handMade(size, 2, rgb, 1 << 20, pngChunk("tRNS", QByteArray(6, '\0')))
                                        << size << false << true;
    QTest::newRow("IDAT before its header") << handMade(size, 2, rgb, 1 << 20).remove(8, 25) << size << false << false;

    // Damaged, or parted: read alike.
    QTest::newRow("image data in chunks of 1 byte") << handMade(size, 2, rgb, 1) << size << true << true;
    QTest::newRow("a suggested palette") << handMade(size, 2, rgb, 100, pngChunk("PLTE", QByteArray(6, 'p'))) << size
                                         << true << true;
    QByteArray badFilter = rgb;
    badFilter[(rgb.size() / size.height()) * 5] = 5;
    QTest::newRow("filter 5") << handMade(size, 2, badFilter, 1 << 20) << size << true << false;
    QTest::newRow("rows missing") << handMade(size, 2, rgb.left(rgb.size() / 2), 1 << 20) << size << true << false;
    QTest::newRow("cut short") << handMade(size, 2, rgb, 1 << 20).chopped(5000) << size << true << false;
    QByteArray badCrc = handMade(size, 2, rgb, 1 << 20);
    badCrc[badCrc.size() - 14] = char(badCrc[badCrc.size() - 14] ^ 1); // the last IDAT's CRC
    QTest::newRow("IDAT CRC wrong") << badCrc << size << true << false;
}

void TestPngRows::readsAsLibpngDoes()
{
    QFETCH(QByteArray, file);
    QFETCH(QSize, box);
    QFETCH(bool, taken);
    QFETCH(bool, shown);
    QVERIFY(!file.isEmpty());
    bool ownTaken = false;
    const std::optional<Decoded> own = decode(file, box, true, &ownTaken);
    const std::optional<Decoded> libpng = decode(file, box, false);
    QCOMPARE(ownTaken, taken);
    QCOMPARE(libpng.has_value(), shown);
    if (taken) {
        QCOMPARE(own.has_value(), shown);
        if (shown) {
            QCOMPARE(own->size, libpng->size);
            QCOMPARE(own->image, libpng->image);
        }
    }
    // The loader's way in reads it as libpng does, whoever decodes it.
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    const std::optional<Decoded> loaded = decodePngRows(buffer, box, admitAll);
    QCOMPARE(loaded.has_value(), shown);
    if (shown)
        QCOMPARE(loaded->image, libpng->image);
}

QTEST_GUILESS_MAIN(TestPngRows)
#include "tst_pngrows.moc"
