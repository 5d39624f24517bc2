// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures are decoded from files anyone may have put in a folder, so the
// loader trusts nothing: the format comes from the file's first bytes (never
// its name), only decoders without known open holes are used, what a file
// claims is checked against what it holds and sizes against limits before
// any pixel is decoded, decoders see only the parts of a file that make its
// pixels, an SVG reaches no other file, and only as many pixels as the
// preview box shows are kept. PNG, TIFF and still WebP pictures go to their
// libraries, which decode them a row, a strip or straight to size at a time;
// a JPEG goes to Qt's decoder, which scales it in libjpeg's DCT, unless that
// would keep more coefficients than the memory bound allows.
#include "pictures/pictureloader.h"

#include "files/pathcodec.h"
#include "pictures/decodecost.h"
#include "pictures/decoding.h"
#include "pictures/drawingprocess.h"
#include "pictures/jpegdc.h"
#include "pictures/pictureformat.h"
#include "pictures/pngchunks.h"
#include "pictures/scaling.h"
#include "pictures/spliceddevice.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr int AllocationLimitMb = 128; // the largest image buffer a Qt decoder may ask for
constexpr int MaxSide = 65535; // also keeps HIMETRIC values inside an int
constexpr qint64 HeadBytes = qint64(128) * 1024; // enough to tell the format and read the first headers

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

// The formats Qt's decoders read, from the plugins it finds once: asking lists them anew.
const QList<QByteArray> &qtFormats()
{
    static const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    return formats;
}

// The size the decoder will produce, which for a GIF is its canvas whatever its first frame says.
QSize storedSize(QImageReader &reader, const QByteArray &format, const QByteArray &head)
{
    const std::optional<QSize> canvas = format == "gif" ? gifCanvas(head) : std::nullopt;
    return canvas ? *canvas : reader.size();
}

