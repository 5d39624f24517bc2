// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing program: draws one cleaned SVG document for the picture loader,
// which starts it ahead of need. It keeps nothing but its standard input
// (the request), output (the pixels) and error, limits its own resources
// before it parses anything, loads what drawing needs, says it is ready, and
// then draws the one document it is sent. The loader kills it at its deadline.
#include "pictures/svgdrawing.h"

#include <QGuiApplication>

#include <sys/resource.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define ZINDLE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZINDLE_ADDRESS_SANITIZER 1
#endif
#endif

namespace
{
constexpr rlim_t Mega = rlim_t(1) << 20;
constexpr rlim_t DataBytes
    = 384 * Mega; // heap and private mappings: a far larger drawing than the cleaner lets through
constexpr rlim_t CpuSeconds = 3; // the loader's deadline comes first; this holds if the loader is gone
constexpr rlim_t OpenFiles = 256; // fonts and plugins

void limit(int resource, rlim_t value)
{
    const rlimit limits {value, value};
    ::setrlimit(resource, &limits);
}

void limitResources()
{
#ifndef ZINDLE_ADDRESS_SANITIZER
    limit(RLIMIT_DATA, DataBytes);
#endif
    // No memory limit under AddressSanitizer: its shadow memory alone is a
    // reservation of terabytes, which any data or address-space limit refuses.
    // The loader's deadline still holds.
    limit(RLIMIT_CPU, CpuSeconds);
    limit(RLIMIT_NOFILE, OpenFiles);
    limit(RLIMIT_CORE, 0);
}

// Loads the SVG decoder, the fonts and the raster engine before the request comes.
void warmUp()
{
    (void)drawSvg("<svg xmlns='http://www.w3.org/2000/svg' width='8' height='8'>"
                  "<rect width='8' height='4' fill='red'/><text y='8' font-size='4'>Zz</text></svg>",
        QSize(8, 8));
}
}

int main(int argc, char *argv[])
{
    ::close_range(STDERR_FILENO + 1, ~0U, 0); // whatever the starter left open
    limitResources();
    qputenv("QT_QPA_PLATFORM", "offscreen"); // draws into memory only: no display connection
    QGuiApplication app(argc, argv);
    warmUp();
    const char ready = SvgWire::Ready;
    if (::write(STDOUT_FILENO, &ready, 1) != 1)
        return 1;
    const std::optional<SvgWire::Request> request = SvgWire::readRequest(STDIN_FILENO);
    const std::optional<Drawn> drawn = request ? drawSvg(request->document, request->box) : std::nullopt;
    // Ends at once: nothing is left to tidy that the system does not reclaim.
    ::_exit(drawn && SvgWire::writeReply(STDOUT_FILENO, *drawn) ? 0 : 1);
}
