// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures in the window: how quickly it answers while they decode, and how
// long a click takes to show a 6000 x 4000 JPEG, next to libjpeg-turbo's own
// decoder at 1/8 scale (djpeg, its own process) in the same run.
#include "benchfiles.h"
#include "paints.h"
#include "parts.h"
#include "probe.h"

#include "controls/imagebox.h"
#include "controls/lists.h"
#include "main_window/form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace
{
constexpr int Runs = 7;

double djpegMs(const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    runDjpeg(path);
    return double(timer.nsecsElapsed()) / 1e6;
}

// Clicks each of `names` at once, then waits until the last one's picture has been painted; milliseconds.
double clickAndShow(Form1 &window, const Paints &paints, const QStringList &names)
{
    const qint64 before = window.Image1->picture().image.cacheKey();
    QElapsedTimer timer;
    timer.start();
    for (const QString &name : names) {
        window.File1->setFileName(name);
        window.File1_Click();
    }
    while (window.previewPending() || !paints.showsItsPicture())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (window.Image1->picture().image.cacheKey() == before)
        std::printf("   %s was not shown\n", qPrintable(names.constLast()));
    return double(timer.nsecsElapsed()) / 1e6;
}
}

bool benchDecode(const QString &work)
{
    const QString jpeg = work + QStringLiteral("/photo.jpg"), tiff = work + QStringLiteral("/scan.tif");
    std::printf("2. Pictures: writing a 6000 x 4000 JPEG and a 48 MB TIFF ...\n");
    // The TIFF is stored uncompressed, 3 bytes a pixel: the largest the preview decodes whole
    // (a larger one is refused before any decoding, at once).
    if (!photoLike(6000, 4000).save(jpeg, "jpeg", 90) || !photoLike(4000, 4000).save(tiff, "tiff")) {
        std::printf("   cannot write the pictures (is qt6-image-formats-plugins installed?)\n");
        return false;
    }
    BenchHost host;
    Form1 window(host);
    // Each click decodes its picture: reading ahead (measured by "step") would answer from what it read.
    window.setReadAhead(false);
    window.show();
    window.Dir1->setPath(work);
    Paints paints(window.Image1);
    ResponseProbe probe;
    std::vector<double> shown, floor, slowest;
    for (int run = 0; run < Runs; ++run) {
        floor.push_back(djpegMs(jpeg));
        clickAndShow(window, paints, {QStringLiteral("scan.tif")}); // so that the JPEG is a change
        probe.start();
        shown.push_back(clickAndShow(window, paints, {QStringLiteral("photo.jpg")}));
        clickAndShow(window, paints, {QStringLiteral("scan.tif")});
        clickAndShow(window, paints, {QStringLiteral("photo.jpg"), QStringLiteral("scan.tif")});
        slowest.push_back(probe.stop());
    }
    std::printf("2. Pictures decoding in the window, median of %d runs (the slowest answer: the worst of all)\n", Runs);
    const bool answers = reportBar(
        "slowest answer while pictures decode", *std::max_element(slowest.begin(), slowest.end()), 50, 1.0, "ms");
    const bool quick = reportBar("click to the JPEG shown", median(shown), median(floor), 1.3, "ms");
    return answers && quick;
}
