// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of renameFile: (a) a 1 GiB move from a tmpfs to the disk, next to
// `cp` of the same file followed by `sync` of the copy; (b) a rename in a
// folder of 10,000 files, next to a bare renameat2 call; (c) a move of a 1 GiB
// file that holds 1 MiB of data among holes, from a tmpfs to the disk, next
// to `mv` of the same file.
// Usage: bench_rename [work folder on disk, default /var/tmp]
#include "base/hosterror.h"
#include "benchfiles.h"
#include "files/pathcodec.h"
#include "files/renamefile.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QString text(const std::string &path)
{
    return decodePath(path);
}

// The folder where the 1 GiB file starts: a tmpfs mounted for the run, or
// /dev/shm when mounting is not allowed. Empty when neither is possible.
std::string tmpfsFolder(const std::string &work, bool &mounted)
{
    const std::string dir = work + "/tmpfs";
    ::mkdir(dir.c_str(), 0755);
    mounted = ::mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=2200M") == 0;
    if (mounted)
        return dir;
    std::printf("cannot mount a tmpfs (%s); trying /dev/shm\n", std::strerror(errno));
    struct statfs fs {
    };
    if (::statfs("/dev/shm", &fs) == 0 && fs.f_type == 0x01021994 && fs.f_bavail * fs.f_bsize > (1200ll << 20))
        return "/dev/shm/zindle-bench";
    return {};
}

// Seconds for `cp` of the file and `sync` of the copy; the copy is removed after.
double timeCopy(const std::string &source, const std::string &copy)
{
    ::sync();
    const auto start = Clock::now();
    const std::string command = "cp '" + source + "' '" + copy + "' && sync '" + copy + "'";
    if (std::system(command.c_str()) != 0)
        std::printf("cp failed\n");
    const double seconds = secondsSince(start);
    ::unlink(copy.c_str());
    ::sync();
    return seconds;
}

// Seconds for renameFile to move the file; it is moved back after, untimed.
double timeMove(const std::string &source, const std::string &moved)
{
    ::sync();
    const auto start = Clock::now();
    renameFile(text(source), text(moved), {});
    const double seconds = secondsSince(start);
    renameFile(text(moved), text(source), {});
    ::sync();
    return seconds;
}

// Seconds for `mv` to move the file; it is moved back after, untimed.
double timeMv(const std::string &source, const std::string &moved)
{
    ::sync();
    const auto start = Clock::now();
    if (std::system(("mv '" + source + "' '" + moved + "'").c_str()) != 0)
        std::printf("mv failed\n");
    const double seconds = secondsSince(start);
    if (std::system(("mv '" + moved + "' '" + source + "'").c_str()) != 0)
        std::printf("mv failed\n");
    ::sync();
    return seconds;
}

// A file of `size` bytes whose only data are 16 stretches of 64 KiB spread over it; false on failure.
bool writeSparseFile(const std::string &path, long long size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    bool written = fd >= 0 && ::ftruncate(fd, size) == 0;
    const std::vector<char> stretch(64 << 10, 'd');
    for (int i = 0; written && i < 16; ++i)
        written = ::pwrite(fd, stretch.data(), stretch.size(), size / 16 * i) == ssize_t(stretch.size());
    if (fd >= 0)
        ::close(fd);
    return written;
}

void benchSparseMove(const std::string &memory, const std::string &work)
{
    const std::string source = memory + "/sparse.bin", moved = work + "/sparse.bin";
    if (!writeSparseFile(source, 1ll << 30)) {
        std::printf("(c) skipped: cannot write the sparse file into %s\n", memory.c_str());
        return;
    }
    std::vector<double> mvTimes, moveTimes;
    for (int round = 0; round < 15; ++round) {
        if (round % 2 == 0) {
            mvTimes.push_back(timeMv(source, moved));
            moveTimes.push_back(timeMove(source, moved));
        } else {
            moveTimes.push_back(timeMove(source, moved));
            mvTimes.push_back(timeMv(source, moved));
        }
    }
    ::unlink(source.c_str());
    const double ms = 1e3, mv = median(mvTimes) * ms, move = median(moveTimes) * ms;
    std::printf("(c) 1 GiB holding 1 MiB of data, tmpfs -> disk, median of 15: renameFile %.1f ms, mv %.1f ms: "
                "%.2fx (ceiling 1.2x)\n",
        move, mv, move / mv);
}

