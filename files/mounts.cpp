// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The mount table read from /proc/self/mountinfo rather than QStorageInfo:
// mountinfo tells bind mounts and subvolumes apart (the root field) and which
// mounts share a file system, and reading it never touches the volumes, so a
// network share whose server is gone cannot hang the drive list.
#include "files/mounts.h"

#include "files/pathcodec.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

namespace
{
// mountinfo writes space, tab, newline and backslash in names as \ and three octal digits.
std::string unescape(std::string_view field)
{
    std::string text;
    text.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        const auto octal
            = [&](std::size_t k) { return i + k < field.size() && field[i + k] >= '0' && field[i + k] <= '7'; };
        if (field[i] == '\\' && octal(1) && octal(2) && octal(3)) {
            text.push_back(
                static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) | (field[i + 3] - '0')));
            i += 3;
        } else {
            text.push_back(field[i]);
        }
    }
    return text;
}

// udev writes characters of a label that do not fit a file name as \x and two hex digits.
std::string unescapeLabel(std::string_view name)
{
    std::string text;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto hex = [&](std::size_t k) {
            return i + k < name.size() && std::isxdigit(static_cast<unsigned char>(name[i + k]));
        };
        if (name.substr(i, 2) == "\\x" && hex(2) && hex(3)) {
            text.push_back(static_cast<char>(std::stoi(std::string(name.substr(i + 2, 2)), nullptr, 16)));
            i += 3;
        } else {
            text.push_back(name[i]);
        }
    }
    return text;
}

std::vector<std::string_view> split(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (std::size_t start = 0; start < line.size();) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        if (end > start)
            fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

// Fields: id, parent id, major:minor, root, mount point, options, optional
// fields, "-", type, source, super-block options.
bool parseLine(std::string_view line, Mount &mount)
{
    const std::vector<std::string_view> fields = split(line);
    const auto dash = std::find(fields.begin() + std::min<std::ptrdiff_t>(std::ssize(fields), 6), fields.end(), "-");
    if (fields.size() < 6 || fields.end() - dash < 3)
        return false;
    mount.device = QByteArray(fields[2].data(), static_cast<qsizetype>(fields[2].size()));
    mount.root = decodePath(unescape(fields[3]));
    mount.point = decodePath(unescape(fields[4]));
    mount.type = QByteArray::fromStdString(unescape(dash[1]));
    mount.source = decodePath(unescape(dash[2]));
    return mount.root.startsWith(u'/') && mount.point.startsWith(u'/');
}

bool isNetworkType(const QByteArray &type)
{
    static const QList<QByteArray> network {"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "ceph", "9p",
        "virtiofs", "glusterfs", "fuse.glusterfs", "fuse.sshfs", "fuse.rclone", "fuse.s3fs", "davfs", "fuse.davfs2"};
    return network.contains(type);
}

// Pseudo and in-memory file systems, overlays and read-only images (snaps, live systems).
bool isSystemType(const QByteArray &type)
{
    static const QList<QByteArray> system {"proc", "sysfs", "cgroup", "cgroup2", "devpts", "devtmpfs", "tmpfs", "ramfs",
        "overlay", "aufs", "squashfs", "fuse.snapfuse", "securityfs", "selinuxfs", "pstore", "bpf", "debugfs",
        "tracefs", "mqueue", "hugetlbfs", "fusectl", "configfs", "autofs", "binfmt_misc", "efivarfs", "nsfs",
        "rpc_pipefs", "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs", "swap"};
    return system.contains(type);
}

// Where udisks mounts the viewer's removable media on some systems (others use /media).
bool isUserMedia(const QString &point, const Viewer &viewer)
{
    return !viewer.user.isEmpty() && isInsideFolder(point, QStringLiteral("/run/media/") + viewer.user);
}

// Where the system keeps what is no place for the user's files.
bool isInSystemArea(const QString &point, const Viewer &viewer)
{
    if (isUserMedia(point, viewer))
        return false;
    for (const char *area : {"/proc", "/sys", "/dev", "/run", "/var/run", "/snap", "/var/snap", "/var/lib", "/boot",
             "/efi", "/tmp", "/var/tmp"}) {
        if (isInsideFolder(point, QLatin1String(area)))
            return true;
    }
    return false;
}

// Removable and user mounts, and a separately mounted home (or a folder above it).
bool isUserPlace(const QString &point, const Viewer &viewer)
{
    for (const char *area : {"/media", "/mnt"}) {
        if (isInsideFolder(point, QLatin1String(area)))
            return true;
    }
    if (isUserMedia(point, viewer))
        return true;
    if (point == QLatin1String("/home") || (!viewer.home.isEmpty() && isInsideFolder(viewer.home, point)))
        return true;
    // In the home folder, but not in a hidden folder (caches, sandboxes).
    return !viewer.home.isEmpty() && viewer.home != QLatin1String("/") && isInsideFolder(point, viewer.home)
        && !point.mid(viewer.home.size()).contains(QLatin1String("/."));
}

bool isWanted(const Mount &mount, const Viewer &viewer)
{
    if (isInSystemArea(mount.point, viewer))
        return false;
    if (isNetworkType(mount.type))
        return true;
    return !isSystemType(mount.type) && isUserPlace(mount.point, viewer);
}

// A second mount of a file system whose same or enclosing folder is shown by
// `other` (a bind mount, or the same disk mounted twice: the first is kept).
bool isShownThrough(const Mount &mount, const Mount &other, bool otherFirst)
{
    return &other != &mount && other.device == mount.device && isInsideFolder(mount.root, other.root)
        && (other.root != mount.root || otherFirst);
}
}

