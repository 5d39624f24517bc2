// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIODevice>

// Reads a device a block at a time for the checks that walk a whole file:
// many small reads then cost a few system calls, not one each.
class ByteSource
{
public:
    explicit ByteSource(QIODevice &device) : m_device(device) { }

    // The `count` bytes at `offset`, fewer at the end of the device or on a read error.
    QByteArray at(qint64 offset, qsizetype count);

    // Where the next byte `value` lies at or after `offset`; -1 when there is none.
    qint64 find(char value, qint64 offset);

private:
    bool load(qint64 offset, qsizetype count);

    QIODevice &m_device;
    QByteArray m_block;
    qint64 m_start = 0;
};
