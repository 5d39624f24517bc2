// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// libpng reads a row at a time; its transforms turn every kind of PNG into
// 8-bit RGBA on the way. An interlaced picture comes pass by pass, each row
// a sparse row of the picture, and is added where it lies. libpng reports
// errors by longjmp: the functions that call it hold nothing that needs a
// destructor, and the reader frees libpng's state whatever happened.
#include "pictures/pngrows.h"
#include "pictures/scaling.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <vector>

namespace
{
constexpr qint64 Mega = qint64(1) << 20;
// What a PNG costs grows with the bytes its rows inflate to (3.5 to 6.5 ns a
// byte, the most for rows filtered by Paeth, libpng alone taking nine tenths
// of that) and with its pixels (converting and shrinking: ~5 ns each). Any
// 8-bit picture of 50 megapixels inflates to less than RowBytes; more is let
// through for files of at least a sixteenth of what they inflate to, as a
// photo is, so that a small file cannot make the loader work for long, while
// a 16-bit photo of 64 megapixels is shown (in its own time).
constexpr qint64 RowBytes = 192 * Mega;
constexpr qint64 MaxRowBytes = 512 * Mega;
constexpr qint64 MaxInflation = 16;
constexpr qint64 MaxPixels = 96 * Mega;

[[noreturn]] void fail(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void ignore(png_structp, png_const_charp)
{
}

void readBytes(png_structp png, png_bytep data, std::size_t length)
{
    auto *device = static_cast<QIODevice *>(png_get_io_ptr(png));
    if (device->read(reinterpret_cast<char *>(data), qint64(length)) != qint64(length))
        png_error(png, "cut short");
}

class PngReader
{
public:
    explicit PngReader(QIODevice &device)
        : m_png(png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, fail, ignore))
        , m_info(m_png ? png_create_info_struct(m_png) : nullptr)
    {
        if (m_info)
            png_set_read_fn(m_png, &device, readBytes);
    }
    ~PngReader() { png_destroy_read_struct(&m_png, &m_info, nullptr); }
    PngReader(const PngReader &) = delete;
    PngReader &operator=(const PngReader &) = delete;

    // Reads the header and asks for 8-bit RGBA rows; false on an error.
    bool start()
    {
        if (!m_info || setjmp(png_jmpbuf(m_png)))
            return false;
        png_read_info(m_png, m_info);
        m_rowBytes = qint64(png_get_rowbytes(m_png, m_info)) + 1; // with its filter byte, before any transform
        m_alpha
            = (png_get_color_type(m_png, m_info) & PNG_COLOR_MASK_ALPHA) || png_get_valid(m_png, m_info, PNG_INFO_tRNS);
        png_set_expand(m_png);
        png_set_scale_16(m_png);
        png_set_gray_to_rgb(m_png);
        png_set_filler(m_png, 0xFF, PNG_FILLER_AFTER);
        png_read_update_info(m_png, m_info);
        return png_get_rowbytes(m_png, m_info) == std::size_t(png_get_image_width(m_png, m_info)) * 4;
    }

    [[nodiscard]] QSize size() const
    {
        return {int(png_get_image_width(m_png, m_info)), int(png_get_image_height(m_png, m_info))};
    }
    [[nodiscard]] qint64 pixelLimit(qint64 bytes) const
    {
        return pngPixelLimit(png_get_image_width(m_png, m_info), m_rowBytes, bytes);
    }
    [[nodiscard]] bool interlaced() const { return png_get_interlace_type(m_png, m_info) != PNG_INTERLACE_NONE; }
    [[nodiscard]] bool alpha() const { return m_alpha; }

    // Hands every row, or every row of every pass, to `shrinker`; false on an error.
    bool readRows(Shrinker &shrinker, png_bytep row)
    {
        if (setjmp(png_jmpbuf(m_png)))
            return false;
        const png_uint_32 width = png_get_image_width(m_png, m_info);
        const png_uint_32 height = png_get_image_height(m_png, m_info);
        const int passes = interlaced() ? 7 : 1;
        for (int pass = 0; pass < passes; ++pass) {
            const png_uint_32 rows = passes == 1 ? height : PNG_PASS_ROWS(height, pass);
            const png_uint_32 columns = passes == 1 ? width : PNG_PASS_COLS(width, pass);
            if (rows == 0 || columns == 0)
                continue; // libpng skips empty passes too
            for (png_uint_32 r = 0; r < rows; ++r) {
                png_read_row(m_png, row, nullptr);
                const png_uint_32 y = passes == 1 ? r : PNG_ROW_FROM_PASS_ROW(r, pass);
                const int x0 = passes == 1 ? 0 : int(PNG_PASS_START_COL(pass));
                const int step = passes == 1 ? 1 : 1 << PNG_PASS_COL_SHIFT(pass);
                shrinker.addRow(int(y), row, int(columns), x0, step);
            }
        }
        return true;
    }

private:
    png_structp m_png;
    png_infop m_info;
    bool m_alpha = false;
    qint64 m_rowBytes = 0;
};
}

qint64 pngPixelLimit(qint64 width, qint64 rowBytes, qint64 fileBytes)
{
    const qint64 inflated = std::max(RowBytes, std::min(MaxRowBytes, fileBytes * MaxInflation));
    return std::min(MaxPixels, inflated * width / std::max<qint64>(1, rowBytes));
}

std::optional<Decoded> decodePngRows(QIODevice &device, QSize box, const Admit &admit)
{
    bool taken = false;
    std::optional<Decoded> decoded = decodeCommonPng(device, box, admit, taken);
    if (taken || !device.seek(0))
        return decoded;
    return decodePngWithLibpng(device, box, admit);
}

std::optional<Decoded> decodePngWithLibpng(QIODevice &device, QSize box, const Admit &admit)
{
    PngReader reader(device);
    if (!reader.start())
        return std::nullopt;
    const QSize stored = reader.size();
    admit(stored, reader.pixelLimit(device.size()));
    Shrinker shrinker(stored, fitInside(stored, box, false),
        reader.alpha() ? Shrinker::Alpha::Straight : Shrinker::Alpha::None, !reader.interlaced());
    std::vector<png_byte> row(std::size_t(stored.width()) * 4);
    if (!reader.readRows(shrinker, row.data()))
        return std::nullopt;
    QImage image = shrinker.finish();
    if (image.isNull())
        return std::nullopt;
    return Decoded {stored, std::move(image)};
}
