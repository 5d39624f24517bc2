// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window never freezes: start-up, pictures decoding, a long move and a
// rename in a large folder, each measured against its floor in the same run
// (see window/parts.h). Moving from a tmpfs needs root, to mount one.
//
//   bench_window [work folder on disk, default /var/tmp] [start-up|decode|move|patch|churn|step ...]
#include "window/parts.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <clocale>
#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Figures pass between the processes as text: one notation whatever the user's locale ("1.5", not "1,5").
    std::setlocale(LC_NUMERIC, "C");
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments[1] == QLatin1String("--start-up"))
        return runStartupChild(arguments[2], arguments[3]);
    if (arguments.size() == 3 && arguments[1].startsWith(QLatin1String("--step")))
        return runStepChild(arguments[2], arguments[1] == QLatin1String("--step"));
    if (arguments.size() == 3 && arguments[1] == QLatin1String("--decode-times"))
        return runDecodeTimesChild(arguments[2]);

    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QString base = arguments.size() > 1 ? arguments[1] : QStringLiteral("/var/tmp");
    QStringList parts = arguments.mid(2);
    if (parts.isEmpty())
        parts = {QStringLiteral("start-up"), QStringLiteral("decode"), QStringLiteral("move"), QStringLiteral("patch"),
            QStringLiteral("churn"), QStringLiteral("step")};
    QTemporaryDir work(base + QStringLiteral("/zindle-bench-XXXXXX"));
    const QString many = work.path() + QStringLiteral("/many");
    if (!work.isValid() || !QDir().mkdir(many) || !createFiles(many, FileCount)) {
        std::fprintf(stderr, "cannot create %d files in %s\n", FileCount, qPrintable(base));
        return 2;
    }
    bool met = true;
    if (parts.contains(QLatin1String("start-up")))
        met = benchStartup(many, arguments[0]) && met;
    if (parts.contains(QLatin1String("decode")))
        met = benchDecode(work.path()) && met;
    if (parts.contains(QLatin1String("move")))
        met = benchMove(work.path().toStdString()) && met;
    if (parts.contains(QLatin1String("patch")))
        met = benchPatch(many) && met;
    if (parts.contains(QLatin1String("churn")))
        met = benchChurn(many) && met;
    if (parts.contains(QLatin1String("step")))
        met = benchStep(work.path(), arguments[0]) && met;
    std::printf(met ? "Every bar is met.\n" : "Some bar is MISSED.\n");
    return met ? 0 : 1;
}
