// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures are decoded from files anyone may have put in a folder, so the
// loader trusts nothing: the format comes from the file's first bytes (never
// its name), only decoders without known open holes are used, what a file
// claims is checked against what it holds and sizes against limits before
// any pixel is decoded, decoders see only the parts of a file that make its
// pixels, an SVG reaches no other file, and only as many pixels as the
// preview box shows are decoded.
#include "pictures/pictureloader.h"

#include "files/pathcodec.h"
#include "pictures/boundeddraw.h"
#include "pictures/decodecost.h"
#include "pictures/pictureformat.h"
#include "pictures/pngchunks.h"
#include "pictures/spliceddevice.h"
#include "pictures/svgcleaner.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr int AllocationLimitMb = 128; // the largest image buffer a decoder may ask for
constexpr int MaxSide = 65535; // also keeps HIMETRIC values inside an int
constexpr qint64 WholeBudget = qint64(1) << 20; // one picture at its format's pixel limit
constexpr qint64 HeadBytes = 128 * 1024; // enough to reach the frame header past an EXIF block
constexpr qint64 MaxSvgBytes = qint64(16) << 20;
constexpr qint64 MaxWebpBytes = qint64(16) << 20; // its decoder holds the whole file
constexpr int MaxEmbedded = 16; // pictures decoded for one SVG
constexpr int MaxNesting = 2; // an SVG in an SVG in a file, and no deeper
constexpr int SvgDrawingLimitMs = 750; // leaves the rest of a second for everything else a click does

HostError notAPicture()
{
    return HostError(EINVAL, QCoreApplication::translate("PictureLoader", "Not a picture"));
}

// What decoding one file may still spend, shared with the pictures it embeds.
struct Budget {
    qint64 left = WholeBudget; // what the decoders may still spend, in shares of one picture's limit
    int embedded = 0;
    int nesting = 0;
};

// A decoded picture: its size as stored, upright, and the pixels for the box.
struct Decoded {
    QSize size;
    QImage image;
};

Decoded decodeDevice(QIODevice &device, QSize boxPixels, Budget &budget);

// The path's bytes with every run of "/" collapsed into one.
std::string pathBytes(const QString &path)
{
    std::string bytes = encodePath(path);
    std::string collapsed;
    collapsed.reserve(bytes.size());
    for (const char c : bytes) {
        if (c != '/' || collapsed.empty() || collapsed.back() != '/')
            collapsed.push_back(c);
    }
    return collapsed;
}

