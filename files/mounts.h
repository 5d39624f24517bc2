// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>
#include <vector>

// One mounted file system, as a line of /proc/self/mountinfo tells it.
// Paths are decoded losslessly (decodePath).
struct Mount {
    QByteArray device; // "major:minor"; mounts of one file system share it
    QString root; // the folder of the file system seen here: "/" unless a bind mount or a subvolume
    QString point; // where it is mounted
    QByteArray type; // "ext4", "nfs4", "fuse.sshfs"...
    QString source; // "/dev/sdb1", "nas:/photos"...
};

// The lines of a mountinfo text, in order; malformed lines are skipped.
[[nodiscard]] std::vector<Mount> parseMountTable(std::string_view text);
// This process's mount table; empty when it cannot be read.
[[nodiscard]] std::vector<Mount> readMountTable();

// Who is looking, and at what: what decides which volumes a desktop shows.
struct Viewer {
    QString user; // login name, for /run/media/<user>
    QString home; // home folder
    QString shownFolder; // the folder being browsed, "" for none
    [[nodiscard]] static Viewer current(const QString &shownFolder);
};

// The volumes a desktop file manager shows, the root first, then by mount
// point: the root file system, a separately mounted home, removable and user
// mounts (under /media, /run/media/<user>, /mnt and in the home folder) and
// network shares. Pseudo and in-memory file systems, overlays, snap images,
// system partitions such as /boot/efi and second mounts of what is already
// shown (bind mounts) are left out; the root and the volume of the shown
// folder are always in, whatever their type. A mount point covered by a later
// mount counts as the later one.
[[nodiscard]] std::vector<Mount> desktopVolumes(const std::vector<Mount> &table, const Viewer &viewer);

// The mount that holds `path` (the innermost whose point contains it), null for none.
[[nodiscard]] const Mount *mountOf(const std::vector<Mount> &table, const QString &path);

// True when `path` is `folder` or lies inside it (by name: /tmpdir is not in /tmp).
[[nodiscard]] bool isInsideFolder(const QString &path, const QString &folder);

// How a volume is named beside its mount point: the label of a disk
// (/dev/disk/by-label), the share of a network mount, "" when it has none.
[[nodiscard]] QString volumeName(const Mount &volume);
