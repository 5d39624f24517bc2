// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// posix_spawn runs nothing of this process in the child but the exec itself
// (glibc's implementation uses a vfork-like clone): no lock another thread
// holds can stop it, and the new program shares nothing with this one. The
// child's standard input and output are one end of a socket pair, so that a
// child that died is an error on a send, never a SIGPIPE here.
#include "pictures/drawingprocess.h"

#include "base/hosterror.h"
#include "files/pathcodec.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

extern char **environ; // NOLINT: POSIX declares it nowhere else

namespace
{
constexpr int StartupLimitMs = 10000; // a fresh process loading its libraries on a busy machine

struct Child {
    pid_t pid = -1;
    int socket = -1;
    std::string program;
};

// Ends the child, killed first unless it ended by itself; true when it exited with success.
bool end(Child &child, bool kill)
{
    ::close(child.socket);
    if (kill)
        ::kill(child.pid, SIGKILL);
    int status = 0;
    while (::waitpid(child.pid, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::optional<Child> spawn(const std::string &program)
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigfillset(&signals);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    // A session of its own: a terminal's Ctrl+C meant for the program does not reach it.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
    std::string name = program;
    char *arguments[] = {name.data(), nullptr};
    pid_t pid = -1;
    const int failed = ::posix_spawn(&pid, program.c_str(), &actions, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (failed != 0) {
        ::close(ends[0]);
        return std::nullopt;
    }
    ::fcntl(ends[0], F_SETFL, O_NONBLOCK);
    return Child {pid, ends[0], program};
}

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

bool awaitReady(const Child &child)
{
    QElapsedTimer clock;
    clock.start();
    char ready = 0;
    return await(child.socket, POLLIN, clock, StartupLimitMs) && ::read(child.socket, &ready, 1) == 1
        && ready == SvgWire::Ready;
}

bool send(const Child &child, const QByteArray &bytes, const QElapsedTimer &clock, qint64 limitMs)
{
    for (qsizetype sent = 0; sent < bytes.size();) {
        const ssize_t n
            = ::send(child.socket, bytes.constData() + sent, std::size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n > 0)
            sent += n;
        else if (n < 0 && errno != EINTR && (errno != EAGAIN || !await(child.socket, POLLOUT, clock, limitMs)))
            return false;
    }
    return true;
}

// Everything the child writes until it ends; nothing when it is late or writes too much.
std::optional<QByteArray> receive(const Child &child, qint64 maxBytes, const QElapsedTimer &clock, qint64 limitMs)
{
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(child.socket, buffer, sizeof buffer);
        if (n == 0)
            return bytes;
        if (n > 0 && bytes.size() + n > maxBytes)
            return std::nullopt;
        if (n > 0)
            bytes.append(buffer, n);
        else if (errno != EINTR && (errno != EAGAIN || !await(child.socket, POLLIN, clock, limitMs)))
            return std::nullopt;
    }
}

// The process started ahead of need.
class Spare
{
public:
    ~Spare() { stop(); }

    // The process started ahead (or one started now), while the next one starts.
    std::optional<Child> take(const std::string &program)
    {
        const std::lock_guard<std::mutex> locked(m_lock);
        std::optional<Child> child = std::exchange(m_child, std::nullopt);
        if (child && child->program != program)
            end(*child, true), child.reset();
        if (!child)
            child = spawn(program);
        m_child = spawn(program);
        return child;
    }

    void prepare(const std::string &program)
    {
        const std::lock_guard<std::mutex> locked(m_lock);
        if (m_child && m_child->program != program)
            end(*m_child, true), m_child.reset();
        if (!m_child)
            m_child = spawn(program);
    }

    void stop()
    {
        const std::lock_guard<std::mutex> locked(m_lock);
        if (m_child)
            end(*m_child, true);
        m_child.reset();
    }

private:
    std::mutex m_lock;
    std::optional<Child> m_child;
};

Spare &spare()
{
    static Spare processes;
    return processes;
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
    char self[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self);
    if (length <= 0 || length >= ssize_t(sizeof self))
        return {};
    const std::string executable(self, std::size_t(length));
    return decodePath(executable.substr(0, executable.rfind('/') + 1) + ZINDLE_DRAWING_PROGRAM);
}

std::optional<Drawn> drawInOwnProcess(const QByteArray &document, QSize box, int limitMs)
{
    const QString program = drawingProgram();
    const std::string path = runnable(program);
    if (path.empty())
        throw missing(program);
    for (int attempt = 0; attempt < 2; ++attempt) { // one that died before it was ready is replaced once
        std::optional<Child> child = spare().take(path);
        if (!child)
            throw missing(program);
        if (!awaitReady(*child)) {
            end(*child, true);
            continue;
        }
        QElapsedTimer clock;
        clock.start();
        std::optional<QByteArray> reply;
        if (send(*child, SvgWire::request(document, box), clock, limitMs))
            reply = receive(*child, SvgWire::maxReplyBytes(box), clock, limitMs);
        const bool succeeded = end(*child, !reply); // killed when late
        return reply && succeeded ? SvgWire::parseReply(*reply, box) : std::nullopt;
    }
    return std::nullopt;
}

void startDrawingProcess()
{
    const std::string path = runnable(drawingProgram());
    if (!path.empty())
        spare().prepare(path);
}

void stopDrawingProcesses()
{
    spare().stop();
}
