// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/bytesource.h"

#include <algorithm>

namespace
{
constexpr qsizetype BlockBytes = qsizetype(64) * 1024;
}

bool ByteSource::load(qint64 offset, qsizetype count)
{
    if (offset >= m_start && offset + count <= m_start + m_block.size())
        return true;
    m_start = offset;
    m_block = m_device.seek(offset) ? m_device.read(std::max(count, BlockBytes)) : QByteArray();
    return !m_block.isEmpty();
}

QByteArray ByteSource::at(qint64 offset, qsizetype count)
{
    if (offset < 0 || !load(offset, count))
        return {};
    return m_block.mid(offset - m_start, count);
}

qint64 ByteSource::find(char value, qint64 offset)
{
    while (offset >= 0 && load(offset, 1)) {
        const qsizetype found = m_block.indexOf(value, offset - m_start);
        if (found >= 0)
            return m_start + found;
        offset = m_start + m_block.size();
    }
    return -1;
}
