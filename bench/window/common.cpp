// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "parts.h"

#include "files/pathcodec.h"

#include <algorithm>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

void BenchHost::messageBox(const QString &text, int, const QString &title)
{
    std::printf("  (message box \"%s\": %s)\n", qPrintable(title), qPrintable(text));
}

QStringList BenchHost::recentDestinations()
{
    return m_recent;
}

void BenchHost::keepRecentDestinations(const QStringList &folders)
{
    m_recent = folders;
}

bool createFiles(const QString &folder, int count)
{
    const char *const forms[] = {"IMG_%d.jpg", "img_%d.JPG", "Img_%d.jpeg", "IMG_%05d.jpg"};
    const std::string prefix = encodePath(folder) + '/';
    char name[64];
    for (int n = 0; n < count; ++n) {
        std::snprintf(name, sizeof name, forms[n % 4], n);
        const int fd = ::open((prefix + name).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd < 0)
            return false;
        ::close(fd);
    }
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

bool reportBar(const char *what, double value, double floor, double limit, const char *unit, bool atMost)
{
    const double ratio = value / floor;
    const bool met = atMost ? ratio <= limit : ratio >= limit;
    std::printf("  %-40s %8.1f %-5s floor %8.1f %-5s %5.2f x floor (%s %.2f): %s\n", what, value, unit, floor, unit,
        ratio, atMost ? "at most" : "at least", limit, met ? "met" : "MISSED");
    return met;
}
