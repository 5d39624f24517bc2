// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// An SVG is cleaned here, its embedded pictures decoded under the file's own
// budget, and drawn in a drawing process: its size is bounded, but not what
// drawing it costs, so that runs against the clock where it can be killed.
#include "pictures/decoding.h"
#include "pictures/drawingprocess.h"
#include "pictures/svgcleaner.h"

#include <QBuffer>
#include <QImageWriter>

namespace
{
constexpr qint64 MaxSvgBytes = qint64(16) << 20;
constexpr int MaxEmbedded = 16; // pictures decoded for one SVG
constexpr int MaxNesting = 2; // an SVG in an SVG in a file, and no deeper
constexpr int DrawingLimitMs = 750; // leaves the rest of a second for everything else a click does

// A picture embedded in an SVG, decoded under the file's budget and made a plain PNG again.
std::optional<EmbeddedPicture> embed(const QByteArray &bytes, QSize box, Budget &budget)
{
    if (budget.nesting >= MaxNesting || budget.embedded >= MaxEmbedded)
        return std::nullopt;
    ++budget.embedded;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        ++budget.nesting;
        const Decoded decoded = decodeDevice(buffer, box, budget);
        --budget.nesting;
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        QImageWriter writer(&png, "png");
        writer.setCompression(1); // quick: it is read back at once
        if (!writer.write(decoded.image))
            return std::nullopt;
        return EmbeddedPicture {png.data(), decoded.size};
    } catch (const HostError &) {
        --budget.nesting;
        return std::nullopt;
    }
}
}

Decoded decodeSvg(QIODevice &device, QSize box, Budget &budget)
{
    if (device.size() > MaxSvgBytes)
        throw tooLargeToPreview();
    const QByteArray document = readAt(device, 0, device.size());
    const std::optional<QByteArray> cleaned
        = cleanSvg(document, [&](const QByteArray &bytes) { return embed(bytes, box, budget); });
    if (!cleaned)
        throw notAPicture();
    const std::optional<Drawn> drawn = drawInOwnProcess(*cleaned, box, DrawingLimitMs);
    if (!drawn)
        throw notAPicture();
    return {drawn->size, drawn->image};
}
