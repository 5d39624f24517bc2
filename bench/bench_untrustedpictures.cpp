// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The worst a picture file can make the preview cost: for every file, a fresh
// process loads it for the preview box, and reports how much it added to the
// peak memory (against the same process loading a tiny PNG), with the whole
// peak of the drawing process that drew it if it is a vector picture, and how
// long the load took. Bounds: under 150 MB for any file, under 1 s for files
// up to 10 MB. Last, the time to preview a small SVG, drawn in a drawing
// process, against drawing the same SVG in this process (bound: 2 times).
//
//   bench_untrustedpictures [folder...]
//
// It loads the files it generates (chunk lengths beyond the file, SVGs that
// name other files or embed pictures, GIF canvases larger than their frame,
// and the largest pictures of those kinds the loader accepts, JPEGs whose
// decoder would keep every coefficient), then every file in the folders
// given: the fuzz seeds, a fuzz run's corpus.
#include "controls/imagebox.h"
#include "pictures/drawingprocess.h"
#include "pictures/pictureloader.h"
#include "pictures/svgcleaner.h"
#include "pictures/svgdrawing.h"
#include "tests/pictures/picturebytes.h"

#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

namespace
{
constexpr double BudgetMb = 150;
constexpr double BudgetMs = 1000;
constexpr qint64 TimedBytes = 10 << 20; // the time bound holds for files up to this size
constexpr int ChildTimeoutMs = 30000;

// CPU time of this process and of the children it has waited for (an SVG is drawn in one).
double cpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    rusage children {};
    getrusage(RUSAGE_CHILDREN, &children);
    const auto ms
        = [](const timeval &v) { return static_cast<double>(v.tv_sec) * 1e3 + static_cast<double>(v.tv_usec) / 1e3; };
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6 + ms(children.ru_utime)
        + ms(children.ru_stime);
}

// Child side: load one file as the preview does and print "<ms> <CPU ms> <peak kB> <drawing process's peak kB>".
int loadOne(const QString &path)
{
    ImageBox box;
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = cpuMs();
    try {
        box.setPicture(loadPictureFile(path, QSize(482, 320)));
    } catch (const HostError &) {
    }
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    reapDrawingProcesses(); // the drawing process that drew an SVG: its time and peak are part of the load's
    const double cpu = cpuMs() - cpuStart;
    rusage children {};
    getrusage(RUSAGE_CHILDREN, &children);
    std::printf("%.1f %.1f %lld %ld\n", ms, cpu, static_cast<long long>(peakMemoryKb()), children.ru_maxrss);
    return 0;
}

struct Cost {
    double ms = -1; // -1: the load did not end in time, -2: it crashed
    double cpuMs = -1; // what the loading process spent, all its threads together, and its drawing process
    double peakMb = 0;
    double drawingMb = 0; // the drawing process's own peak
};

Cost measure(const QString &program, const QString &path)
{
    QProcess child;
    child.start(program, {QStringLiteral("--load"), path});
    if (!child.waitForFinished(ChildTimeoutMs)) {
        child.kill();
        child.waitForFinished();
        return {};
    }
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    if (child.exitStatus() != QProcess::NormalExit || fields.size() != 4)
        return {-2, -2, 0, 0};
    return {fields[0].toDouble(), fields[1].toDouble(), fields[2].toDouble() / 1024, fields[3].toDouble() / 1024};
}

// A PNG of zeros: `depth` bits per sample, `channels` samples a pixel.
QByteArray png(int width, int height, int colourType, int channels, int depth = 8, const QByteArray &extra = {})
{
    const QByteArray raw(qint64(height) * (1 + qint64(width) * channels * depth / 8), '\0');
    return pngHeader(width, height, static_cast<char>(colourType), static_cast<char>(depth)) + extra
        + pngChunk("IDAT", qCompress(raw, 9).mid(4)) + pngChunk("IEND", {});
}

QByteArray pngClaiming(const char *type)
{
    return pngChunkClaiming(type, 0x7FFF0000);
}

