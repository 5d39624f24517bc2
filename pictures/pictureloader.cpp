// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures are decoded from files anyone may have put in a folder, so the
// loader trusts nothing: the format comes from the file's first bytes (never
// its name), only decoders without known open holes are used, sizes are
// checked before any pixel is decoded, and only as many pixels as the preview
// box shows are decoded.
#include "pictures/pictureloader.h"

#include "files/pathcodec.h"

#include <QFile>
#include <QImageReader>

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr int AllocationLimitMb = 128; // the largest image buffer a decoder may ask for
constexpr int MaxSide = 65535; // also keeps HIMETRIC values inside an int
constexpr qint64 MaxPixels = qint64(1) << 27; // 134 megapixels: large camera photos and panoramas
// libjpeg keeps every coefficient of a progressive JPEG in memory, 2 to 6 bytes a pixel.
constexpr qint64 MaxProgressivePixels = qint64(1) << 25;
constexpr qsizetype HeadBytes = 128 * 1024; // enough to reach the frame header past an EXIF block
constexpr qsizetype SvgSniffBytes = 1024;

HostError notAPicture()
{
    return HostError(EINVAL, QStringLiteral("Not a picture"));
}

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
// O_NONBLOCK keeps a FIFO from blocking the open; it means nothing for regular files.
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
    return fd;
}

// Up to HeadBytes from the start of the file, leaving the file offset alone.
QByteArray readHead(int fd)
{
    QByteArray head(HeadBytes, Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < head.size()) {
        const ssize_t n = ::pread(fd, head.data() + filled, static_cast<size_t>(head.size() - filled), filled);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw HostError::fromErrno(errno);
        if (n == 0)
            break;
        filled += n;
    }
    head.truncate(filled);
    return head;
}

bool isSvg(const QByteArray &head)
{
    const QByteArray start = head.left(SvgSniffBytes);
    const QByteArray trimmed = start.startsWith("\xEF\xBB\xBF") ? start.mid(3).trimmed() : start.trimmed();
    return trimmed.startsWith("<svg") || (trimmed.startsWith("<?xml") && start.contains("<svg"));
}

// The decoder for the file's content: only these formats are ever decoded.
QByteArray sniffFormat(const QByteArray &head)
{
    if (head.startsWith("\xFF\xD8\xFF"))
        return "jpeg";
    if (head.startsWith("\x89PNG\r\n\x1A\n"))
        return "png";
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return "gif";
    if (head.startsWith("BM") && head.size() >= 26)
        return "bmp";
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return "webp";
    if (head.startsWith(QByteArray("II*\0", 4)) || head.startsWith(QByteArray("MM\0*", 4)))
        return "tiff";
    if (head.startsWith(QByteArray("\0\0\1\0", 4)) && head.size() >= 6
        && (head.at(4) != 0 || head.at(5) != 0)) // at least one image
        return "ico";
    if (head.size() >= 3 && head.at(0) == 'P' && head.at(1) >= '1' && head.at(1) <= '6'
        && QByteArray(" \t\r\n#").contains(head.at(2))) {
        static const char *const pnm[] = {"pbm", "pgm", "ppm"};
        return pnm[(head.at(1) - '1') % 3];
    }
    if (isSvg(head))
        return "svg";
    return {};
}

// Whether the JPEG's frame header, found in `head`, is a progressive one.
bool isProgressiveJpeg(const QByteArray &head)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(head.at(i)); };
    qsizetype i = 2;
    while (i + 4 <= head.size()) {
        if (byte(i) != 0xFF)
            return false;
        const unsigned char marker = byte(i + 1);
        if (marker == 0xFF) {
            ++i;
            continue;
        }
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return (marker & 0x03) == 0x02; // SOF2, SOF6, SOF10, SOF14
        i += 2 + (byte(i + 2) << 8 | byte(i + 3));
    }
    return false;
}

bool sizeAcceptable(QSize size, const QByteArray &format, const QByteArray &head)
{
    if (size.isEmpty() || size.width() > MaxSide || size.height() > MaxSide)
        return false;
    if (format == "svg")
        return true; // drawn at the box's size, whatever size it claims
    const qint64 pixels = qint64(size.width()) * size.height();
    return pixels <= (format == "jpeg" && isProgressiveJpeg(head) ? MaxProgressivePixels : MaxPixels);
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

Picture decode(QFile &file, const QByteArray &format, const QByteArray &head, QSize boxPixels)
{
    QImageReader reader(&file, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!sizeAcceptable(stored, format, head))
        throw notAPicture();
    // The scaled size applies before the EXIF rotation, the box after it.
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize upright = turned ? stored.transposed() : stored;
    const QSize shown = fitInside(upright, boxPixels, format == "svg");
    if (shown != upright)
        reader.setScaledSize(turned ? shown.transposed() : shown);
    QImage image = reader.read();
    if (image.isNull())
        throw notAPicture();
    return Picture {toHimetric(upright.width()), toHimetric(upright.height()), std::move(image)};
}
}

Picture loadPictureFile(const QString &path, QSize boxPixels)
{
    QImageReader::setAllocationLimit(AllocationLimitMb);
    const int fd = openRegularFile(path);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw HostError(EIO, file.errorString());
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    const QByteArray head = readHead(fd);
    const QByteArray format = sniffFormat(head);
    if (format.isEmpty() || !QImageReader::supportedImageFormats().contains(format))
        throw notAPicture();
    return decode(file, format, head, boxPixels);
}
