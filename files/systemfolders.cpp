// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The lists' view of the system: stat, getcwd, the mount table and inotify.
#include "files/foldersource.h"

#include "files/pathcodec.h"

#include <QSocketNotifier>

#include <array>
#include <climits>
#include <cstring>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr std::uint32_t Gone = IN_DELETE | IN_MOVED_FROM;
constexpr std::uint32_t Arrived = IN_CREATE | IN_MOVED_TO;
// The folder itself went or lost its watch, or the kernel dropped events: anything may have changed.
constexpr std::uint32_t Anything = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_Q_OVERFLOW;

// A folder's changes through inotify; without it (or beyond its limits) none are reported.
class InotifyEvents : public FolderEvents
{
public:
    InotifyEvents() : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (m_fd < 0)
            return;
        auto *const notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &FolderEvents::Ready);
    }

    ~InotifyEvents() override
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    void watch(const QString &folder) override
    {
        if (m_fd < 0)
            return;
        const int watch = inotify_add_watch(
            m_fd, encodePath(folder).c_str(), Gone | Arrived | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR);
        if (m_watch >= 0 && m_watch != watch)
            inotify_rm_watch(m_fd, m_watch);
        m_watch = watch;
    }

    void take(const std::function<void(const QString &name, bool arrived)> &note) override
    {
        alignas(inotify_event) std::array<char, 16384> buffer;
        for (;;) {
            const ssize_t length = m_fd < 0 ? 0 : ::read(m_fd, buffer.data(), buffer.size());
            if (length <= 0)
                return;
            for (ssize_t at = 0; at < length;) {
                inotify_event event;
                std::memcpy(&event, buffer.data() + at, sizeof event);
                const char *name = buffer.data() + at + sizeof event;
                at += ssize_t(sizeof event + event.len);
                if (event.mask & IN_Q_OVERFLOW)
                    note({}, true);
                if (event.wd != m_watch || m_watch < 0)
                    continue;
                if (event.mask & Anything)
                    note({}, true);
                else if (event.len > 0 && name[0] != '.')
                    note(decodePath(name), bool(event.mask & Arrived));
            }
        }
    }

private:
    int m_fd = -1;
    int m_watch = -1;
};

class SystemFolders : public FolderSource
{
public:
    FolderContents read(const QString &folder, FolderParts parts) const override { return readFolder(folder, parts); }

    bool isFolder(const QString &path) const override
    {
        struct stat st {
        };
        return ::stat(encodePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }

    bool isFile(const QString &path) const override
    {
        struct stat st {
        };
        return ::stat(encodePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
    }

    bool isLink(const QString &path) const override
    {
        struct stat st {
        };
        return ::lstat(encodePath(path).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
    }

    bool sameFolder(const QString &a, const QString &b) const override
    {
        struct stat first {
        }, second {};
        return ::stat(encodePath(a).c_str(), &first) == 0 && ::stat(encodePath(b).c_str(), &second) == 0
            && S_ISDIR(first.st_mode) && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    }

    QString workingFolder() const override
    {
        char buffer[PATH_MAX];
        return getcwd(buffer, sizeof buffer) ? decodePath(buffer) : QStringLiteral("/");
    }

    std::vector<Mount> mountTable() const override { return readMountTable(); }
    Viewer viewer(const QString &shownFolder) const override { return Viewer::current(shownFolder); }
    QString volumeName(const Mount &volume) const override { return ::volumeName(volume); }
    std::unique_ptr<FolderEvents> folderEvents() const override { return std::make_unique<InotifyEvents>(); }
};
}

FolderEvents::~FolderEvents() = default;

FolderSource::~FolderSource() = default;

FolderSource &systemFolders()
{
    static SystemFolders folders;
    return folders;
}