// Opens the file for reading, refusing anything that is not a regular file.
// O_NONBLOCK keeps a FIFO from blocking the open; it is cleared once the file is known to be regular.
int openRegularFile(const QString &path)
{
    const int fd = ::open(pathBytes(path).c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        throw HostError::fromErrno(errno);
    struct stat st {
    };
    const int err = ::fstat(fd, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : S_ISREG(st.st_mode) ? 0 : -1;
    if (err != 0) {
        ::close(fd);
        throw err > 0 ? HostError::fromErrno(err) : notAPicture();
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

// Up to `count` bytes from `offset`, leaving the device at its start.
QByteArray readAt(QIODevice &device, qint64 offset, qint64 count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    const qint64 got = device.seek(offset) ? device.read(bytes.data(), count) : -1;
    if (got < 0 || !device.seek(0))
        throw HostError(EIO, device.errorString());
    bytes.truncate(got);
    return bytes;
}

// The size the decoder will produce, which for a GIF is its canvas whatever its first frame says.
QSize storedSize(QImageReader &reader, const QByteArray &format, const QByteArray &head)
{
    const std::optional<QSize> canvas = format == "gif" ? gifCanvas(head) : std::nullopt;
    return canvas ? *canvas : reader.size();
}

bool sizeAcceptable(QSize size, const QByteArray &format, qint64 limit)
{
    if (size.isEmpty() || size.width() > MaxSide || size.height() > MaxSide)
        return false;
    return format == "svg" || qint64(size.width()) * size.height() <= limit;
}

// Takes what decoding `pixels` costs from the budget, or refuses them: a
// file and everything it embeds together get what one picture may spend.
void spend(Budget &budget, qint64 pixels, qint64 limit)
{
    const qint64 cost = limit > 0 ? (pixels * WholeBudget + limit - 1) / limit : 0;
    if (cost > budget.left)
        throw notAPicture();
    budget.left -= cost;
}

// The size that fits inside `box` keeping the proportions of `size`; never
// larger than `size` unless `enlarge`.
QSize fitInside(QSize size, QSize box, bool enlarge)
{
    if (box.isEmpty())
        return size;
    QSize fitted = size.scaled(box, Qt::KeepAspectRatio);
    if (!enlarge)
        fitted = fitted.boundedTo(size);
    return fitted.expandedTo(QSize(1, 1));
}

int toHimetric(int pixels)
{
    return static_cast<int>((qint64(pixels) * 2540 + 48) / 96); // 96 pixels to the inch, rounded
}

Decoded decode(QIODevice &device, const QByteArray &format, const QByteArray &head, QSize boxPixels, Budget &budget)
{
    const qint64 limit = format == "svg" ? 0 : pixelLimit(format, device, head);
    if (!device.seek(0))
        throw HostError(EIO, device.errorString());
    QImageReader reader(&device, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(true);
    const QSize stored = storedSize(reader, format, head);
    if (!sizeAcceptable(stored, format, limit))
        throw notAPicture();
    // The scaled size applies before the EXIF rotation, the box after it.
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize upright = turned ? stored.transposed() : stored;
    const QSize shown = fitInside(upright, boxPixels, format == "svg");
    spend(budget, qint64(stored.width()) * stored.height(), limit); // an SVG has no limit, and costs nothing
    if (shown != upright)
        reader.setScaledSize(turned ? shown.transposed() : shown);
    QImage image = reader.read();
    if (image.isNull())
        throw notAPicture();
    return {upright, std::move(image)};
}

// A PNG, or the PNG stored in an icon file, as its decoder may see it.
Decoded decodePng(QIODevice &device, ByteRange png, QSize boxPixels, Budget &budget)
{
    if (png.offset + png.length > device.size())
        throw notAPicture(); // an icon whose directory claims more than the file holds
    const std::optional<std::vector<ByteRange>> chunks = pngPixelChunks(device, png);
    if (!chunks)
        throw notAPicture();
    SplicedDevice pixels(&device, *chunks);
    return decode(pixels, "png", readAt(pixels, 0, HeadBytes), boxPixels, budget);
}

// A picture embedded in an SVG, decoded under the file's budget and made a plain PNG again.
std::optional<EmbeddedPicture> embed(const QByteArray &bytes, QSize boxPixels, Budget &budget)
{
    if (budget.nesting >= MaxNesting || budget.embedded >= MaxEmbedded)
        return std::nullopt;
    ++budget.embedded;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        ++budget.nesting;
        const Decoded decoded = decodeDevice(buffer, boxPixels, budget);
        --budget.nesting;
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        QImageWriter writer(&png, "png");
        writer.setCompression(1); // quick: it is read back at once
        if (!writer.write(decoded.image))
            return std::nullopt;
        return EmbeddedPicture {png.data(), decoded.size};
    } catch (const HostError &) {
        --budget.nesting;
        return std::nullopt;
    }
}

Decoded decodeSvg(QIODevice &device, const QByteArray &head, QSize boxPixels, Budget &budget)
{
    if (device.size() > MaxSvgBytes)
        throw notAPicture();
    const QByteArray document = readAt(device, 0, device.size());
    const std::optional<QByteArray> cleaned
        = cleanSvg(document, [&](const QByteArray &bytes) { return embed(bytes, boxPixels, budget); });
    if (!cleaned)
        throw notAPicture();
    // Its size is bounded, but not what drawing it costs: that runs against the clock.
    const std::optional<Drawn> drawn = drawWithin(
        [&] {
            QBuffer buffer;
            buffer.setData(*cleaned);
            buffer.open(QIODevice::ReadOnly);
            Decoded decoded = decode(buffer, "svg", head, boxPixels, budget);
            return Drawn {decoded.size, std::move(decoded.image)};
        },
        SvgDrawingLimitMs);
    if (!drawn)
        throw notAPicture();
    return {drawn->size, drawn->image};
}

Decoded decodeDevice(QIODevice &device, QSize boxPixels, Budget &budget)
{
    const QByteArray head = readAt(device, 0, HeadBytes);
    const QByteArray format = sniffFormat(head);
    if (format.isEmpty() || !QImageReader::supportedImageFormats().contains(format))
        throw notAPicture();
    if (format == "png")
        return decodePng(device, {0, device.size()}, boxPixels, budget);
    if (format == "svg")
        return decodeSvg(device, head, boxPixels, budget);
    if (format == "webp") {
        // Its decoder reads to the end of the file: let it see only what the container holds.
        const ByteRange container = webpContainer(head);
        if (container.length > device.size() || container.length > MaxWebpBytes)
            throw notAPicture();
        SplicedDevice webp(&device, {container});
        return decode(webp, format, head, boxPixels, budget);
    }
    if (format == "ico") {
        // The icon decoder hands a stored PNG to the PNG decoder whole: decode it here instead.
        const std::optional<ByteRange> first = icoFirstImage(head);
        if (first && isPng(readAt(device, first->offset, 8)))
            return decodePng(device, *first, boxPixels, budget);
    }
    return decode(device, format, head, boxPixels, budget);
}

void limitAllocations()
{
    // The limit is process-wide: set it once, so that loads on several threads never race on it.
    static const bool limited = [] {
        QImageReader::setAllocationLimit(AllocationLimitMb);
        return true;
    }();
    Q_UNUSED(limited);
}
}

Picture loadPictureFile(const QString &path, QSize boxPixels)
{
    limitAllocations();
    const int fd = openRegularFile(path);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw HostError(EIO, file.errorString());
    }
    Budget budget;
    Decoded decoded = decodeDevice(file, boxPixels, budget);
    return Picture {toHimetric(decoded.size.width()), toHimetric(decoded.size.height()), std::move(decoded.image)};
}