QByteArray svg(const QByteArray &body, const QByteArray &prolog = {})
{
    return prolog
        + "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"400\" "
          "height=\"300\">"
        + body + "</svg>";
}

QByteArray image(const QByteArray &href)
{
    return "<image xlink:href=\"" + href + "\" width=\"400\" height=\"300\"/>";
}

using Files = std::map<QString, QByteArray>;

Files chunkClaims()
{
    Files files;
    for (const char *type : {"tEXt", "zTXt", "iTXt", "iCCP", "sPLT", "eXIf", "prVt", "IDAT"})
        files[QStringLiteral("png-%1-claims-2GB.png").arg(QLatin1String(type))] = pngClaiming(type);
    files[QStringLiteral("icon-png-claims-2GB.ico")] = iconHolding(pngClaiming("tEXt"));
    files[QStringLiteral("png-8MB-text-chunk.png")] = png(16, 16, 2, 3, 8, pngChunk("tEXt", QByteArray(8 << 20, 'x')));
    files[QStringLiteral("png-RGBA-4096-bomb.png")] = png(4096, 4096, 6, 4);
    files[QStringLiteral("png-16bit-2048-bomb.png")] = png(2048, 2048, 6, 4, 16);
    return files;
}

Files svgReferences(const QString &folder)
{
    const QByteArray dir = QFile::encodeName(folder);
    const QByteArray bomb = png(4096, 4096, 6, 4);
    Files files;
    files[QStringLiteral("large.png")] = bomb;
    files[QStringLiteral("svg-image-fifo.svg")] = svg(image(dir + "/fifo"));
    files[QStringLiteral("svg-image-large-picture.svg")] = svg(image(dir + "/large.png"));
    files[QStringLiteral("svg-stylesheet-fifo.svg")]
        = svg("<rect width=\"9\" height=\"9\"/>", "<?xml-stylesheet type=\"text/css\" href=\"" + dir + "/fifo\"?>");
    files[QStringLiteral("svg-embedded-claims-2GB.svg")]
        = svg(image("data:image/png;base64," + pngClaiming("tEXt").toBase64()));
    files[QStringLiteral("svg-embedded-16-pictures-at-limit.svg")]
        = svg(image("data:image/png;base64," + bomb.toBase64()).repeated(16));
    files[QStringLiteral("svg-entities-300MB.svg")] = svg("<text>" + QByteArray("&b;").repeated(100000) + "</text>",
        "<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY a \"" + QByteArray(100, 'x') + "\"><!ENTITY b \""
            + QByteArray("&a;").repeated(40) + "\">]>");
    files[QStringLiteral("svg-50000-rects.svg")] = svg(QByteArray("<rect width=\"9\" height=\"9\"/>").repeated(49999));
    return files;
}

// The largest pictures each decoder accepts, and JPEGs whose decoder would keep every coefficient.
// A PNG of zeros whose every row is filtered by Paeth, the dearest filter to undo.
QByteArray paethPng(int width, int height)
{
    QByteArray row(1 + qsizetype(width) * 4, '\0');
    row[0] = 4;
    return pngHeader(quint32(width), quint32(height), 6) + pngChunk("IDAT", qCompress(row.repeated(height), 9).mid(4))
        + pngChunk("IEND", {});
}

