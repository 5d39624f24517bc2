// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Stepping through a folder of 50 camera-size JPEGs with Alt+Down, a step every
// 300 ms: how soon each next picture shows, against the time its own
// preview-size decode takes in the same run, and the peak memory against the
// start-up peak. Each side runs in a fresh process of its own, so that neither
// the writing of the pictures nor the other side counts in its memory.
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
#include <QPainter>
#include <QProcess>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <sys/resource.h>

namespace
{
constexpr int Pictures = 50;
constexpr double StepMs = 300;

QString pictureName(int n)
{
    return QStringLiteral("DSC_%1.jpg").arg(n, 4, 10, QLatin1Char('0'));
}

double peakKiB()
{
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss);
}

// Runs until `done` or `ms` have passed.
void waitUntil(const std::function<bool()> &done, double ms = 60000)
{
    const double until = monotonicMs() + ms;
    while (!done() && monotonicMs() < until)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
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

int runStepChild(const QString &folder)
{
    BenchHost host;
    Form1 window(host);
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
        waitUntil([] { return false; }, start + StepMs - monotonicMs());
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
    if (decode.size() != std::size_t(Pictures) || step.size() != std::size_t(Pictures - 1 + 3)) {
        std::printf("   the children did not report every figure\n");
        return false;
    }
    std::vector<double> ratios, shown;
    for (int n = 1; n < Pictures; ++n) {
        shown.push_back(step[std::size_t(n - 1)]);
        ratios.push_back(step[std::size_t(n - 1)] / decode[std::size_t(n)]);
    }
    const double startPeak = step[Pictures - 1], peak = step[Pictures], picture = step[Pictures + 1];
    std::printf(
        "6. Alt+Down every %.0f ms through %d pictures, each against its own preview-size decode\n", StepMs, Pictures);
    const bool typical = reportBar("next picture shown, median", median(shown), median(decode), 0.25, "ms");
    std::printf("  %-40s %8.2f x its decode (worst %s, at most 0.25): %s\n", "worst step",
        *std::max_element(ratios.begin(), ratios.end()),
        pictureName(int(std::max_element(ratios.begin(), ratios.end()) - ratios.begin()) + 1).toLatin1().constData(),
        *std::max_element(ratios.begin(), ratios.end()) <= 0.25 ? "met" : "MISSED");
    std::printf("  %-40s %8.2f x its decode\n", "median step", median(ratios));
    const bool worst = *std::max_element(ratios.begin(), ratios.end()) <= 0.25;
    const bool small
        = reportBar("peak memory over the start-up peak", (peak - startPeak) / 1024, 2 * picture / 1024, 1.0, "MiB");
    std::printf("  (start-up peak %.1f MiB, peak %.1f MiB, a preview-size picture %.2f MiB)\n", startPeak / 1024,
        peak / 1024, picture / 1024);
    return typical && worst && small;
}
