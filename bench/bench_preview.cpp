// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The preview of large pictures of each format, at 24 and 48 megapixels,
// next to the floor: the format's own library decoding the same picture to
// the same size, in the same run. JPEG: djpeg -scale 1/8 (libjpeg-turbo's own
// tool, a process of its own); PNG: libpng reading every row; TIFF: libtiff's
// RGBA reader over every strip or tile (as tiff2rgba does); WebP: libwebp
// decoding straight to the preview's size. Every decode runs in a fresh
// process, which reports its time and the memory it added to its peak.
// Bounds: under 1.5 times the floor's time, under 150 MB added.
//
//   bench_preview [folder for the pictures, default: the temporary folder] [part of a format's name]
#include "benchfiles.h"
#include "pictures/pictureloader.h"
#include "tests/pictures/picturebytes.h"
#include "tests/pictures/picturewriters.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QTemporaryDir>

#include <webp/decode.h>

#include <algorithm>
#include <cstring>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ; // NOLINT: POSIX declares it nowhere else

namespace
{
constexpr int Runs = 3;
const QSize PreviewBox(482, 320); // the preview box at 100 % scale
constexpr double TimeBound = 1.5;
constexpr double MemoryBoundMb = 150;

qint64 statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(std::strlen(field))).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Child side: times `decode` and prints "<ms> <kB added to the peak>".
int report(const std::function<bool()> &decode)
{
    const qint64 before = statusKb("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    const bool decoded = decode();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    std::printf("%.1f %lld\n", decoded ? ms : -1.0, static_cast<long long>(statusKb("VmHWM:") - before));
    return decoded ? 0 : 1;
}

bool decodePngRows(const QString &path)
{
    FILE *file = std::fopen(QFile::encodeName(path).constData(), "rb");
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (!file || !info || setjmp(png_jmpbuf(png)))
        return false;
    png_init_io(png, file);
    png_read_info(png, info);
    std::vector<png_byte> row(png_get_rowbytes(png, info));
    const png_uint_32 height = png_get_image_height(png, info), width = png_get_image_width(png, info);
    const bool interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
    for (int pass = 0; pass < (interlaced ? 7 : 1); ++pass) {
        const png_uint_32 rows = interlaced ? PNG_PASS_ROWS(height, pass) : height;
        for (png_uint_32 r = 0; r < rows && (!interlaced || PNG_PASS_COLS(width, pass) > 0); ++r)
            png_read_row(png, row.data(), nullptr);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return std::fclose(file) == 0;
}

bool decodeTiffRgba(const QString &path)
{
    TIFF *tiff = TIFFOpen(QFile::encodeName(path).constData(), "r");
    if (!tiff)
        return false;
    uint32_t width = 0, height = 0, blockWidth = 0, blockHeight = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    const bool tiled = TIFFIsTiled(tiff);
    TIFFGetFieldDefaulted(tiff, tiled ? TIFFTAG_TILEWIDTH : TIFFTAG_IMAGEWIDTH, &blockWidth);
    TIFFGetFieldDefaulted(tiff, tiled ? TIFFTAG_TILELENGTH : TIFFTAG_ROWSPERSTRIP, &blockHeight);
    blockHeight = std::min(blockHeight, height);
    std::vector<uint32_t> raster(std::size_t(blockWidth) * blockHeight);
    bool read = true;
    for (uint32_t y = 0; read && y < height; y += blockHeight) {
        for (uint32_t x = 0; read && x < (tiled ? width : 1); x += blockWidth)
            read = tiled ? TIFFReadRGBATile(tiff, x, y, raster.data()) : TIFFReadRGBAStrip(tiff, y, raster.data());
    }
    TIFFClose(tiff);
    return read;
}

bool decodeWebpToSize(const QString &path, QSize size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    WebPDecoderConfig config;
    WebPInitDecoderConfig(&config);
    config.options.use_scaling = 1;
    config.options.scaled_width = size.width();
    config.options.scaled_height = size.height();
    config.output.colorspace = MODE_rgbA;
    const bool decoded
        = WebPDecode(reinterpret_cast<const uint8_t *>(bytes.constData()), std::size_t(bytes.size()), &config)
        == VP8_STATUS_OK;
    WebPFreeDecBuffer(&config.output);
    return decoded;
}

struct Run {
    double ms = -1;
    double addedMb = 0;
};

// Runs `arguments` in a fresh process, which prints its time and memory.
Run runChild(const QStringList &arguments)
{
    std::vector<QByteArray> bytes;
    std::vector<char *> argv;
    for (const QString &argument : arguments)
        bytes.push_back(QFile::encodeName(argument));
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    int ends[2];
    if (::pipe(ends) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, ends[0]);
    pid_t pid = -1;
    const bool started = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    QByteArray output;
    char buffer[4096];
    for (ssize_t n; started && (n = ::read(ends[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, n);
    ::close(ends[0]);
    int status = 0;
    if (!started || ::waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    const QList<QByteArray> fields = output.trimmed().split(' ');
    return {fields.value(0).toDouble(), fields.value(1).toDouble() / 1024};
}

// The median time and the largest memory of `Runs` runs.
Run measure(const QStringList &arguments)
{
    std::vector<double> times;
    Run worst;
    for (int i = 0; i < Runs; ++i) {
        const Run run = runChild(arguments);
        if (run.ms < 0)
            return {};
        times.push_back(run.ms);
        worst.addedMb = std::max(worst.addedMb, run.addedMb);
    }
    std::sort(times.begin(), times.end());
    worst.ms = times[times.size() / 2];
    return worst;
}

struct Kind {
    const char *name;
    const char *suffix;
    std::function<bool(const QString &, const QImage &)> write;
};

RowSource rowsOf(const QImage &image)
{
    return [&image](int y, std::uint8_t *rgb) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x, rgb += 3)
            rgb[0] = std::uint8_t(qRed(line[x])), rgb[1] = std::uint8_t(qGreen(line[x])),
            rgb[2] = std::uint8_t(qBlue(line[x]));
    };
}

bool writeJpeg(const QString &path, const QImage &image, bool progressive)
{
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image);
}

const std::vector<Kind> &kinds()
{
    static const std::vector<Kind> all {
        {"JPEG baseline", "jpg", [](const QString &p, const QImage &i) { return writeJpeg(p, i, false); }},
        {"JPEG progressive", "jpg", [](const QString &p, const QImage &i) { return writeJpeg(p, i, true); }},
        {"PNG 8-bit RGB", "png",
            [](const QString &p, const QImage &i) { return writePng(p, i.size(), rowsOf(i), 3, 8, false); }},
        {"PNG 16-bit RGB", "png",
            [](const QString &p, const QImage &i) { return writePng(p, i.size(), rowsOf(i), 3, 16, false); }},
        {"PNG interlaced", "png",
            [](const QString &p, const QImage &i) { return writePng(p, i.size(), rowsOf(i), 3, 8, true); }},
        {"TIFF strips, LZW", "tif",
            [](const QString &p, const QImage &i) {
                return writeTiff(p, i.size(), rowsOf(i), 16, 0, COMPRESSION_LZW);
            }},
        {"TIFF tiles, deflate", "tif",
            [](const QString &p, const QImage &i) {
                return writeTiff(p, i.size(), rowsOf(i), 0, 256, COMPRESSION_ADOBE_DEFLATE);
            }},
        {"WebP lossy", "webp", [](const QString &p, const QImage &i) { return writeWebp(p, i.size(), rowsOf(i)); }},
    };
    return all;
}

int childMain(const QStringList &args)
{
    const QString path = args.value(2);
    if (args[1] == QLatin1String("--ours")) {
        // A small picture of the same kind first, as the program has shown others before: Qt's
        // decoders are plugins, loaded on their first use, and the drawing process starts then.
        (void)loadPictureFile(args.value(3), PreviewBox);
        return report([&] {
            try {
                return !loadPictureFile(path, PreviewBox).image.isNull();
            } catch (const HostError &) {
                return false; // refused
            }
        });
    }
    if (args[1] == QLatin1String("--png"))
        return report([&] { return decodePngRows(path); });
    if (args[1] == QLatin1String("--tiff"))
        return report([&] { return decodeTiffRgba(path); });
    const QSize size(args.value(3).toInt(), args.value(4).toInt());
    return report([&] { return decodeWebpToSize(path, size); });
}
}

// Runs the program that follows in a process of its own, started from this
// small one, and prints "<ms> <its peak kB>". A process started from the
// benchmark itself would count the benchmark's memory in its peak: it shares
// it until its program starts.
int spawnAndReport(char **argv)
{
    QElapsedTimer timer;
    timer.start();
    pid_t pid = -1;
    int status = 0;
    rusage usage {};
    if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv, environ) != 0 || ::wait4(pid, &status, 0, &usage) < 0
        || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return 1;
    std::printf("%.1f %ld\n", double(timer.nsecsElapsed()) / 1e6, usage.ru_maxrss);
    return 0;
}

int main(int argc, char *argv[])
{
    if (argc > 2 && std::strcmp(argv[1], "--spawn") == 0)
        return spawnAndReport(argv + 2); // before anything else, to stay small
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[1].startsWith(QLatin1String("--")))
        return childMain(args);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QTemporaryDir dir(args.size() > 1 ? args[1] + QStringLiteral("/bench_preview-XXXXXX") : QString());
    const QString self = app.applicationFilePath();
    QFile tiny(dir.filePath(QStringLiteral("tiny.jpg")));
    if (!dir.isValid() || !tiny.open(QIODevice::WriteOnly) || tiny.write(flatJpeg(8, 8, 3, 0xC0, {{0, 1, 2}})) <= 0)
        return 1;
    tiny.close();
    const QStringList djpeg {self, QStringLiteral("--spawn"), QStringLiteral("djpeg"), QStringLiteral("-outfile"),
        QStringLiteral("/dev/null")};
    const double djpegBaselineMb = measure(djpeg + QStringList {tiny.fileName()}).addedMb;
    std::printf(
        "Preview (load for a %d x %d box) against the library's own decode to the same size, median of %d runs,\n"
        "each in a fresh process; memory is what the decode added to the process's peak.\n\n",
        PreviewBox.width(), PreviewBox.height(), Runs);
    std::printf(
        "%-20s %4s %9s %9s %6s %9s %9s\n", "format", "MP", "ours ms", "floor ms", "ratio", "ours MB", "floor MB");
    bool within = true;
    for (const QSize size : {QSize(6000, 4000), QSize(8000, 6000)}) {
        const QImage image = photoLike(size.width(), size.height());
        for (const Kind &kind : kinds()) {
            if (args.size() > 2 && !QLatin1String(kind.name).contains(args[2], Qt::CaseInsensitive))
                continue; // only the formats asked for
            const QString path = dir.filePath(QStringLiteral("picture.") + QLatin1String(kind.suffix));
            if (!kind.write(path, image)) {
                std::printf("%-20s cannot write the picture\n", kind.name);
                within = false;
                continue;
            }
            const QString small = dir.filePath(QStringLiteral("small.") + QLatin1String(kind.suffix));
            (void)kind.write(small, photoLike(64, 48));
            const QSize fitted = size.scaled(PreviewBox, Qt::KeepAspectRatio);
            const QString suffix = QLatin1String(kind.suffix);
            const Run ours = measure({self, QStringLiteral("--ours"), path, small});
            Run floor = suffix == u"jpg"
                ? measure(djpeg + QStringList {QStringLiteral("-scale"), QStringLiteral("1/8"), path})
                : measure({self, QStringLiteral("--") + (suffix == u"tif" ? QStringLiteral("tiff") : suffix), path,
                    QString::number(fitted.width()), QString::number(fitted.height())});
            if (suffix == u"jpg")
                floor.addedMb -= djpegBaselineMb;
            const double ratio = ours.ms / floor.ms;
            within = within && ours.ms >= 0 && floor.ms > 0 && ratio <= TimeBound && ours.addedMb < MemoryBoundMb;
            if (ours.ms < 0) {
                std::printf("%-20s %4d  refused as too large to preview; floor %.1f ms\n", kind.name,
                    size.width() * size.height() / 1000000, floor.ms);
                continue;
            }
            std::printf("%-20s %4d %9.1f %9.1f %6.2f %9.1f %9.1f\n", kind.name, size.width() * size.height() / 1000000,
                ours.ms, floor.ms, ratio, ours.addedMb, floor.addedMb);
            QFile::remove(path);
        }
    }
    std::printf(
        "\nbounds: ratio <= %.1f, under %.0f MB added: %s\n", TimeBound, MemoryBoundMb, within ? "met" : "MISSED");
    return within ? 0 : 1;
}
