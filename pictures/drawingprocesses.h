// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing processes the picture loader keeps: started with posix_spawn,
// ahead of need, kept while they draw well, and reaped once they are done.
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

struct DrawingChild {
    pid_t pid = -1;
    int requests = -1; // the child's standard input
    int replies = -1; // its standard output
    std::string program;
    bool drew = false; // it has drawn a picture, and so has said that it is ready
};

// The one started ahead of need, on a thread of its own so that no preview
// waits for a process to start, and those that have drawn. One that has drawn
// closes its output and ends by itself; it is reaped once it has ended, or
// before the next picture is drawn, so that no preview waits while the
// system takes a process down either.
class DrawingProcesses
{
public:
    ~DrawingProcesses();

    // The process started ahead (waiting for a start under way), or one started now.
    [[nodiscard]] std::optional<DrawingChild> take(const std::string &program);
    // Has one started ahead, unless one is ready; reaps those that have ended.
    void prepare(const std::string &program);
    // Wakes the process started ahead, if there is one, so that it is quick to take a request.
    void wake();
    // Done with a process that has drawn or failed, or that is killed now because it is late.
    void finish(DrawingChild &child, bool kill);
    // Keeps a process that has drawn for the next picture, unless another is ready.
    void keep(DrawingChild &child);
    // Ends them all, once no start is under way.
    void stop();
    // Ends those that have drawn, the one kept for the next picture too, and waits for them.
    void reap();

private:
    void startAhead();
    void retire(DrawingChild &child);
    void reapFinished(bool all);

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::thread m_starter;
    std::string m_wanted; // the program to start ahead, when one is wanted
    bool m_starting = false;
    bool m_closing = false;
    std::optional<DrawingChild> m_ready;
    std::vector<pid_t> m_finished;
};

// The drawing processes of this process.
[[nodiscard]] DrawingProcesses &drawingProcesses();
