// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>

// What the format of a file system allows, where a move must know it before
// it writes: FAT and exFAT keep neither hard links nor holes, and FAT holds no
// file of 4 GiB or more. Any other format counts as allowing all of it.
struct DiskFormat {
    enum class Family { Other, Fat, ExFat };
    Family family = Family::Other;

    [[nodiscard]] bool hardLinks() const { return family == Family::Other; }
    [[nodiscard]] bool holes() const { return family == Family::Other; }
    [[nodiscard]] std::int64_t largestFile() const
    {
        return family == Family::Fat ? std::int64_t(0xFFFFFFFF) : std::numeric_limits<std::int64_t>::max();
    }
};

// The format of the file system that holds the open folder `folder`: told by
// the kernel's driver, by the type the mount table gives a driver in user
// space ("fuse.fusefat"), or else by the volume's boot sector where this user
// may read it.
[[nodiscard]] DiskFormat diskFormat(int folder);

// The family a boot sector (its first 512 bytes) names.
[[nodiscard]] DiskFormat::Family bootSectorFamily(std::string_view sector);
