// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Stepping through a folder of 50 camera-size JPEGs with Alt+Down, each picture
// looked at for 300 ms: how soon each next picture shows, against the time its
// own preview-size decode takes in the same run, and the peak memory against
// the start-up peak, with and without reading ahead. Each runs in a fresh
// process of its own, so that neither the writing of the pictures nor another
// part counts in its memory.
#include "benchfiles.h"
#include "paints.h"
#include "parts.h"
#include "probe.h"

#include "controls/imagebox.h"
#include "controls/lists.h"
#include "controls/twips.h"
#include "main_window/form1.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{
constexpr int Pictures = 50;
constexpr double StepMs = 300;

QString pictureName(int n)
{
    return QStringLiteral("DSC_%1.jpg").arg(n, 4, 10, QLatin1Char('0'));
}

// The peak resident memory of this process image (VmHWM): unlike getrusage's, it does not
// count what the process held between fork and exec, a copy of the benchmark's own memory.
double peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').constFirst().toDouble();
    }
    return 0;
}

// Runs the window's events until `done` or `ms` have passed, asking every millisecond;
// waiting, not spinning, so that the decoding thread has the processor to itself.
void waitUntil(const std::function<bool()> &done, double ms = 60000)
{
    const double until = monotonicMs() + ms;
    QTimer ask;
    ask.setTimerType(Qt::PreciseTimer);
    ask.start(1);
    while (!done() && monotonicMs() < until)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// The child's figures, one number a line.
std::vector<double> runChild(const QString &self, const QString &mode, const QString &folder)
{
    QProcess child;
    child.start(self, {mode, folder});
    if (!child.waitForFinished(600000) || child.exitCode() != 0)
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(mode), child.readAllStandardError().constData());
    std::vector<double> figures;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        if (!line.trimmed().isEmpty())
            figures.push_back(line.toDouble());
    }
    return figures;
}
}

int runDecodeTimesChild(const QString &folder)
{
    // The box the window decodes for, at one device pixel a logical pixel, as the stepping child shows it.
    const QSize box(int(std::ceil(twipsToPixels(7233))), int(std::ceil(twipsToPixels(4800))));
    BenchHost host;
    const Picture warm = host.loadPicture(folder + u'/' + pictureName(0), box); // the first use costs extra
    Q_UNUSED(warm)
    for (int n = 0; n < Pictures; ++n) {
        const double start = monotonicMs();
        const Picture picture = host.loadPicture(folder + u'/' + pictureName(n), box);
        std::printf("%.3f\n", monotonicMs() - start);
    }
    return 0;
}

int runStepChild(const QString &folder, bool readAhead)
{
    BenchHost host;
    Form1 window(host);
    window.setReadAhead(readAhead);
    window.show();
    window.Dir1->setPath(folder);
    Paints paints(window.Image1);
    window.File1->setFileName(pictureName(0));
    window.File1_Click();
    waitUntil([&] { return !window.previewPending() && paints.showsItsPicture(); });
    // Start-up: the window on the folder, the first picture shown and its neighbour read ahead.
    const double startPeak = peakKiB();
    const double pictureKiB = double(window.Image1->picture().image.sizeInBytes()) / 1024;
    for (int n = 1; n < Pictures; ++n) {
        const qint64 before = window.Image1->picture().image.cacheKey();
        const double start = monotonicMs();
        window.nextFile->trigger(); // what Alt+Down in the name box does
        waitUntil([&] { return window.Image1->picture().image.cacheKey() != before && paints.showsItsPicture(); });
        std::printf("%.3f\n", monotonicMs() - start);
        waitUntil([] { return false; }, StepMs); // looked at, then the next
    }
    std::printf("%.0f\n%.0f\n%.0f\n", startPeak, peakKiB(), pictureKiB);
    return window.File1->FileName() == pictureName(Pictures - 1) ? 0 : 1;
}

bool benchStep(const QString &work, const QString &self)
{
    const QString folder = work + QStringLiteral("/camera");
    std::printf("6. Stepping through %d camera pictures: writing 6000 x 4000 JPEGs ...\n", Pictures);
    const QImage photo = photoLike(6000, 4000);
    QDir().mkdir(folder);
    for (int n = 0; n < Pictures; ++n) {
        QImage varied = photo;
        QPainter(&varied).fillRect(n * 100, n * 60, 900, 700, QColor::fromHsv(n * 7, 200, 200));
        if (!varied.save(folder + u'/' + pictureName(n), "jpeg", 90))
            return false;
    }
    const std::vector<double> decode = runChild(self, QStringLiteral("--decode-times"), folder);
    const std::vector<double> step = runChild(self, QStringLiteral("--step"), folder);
    const std::vector<double> plain = runChild(self, QStringLiteral("--step-without-reading-ahead"), folder);
    const std::size_t figures = Pictures - 1 + 3;
    if (decode.size() != std::size_t(Pictures) || step.size() != figures || plain.size() != figures) {
        std::printf("   the children did not report every figure\n");
        return false;
    }
    std::vector<double> ratios, shown;
    for (int n = 1; n < Pictures; ++n) {
        shown.push_back(step[std::size_t(n - 1)]);
        ratios.push_back(step[std::size_t(n - 1)] / decode[std::size_t(n)]);
    }
    const double startPeak = step[Pictures - 1], peak = step[Pictures], picture = step[Pictures + 1];
    const double plainGrowth = plain[Pictures] - plain[Pictures - 1];
    std::printf("6. Alt+Down through %d pictures, each looked at for %.0f ms, against its own preview-size decode\n",
        Pictures, StepMs);
    const double worstRatio = *std::max_element(ratios.begin(), ratios.end());
    const bool typical = reportBar("next picture shown, median", median(shown), median(decode), 0.25, "ms");
    const auto over = std::count_if(ratios.begin(), ratios.end(), [](double ratio) { return ratio > 0.25; });
    std::printf("  %-40s %8.2f x its decode, median %.2f x, %d of %d over (at most 0.25): %s\n", "worst step",
        worstRatio, median(ratios), int(over), int(ratios.size()), worstRatio <= 0.25 ? "met" : "MISSED");
    std::printf("  %-40s %8.1f MiB, without reading ahead %.1f MiB\n", "peak memory over the start-up peak",
        (peak - startPeak) / 1024, plainGrowth / 1024);
    // Stepping alone grows the peak in its first steps, reading ahead or not (caches filling):
    // what reading ahead adds is the difference.
    const bool small = reportBar(
        "of which reading ahead", std::max(0.0, peak - startPeak - plainGrowth) / 1024, 2 * picture / 1024, 1.0, "MiB");
    std::printf("  (start-up peak %.1f MiB, peak %.1f MiB; floor: two preview-size pictures of %.2f MiB)\n",
        startPeak / 1024, peak / 1024, picture / 1024);
    const bool worst = worstRatio <= 0.25;
    return typical && worst && small;
}
