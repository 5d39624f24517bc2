// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A shown folder of many files that another program changes all the time: the
// lists follow it, a few times a second, and the window's thread stays mostly idle.
#include "parts.h"
#include "probe.h"

#include "controls/lists.h"
#include "files/pathcodec.h"
#include "main_window/form1.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace
{
constexpr double ChurnMs = 6000;

double threadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}
}

bool benchChurn(const QString &folder)
{
    BenchHost host;
    Form1 window(host);
    window.show();
    window.Dir1->setPath(folder);
    QCoreApplication::processEvents();
    int listings = 0;
    QObject::connect(window.File1->model(), &QAbstractItemModel::modelReset, [&] { ++listings; });
    // Another program: a file comes and another goes every millisecond.
    std::atomic<bool> running {true};
    std::thread other([&running, base = encodePath(folder) + "/churn-"] {
        for (long i = 0; running; ++i) {
            const int fd = ::open((base + std::to_string(i)).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
            if (fd >= 0)
                ::close(fd);
            if (i >= 50)
                ::unlink((base + std::to_string(i - 50)).c_str());
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    ResponseProbe probe;
    probe.start();
    const double start = monotonicMs(), cpuStart = threadCpuMs();
    QEventLoop loop;
    QTimer::singleShot(int(ChurnMs), &loop, &QEventLoop::quit);
    loop.exec();
    const double busy = (threadCpuMs() - cpuStart) / (monotonicMs() - start);
    const double slowest = probe.stop();
    running = false;
    other.join();
    std::printf("5. A folder of %d files changed every millisecond by another program, for %.0f s\n", FileCount,
        ChurnMs / 1000);
    std::printf(
        "  (the slowest answer, %.0f ms: the list showing the whole folder anew, read on a worker thread)\n", slowest);
    const bool rare = reportBar("listings a second", listings * 1000 / ChurnMs, 4, 1.0, "/s");
    return reportBar("the window's thread busy", busy * 100, 25, 1.0, "%") && rare;
}
