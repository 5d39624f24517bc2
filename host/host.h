// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/hosterror.h"
#include "base/picture.h"
#include "files/renamefile.h"
#include "host/registry.h"
#include "host/sysinfotools.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>

// The application's title and version, as the About box and message boxes show them.
struct AppInfo {
    QString Title;
    int Major = 0;
    int Minor = 0;
    int Revision = 0;
};

// Which file a path names (a link is itself), told apart from a file made later on its freed
// inode: its device and inode, its handle from the file system (which carries the inode's
// generation), and its birth time where the file system keeps one.
struct FileId {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t bornNs = 0;
    std::string handle;
    friend bool operator==(const FileId &, const FileId &) = default;
};

// Message box styles the windows use.
namespace MsgBoxStyle
{
constexpr int OkOnly = 0;
constexpr int Critical = 16;
}

// Every operation the windows ask of the host. Failing operations raise
// HostError unless their note says they report failure another way.
// The desktop implementation is LinuxHost; tests derive fakes from it that
// record the interactive operations and keep the real file system.
class Host
{
public:
    virtual ~Host();

    // The login name of the effective user; empty when the system cannot tell.
    [[nodiscard]] virtual QString userName() = 0;

    // The documents folder of the named user, or an empty string when the
    // name names no user.
    [[nodiscard]] virtual QString documentsFolder(const QString &user) = 0;

    // A modal box with one OK button; returns when it is closed. Style 16
    // adds the critical icon. An empty title means the application title.
    virtual void messageBox(const QString &text, int style, const QString &title = {}) = 0;

    [[nodiscard]] virtual AppInfo app() const;

    // Ends the run: every window closes and no further handler runs.
    virtual void endProgram() = 0;

    // Renames or moves `from` to `to`, never replacing an existing file. A move
    // that copies the file reports its progress to `progress` (which may be empty).
    // The window calls it on a worker thread, except for a rename within one folder.
    virtual void rename(const QString &from, const QString &to, const CopyProgress &progress) = 0;

    // Loads the picture at `path` ("/" separators, doubled ones count once),
    // decoding only as many pixels as a box of `boxPixels` device pixels needs.
    // The window calls it on a worker thread, one picture at a time.
    [[nodiscard]] virtual Picture loadPicture(const QString &path, QSize boxPixels) = 0;

    // The registry, emulated; the desktop host's is empty (see Registry).
    [[nodiscard]] virtual Registry &registry() = 0;

    // The running desktop's own system information program; nothing when the desktop has none known.
    [[nodiscard]] virtual std::optional<Command> desktopSysInfoTool() = 0;
    // The known system information tools installed on the search path, most complete first, as full paths.
    [[nodiscard]] virtual QStringList installedSysInfoTools() = 0;

    // Which file is at `path`; nothing when no entry is there, or when the file system gives
    // neither a handle nor a birth time, so that a file made later could not be told apart.
    // The window also calls it on the worker thread that decodes pictures.
    [[nodiscard]] virtual std::optional<FileId> fileId(const QString &path) = 0;

    // The file's name when a plain, visible file exists at `path`, else "".
    [[nodiscard]] virtual QString fileExists(const QString &path) = 0;

    // Whether what stands at `path` (links followed) is neither a folder nor a
    // regular file: a FIFO, a device or a socket. False when nothing is found there.
    [[nodiscard]] virtual bool isSpecialFile(const QString &path) = 0;

    // Starts `program` (a path, or a name to find on the search path) with `arguments`,
    // without waiting for it; fails when it cannot be started.
    virtual void launch(const QString &program, const QStringList &arguments) = 0;

    // The destination folders that moves went to lately, newest first, as kept in the
    // user's configuration folder by their exact bytes; none when nothing is kept.
    [[nodiscard]] virtual QStringList recentDestinations() = 0;
    // Keeps `folders` for this run and the next ones; a failure to write is not reported.
    virtual void keepRecentDestinations(const QStringList &folders) = 0;
};
