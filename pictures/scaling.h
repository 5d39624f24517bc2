// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>
#include <vector>

// The size that fits inside `box` keeping the proportions of `size`; never
// larger than `size` unless `enlarge`, never smaller than one pixel.
[[nodiscard]] QSize fitInside(QSize size, QSize box, bool enlarge);

// `image` as a picture stored with the TIFF/EXIF orientation `orientation`
// (1 to 8) is meant to be seen; other values leave it as it is.
[[nodiscard]] QImage turnUpright(const QImage &image, int orientation);
// Whether that orientation swaps width and height.
[[nodiscard]] bool swapsSides(int orientation);

// Shrinks a picture that arrives a row at a time to `target`, holding only a
// small image: each block of k x k source pixels is averaged into one pixel
// of an intermediate image no more than twice the target across, which is
// then scaled smoothly to the target. Rows may come in any order and in parts
// (the passes of an interlaced picture); in order, only one row of sums is held.
class Shrinker
{
public:
    enum class Alpha { None, Straight, Premultiplied };

    Shrinker(QSize source, QSize target, Alpha alpha, bool rowsInOrder);

    // Adds RGBA pixels (4 bytes each, in that order) to row `y`: the i-th
    // lands in column `x0 + i * step`. Rows in order must come top to bottom.
    void addRow(int y, const std::uint8_t *pixels, int count, int x0 = 0, int step = 1);
    // The picture at the target size; null when memory ran out.
    [[nodiscard]] QImage finish();

private:
    void flushRows(int firstRow, int rows);
    [[nodiscard]] std::uint32_t *sumsOf(int row);

    QSize m_source;
    QSize m_target;
    Alpha m_alpha;
    bool m_inOrder;
    int m_factor = 1;
    QImage m_reduced; // the intermediate image
    std::vector<std::uint32_t> m_sums; // four per intermediate pixel, for the rows held
    int m_heldRow = 0; // in order: the intermediate row the sums hold
};
