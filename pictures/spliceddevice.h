// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>

#include <vector>

// A range of bytes of a device.
struct ByteRange {
    qint64 offset = 0;
    qint64 length = 0;
};

// Reads chosen ranges of another device as if they were one file, so that a
// decoder sees only the parts of a picture it is allowed to see. The base
// device must stay open, and must not be read otherwise, while this one is used.
class SplicedDevice : public QIODevice
{
    Q_OBJECT

public:
    SplicedDevice(QIODevice *base, std::vector<ByteRange> ranges, QObject *parent = nullptr);
    ~SplicedDevice() override;

    [[nodiscard]] bool isSequential() const override { return false; }
    [[nodiscard]] qint64 size() const override { return m_size; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    QIODevice *const m_base;
    std::vector<ByteRange> m_ranges; // none of them empty
    std::vector<qint64> m_starts; // where each range begins in this device
    qint64 m_size = 0;
};
