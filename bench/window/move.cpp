// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A 1 GiB move from a tmpfs to the disk through the window's rename button,
// "Hold" on the disk's folder: how quickly the window answers throughout, when
// the progress dialog appears and how often it changes, and the throughput
// against `cp` of the same file followed by `sync`, in the same run.
#include "benchfiles.h"
#include "parts.h"
#include "probe.h"

#include "controls/controls.h"
#include "controls/lists.h"
#include "files/renamefile.h"
#include "main_window/form1.h"

#include <QCheckBox>
#include <QDialog>
#include <QProgressBar>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr long long Size = 1ll << 30;
constexpr int Rounds = 3;

double cpAndSyncSeconds(const std::string &source, const std::string &copy)
{
    ::sync();
    const double start = monotonicMs();
    const std::string command = "cp '" + source + "' '" + copy + "' && sync '" + copy + "'";
    if (std::system(command.c_str()) != 0)
        std::printf("  cp failed\n");
    const double seconds = (monotonicMs() - start) / 1000;
    ::unlink(copy.c_str());
    ::sync();
    return seconds;
}

// What the window showed while a move ran.
struct Watched {
    double seconds = 0;
    double slowestMs = 0;
    double dialogAfterMs = -1; // when the dialog first showed, from the press
    double longestStillMs = 0; // the longest time the shown dialog kept one value
};

Watched pressAndWatch(Form1 &window, const QString &name)
{
    window.File1->setFileName(name);
    window.File1_Click();
    Watched seen;
    int lastValue = -1;
    double lastChange = 0;
    double start = 0;
    ResponseProbe probe([&] {
        const auto *dialog = window.findChild<QDialog *>(QStringLiteral("moveProgress"));
        const auto *bar = dialog ? dialog->findChild<QProgressBar *>() : nullptr;
        if (!bar || !dialog->isVisible())
            return;
        const double now = monotonicMs();
        if (seen.dialogAfterMs < 0)
            seen.dialogAfterMs = now - start;
        if (bar->value() != lastValue) {
            if (lastValue >= 0)
                seen.longestStillMs = std::max(seen.longestStillMs, now - lastChange);
            lastValue = bar->value();
            lastChange = now;
        }
    });
    probe.start();
    start = monotonicMs();
    window.Command1_Click();
    seen.seconds = (monotonicMs() - start) / 1000;
    seen.slowestMs = probe.stop();
    return seen;
}
}

bool benchMove(const std::string &work)
{
    const std::string memory = work + "/tmpfs", disk = work + "/disk";
    ::mkdir(memory.c_str(), 0755);
    ::mkdir(disk.c_str(), 0755);
    if (::mount("tmpfs", memory.c_str(), "tmpfs", 0, "size=1200M") != 0) {
        std::printf("3. skipped: cannot mount a tmpfs to move from (%s; run as root)\n", std::strerror(errno));
        return false;
    }
    const std::string source = memory + "/big.bin", moved = disk + "/big.bin";
    bool met = false;
    if (writeBigFile(source, Size)) {
        BenchHost host;
        Form1 window(host);
        window.show();
        window.Dir1->setPath(QString::fromStdString(memory));
        window.Check1->setChecked(true);
        window.Text5->assignText(QString::fromStdString(disk + '/'));
        std::vector<double> moveRates, cpRates, slowest, dialogAt, still;
        const double mib = double(Size) / (1 << 20);
        for (int round = 0; round < Rounds; ++round) {
            cpRates.push_back(mib / cpAndSyncSeconds(source, disk + "/cp.bin"));
            ::sync();
            const Watched seen = pressAndWatch(window, QStringLiteral("big.bin"));
            moveRates.push_back(mib / seen.seconds);
            slowest.push_back(seen.slowestMs);
            dialogAt.push_back(seen.dialogAfterMs);
            still.push_back(seen.longestStillMs);
            std::printf("   round %d: cp+sync %.0f MiB/s, the move %.0f MiB/s; dialog after %.0f ms, kept one value "
                        "for at most %.0f ms\n",
                round + 1, cpRates.back(), moveRates.back(), seen.dialogAfterMs, seen.longestStillMs);
            renameFile(QString::fromStdString(moved), QString::fromStdString(source), {}); // back, untimed
            window.File1->Refresh();
        }
        std::printf("3. A 1 GiB move from a tmpfs to the disk, through the window, median of %d rounds\n", Rounds);
        const bool answers = reportBar(
            "slowest answer throughout the move", *std::max_element(slowest.begin(), slowest.end()), 50, 1.0, "ms");
        const bool fast = reportBar("throughput", median(moveRates), median(cpRates), 0.9, "MiB/s", false);
        // Shown half a second after the press, its value changing at least four times a second.
        const double latest = *std::max_element(dialogAt.begin(), dialogAt.end());
        const double stillest = *std::max_element(still.begin(), still.end());
        const bool shown = *std::min_element(dialogAt.begin(), dialogAt.end()) >= 500 && latest <= 650;
        std::printf("  the dialog appeared after %.0f to %.0f ms, its value changed at least every %.0f ms: %s\n",
            *std::min_element(dialogAt.begin(), dialogAt.end()), latest, stillest,
            shown && stillest <= 250 ? "met" : "MISSED");
        met = answers && fast && shown && stillest <= 250;
    } else {
        std::printf("3. skipped: cannot write 1 GiB into the tmpfs\n");
    }
    ::unlink(source.c_str());
    ::umount2(memory.c_str(), MNT_DETACH);
    ::rmdir(memory.c_str());
    ::rmdir(disk.c_str());
    return met;
}
