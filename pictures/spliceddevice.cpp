// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/spliceddevice.h"

#include <algorithm>

SplicedDevice::SplicedDevice(QIODevice *base, std::vector<ByteRange> ranges, QObject *parent)
    : QIODevice(parent), m_base(base), m_ranges(std::move(ranges))
{
    m_starts.reserve(m_ranges.size());
    m_ranges.erase(std::remove_if(m_ranges.begin(), m_ranges.end(), [](const ByteRange &r) { return r.length <= 0; }),
        m_ranges.end());
    for (const ByteRange &range : m_ranges) {
        m_starts.push_back(m_size);
        m_size += range.length;
    }
    // Unbuffered: pos() is then where the next readData() starts.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

SplicedDevice::~SplicedDevice() = default;

qint64 SplicedDevice::readData(char *data, qint64 maxSize)
{
    qint64 at = pos();
    qint64 done = 0;
    while (done < maxSize && at < m_size) {
        // The last range that starts at or before `at`: it holds `at`, as ranges are never empty.
        const auto next = std::upper_bound(m_starts.begin(), m_starts.end(), at);
        const auto index = static_cast<std::size_t>(next - m_starts.begin() - 1);
        const qint64 into = at - m_starts[index];
        const qint64 count = std::min(maxSize - done, m_ranges[index].length - into);
        if (!m_base->seek(m_ranges[index].offset + into))
            return done > 0 ? done : -1;
        const qint64 got = m_base->read(data + done, count);
        if (got <= 0)
            return done > 0 ? done : got;
        done += got;
        at += got;
        if (got < count)
            break; // the base device ended early
    }
    return done;
}

qint64 SplicedDevice::writeData(const char *, qint64)
{
    return -1;
}
