// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Previewing a 6000 x 4000 JPEG, next to the floor: libjpeg-turbo's own decoder
// at 1/8 scale (djpeg), run as a separate process in the same run.
#include "benchfiles.h"
#include "controls/imagebox.h"
#include "pictures/pictureloader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImageReader>
#include <QPixmap>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace
{
constexpr int Runs = 7;
const QSize PreviewBox(482, 320); // the preview box at 100 % scale

// The median of `Runs` timings of `work`, in milliseconds.
double medianMs(const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/photo.jpg");
    if (!dir.isValid() || !photoLike(6000, 4000).save(path, "jpeg", 90)) {
        std::fprintf(stderr, "cannot write the test picture\n");
        return 1;
    }
    ImageBox box;
    box.setWidth(7233);
    box.setHeight(4800);

    const double preview = medianMs([&] { box.setPicture(loadPictureFile(path, PreviewBox)); });
    const double painted = medianMs([&] {
        box.setPicture(loadPictureFile(path, PreviewBox));
        (void)box.grab();
    });
    const double floor = medianMs([&] { runDjpeg(path); });
    const double full = medianMs([&] {
        QImageReader reader(path, "jpeg");
        (void)reader.read();
    });

    std::printf("6000 x 4000 JPEG (quality 90), median of %d runs\n", Runs);
    std::printf("  preview (load for a 482 x 320 box + setPicture): %8.1f ms\n", preview);
    std::printf("  preview and first paint:                        %8.1f ms\n", painted);
    std::printf("  floor: djpeg -scale 1/8 (own process):           %8.1f ms\n", floor);
    std::printf("  ratio preview / floor:                           %8.2f (target <= 1.30)\n", preview / floor);
    std::printf("  full-size decode (QImageReader), for scale:      %8.1f ms\n", full);
    return 0;
}
