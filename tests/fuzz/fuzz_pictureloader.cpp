// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The picture loader on arbitrary bytes. It may refuse them, but must not
// crash, hang, allocate beyond its limits or open any other file. The bytes
// go into an in-memory file that the loader opens by path, as it would a
// picture on disk.
#include "pictures/drawingprocess.h"
#include "pictures/pictureloader.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace
{
int memoryFile = -1;
QString memoryPath;

// Puts `size` bytes into the in-memory file.
void fill(const void *data, size_t size)
{
    if (ftruncate(memoryFile, 0) != 0 || pwrite(memoryFile, data, size, 0) != static_cast<ssize_t>(size))
        std::abort();
}

// Loads the bytes, which may be refused; only a crash, a hang or a limit broken is a failure.
void load()
{
    try {
        const Picture picture = loadPictureFile(memoryPath, QSize(482, 320));
        if (picture.image.width() > 482 || picture.image.height() > 320)
            std::abort(); // more pixels decoded than the box shows
    } catch (const HostError &) {
    }
}
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv(DrawingProgramVariable, ZINDLE_FUZZ_DRAWING_PROGRAM);
    static QGuiApplication app(*argc, *argv);
    memoryFile = memfd_create("picture", MFD_CLOEXEC);
    if (memoryFile < 0) {
        std::perror("memfd_create");
        std::exit(1);
    }
    memoryPath = QStringLiteral("/proc/self/fd/%1").arg(memoryFile);
    // The first load starts a drawing process and sets what stays: not to be taken for a leak of the first input.
    const char svg[] = "<svg xmlns='http://www.w3.org/2000/svg' width='9' height='9'><text y='9'>Z</text></svg>";
    fill(svg, sizeof svg - 1);
    load();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fill(data, size);
    load();
    return 0;
}
