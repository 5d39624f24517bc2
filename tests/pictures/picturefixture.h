// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the picture loader's tests share: pictures made in memory, files
// written byte by byte, and the process's peak memory.
#pragma once

#include "files/pathcodec.h"
#include "picturebytes.h"
#include "pictures/pictureloader.h"

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

inline const QSize Box(482, 320);
constexpr qint64 MemoryBudgetKb = 150 * 1024;

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer keeps freed memory aside (256 MB by default) to catch uses
// after free: the peak would measure that rather than the loads, picture by
// picture. A small quarantine still catches them, and lets the peak tell. The
// sanitizer looks this function up by name; each test program has one source.
extern "C" const char *__asan_default_options() // NOLINT(misc-definitions-in-headers)
{
    return "quarantine_size_mb=16";
}
#endif

// A picture with detail in it: two colour halves and a diagonal, so rotation and truncation show.
inline QImage sample(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    painter.fillRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height(), Qt::blue);
    painter.setPen(QPen(Qt::white, 3));
    painter.drawLine(0, 0, size.width(), size.height());
    return image;
}

inline QByteArray encoded(const QImage &image, const char *format, bool progressive = false)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image) ? buffer.data() : QByteArray();
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A real PNG whose header then claims another size (the CRC made right again).
inline QByteArray pngClaiming(quint32 width, quint32 height)
{
    const QByteArray real = encoded(sample(QSize(64, 48)), "png");
    return pngHeader(width, height, 2) + real.mid(33);
}

// A real JPEG whose frame header then claims another size.
inline QByteArray jpegClaiming(quint16 width, quint16 height, bool progressive = false)
{
    QByteArray jpeg = encoded(sample(QSize(64, 48)), "jpeg", progressive);
    const qsizetype sof = jpeg.indexOf(progressive ? "\xFF\xC2" : "\xFF\xC0");
    putBigEndian(jpeg, sof + 5, height, 2);
    putBigEndian(jpeg, sof + 7, width, 2);
    return jpeg;
}

// An APP1 block saying "turn 90 degrees clockwise to view", placed right after SOI.
inline QByteArray withOrientation6(const QByteArray &jpeg)
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

inline QByteArray targaBytes()
{
    QByteArray tga(18, '\0');
    tga[2] = 2; // uncompressed true colour
    tga[12] = 2, tga[14] = 2, tga[16] = 24;
    return tga + QByteArray(12, '\x7f');
}

// What each picture test holds: a folder for the files under test, and the peak
// memory before any of them was loaded.
class PictureTest : public QObject
{
protected:
    QTemporaryDir m_dir;
    qint64 m_idlePeakKb = 0;

    [[nodiscard]] QString path(const QString &name) const { return m_dir.path() + u'/' + name; }
    // The loads since the idle peak was taken have kept within the memory budget.
    void checkMemory() const
    {
        const qint64 growthKb = peakMemoryKb() - m_idlePeakKb;
        QVERIFY2(growthKb < MemoryBudgetKb, qPrintable(QStringLiteral("peak grew by %1 kB").arg(growthKb)));
    }
};

inline int himetric(int pixels)
{
    return qRound(pixels * 2540.0 / 96.0);
}
