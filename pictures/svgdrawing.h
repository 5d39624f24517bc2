// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <cstdint>
#include <functional>

#include <optional>

// A vector picture drawn for the preview: its size as stored, and its pixels.
struct Drawn {
    QSize size;
    QImage image;
};

// Draws a cleaned SVG document at the size that fits `box`, enlarged if
// smaller; nothing when it is not one. How long that takes, nothing bounds:
// the loader runs it in a drawing process of its own, against the clock.
[[nodiscard]] std::optional<Drawn> drawSvg(const QByteArray &cleaned, QSize box);

// What the loader and the drawing process say to each other, over the
// process's standard input and output: the process announces that it is
// ready, then answers one request after another, until its input ends, a
// drawing fails, or it says that it ends. Before each request, the loader may
// send wake-ups, which the process reads and passes over.
namespace SvgWire
{
constexpr char Ready = 'R';
// A process that has slept long is slow to wake (its caches and page walks
// are cold): woken as a load begins, while the loader still opens, reads and
// cleans the document, it is quick to take the request that follows.
constexpr char Wake = 'W';

struct Request {
    QSize box;
    QByteArray document;
};

[[nodiscard]] QByteArray request(const QByteArray &document, QSize box);
// Reads one request from `fd`, passing over wake-ups; nothing when it is cut short or malformed.
// `woken` is called at the first wake-up.
[[nodiscard]] std::optional<Request> readRequest(int fd, const std::function<void()> &woken = {});
// The answer: this header, then the image's bytes as QImage holds them.
struct ReplyHeader {
    std::int32_t storedWidth = 0, storedHeight = 0;
    std::int32_t width = 0, height = 0;
    std::int32_t format = 0;
    std::int32_t ending = 0; // the process takes no further request
    std::int64_t bytesPerLine = 0;
};

// Writes a picture to `fd`; false when the reader has gone. Into a pipe, the
// pixels are handed over by reference: they must stay as they are until read.
[[nodiscard]] bool writeReply(int fd, const Drawn &drawn, bool ending);
// The picture an answer's header announces, its pixels yet to be read into
// it; nothing unless it is one that fits `box`.
[[nodiscard]] std::optional<Drawn> announcedPicture(const ReplyHeader &header, QSize box);
}