void benchCrossMove(const std::string &work)
{
    constexpr long long size = 1ll << 30;
    bool mounted = false;
    const std::string memory = tmpfsFolder(work, mounted);
    if (memory.empty()) {
        std::printf("(a) skipped: no tmpfs available to move from\n");
        return;
    }
    ::mkdir(memory.c_str(), 0755);
    const std::string source = memory + "/big.bin", copy = work + "/cp.bin", moved = work + "/moved.bin";
    if (!writeBigFile(source, size)) {
        std::printf("(a) skipped: cannot write 1 GiB into %s\n", memory.c_str());
        return;
    }
    benchSparseMove(memory, work);
    std::vector<double> cpRates, moveRates;
    const double mib = double(size) / (1 << 20);
    constexpr int rounds = 5;
    for (int round = 0; round < rounds; ++round) {
        // Alternate which goes first, so that neither always meets the other's writeback.
        if (round % 2 == 0) {
            cpRates.push_back(mib / timeCopy(source, copy));
            moveRates.push_back(mib / timeMove(source, moved));
        } else {
            moveRates.push_back(mib / timeMove(source, moved));
            cpRates.push_back(mib / timeCopy(source, copy));
        }
        std::printf(
            "  round %d: cp+sync %.0f MiB/s, renameFile %.0f MiB/s\n", round + 1, cpRates.back(), moveRates.back());
    }
    ::unlink(source.c_str());
    if (mounted)
        ::umount2(memory.c_str(), MNT_DETACH);
    else
        ::rmdir(memory.c_str());
    const double cp = median(cpRates), move = median(moveRates);
    std::printf("(a) 1 GiB tmpfs -> disk, median of 5: renameFile %.0f MiB/s, cp+sync %.0f MiB/s: %.0f%% "
                "(floor 90%%)\n",
        move, cp, 100 * move / cp);
}

void benchRenameInFolder(const std::string &work)
{
    const std::string folder = work + "/many";
    ::mkdir(folder.c_str(), 0755);
    for (int i = 0; i < 10000; ++i) {
        const std::string name = folder + "/file" + std::to_string(i) + ".jpg";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT, 0644);
        ::close(fd);
    }
    const std::string a = folder + "/file5000.jpg", b = folder + "/renamed5000.jpg";
    const QString qa = text(a), qb = text(b);
    std::vector<double> ours, bare;
    for (int block = 0; block < 200; ++block) {
        for (int i = 0; i < 50; ++i) {
            auto start = Clock::now();
            renameFile(i % 2 ? qb : qa, i % 2 ? qa : qb, {});
            ours.push_back(secondsSince(start));
        }
        for (int i = 0; i < 50; ++i) {
            auto start = Clock::now();
            if (::renameat2(AT_FDCWD, (i % 2 ? b : a).c_str(), AT_FDCWD, (i % 2 ? a : b).c_str(), RENAME_NOREPLACE))
                std::printf("renameat2 failed\n");
            bare.push_back(secondsSince(start));
        }
    }
    for (int i = 0; i < 10000; ++i)
        ::unlink((folder + "/file" + std::to_string(i) + ".jpg").c_str());
    ::rmdir(folder.c_str());
    const double us = 1e6, mine = median(ours) * us, theirs = median(bare) * us;
    std::printf("(b) rename in a folder of 10,000 files, median of %zu calls: renameFile %.2f us, renameat2 %.2f us: "
                "%.2fx (ceiling 2x)\n",
        ours.size(), mine, theirs, mine / theirs);
}
}

int main(int argc, char **argv)
{
    const std::string base = argc > 1 ? argv[1] : "/var/tmp";
    std::string work = base + "/zindle-bench-XXXXXX";
    if (!::mkdtemp(work.data())) {
        std::printf("cannot create a folder in %s\n", base.c_str());
        return 1;
    }
    try {
        benchRenameInFolder(work);
        benchCrossMove(work);
    } catch (const HostError &error) {
        std::printf("rename failed: %s\n", qPrintable(error.text()));
    }
    ::rmdir((work + "/tmpfs").c_str());
    ::rmdir(work.c_str());
    return 0;
}