std::vector<Mount> parseMountTable(std::string_view text)
{
    std::vector<Mount> table;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        Mount mount;
        if (parseLine(text.substr(start, end - start), mount))
            table.push_back(std::move(mount));
        start = end + 1;
    }
    return table;
}

std::vector<Mount> readMountTable()
{
    const int fd = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    std::string text;
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return parseMountTable(text);
}

Viewer Viewer::current(const QString &shownFolder)
{
    Viewer viewer {{}, qEnvironmentVariable("HOME"), shownFolder};
    if (const passwd *entry = getpwuid(geteuid())) {
        viewer.user = decodePath(entry->pw_name);
        if (entry->pw_dir && entry->pw_dir[0] == '/')
            viewer.home = decodePath(entry->pw_dir);
    }
    return viewer;
}

std::vector<Mount> desktopVolumes(const std::vector<Mount> &table, const Viewer &viewer)
{
    // Only the last mount on a point is seen there.
    QHash<QString, const Mount *> seen;
    for (const Mount &mount : table)
        seen.insert(mount.point, &mount);
    const Mount *const shown = viewer.shownFolder.isEmpty() ? nullptr : mountOf(table, viewer.shownFolder);
    const Mount *const root = seen.value(QStringLiteral("/"));
    const auto forced = [&](const Mount *m) { return m == shown || m == root; };
    std::vector<const Mount *> candidates;
    for (const Mount &mount : table) {
        if (seen.value(mount.point) == &mount && (forced(&mount) || isWanted(mount, viewer)))
            candidates.push_back(&mount);
    }
    std::vector<Mount> volumes;
    for (const Mount *mount : candidates) {
        const bool second = !forced(mount)
            && std::any_of(candidates.begin(), candidates.end(),
                [&](const Mount *other) { return isShownThrough(*mount, *other, other < mount); });
        if (!second)
            volumes.push_back(*mount);
    }
    std::sort(volumes.begin(), volumes.end(), [](const Mount &a, const Mount &b) { return a.point < b.point; });
    return volumes;
}

const Mount *mountOf(const std::vector<Mount> &table, const QString &path)
{
    const Mount *best = nullptr;
    for (const Mount &mount : table) {
        if (isInsideFolder(path, mount.point) && (!best || mount.point.size() >= best->point.size()))
            best = &mount;
    }
    return best;
}

bool isInsideFolder(const QString &path, const QString &folder)
{
    if (folder == QLatin1String("/"))
        return path.startsWith(u'/');
    return path.startsWith(folder) && (path.size() == folder.size() || path.at(folder.size()) == u'/');
}

QString volumeName(const Mount &volume)
{
    if (isNetworkType(volume.type))
        return volume.source;
    char device[PATH_MAX];
    if (!volume.source.startsWith(QLatin1String("/dev/")) || !realpath(encodePath(volume.source).c_str(), device))
        return {};
    const std::string labels = "/dev/disk/by-label/";
    const std::unique_ptr<DIR, int (*)(DIR *)> dir(opendir(labels.c_str()), closedir);
    while (const dirent *entry = dir ? readdir(dir.get()) : nullptr) {
        char target[PATH_MAX];
        if (entry->d_name[0] != '.' && realpath((labels + entry->d_name).c_str(), target)
            && std::string_view(target) == device)
            return decodePath(unescapeLabel(entry->d_name));
    }
    return {};
}
