// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing program: draws cleaned SVG documents for the picture loader,
// which starts it ahead of need. It keeps nothing but its standard input
// (the requests), output (the pixels) and error, limits its own resources
// before it parses anything, loads what drawing needs, says it is ready, and
// then draws each document it is sent, until its input ends. The loader kills
// it at its deadline; it ends by itself once drawing has left it large.
#include "pictures/svgdrawing.h"

#include <QGuiApplication>

#include <malloc.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define ZINDLE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZINDLE_ADDRESS_SANITIZER 1
#endif
#endif

#ifdef ZINDLE_ADDRESS_SANITIZER
extern "C" std::size_t __sanitizer_get_heap_size(); // NOLINT: declared by no header the compiler ships
#endif

namespace
{
constexpr rlim_t CpuSeconds = 3; // the loader's deadline comes first; this holds if the loader is gone
constexpr rlim_t OpenFiles = 256; // fonts and plugins
constexpr int MaxMappedBytes = 32 << 20; // blocks larger than this are mapped on their own
constexpr int MaxKeptBytes = 128 << 20; // freed memory kept up to this much
constexpr std::size_t MaxGrownBytes = 16 << 20; // what drawing may leave it holding beyond what warming up did

void limit(int resource, rlim_t value)
{
    const rlimit limits {value, value};
    ::setrlimit(resource, &limits);
}

// Allows what comes next its own CPU seconds, counted from what the process has used so far.
void limitCpu()
{
    rusage used {};
    rlimit limits {};
    if (::getrusage(RUSAGE_SELF, &used) != 0 || ::getrlimit(RLIMIT_CPU, &limits) != 0)
        return;
    const rlim_t spent = rlim_t(used.ru_utime.tv_sec + used.ru_stime.tv_sec) + 1;
    limits.rlim_cur = std::min(limits.rlim_max, spent + CpuSeconds);
    ::setrlimit(RLIMIT_CPU, &limits);
}

void limitResources()
{
    // Heap and private mappings: room for a far larger drawing than the cleaner lets through. No
    // memory limit under AddressSanitizer: its shadow memory alone is a reservation of terabytes,
    // which any data or address-space limit refuses; the loader's deadline still holds.
#ifndef ZINDLE_ADDRESS_SANITIZER
    limit(RLIMIT_DATA, rlim_t(384) << 20);
#endif
    limitCpu();
    limit(RLIMIT_NOFILE, OpenFiles);
    limit(RLIMIT_CORE, 0);
}

// The bytes the heap holds, in use or kept for reuse.
std::size_t heapBytes()
{
#ifdef ZINDLE_ADDRESS_SANITIZER
    return __sanitizer_get_heap_size(); // its allocator, which malloc's own statistics do not see
#else
    const struct mallinfo2 heap = ::mallinfo2();
    return heap.arena + heap.hblkhd;
#endif
}

// Loads the SVG decoder, the fonts and the raster engine, and runs through
// what most drawings do (gradients, curves, text of several sizes, at the
// size of the preview), before the request comes: drawing is then as quick as
// in a process that has drawn before.
void warmUp()
{
    (void)drawSvg(
        "<svg xmlns='http://www.w3.org/2000/svg' width='400' height='300'><defs>"
        "<linearGradient id='l'><stop offset='0' stop-color='red'/><stop offset='1' stop-color='blue'/>"
        "</linearGradient><linearGradient id='r' x2='0' y2='1'><stop offset='0' stop-color='white'/>"
        "<stop offset='1' stop-color='green' stop-opacity='0.5'/></linearGradient></defs>"
        "<rect width='400' height='300' fill='url(#l)'/><circle cx='200' cy='150' r='90' fill='url(#r)'/>"
        "<path d='M10 290 C100 10 300 10 390 290 Z' stroke='black' stroke-width='3' fill='none' opacity='0.7'/>"
        "<text x='20' y='60' font-size='48' font-weight='bold'>Zindle</text>"
        "<text x='20' y='120' font-size='24' font-style='italic'>Zindle 0123456789</text>"
        "<text x='20' y='160' font-size='12'>abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ</text></svg>",
        QSize(482, 320));
}
}

int main(int argc, char *argv[])
{
    ::close_range(STDERR_FILENO + 1, ~0U, 0); // whatever the starter left open
    limitResources();
    qputenv("QT_QPA_PLATFORM", "offscreen"); // draws into memory only: no display connection
    // What warming up allocates stays this process's to reuse: large blocks from the heap, never
    // handed back, so that drawing touches no page the kernel must first find and clear.
    ::mallopt(M_MMAP_THRESHOLD, MaxMappedBytes);
    ::mallopt(M_TRIM_THRESHOLD, MaxKeptBytes);
    QGuiApplication app(argc, argv);
    warmUp();
    const std::size_t warm = heapBytes();
    // The loader has this process woken on its own core; awake, it may run anywhere again.
    cpu_set_t cores;
    const bool placed = ::sched_getaffinity(0, sizeof cores, &cores) == 0;
    const auto woken = [&] {
        if (placed)
            ::sched_setaffinity(0, sizeof cores, &cores);
    };
    const char ready = SvgWire::Ready;
    if (::write(STDOUT_FILENO, &ready, 1) != 1)
        return 1;
    // The pixels of the last answer, handed to the pipe by reference, stay as they are until the
    // loader has read them, which it has once it sends the next request.
    std::optional<Drawn> answered;
    for (;;) {
        const std::optional<SvgWire::Request> request = SvgWire::readRequest(STDIN_FILENO, woken);
        if (!request)
            ::_exit(0);
        limitCpu();
        std::optional<Drawn> drawn = drawSvg(request->document, request->box);
        if (!drawn)
            ::_exit(1);
        const bool ending = heapBytes() > warm + MaxGrownBytes;
        if (!SvgWire::writeReply(STDOUT_FILENO, *drawn, ending))
            ::_exit(1);
        if (ending) {
            ::close(STDOUT_FILENO); // the end of the answer, before the process is taken down
            // Nothing is left to tidy that the system does not reclaim, and the pixels the pipe
            // still holds by reference are never freed, which could write over their first bytes.
            ::_exit(0);
        }
        answered = std::move(drawn);
    }
}
