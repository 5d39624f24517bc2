// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/hosterror.h"
#include "base/picture.h"
#include "files/renamefile.h"

#include <QByteArray>
#include <QSize>
#include <QString>

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

// Registry constants, with the values the original host gives them.
namespace Registry
{
constexpr std::uint32_t HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr long ERROR_SUCCESS = 0;
constexpr long ERROR_FILE_NOT_FOUND = 2;
constexpr long ERROR_ACCESS_DENIED = 5;
constexpr long ERROR_MORE_DATA = 234;
constexpr std::uint32_t REG_SZ = 1;
constexpr std::uint32_t REG_EXPAND_SZ = 2;
constexpr std::uint32_t REG_DWORD = 4;
}

// Every operation the windows ask of the host. Failing operations raise
// HostError unless their note says they report failure another way.
// The desktop implementation is LinuxHost; tests derive fakes from it that
// record the interactive operations and keep the real file system.
class Host
{
public:
    virtual ~Host();

    // The login name of the current user, as the user-name service answers:
    // true on success with the name in `buffer` and its length, terminating
    // NUL included, in `size`. On entry `size` holds the buffer's capacity.
    virtual bool userName(QString &buffer, std::uint32_t &size) = 0;

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

    // Registry reads. Status 0 on success, else a nonzero status.
    virtual long regOpenKeyEx(
        std::uint32_t root, const QByteArray &subKey, std::uint32_t options, std::uint32_t access, std::uint32_t &key)
        = 0;
    // `data` comes in holding the buffer (its size is the capacity) and gets the value's bytes;
    // `size` comes in as the capacity and goes out as the value's byte count.
    virtual long regQueryValueEx(
        std::uint32_t key, const QByteArray &valueName, std::uint32_t &type, QByteArray &data, std::uint32_t &size)
        = 0;
    virtual long regCloseKey(std::uint32_t key) = 0;

    // Which file is at `path`; nothing when no entry is there, or when the file system gives
    // neither a handle nor a birth time, so that a file made later could not be told apart.
    [[nodiscard]] virtual std::optional<FileId> fileId(const QString &path) = 0;

    // The file's name when a plain, visible file exists at `path`, else "".
    [[nodiscard]] virtual QString fileExists(const QString &path) = 0;

    // Starts `program` without waiting for it; window style 1 is a normal, focused window.
    virtual void shell(const QString &program, int windowStyle) = 0;
};
