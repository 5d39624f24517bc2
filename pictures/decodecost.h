// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIODevice>

// The most pixels the decoder of `format` may be given for this picture.
// What a decoder holds and how long it runs grow with the pixels it goes
// through, at a rate that depends on the format and on what the picture's
// headers claim (sample depth, interlacing, scans, strips); the limits keep
// every load within about 130 MB and half a second. `head` is the start of
// the picture, `device` the whole of it. 0 refuses the picture outright.
[[nodiscard]] qint64 pixelLimit(const QByteArray &format, QIODevice &device, const QByteArray &head);
