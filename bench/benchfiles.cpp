// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "benchfiles.h"

#include <QProcess>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

bool writeBigFile(const std::string &path, long long size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    std::vector<char> block(8 << 20);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = char((i * 2654435761u) >> 13);
    bool ok = true;
    for (long long done = 0; ok && done < size; done += static_cast<long long>(block.size()))
        ok = ::write(fd, block.data(), block.size()) == ssize_t(block.size());
    ::close(fd);
    return ok;
}

QImage photoLike(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(42);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int noise = static_cast<int>(random.bounded(24));
            const int r = static_cast<int>(127 + 100 * std::sin(x / 310.0) + noise);
            const int g = static_cast<int>(127 + 100 * std::cos(y / 170.0 + x / 900.0) + noise);
            const int b = static_cast<int>(127 + 90 * std::sin((x + y) / 55.0)) ^ (x * y & 7);
            line[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
    return image;
}

void runDjpeg(const QString &path)
{
    QProcess djpeg;
    djpeg.start(QStringLiteral("djpeg"),
        {QStringLiteral("-scale"), QStringLiteral("1/8"), QStringLiteral("-outfile"), QStringLiteral("/dev/null"),
            path});
    if (!djpeg.waitForFinished(60000) || djpeg.exitCode() != 0)
        std::fprintf(stderr, "djpeg failed: %s\n", qPrintable(djpeg.errorString()));
}
