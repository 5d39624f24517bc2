// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A rename in a folder of many files, through the window's rename button: from
// the press until the new name is listed and laid out, against one listing of
// the same folder (readFolder) in the same run.
#include "parts.h"
#include "probe.h"

#include "controls/controls.h"
#include "controls/lists.h"
#include "files/dirlisting.h"
#include "main_window/form1.h"

#include <QApplication>

#include <cstdio>

namespace
{
constexpr int Runs = 21;

double pressMs(Form1 &window, const QString &from, const QString &to)
{
    window.File1->setFileName(from);
    window.File1_Click();
    window.Text2->assignText(to.section(u'.', 0, 0));
    const double start = monotonicMs();
    window.Command1_Click();
    QCoreApplication::processEvents(); // the list lays out its rows anew
    const double ms = monotonicMs() - start;
    if (window.File1->model()->match(window.File1->model()->index(0, 0), Qt::DisplayRole, to).isEmpty())
        std::printf("  %s is not listed\n", qPrintable(to));
    while (window.previewPending())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return ms;
}
}

bool benchPatch(const QString &folder)
{
    BenchHost host;
    Form1 window(host);
    window.show();
    window.Dir1->setPath(folder);
    QCoreApplication::processEvents();
    std::vector<double> pressed, listed;
    const QString a = QStringLiteral("IMG_5000.jpg"), b = QStringLiteral("renamed_5000.jpg");
    for (int run = 0; run < Runs; ++run) {
        const double start = monotonicMs();
        (void)readFolder(folder, FolderParts::FilesOnly);
        listed.push_back(monotonicMs() - start);
        pressed.push_back(run % 2 ? pressMs(window, b, a) : pressMs(window, a, b));
    }
    std::printf("4. A rename in a folder of %d files, median of %d runs\n", FileCount, Runs);
    return reportBar("press to the new name listed", median(pressed), median(listed), 0.1, "ms");
}