Files atTheLimits()
{
    Files files;
    files[QStringLiteral("png-RGB-67MP-at-limit.png")] = pngOfZeros(8192, 8190, 2, 3, 8, false);
    files[QStringLiteral("png-RGBA-interlaced-50MP-at-limit.png")] = pngOfZeros(8192, 6140, 6, 4, 8, true);
    files[QStringLiteral("png-RGBA-50MP-Paeth-at-limit.png")] = paethPng(8192, 6140);
    files[QStringLiteral("png-16bit-RGBA-25MP-at-limit.png")] = pngOfZeros(5000, 5030, 6, 4, 16, false);
    files[QStringLiteral("png-16bit-RGBA-interlaced-25MP-at-limit.png")] = pngOfZeros(5000, 5030, 6, 4, 16, true);
    files[QStringLiteral("png-1bit-grey-96MP-at-limit.png")] = pngOfZeros(10240, 9830, 0, 1, 1, false);
    files[QStringLiteral("tiff-80MP-at-limit.tif")] = tiffOfZeros(10240, 8192, 16);
    files[QStringLiteral("jpeg-baseline-127MP-at-limit.jpg")] = flatJpeg(11264, 11264, 3, 0xC0, {{0, 1, 2}});
    files[QStringLiteral("jpeg-progressive-11585-frame-header-past-128kB.jpg")]
        = flatJpeg(11585, 11585, 3, 0xC2, {{0, 1, 2}}, jpegMetadata() + jpegMetadata());
    files[QStringLiteral("jpeg-baseline-6500-three-scans.jpg")] = flatJpeg(6500, 6500, 3, 0xC0, {{0}, {1}, {2}});
    files[QStringLiteral("jpeg-progressive-8000x6000-17-scans-at-limit.jpg")]
        = flatJpeg(8000, 6000, 3, 0xC2, QList<QList<int>>(17, {0, 1, 2}));
    files[QStringLiteral("jpeg-progressive-8000x6000-17-empty-scans-at-limit.jpg")]
        = flatJpeg(8000, 6000, 3, 0xC2, QList<QList<int>>(17, {0, 1, 2}), {}, false);
    return files;
}

Files gifCanvases()
{
    Files files;
    files[QStringLiteral("gif-5700-canvas-1x1-frame.gif")] = gifOnCanvas(QSize(5700, 5700), QSize(1, 1));
    files[QStringLiteral("gif-65535-canvas.gif")] = gifOnCanvas(QSize(65535, 65535), QSize(1, 1));
    files[QStringLiteral("gif-5790-canvas-restoring.gif")] = gifOnCanvas(QSize(5790, 5790), QSize(5790, 5790), true);
    files[QStringLiteral("gif-4096-canvas-restoring-at-limit.gif")]
        = gifOnCanvas(QSize(4096, 4096), QSize(4096, 4096), true);
    files[QStringLiteral("gif-no-canvas-65535-frame.gif")] = gifOnCanvas(QSize(0, 0), QSize(65535, 65535));
    return files;
}

QStringList write(const QString &folder, const Files &files)
{
    QStringList paths;
    for (const auto &[name, bytes] : files) {
        QFile file(folder + u'/' + name);
        if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
            paths.append(file.fileName());
    }
    return paths;
}

QStringList filesIn(const QString &folder)
{
    QStringList paths;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths.append(it.next());
    return paths;
}

