// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// posix_spawn runs nothing of this process in the child but the exec itself
// (glibc's implementation uses a vfork-like clone): no lock another thread
// holds can stop it, and the new program shares nothing with this one. The
// child's standard input is one end of a socket pair, so that a child that
// died is an error on a send, never a SIGPIPE here; its standard output is a
// pipe large enough for the whole picture, so that it writes once and ends,
// and this side wakes once to read it.
#include "pictures/drawingprocess.h"

#include "base/hosterror.h"
#include "files/pathcodec.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

extern char **environ; // NOLINT: POSIX declares it nowhere else

namespace
{
constexpr int StartupLimitMs = 10000; // a fresh process loading its libraries on a busy machine
constexpr int ReplyPipeBytes = 1 << 20; // what an unprivileged process may ask for; the preview box's pixels fit

struct Child {
    pid_t pid = -1;
    int requests = -1; // the child's standard input
    int replies = -1; // its standard output
    std::string program;
};

// Kills and reaps a child; one that has ended by itself is only reaped. As
// it is not reaped before, its process id cannot have been given to another.
void reap(pid_t pid)
{
    ::kill(pid, SIGKILL);
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) { }
}

std::optional<Child> spawn(const std::string &program)
{
    int ends[2], pipe[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return std::nullopt;
    if (::pipe2(pipe, O_CLOEXEC) != 0) {
        ::close(ends[0]), ::close(ends[1]);
        return std::nullopt;
    }
    ::fcntl(pipe[0], F_SETPIPE_SZ, ReplyPipeBytes);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
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
    ::close(pipe[1]);
    if (failed != 0) {
        ::close(ends[0]), ::close(pipe[0]);
        return std::nullopt;
    }
    ::fcntl(ends[0], F_SETFL, O_NONBLOCK);
    ::fcntl(pipe[0], F_SETFL, O_NONBLOCK);
    return Child {pid, ends[0], pipe[0], program};
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
    return await(child.replies, POLLIN, clock, StartupLimitMs) && ::read(child.replies, &ready, 1) == 1
        && ready == SvgWire::Ready;
}

bool send(const Child &child, const QByteArray &bytes, const QElapsedTimer &clock, qint64 limitMs)
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

// Reads `size` bytes from the child; false when it ends first or is late.
bool receive(const Child &child, void *data, std::size_t size, const QElapsedTimer &clock, qint64 limitMs)
{
    auto *at = static_cast<char *>(data);
    while (size > 0) {
        const ssize_t n = ::read(child.replies, at, size);
        if (n > 0)
            at += n, size -= std::size_t(n);
        else if (n == 0 || (errno != EINTR && (errno != EAGAIN || !await(child.replies, POLLIN, clock, limitMs))))
            return false;
    }
    return true;
}

// The picture the child draws, read straight into its image.
std::optional<Drawn> receivePicture(const Child &child, QSize box, const QElapsedTimer &clock, qint64 limitMs)
{
    SvgWire::ReplyHeader header;
    if (!receive(child, &header, sizeof header, clock, limitMs))
        return std::nullopt;
    std::optional<Drawn> drawn = SvgWire::announcedPicture(header, box);
    if (!drawn || !receive(child, drawn->image.bits(), std::size_t(drawn->image.sizeInBytes()), clock, limitMs))
        return std::nullopt;
    return drawn;
}

// The drawing processes: the one started ahead of need, on a thread of its
// own so that no preview waits for a process to start, and those that have
// drawn. One that has drawn closes its output and ends by itself; it is
// reaped once it has ended, or before the next picture is drawn, so that no
// preview waits while the system takes a process down either.
class DrawingProcesses
{
public:
    ~DrawingProcesses()
    {
        stop();
        std::unique_lock<std::mutex> locked(m_lock);
        m_closing = true;
        locked.unlock();
        m_wake.notify_all();
        if (m_starter.joinable())
            m_starter.join();
    }

    // The process started ahead (waiting for a start under way), or one started now.
    std::optional<Child> take(const std::string &program)
    {
        std::unique_lock<std::mutex> locked(m_lock);
        m_wake.wait(locked, [this] { return !m_starting; });
        reapFinished(true);
        std::optional<Child> child = std::exchange(m_ready, std::nullopt);
        if (child && child->program != program)
            retire(*child), child.reset();
        return child ? child : spawn(program);
    }

    // Has one started ahead, unless one is ready; reaps those that have ended.
    void prepare(const std::string &program)
    {
        const std::lock_guard<std::mutex> locked(m_lock);
        reapFinished(false);
        if (m_ready && m_ready->program != program)
            retire(*m_ready), m_ready.reset();
        if (m_ready || m_starting || m_closing)
            return;
        m_wanted = program;
        if (!m_starter.joinable())
            m_starter = std::thread([this] { startAhead(); });
        m_wake.notify_all();
    }

    // Done with a process that has drawn or failed, or that is killed now because it is late.
    void finish(Child &child, bool kill)
    {
        if (kill)
            ::kill(child.pid, SIGKILL);
        const std::lock_guard<std::mutex> locked(m_lock);
        retire(child);
    }

    // Ends them all, once no start is under way.
    void stop()
    {
        std::unique_lock<std::mutex> locked(m_lock);
        m_wanted.clear();
        m_wake.wait(locked, [this] { return !m_starting; });
        if (m_ready)
            retire(*m_ready);
        m_ready.reset();
        reapFinished(true);
    }

private:
    void startAhead()
    {
        std::unique_lock<std::mutex> locked(m_lock);
        for (;;) {
            m_wake.wait(locked, [this] { return m_closing || !m_wanted.empty(); });
            if (m_closing)
                return;
            const std::string program = std::exchange(m_wanted, std::string());
            m_starting = true;
            locked.unlock();
            std::optional<Child> child = spawn(program);
            locked.lock();
            m_starting = false;
            if (child && !m_ready)
                m_ready = std::move(child);
            else if (child)
                retire(*child);
            m_wake.notify_all();
        }
    }

    void retire(Child &child)
    {
        ::close(child.requests);
        ::close(child.replies);
        m_finished.push_back(child.pid);
    }

    // Reaps the processes that have drawn: all of them, killed first, or only those that have ended.
    void reapFinished(bool all)
    {
        const auto reaped = [all](pid_t pid) {
            if (all)
                reap(pid);
            return all || ::waitpid(pid, nullptr, WNOHANG) == pid;
        };
        m_finished.erase(std::remove_if(m_finished.begin(), m_finished.end(), reaped), m_finished.end());
    }

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::thread m_starter;
    std::string m_wanted; // the program to start ahead, when one is wanted
    bool m_starting = false;
    bool m_closing = false;
    std::optional<Child> m_ready;
    std::vector<pid_t> m_finished;
};

DrawingProcesses &processes()
{
    static DrawingProcesses all;
    return all;
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
    std::optional<Drawn> drawn;
    for (int attempt = 0; attempt < 2; ++attempt) { // one that died before it was ready is replaced once
        std::optional<Child> child = processes().take(path);
        if (!child)
            throw missing(program);
        const bool ready = awaitReady(*child);
        QElapsedTimer clock;
        clock.start();
        if (ready && send(*child, SvgWire::request(document, box), clock, limitMs))
            drawn = receivePicture(*child, box, clock, limitMs);
        processes().finish(*child, !drawn); // killed when late
        if (ready)
            break;
    }
    processes().prepare(path); // a fresh one for the next picture
    return drawn;
}

void startDrawingProcess()
{
    const std::string path = runnable(drawingProgram());
    if (!path.empty())
        processes().prepare(path);
}

void stopDrawingProcesses()
{
    processes().stop();
}