// Through one of Qt's decoders, which decode whole unless they can scale (JPEG).
Decoded decodeWithQt(
    QIODevice &device, const QByteArray &format, const QByteArray &head, QSize box, Budget &budget, qint64 limit)
{
    if (!device.seek(0))
        throw HostError(EIO, device.errorString());
    QImageReader reader(&device, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(true);
    const QSize stored = storedSize(reader, format, head);
    // The scaled size applies before the EXIF rotation, the box after it.
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize upright = turned ? stored.transposed() : stored;
    admit(budget, upright, limit);
    const QSize shown = fitInside(upright, box, false);
    if (shown != upright)
        reader.setScaledSize(turned ? shown.transposed() : shown);
    QImage image = reader.read();
    if (image.isNull())
        throw notAPicture();
    return {upright, std::move(image)};
}

// The EXIF orientation (1 to 8) Qt's JPEG decoder finds in the file's header.
int jpegOrientation(QIODevice &device)
{
    device.seek(0);
    QImageReader reader(&device, "jpeg");
    reader.setAutoDetectImageFormat(false);
    const QImageIOHandler::Transformations t = reader.transformation();
    using T = QImageIOHandler::Transformation;
    const QImageIOHandler::Transformations byOrientation[] = {T::TransformationNone, T::TransformationMirror,
        T::TransformationRotate180, T::TransformationFlip, T::TransformationFlipAndRotate90, T::TransformationRotate90,
        T::TransformationMirrorAndRotate90, T::TransformationRotate270};
    for (int i = 0; i < 8; ++i) {
        if (t == byOrientation[i])
            return i + 1;
    }
    return 1;
}

Decoded decodeJpeg(QIODevice &device, const QByteArray &head, QSize box, Budget &budget)
{
    const std::optional<JpegFrame> frame = readJpegFrame(device);
    if (!frame)
        throw notAPicture();
    const JpegPlan plan = planJpeg(*frame);
    if (plan.route == JpegPlan::Route::Library)
        return decodeWithQt(device, "jpeg", head, box, budget, plan.pixelLimit);
    const int orientation = jpegOrientation(device);
    const QSize stored(frame->width, frame->height);
    const QSize upright = swapsSides(orientation) ? stored.transposed() : stored;
    admit(budget, upright, plan.pixelLimit);
    const QImage image = decodeJpegDc(device, swapsSides(orientation) ? box.transposed() : box);
    if (image.isNull())
        throw notAPicture();
    return {upright, turnUpright(image, orientation)};
}

using StreamDecoder = std::optional<Decoded> (*)(QIODevice &, QSize, const Admit &);

Decoded decodeStreaming(StreamDecoder decoder, QIODevice &device, QSize box, Budget &budget)
{
    if (!device.seek(0))
        throw HostError(EIO, device.errorString());
    std::optional<Decoded> decoded
        = decoder(device, box, [&budget](QSize stored, qint64 limit) { admit(budget, stored, limit); });
    if (!decoded)
        throw notAPicture();
    return std::move(*decoded);
}

// A PNG, or the PNG stored in an icon file, as its decoder may see it.
Decoded decodePng(QIODevice &device, ByteRange png, QSize box, Budget &budget)
{
    if (png.offset + png.length > device.size())
        throw notAPicture(); // an icon whose directory claims more than the file holds
    const std::optional<std::vector<ByteRange>> chunks = pngPixelChunks(device, png);
    if (!chunks)
        throw notAPicture();
    SplicedDevice pixels(&device, *chunks);
    return decodeStreaming(decodePngRows, pixels, box, budget);
}

Decoded decodeWebp(QIODevice &device, const QByteArray &head, QSize box, Budget &budget)
{
    // Its decoders read to the end of the file: let them see only what the container holds.
    const ByteRange container = webpContainer(head);
    if (container.length > device.size())
        throw notAPicture();
    SplicedDevice webp(&device, {container});
    if (isAnimatedWebp(head))
        return decodeWithQt(webp, "webp", head, box, budget, pixelLimit("webp", head));
    return decodeStreaming(decodeWebpScaled, webp, box, budget);
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

HostError notAPicture()
{
    return HostError(EINVAL, QCoreApplication::translate("PictureLoader", "Not a picture"));
}

HostError tooLargeToPreview()
{
    return HostError(EFBIG, QCoreApplication::translate("PictureLoader", "Too large to preview"));
}

QByteArray readAt(QIODevice &device, qint64 offset, qint64 count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    const qint64 got = device.seek(offset) ? device.read(bytes.data(), count) : -1;
    if (got < 0 || !device.seek(0))
        throw HostError(EIO, device.errorString());
    bytes.truncate(got);
    return bytes;
}

void admit(Budget &budget, QSize stored, qint64 pixelLimit)
{
    if (stored.isEmpty())
        throw notAPicture();
    const qint64 pixels = qint64(stored.width()) * stored.height();
    if (stored.width() > MaxSide || stored.height() > MaxSide || pixels > pixelLimit)
        throw tooLargeToPreview();
    // A file and everything it embeds together get what one picture may spend.
    const qint64 cost = (pixels * Budget::Whole + pixelLimit - 1) / pixelLimit;
    if (cost > budget.left)
        throw tooLargeToPreview();
    budget.left -= cost;
}

Decoded decodeDevice(QIODevice &device, QSize box, Budget &budget)
{
    const QByteArray head = readAt(device, 0, HeadBytes);
    const QByteArray format = sniffFormat(head);
    // PNG, TIFF and still WebP pictures go to their libraries, the others to Qt's decoders.
    const bool ownDecoder = format == "png" || format == "tiff" || format == "webp";
    if (format.isEmpty() || (!ownDecoder && !qtFormats().contains(format)))
        throw notAPicture();
    if (format == "png")
        return decodePng(device, {0, device.size()}, box, budget);
    if (format == "tiff")
        return decodeStreaming(decodeTiffBands, device, box, budget);
    if (format == "jpeg")
        return decodeJpeg(device, head, box, budget);
    if (format == "webp")
        return decodeWebp(device, head, box, budget);
    if (format == "svg")
        return decodeSvg(device, box, budget);
    if (format == "ico") {
        // The icon decoder hands a stored PNG to the PNG decoder whole: decode it here instead.
        const std::optional<ByteRange> first = icoFirstImage(head);
        if (first && isPng(readAt(device, first->offset, 8)))
            return decodePng(device, *first, box, budget);
    }
    return decodeWithQt(device, format, head, box, budget, pixelLimit(format, head));
}

Picture loadPictureFile(const QString &path, QSize boxPixels)
{
    limitAllocations();
    startDrawingProcess(); // ahead of the first vector picture, and woken for this one
    const int fd = openRegularFile(path);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw HostError(EIO, file.errorString());
    }
    Budget budget;
    Decoded decoded = decodeDevice(file, boxPixels, budget);
    const auto himetric = [](int pixels) { return int((qint64(pixels) * 2540 + 48) / 96); }; // 96 pixels an inch
    return Picture {himetric(decoded.size.width()), himetric(decoded.size.height()), std::move(decoded.image)};
}
