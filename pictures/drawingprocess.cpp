// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The loader's side of a drawing: it waits for the process started ahead to
// be ready, sends it the document and reads the picture, against the clock.
// A process that has drawn well draws the next picture too, warm from it.
#include "pictures/drawingprocess.h"

#include "base/hosterror.h"
#include "files/pathcodec.h"
#include "pictures/drawingprocesses.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cerrno>
#include <climits>
#include <csignal>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
constexpr int StartupLimitMs = 10000; // a fresh process loading its libraries on a busy machine

// Waits until `fd` is ready for `events`, or `limitMs` since `clock` started have passed.
bool await(int fd, short events, const QElapsedTimer &clock, qint64 limitMs)
{
    for (;;) {
        const qint64 left = limitMs - clock.elapsed();
        if (left <= 0)
            return false;
        pollfd wanted {fd, events, 0};
        const int ready = ::poll(&wanted, 1, int(left));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

bool awaitReady(const DrawingChild &child)
{
    QElapsedTimer clock;
    clock.start();
    char ready = 0;
    return await(child.replies, POLLIN, clock, StartupLimitMs) && ::read(child.replies, &ready, 1) == 1
        && ready == SvgWire::Ready;
}

bool send(const DrawingChild &child, const QByteArray &bytes, const QElapsedTimer &clock, qint64 limitMs)
{
    for (qsizetype sent = 0; sent < bytes.size();) {
        const ssize_t n
            = ::send(child.requests, bytes.constData() + sent, std::size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n > 0)
            sent += n;
        else if (n < 0 && errno != EINTR && (errno != EAGAIN || !await(child.requests, POLLOUT, clock, limitMs)))
            return false;
    }
    return true;
}

// Reads `size` bytes from the child; false when it ends first (and then `ended`) or is late.
bool receive(
    const DrawingChild &child, void *data, std::size_t size, const QElapsedTimer &clock, qint64 limitMs, bool &ended)
{
    auto *at = static_cast<char *>(data);
    while (size > 0) {
        const ssize_t n = ::read(child.replies, at, size);
        if (n > 0)
            at += n, size -= std::size_t(n);
        else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
            ended = true;
            return false;
        } else if (errno == EAGAIN && !await(child.replies, POLLIN, clock, limitMs))
            return false;
    }
    return true;
}

struct Answer {
    std::optional<Drawn> drawn;
    bool ending = false; // the child ends after it
    bool unanswered = false; // the child was not sent the request, or ended before it answered in full
};

// The picture the child draws, read straight into its image.
Answer receivePicture(const DrawingChild &child, QSize box, const QElapsedTimer &clock, qint64 limitMs)
{
    Answer answer;
    SvgWire::ReplyHeader header;
    if (!receive(child, &header, sizeof header, clock, limitMs, answer.unanswered))
        return answer;
    answer.drawn = SvgWire::announcedPicture(header, box);
    if (answer.drawn
        && !receive(child, answer.drawn->image.bits(), std::size_t(answer.drawn->image.sizeInBytes()), clock, limitMs,
            answer.unanswered))
        answer.drawn.reset();
    answer.ending = header.ending != 0;
    return answer;
}

HostError missing(const QString &program)
{
    return HostError(ENOENT,
        QCoreApplication::translate("PictureLoader",
            "Vector pictures cannot be previewed: their drawing program %1 is missing or cannot be started")
            .arg(program));
}

// The drawing program's path if it is there to be run; empty otherwise.
std::string runnable(const QString &program)
{
    const std::string path = encodePath(program);
    return !program.isEmpty() && ::access(path.c_str(), X_OK) == 0 ? path : std::string();
}
}

QString drawingProgram()
{
    const QString chosen = qEnvironmentVariable(DrawingProgramVariable);
    if (!chosen.isEmpty())
        return chosen;
    static const QString besideExecutable = [] { // looked up once: every load asks
        char self[PATH_MAX];
        const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self);
        if (length <= 0 || length >= ssize_t(sizeof self))
            return QString();
        const std::string executable(self, std::size_t(length));
        return decodePath(executable.substr(0, executable.rfind('/') + 1) + ZINDLE_DRAWING_PROGRAM);
    }();
    return besideExecutable;
}

std::optional<Drawn> drawInOwnProcess(const QByteArray &document, QSize box, int limitMs)
{
    const QString program = drawingProgram();
    const std::string path = runnable(program);
    if (path.empty())
        throw missing(program);
    const QByteArray request = SvgWire::request(document, box);
    // One that ends before it answers, while it starts, waits or draws, is replaced once: it may have been
    // killed from outside. The second draws in what is left of the deadline, so that a picture that takes its
    // process down costs no more time than one that is killed when late.
    Answer answer {std::nullopt, false, true};
    qint64 left = limitMs;
    for (int attempt = 0; attempt < 2 && answer.unanswered && left > 0; ++attempt) {
        std::optional<DrawingChild> child = drawingProcesses().take(path);
        if (!child)
            throw missing(program);
        const bool ready = child->drew || awaitReady(*child);
        QElapsedTimer clock;
        clock.start();
        answer = ready && send(*child, request, clock, left) ? receivePicture(*child, box, clock, left)
                                                             : Answer {std::nullopt, false, true};
        if (answer.drawn && !answer.ending)
            drawingProcesses().keep(*child);
        else
            drawingProcesses().finish(*child, !answer.drawn); // killed when late
        left -= clock.elapsed();
    }
    drawingProcesses().prepare(path); // a fresh one for the next picture, unless this one is kept
    return std::move(answer.drawn);
}

void startDrawingProcess()
{
    drawingProcesses().wake(); // first, so that it wakes while the rest of the load goes on
    const std::string path = runnable(drawingProgram());
    if (!path.empty())
        drawingProcesses().prepare(path);
}

void stopDrawingProcesses()
{
    drawingProcesses().stop();
}

void reapDrawingProcesses()
{
    drawingProcesses().reap();
}
