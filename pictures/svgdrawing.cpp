// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/svgdrawing.h"

#include "pictures/scaling.h"

#include <QBuffer>
#include <QImageReader>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/uio.h>
#include <type_traits>
#include <unistd.h>

namespace
{
constexpr int MaxSide = 65535;
constexpr std::uint32_t Magic = 0x5A535647; // "ZSVG"
constexpr std::uint32_t MaxDocumentBytes = 40u << 20; // what the cleaner lets through, and more

struct RequestHeader {
    std::uint32_t magic = Magic;
    std::int32_t width = 0, height = 0; // of the box
    std::uint32_t length = 0; // of the document that follows
};
static_assert(char(Magic & 0xFF) != SvgWire::Wake, "a request's first byte is never a wake-up");

// Passes `size` bytes through `io` (::read or ::write) across interruptions and short counts.
template<typename Buffer>
bool transferAll(ssize_t (*io)(int, Buffer, std::size_t), int fd, Buffer data, std::size_t size)
{
    using Byte = std::conditional_t<std::is_const_v<std::remove_pointer_t<Buffer>>, const char, char>;
    auto *at = static_cast<Byte *>(data);
    while (size > 0) {
        const ssize_t n = io(fd, at, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += n;
        size -= std::size_t(n);
    }
    return true;
}

bool writeAll(int fd, const void *data, std::size_t size)
{
    return transferAll<const void *>(::write, fd, data, size);
}

bool readAll(int fd, void *data, std::size_t size)
{
    return transferAll<void *>(::read, fd, data, size);
}

// Hands `size` bytes to the pipe `fd` by reference: the kernel copies them
// once, into the reader, instead of into the pipe and then into the reader.
// Anything but a pipe is written to.
bool spliceAll(int fd, const void *data, std::size_t size)
{
    const auto *at = static_cast<const char *>(data);
    while (size > 0) {
        iovec piece {const_cast<char *>(at), size};
        const ssize_t n = ::vmsplice(fd, &piece, 1, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EBADF && at == data)
            return writeAll(fd, data, size);
        if (n <= 0)
            return false;
        at += n;
        size -= std::size_t(n);
    }
    return true;
}
}

std::optional<Drawn> drawSvg(const QByteArray &cleaned, QSize box)
{
    QBuffer buffer;
    buffer.setData(cleaned);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "svg");
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    const QSize stored = reader.size();
    if (stored.isEmpty() || stored.width() > MaxSide || stored.height() > MaxSide)
        return std::nullopt;
    reader.setScaledSize(fitInside(stored, box, true));
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return Drawn {stored, std::move(image)};
}

namespace SvgWire
{
QByteArray request(const QByteArray &document, QSize box)
{
    const RequestHeader header {Magic, box.width(), box.height(), std::uint32_t(document.size())};
    return QByteArray(reinterpret_cast<const char *>(&header), sizeof header) + document;
}

std::optional<Request> readRequest(int fd, const std::function<void()> &woken)
{
    RequestHeader header;
    auto *bytes = reinterpret_cast<char *>(&header);
    for (bool first = true;; first = false) {
        if (!readAll(fd, bytes, 1))
            return std::nullopt;
        if (*bytes != Wake)
            break;
        if (first && woken)
            woken();
    }
    if (!readAll(fd, bytes + 1, sizeof header - 1) || header.magic != Magic || header.length > MaxDocumentBytes
        || header.width <= 0 || header.height <= 0 || header.width > MaxSide || header.height > MaxSide)
        return std::nullopt;
    Request request {QSize(header.width, header.height), QByteArray(qsizetype(header.length), Qt::Uninitialized)};
    if (!readAll(fd, request.document.data(), header.length))
        return std::nullopt;
    return request;
}

bool writeReply(int fd, const Drawn &drawn, bool ending)
{
    const QImage &image = drawn.image;
    const ReplyHeader header {drawn.size.width(), drawn.size.height(), image.width(), image.height(),
        int(image.format()), ending ? 1 : 0, image.bytesPerLine()};
    // One write for the pixels, which are contiguous: every write may wake the reader.
    return writeAll(fd, &header, sizeof header) && spliceAll(fd, image.constBits(), std::size_t(image.sizeInBytes()));
}

std::optional<Drawn> announcedPicture(const ReplyHeader &header, QSize box)
{
    if (header.width <= 0 || header.height <= 0 || header.width > box.width() || header.height > box.height()
        || header.storedWidth <= 0 || header.storedHeight <= 0 || header.storedWidth > MaxSide
        || header.storedHeight > MaxSide || header.format <= QImage::Format_Invalid
        || header.format >= QImage::NImageFormats)
        return std::nullopt;
    QImage image(header.width, header.height, QImage::Format(header.format));
    if (image.isNull() || image.bytesPerLine() != header.bytesPerLine)
        return std::nullopt;
    return Drawn {QSize(header.storedWidth, header.storedHeight), std::move(image)};
}
}
