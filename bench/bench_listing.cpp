// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and refreshing a folder of 100,000 files in the file list, against
// the floor: a bare readdir loop that sorts the names' bytes, in the same run.
// Target: each at most 3 times the floor.
//
//   bench_listing [folder in which to create the test folder, default: the temporary folder]
#include "controls/lists.h"
#include "files/dirlisting.h"
#include "files/pathcodec.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace
{
constexpr int FileCount = 100'000;
constexpr int Runs = 9;
constexpr double Limit = 3.0;

bool createFiles(const std::string &folder)
{
    static const char *const forms[] = {"IMG_%d.jpg", "img_%d.JPG", "Img_%d.jpeg", "IMG_%05d.jpg"};
    char name[64];
    for (int n = 0; n < FileCount; ++n) {
        std::snprintf(name, sizeof name, forms[n % 4], n);
        const int fd = ::open((folder + '/' + name).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd < 0)
            return false;
        ::close(fd);
    }
    return true;
}

// The floor: what any listing must do at least.
std::size_t bareListing(const std::string &folder)
{
    DIR *dir = opendir(folder.c_str());
    if (!dir)
        return 0;
    std::vector<std::string> names;
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] != '.')
            names.emplace_back(entry->d_name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names.size();
}

double milliseconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QString base
        = argc > 1 ? QString::fromLocal8Bit(argv[1]) : qEnvironmentVariable("TMPDIR", QStringLiteral("/tmp"));
    QTemporaryDir big(base + QStringLiteral("/bench_listing-XXXXXX"));
    QTemporaryDir empty(base + QStringLiteral("/bench_listing_empty-XXXXXX"));
    if (!big.isValid() || !empty.isValid()) {
        std::fprintf(stderr, "cannot create a folder in %s\n", qPrintable(base));
        return 2;
    }
    const std::string folder = encodePath(big.path());
    std::printf("Creating %d files in %s ...\n", FileCount, folder.c_str());
    if (!createFiles(folder)) {
        std::perror("create");
        return 2;
    }

    FileList list;
    list.resize(320, 480);
    list.show();
    QCoreApplication::processEvents();
    bool laidOut = true;
    std::size_t listed = 0;
    const auto open = [&] {
        list.setPath(big.path());
        QCoreApplication::processEvents();
    };
    const auto refresh = [&] {
        list.Refresh();
        QCoreApplication::processEvents();
    };
    const auto checkShown = [&] {
        laidOut = laidOut && list.model()->rowCount() == FileCount && list.verticalScrollBar()->maximum() > 0;
    };

    std::vector<double> floor, readOnly, opening, refreshing;
    bareListing(folder); // warm the caches alike for everyone
    for (int run = 0; run < Runs; ++run) {
        floor.push_back(milliseconds([&] { listed = bareListing(folder); }));
        readOnly.push_back(milliseconds([&] { (void)readFolder(big.path(), FolderParts::FilesOnly); }));

        list.setPath(empty.path());
        QCoreApplication::processEvents();
        opening.push_back(milliseconds(open));
        checkShown();

        // One rename, as the program does before it refreshes.
        const std::string from = folder + (run % 2 ? "/IMG_1_renamed.jpg" : "/img_1.JPG");
        const std::string to = folder + (run % 2 ? "/img_1.JPG" : "/IMG_1_renamed.jpg");
        if (std::rename(from.c_str(), to.c_str()) != 0)
            std::perror("rename");
        refreshing.push_back(milliseconds(refresh));
        checkShown();
    }

    const double base_ms = median(floor);
    std::printf("folder of %d files (%zu listed by the floor), median of %d runs\n", FileCount, listed, Runs);
    std::printf("  floor: readdir + std::sort of bytes      %8.2f ms\n", base_ms);
    std::printf("  readFolder (read, decode, natural sort)  %8.2f ms  %5.2f x floor\n", median(readOnly),
        median(readOnly) / base_ms);
    const double openMs = median(opening), refreshMs = median(refreshing);
    std::printf("  FileList::setPath, shown                 %8.2f ms  %5.2f x floor\n", openMs, openMs / base_ms);
    std::printf("  FileList::Refresh after a rename, shown  %8.2f ms  %5.2f x floor\n", refreshMs, refreshMs / base_ms);
    const bool fast = openMs <= Limit * base_ms && refreshMs <= Limit * base_ms;
    std::printf("  target: at most %.0f x floor: %s%s\n", Limit, fast ? "met" : "MISSED",
        laidOut ? "" : " (the view did not show every row)");
    return fast && laidOut ? 0 : 1;
}