double medianMs(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A small valid SVG previewed, drawn in a drawing process started ahead, against the same SVG
// cleaned and drawn in this process; the loads a click apart, so that a fresh process is ready.
bool reportSmallSvg(const QString &folder)
{
    const QByteArray document = svg("<defs><linearGradient id=\"g\"><stop offset=\"0\" stop-color=\"red\"/>"
                                    "<stop offset=\"1\" stop-color=\"blue\"/></linearGradient></defs>"
                                    "<rect width=\"400\" height=\"300\" fill=\"url(#g)\"/>"
                                    "<path d=\"M10 290 C100 10 300 10 390 290\" stroke=\"black\" fill=\"none\"/>"
                                    "<text x=\"40\" y=\"160\" font-size=\"48\">Zindle</text>");
    const QStringList path = write(folder, {{QStringLiteral("small.svg"), document}});
    const QSize box(482, 320);
    std::vector<double> own, inProcess;
    for (int i = 0; i < 15; ++i) {
        // Each after a pause, in which nothing else runs: after a preview the next drawing process
        // starts, and on a small machine it would share a core with whatever is measured then.
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        QElapsedTimer timer;
        timer.start();
        QFile file(path.value(0));
        file.open(QIODevice::ReadOnly);
        const std::optional<QByteArray> cleaned
            = cleanSvg(file.readAll(), [](const QByteArray &) { return std::nullopt; });
        (void)drawSvg(cleaned.value_or(QByteArray()), box);
        inProcess.push_back(double(timer.nsecsElapsed()) / 1e6);
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        timer.restart();
        (void)loadPictureFile(path.value(0), box);
        own.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    const double ratio = medianMs(own) / medianMs(inProcess);
    std::printf("small SVG (text, gradient, path), median of 15: previewed %.1f ms, drawn in this process %.1f ms: "
                "%.2f times (bound 2)\n",
        medianMs(own), medianMs(inProcess), ratio);
    return ratio <= 2;
}

// Loads each file in its own process and prints the worst; true when all stay within the bounds.
// Time is judged by the CPU time of the load, which the wall time on an idle
// machine does not exceed, so that other work on the machine does not count.
bool report(const QString &program, const QString &title, const QStringList &paths, double baselineMb)
{
    Cost worstMemory, worstTime;
    QString memoryFile, timeFile;
    bool within = true;
    for (const QString &path : paths) {
        const Cost cost = measure(program, path);
        const bool timed = QFileInfo(path).size() <= TimedBytes;
        const double addedMb = cost.peakMb - baselineMb + cost.drawingMb;
        if (cost.ms < 0 || addedMb >= BudgetMb || (timed && cost.cpuMs >= BudgetMs)) {
            within = false;
            std::printf("  over a bound: %s (%s)\n", qPrintable(path),
                cost.ms < 0 ? (cost.ms < -1 ? "crashed" : "did not end")
                            : qPrintable(QStringLiteral("%1 MB, %2 ms CPU").arg(addedMb, 0, 'f', 1).arg(cost.cpuMs)));
        }
        if (cost.peakMb + cost.drawingMb > worstMemory.peakMb + worstMemory.drawingMb)
            worstMemory = cost, memoryFile = path;
        if (timed && cost.cpuMs > worstTime.cpuMs)
            worstTime = cost, timeFile = path;
    }
    const double addedMb = worstMemory.peakMb - baselineMb + worstMemory.drawingMb;
    std::printf("%s: %lld files\n", qPrintable(title), static_cast<long long>(paths.size()));
    std::printf("    worst memory %6.1f MB added (%.2f of the bound; %.1f MB of it the drawing process): %s\n", addedMb,
        addedMb / BudgetMb, worstMemory.drawingMb, qPrintable(QFileInfo(memoryFile).fileName()));
    std::printf("    worst time   %6.1f ms CPU, %.1f ms wall (%.2f of the bound): %s\n", worstTime.cpuMs, worstTime.ms,
        worstTime.cpuMs / BudgetMs, qPrintable(QFileInfo(timeFile).fileName()));
    return within;
}
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--load"))
        return loadOne(args[2]);

    QTemporaryDir dir;
    const QString program = app.applicationFilePath();
    if (!dir.isValid() || ::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo"))).constData(), 0600) != 0)
        return 1;
    const QStringList tiny = write(dir.path(), {{QStringLiteral("tiny.png"), png(1, 1, 0, 1)}});
    const Cost baseline = measure(program, tiny.value(0));
    std::printf(
        "baseline: a fresh process loading a 1x1 PNG peaks at %.1f MB (%.1f ms)\n", baseline.peakMb, baseline.ms);
    bool within = report(program, QStringLiteral("chunk lengths"), write(dir.path(), chunkClaims()), baseline.peakMb);
    within = report(program, QStringLiteral("SVG references"), write(dir.path(), svgReferences(dir.path())),
                 baseline.peakMb)
        && within;
    within
        = report(program, QStringLiteral("GIF canvases"), write(dir.path(), gifCanvases()), baseline.peakMb) && within;
    within
        = report(program, QStringLiteral("at the decoders' limits"), write(dir.path(), atTheLimits()), baseline.peakMb)
        && within;
    for (int i = 1; i < args.size(); ++i)
        within = report(program, args[i], filesIn(args[i]), baseline.peakMb) && within;
    std::printf(within ? "every file within the bounds\n" : "SOME FILES OVER A BOUND\n");
    within = reportSmallSvg(dir.path()) && within;
    return within ? 0 : 1;
}
