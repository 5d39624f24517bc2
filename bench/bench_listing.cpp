// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and refreshing a folder of 100,000 files in the file list, against
// the floor: a bare readdir loop that sorts the names' bytes, in the same run.
// Once for ASCII names, once for names in other scripts, which take the
// collator's general path. Target: each at most 3 times the floor.
//
//   bench_listing [folder in which to create the test folder, default: the temporary folder]
#include "controls/lists.h"
#include "files/dirlisting.h"
#include "files/pathcodec.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
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

// Names as cameras and people write them: numbered, in several cases, and
// (in the second folder) in Latin with accents, Cyrillic, Greek and Japanese.
const char *const asciiForms[] = {"IMG_%d.jpg", "img_%d.JPG", "Img_%d.jpeg", "IMG_%05d.jpg"};
const char *const otherForms[] = {"\xc3\x89t\xc3\xa9 %d.jpg", "\xd0\xa4\xd0\xbe\xd1\x82\xd0\xbe_%d.JPG",
    "\xce\xb8\xce\xac\xce\xbb\xce\xb1\xcf\x83\xcf\x83\xce\xb1 %d.jpeg", "\xe5\x86\x99\xe7\x9c\x9f_%05d.jpg"};

bool createFiles(const std::string &folder, const char *const (&forms)[4])
{
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

struct Figures {
    double floor, readOnly, opening, refreshing;
    bool laidOut;
};

// Opens and refreshes `folder` in a shown file list, each run beside the floor.
Figures measure(const QString &folder, const QString &empty, const std::string &renamed)
{
    const std::string bytes = encodePath(folder);
    FileList list;
    list.resize(320, 480);
    list.show();
    QCoreApplication::processEvents();
    bool laidOut = true;
    const auto checkShown = [&] {
        laidOut = laidOut && list.model()->rowCount() == FileCount && list.verticalScrollBar()->maximum() > 0;
    };
    std::vector<double> floor, readOnly, opening, refreshing;
    bareListing(bytes); // warm the caches alike for everyone
    for (int run = 0; run < Runs; ++run) {
        floor.push_back(milliseconds([&] { (void)bareListing(bytes); }));
        readOnly.push_back(milliseconds([&] { (void)readFolder(folder, FolderParts::FilesOnly); }));

        list.setPath(empty);
        QCoreApplication::processEvents();
        opening.push_back(milliseconds([&] {
            list.setPath(folder);
            QCoreApplication::processEvents();
        }));
        checkShown();

        // One rename, as the program does before it refreshes.
        const std::string from = bytes + '/' + (run % 2 ? "renamed.jpg" : renamed);
        const std::string to = bytes + '/' + (run % 2 ? renamed : "renamed.jpg");
        if (std::rename(from.c_str(), to.c_str()) != 0)
            std::perror("rename");
        refreshing.push_back(milliseconds([&] {
            list.Refresh();
            QCoreApplication::processEvents();
        }));
        checkShown();
    }
    return {median(floor), median(readOnly), median(opening), median(refreshing), laidOut};
}

bool report(const char *title, const Figures &f)
{
    std::printf("%s: %d files, median of %d runs\n", title, FileCount, Runs);
    std::printf("  floor: readdir + std::sort of bytes      %8.2f ms\n", f.floor);
    std::printf(
        "  readFolder (read, decode, natural sort)  %8.2f ms  %5.2f x floor\n", f.readOnly, f.readOnly / f.floor);
    std::printf("  FileList::setPath, shown                 %8.2f ms  %5.2f x floor\n", f.opening, f.opening / f.floor);
    std::printf(
        "  FileList::Refresh after a rename, shown  %8.2f ms  %5.2f x floor\n", f.refreshing, f.refreshing / f.floor);
    const bool fast = f.opening <= Limit * f.floor && f.refreshing <= Limit * f.floor;
    std::printf("  target: at most %.0f x floor: %s%s\n", Limit, fast ? "met" : "MISSED",
        f.laidOut ? "" : " (the view did not show every row)");
    return fast && f.laidOut;
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
    QTemporaryDir ascii(base + QStringLiteral("/bench_listing-XXXXXX"));
    QTemporaryDir other(base + QStringLiteral("/bench_listing_other-XXXXXX"));
    QTemporaryDir empty(base + QStringLiteral("/bench_listing_empty-XXXXXX"));
    if (!ascii.isValid() || !other.isValid() || !empty.isValid()) {
        std::fprintf(stderr, "cannot create a folder in %s\n", qPrintable(base));
        return 2;
    }
    std::printf("Creating 2 x %d files in %s ...\n", FileCount, qPrintable(base));
    if (!createFiles(encodePath(ascii.path()), asciiForms) || !createFiles(encodePath(other.path()), otherForms)) {
        std::perror("create");
        return 2;
    }
    std::printf("Collation locale: %s\n", qPrintable(QLocale::system().collation().name()));
    const Figures asciiFigures = measure(ascii.path(), empty.path(), "img_1.JPG");
    const Figures otherFigures = measure(other.path(), empty.path(), "\xd0\xa4\xd0\xbe\xd1\x82\xd0\xbe_1.JPG");
    const bool asciiMet = report("ASCII names", asciiFigures);
    return report("Names in other scripts", otherFigures) && asciiMet ? 0 : 1;
}
