// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The child is a fork of this process, so it needs nothing but what is loaded
// already. Forking a process with threads leaves the child only the thread
// that forked, with any lock another thread held at that moment held for
// ever; a child that blocks on one is killed at the deadline like one that
// draws too long, and the picture is refused. The child hands its result back
// through a pipe and ends with _exit, running nothing of this process's.
#include "pictures/boundeddraw.h"

#include <QElapsedTimer>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
constexpr qint64 MaxImageBytes = qint64(256) << 20; // far beyond any preview box

struct Header {
    std::int32_t storedWidth = 0, storedHeight = 0;
    std::int32_t width = 0, height = 0;
    std::int32_t format = 0;
    std::int64_t bytesPerLine = 0;
};

bool writeAll(int fd, const void *data, std::size_t size)
{
    const auto *at = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, at, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += n;
        size -= std::size_t(n);
    }
    return true;
}

[[noreturn]] void runChild(int out, const std::function<Drawn()> &draw)
{
    try {
        const Drawn drawn = draw();
        const QImage &image = drawn.image;
        const Header header {drawn.size.width(), drawn.size.height(), image.width(), image.height(),
            int(image.format()), image.bytesPerLine()};
        bool written = writeAll(out, &header, sizeof header);
        for (int y = 0; written && y < image.height(); ++y)
            written = writeAll(out, image.constScanLine(y), std::size_t(header.bytesPerLine));
        ::_exit(written ? 0 : 1);
    } catch (...) {
        ::_exit(1);
    }
}

// Everything the child wrote, or nothing when the deadline passed first.
std::optional<QByteArray> readUntilEnd(int in, const QElapsedTimer &clock, int limitMs)
{
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const qint64 left = limitMs - clock.elapsed();
        if (left <= 0)
            return std::nullopt;
        pollfd wanted {in, POLLIN, 0};
        const int ready = ::poll(&wanted, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return std::nullopt;
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return bytes;
        if (bytes.size() + n > MaxImageBytes + qint64(sizeof(Header)))
            return std::nullopt;
        bytes.append(buffer, n);
    }
}

std::optional<Drawn> parse(const QByteArray &bytes)
{
    Header header;
    if (bytes.size() < qsizetype(sizeof header))
        return std::nullopt;
    std::memcpy(&header, bytes.constData(), sizeof header);
    const auto format = QImage::Format(header.format);
    if (header.width <= 0 || header.height <= 0 || header.format <= QImage::Format_Invalid
        || header.format >= QImage::NImageFormats)
        return std::nullopt;
    QImage image(header.width, header.height, format);
    if (image.isNull() || image.bytesPerLine() != header.bytesPerLine
        || bytes.size() != qsizetype(sizeof header) + image.sizeInBytes())
        return std::nullopt;
    std::memcpy(image.bits(), bytes.constData() + sizeof header, std::size_t(image.sizeInBytes()));
    return Drawn {QSize(header.storedWidth, header.storedHeight), std::move(image)};
}
}

std::optional<Drawn> drawWithin(const std::function<Drawn()> &draw, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[0]);
        runChild(ends[1], draw);
    }
    ::close(ends[1]);
    std::optional<QByteArray> bytes;
    if (child > 0)
        bytes = readUntilEnd(ends[0], clock, limitMs);
    ::close(ends[0]);
    if (child < 0)
        return std::nullopt;
    if (!bytes)
        ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) { }
    if (!bytes || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return parse(*bytes);
}
