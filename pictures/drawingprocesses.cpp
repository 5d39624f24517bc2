// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// posix_spawn runs nothing of this process in the child but the exec itself
// (glibc's implementation uses a vfork-like clone): no lock another thread
// holds can stop it, and the new program shares nothing with this one. The
// child's standard input is one end of a socket pair, so that a child that
// died is an error on a send, never a SIGPIPE here; its standard output is a
// pipe large enough for the whole picture, so that it answers in one write,
// which the loader reads in one go.
#include "pictures/drawingprocesses.h"

#include "pictures/svgdrawing.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sched.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

extern char **environ; // NOLINT: POSIX declares it nowhere else

namespace
{
constexpr int ReplyPipeBytes = 1 << 20; // what an unprivileged process may ask for; the preview box's pixels fit

// Kills and reaps a child; one that has ended by itself is only reaped. As
// it is not reaped before, its process id cannot have been given to another.
void killAndReap(pid_t pid)
{
    ::kill(pid, SIGKILL);
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) { }
}

// Has a process woken on the core this thread runs on, which is awake: on a
// virtual machine an idle core can take milliseconds to wake, and this thread
// soon waits for the process's answer, leaving the core to it. Awake, the
// process takes back the cores it had.
void wokenHere(pid_t pid)
{
    cpu_set_t core;
    const int here = ::sched_getcpu();
    if (here < 0)
        return;
    CPU_ZERO(&core);
    CPU_SET(here, &core);
    ::sched_setaffinity(pid, sizeof core, &core);
}

std::optional<DrawingChild> spawn(const std::string &program)
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
    return DrawingChild {pid, ends[0], pipe[0], program};
}
}

DrawingProcesses::~DrawingProcesses()
{
    stop();
    std::unique_lock<std::mutex> locked(m_lock);
    m_closing = true;
    locked.unlock();
    m_wake.notify_all();
    if (m_starter.joinable())
        m_starter.join();
}

std::optional<DrawingChild> DrawingProcesses::take(const std::string &program)
{
    std::unique_lock<std::mutex> locked(m_lock);
    m_wake.wait(locked, [this] { return !m_starting && m_wanted.empty(); }); // the one asked for, not another
    reapFinished(true);
    std::optional<DrawingChild> child = std::exchange(m_ready, std::nullopt);
    if (child && child->program != program)
        retire(*child), child.reset();
    return child ? child : spawn(program);
}

void DrawingProcesses::prepare(const std::string &program)
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

void DrawingProcesses::wake()
{
    const std::lock_guard<std::mutex> locked(m_lock);
    if (!m_ready)
        return;
    wokenHere(m_ready->pid);
    (void)::send(m_ready->requests, &SvgWire::Wake, 1, MSG_NOSIGNAL);
}

void DrawingProcesses::finish(DrawingChild &child, bool kill)
{
    if (kill)
        ::kill(child.pid, SIGKILL);
    const std::lock_guard<std::mutex> locked(m_lock);
    retire(child);
}

void DrawingProcesses::keep(DrawingChild &child)
{
    const std::lock_guard<std::mutex> locked(m_lock);
    child.drew = true;
    if (m_ready || m_closing)
        retire(child);
    else
        m_ready = child;
}

void DrawingProcesses::stop()
{
    std::unique_lock<std::mutex> locked(m_lock);
    m_wanted.clear();
    m_wake.wait(locked, [this] { return !m_starting; });
    if (m_ready)
        retire(*m_ready);
    m_ready.reset();
    reapFinished(true);
}

void DrawingProcesses::reap()
{
    const std::lock_guard<std::mutex> locked(m_lock);
    if (m_ready && m_ready->drew)
        retire(*m_ready), m_ready.reset();
    reapFinished(true);
}

void DrawingProcesses::startAhead()
{
    std::unique_lock<std::mutex> locked(m_lock);
    for (;;) {
        m_wake.wait(locked, [this] { return m_closing || !m_wanted.empty(); });
        if (m_closing)
            return;
        const std::string program = std::exchange(m_wanted, std::string());
        m_starting = true;
        locked.unlock();
        std::optional<DrawingChild> child = spawn(program);
        locked.lock();
        m_starting = false;
        if (child && !m_ready)
            m_ready = std::move(child);
        else if (child)
            retire(*child);
        m_wake.notify_all();
    }
}

void DrawingProcesses::retire(DrawingChild &child)
{
    ::close(child.requests);
    ::close(child.replies);
    m_finished.push_back(child.pid);
}

// Reaps the processes that have drawn: all of them, killed first, or only those that have ended.
void DrawingProcesses::reapFinished(bool all)
{
    const auto reaped = [all](pid_t pid) {
        if (all)
            killAndReap(pid);
        return all || ::waitpid(pid, nullptr, WNOHANG) == pid;
    };
    m_finished.erase(std::remove_if(m_finished.begin(), m_finished.end(), reaped), m_finished.end());
}

DrawingProcesses &drawingProcesses()
{
    static DrawingProcesses all;
    return all;
}
