// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/scaling.h"

#include <QTransform>

#include <algorithm>
#include <cstring>

namespace
{
// Sums of up to 255 x 255 pixels of 255 x 255 (premultiplied) stay within 32 bits.
constexpr int MaxFactor = 255;

// Adds `count` pixels to the sums of one block, in locals: the pixels are
// bytes, which may alias anything, so sums in memory would be reloaded for each.
template<Shrinker::Alpha alpha>
void addRun(std::uint32_t *sums, const std::uint8_t *pixels, int count)
{
    std::uint32_t r = 0, g = 0, b = 0, a = 0;
    int i = 0;
    if constexpr (alpha != Shrinker::Alpha::Straight) {
        // Two pixels at a time, their samples in the 16-bit lanes of two words:
        // red and blue in one, green and alpha in the other. A run of at most
        // 255 pixels adds at most 128 x 255 to a lane, which it holds.
        constexpr std::uint64_t Lanes = 0x00FF00FF00FF00FFull;
        std::uint64_t redBlue = 0, greenAlpha = 0;
        for (; i + 2 <= count; i += 2, pixels += 8) {
            std::uint64_t two;
            std::memcpy(&two, pixels, sizeof two);
            redBlue += two & Lanes;
            greenAlpha += (two >> 8) & Lanes;
        }
        const auto lane = [](std::uint64_t lanes, int n) { return std::uint32_t(lanes >> (16 * n) & 0xFFFF); };
        r = lane(redBlue, 0) + lane(redBlue, 2), b = lane(redBlue, 1) + lane(redBlue, 3);
        g = lane(greenAlpha, 0) + lane(greenAlpha, 2), a = lane(greenAlpha, 1) + lane(greenAlpha, 3);
    }
    for (; i < count; ++i, pixels += 4) {
        if constexpr (alpha == Shrinker::Alpha::Straight) {
            const std::uint32_t alphaOf = pixels[3];
            r += pixels[0] * alphaOf, g += pixels[1] * alphaOf, b += pixels[2] * alphaOf, a += alphaOf;
        } else {
            r += pixels[0], g += pixels[1], b += pixels[2], a += pixels[3];
        }
    }
    sums[0] += r, sums[1] += g, sums[2] += b, sums[3] += a;
}

// Adds `count` pixels to the sums, `step` columns apart, starting `within` columns into a block.
template<Shrinker::Alpha alpha>
void accumulate(std::uint32_t *sums, const std::uint8_t *pixels, int count, int within, int step, int factor)
{
    if (step == 1) { // a whole row: a block at a time
        for (int left = count; left > 0; sums += 4, within = 0) {
            const int run = std::min(left, factor - within);
            addRun<alpha>(sums, pixels, run);
            pixels += 4 * run;
            left -= run;
        }
        return;
    }
    for (int i = 0; i < count; ++i, pixels += 4) {
        addRun<alpha>(sums, pixels, 1);
        within += step;
        if (within >= factor) {
            sums += 4 * (within / factor);
            within %= factor;
        }
    }
}

std::uint8_t average(std::uint64_t sum, std::uint64_t count)
{
    return static_cast<std::uint8_t>(std::min<std::uint64_t>(255, (sum + count / 2) / count));
}
}

QSize fitInside(QSize size, QSize box, bool enlarge)
{
    if (box.isEmpty())
        return size;
    QSize fitted = size.scaled(box, Qt::KeepAspectRatio);
    if (!enlarge)
        fitted = fitted.boundedTo(size);
    return fitted.expandedTo(QSize(1, 1));
}

bool swapsSides(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

QImage turnUpright(const QImage &image, int orientation)
{
    const auto turned = [&image](int degrees) { return image.transformed(QTransform().rotate(degrees)); };
    switch (orientation) {
    case 2:
        return image.mirrored(true, false);
    case 3:
        return image.mirrored(true, true);
    case 4:
        return image.mirrored(false, true);
    case 5:
        return turned(90).mirrored(true, false);
    case 6:
        return turned(90);
    case 7:
        return turned(90).mirrored(false, true);
    case 8:
        return turned(270);
    default:
        return image;
    }
}

Shrinker::Shrinker(QSize source, QSize target, Alpha alpha, bool rowsInOrder)
    : m_source(source), m_target(target), m_alpha(alpha), m_inOrder(rowsInOrder)
{
    m_factor = std::clamp(
        std::min(source.width() / std::max(1, target.width()), source.height() / std::max(1, target.height())), 1,
        MaxFactor);
    const QSize reduced((source.width() + m_factor - 1) / m_factor, (source.height() + m_factor - 1) / m_factor);
    m_reduced = QImage(reduced, QImage::Format_RGBA8888_Premultiplied);
    if (m_reduced.isNull())
        return;
    m_reduced.fill(Qt::transparent);
    m_sums.assign(std::size_t(reduced.width()) * 4 * (rowsInOrder ? 1 : reduced.height()), 0);
}

std::uint32_t *Shrinker::sumsOf(int row)
{
    if (!m_inOrder)
        return m_sums.data() + std::size_t(row) * m_reduced.width() * 4;
    if (row != m_heldRow) {
        flushRows(m_heldRow, 1);
        std::fill(m_sums.begin(), m_sums.end(), 0);
        m_heldRow = row;
    }
    return m_sums.data();
}

void Shrinker::addRow(int y, const std::uint8_t *pixels, int count, int x0, int step)
{
    if (m_reduced.isNull() || y < 0 || y >= m_source.height() || x0 < 0 || x0 >= m_source.width() || step < 1)
        return;
    if (m_inOrder && y / m_factor < m_heldRow)
        return; // out of order: nothing to add it to any more
    count = std::min(count, (m_source.width() - 1 - x0) / step + 1);
    std::uint32_t *sums = sumsOf(y / m_factor) + 4 * (x0 / m_factor);
    const int within = x0 % m_factor;
    if (m_alpha == Alpha::Straight)
        accumulate<Alpha::Straight>(sums, pixels, count, within, step, m_factor);
    else
        accumulate<Alpha::None>(sums, pixels, count, within, step, m_factor);
}

void Shrinker::flushRows(int firstRow, int rows)
{
    const int width = m_reduced.width();
    for (int r = firstRow; r < firstRow + rows; ++r) {
        const std::uint32_t *sums = m_sums.data() + (m_inOrder ? 0 : std::size_t(r) * width * 4);
        auto *out = m_reduced.scanLine(r);
        const int high = std::min(m_factor, m_source.height() - r * m_factor);
        for (int c = 0; c < width; ++c, sums += 4, out += 4) {
            const std::uint64_t count = std::uint64_t(high) * std::min(m_factor, m_source.width() - c * m_factor);
            const std::uint64_t scale = m_alpha == Alpha::Straight ? 255 : 1; // sums of colour times alpha
            for (int channel = 0; channel < 3; ++channel)
                out[channel] = average(sums[channel], count * scale);
            out[3] = m_alpha == Alpha::None ? 255 : average(sums[3], count);
        }
    }
}

QImage Shrinker::finish()
{
    if (m_reduced.isNull())
        return {};
    if (m_inOrder)
        flushRows(m_heldRow, 1);
    else
        flushRows(0, m_reduced.height());
    m_sums = {};
    if (m_reduced.size() == m_target)
        return std::move(m_reduced);
    return m_reduced.scaled(m_target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
