// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of the window benchmark, one per bar, each measured against its floor in the same run.
#pragma once

#include "host/linuxhost.h"

#include <QString>

#include <string>
#include <vector>

// The host of the program, except that a message box is printed, not shown: a benchmark must not wait for a
// user; and the recent destinations are kept for the run only, not in the user's settings.
class BenchHost : public LinuxHost
{
public:
    void messageBox(const QString &text, int style, const QString &title = {}) override;
    [[nodiscard]] QStringList recentDestinations() override;
    void keepRecentDestinations(const QStringList &folders) override;

private:
    QStringList m_recent;
};

constexpr int FileCount = 100'000;

// Creates `count` empty files named as cameras name them; false on failure.
bool createFiles(const QString &folder, int count);
[[nodiscard]] double median(std::vector<double> values);
// Prints one bar: `value` against `floor` as a ratio, with the limit it must keep
// (at most, or at least); whether it does.
bool reportBar(const char *what, double value, double floor, double limit, const char *unit, bool atMost = true);

// Start-up to the painted window with FileCount files, and its peak memory,
// each against a minimal window of the same controls with one listing. Runs
// `self` (this benchmark) as the child processes.
bool benchStartup(const QString &folder, const QString &self);
// The child: shows the program's window ("program") or the floor's ("floor")
// on `folder`, then prints when it was painted and its peak memory.
int runStartupChild(const QString &which, const QString &folder);

// Answers while pictures decode, and click-to-shown against djpeg -scale 1/8.
bool benchDecode(const QString &work);

// Answers throughout a 1 GiB move from a tmpfs to the disk in `work`, and its
// throughput against cp + sync of the same file.
bool benchMove(const std::string &work);

// Press to new name listed, in a folder of FileCount files, against one listing of it.
bool benchPatch(const QString &folder);

// The shown folder of FileCount files, changed all the time by another thread: how often
// it is listed, and how much of the time the window's thread is busy, against limits.
bool benchChurn(const QString &folder);

// Alt+Down through 50 camera-size JPEGs, a step every 300 ms: each next picture shown
// against its own preview-size decode, and the peak memory against the start-up peak.
// Runs `self` (this benchmark) as the child processes.
bool benchStep(const QString &work, const QString &self);
// The children: the preview-size decode time of each picture of `folder`, and the stepping window.
int runDecodeTimesChild(const QString &folder);
int runStepChild(const QString &folder, bool readAhead);
