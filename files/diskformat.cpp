// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/diskformat.h"

#include "files/mounts.h"
#include "files/pathcodec.h"

#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace
{
constexpr long fatMagic = 0x4d44, exfatMagic = 0x2011BAB0, fuseMagic = 0x65735546;

// A driver in user space by the type after "fuse." in the mount table.
DiskFormat::Family familyOfType(const QByteArray &type)
{
    const QByteArray driver = type.mid(type.indexOf('.') + 1);
    if (driver == "fusefat" || driver == "vfat" || driver == "msdos")
        return DiskFormat::Family::Fat;
    if (driver == "exfat" || driver == "exfat-fuse")
        return DiskFormat::Family::ExFat;
    return DiskFormat::Family::Other;
}

// The boot sector of a mount's source: a block device or an image file.
DiskFormat::Family familyOfSource(const QString &source)
{
    if (!source.startsWith(u'/'))
        return DiskFormat::Family::Other;
    const int fd = ::open(encodePath(source).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat st {
    };
    char sector[512];
    const bool read = fd >= 0 && ::fstat(fd, &st) == 0 && (S_ISBLK(st.st_mode) || S_ISREG(st.st_mode))
        && ::pread(fd, sector, sizeof sector, 0) == ssize_t(sizeof sector);
    if (fd >= 0)
        ::close(fd);
    return read ? bootSectorFamily(std::string_view(sector, sizeof sector)) : DiskFormat::Family::Other;
}
}

DiskFormat::Family bootSectorFamily(std::string_view sector)
{
    if (sector.size() < 512)
        return DiskFormat::Family::Other;
    if (sector.substr(3, 8) == "EXFAT   ")
        return DiskFormat::Family::ExFat;
    const bool bootSignature = sector[510] == '\x55' && sector[511] == '\xaa';
    const std::string_view fat16 = sector.substr(54, 5), fat32 = sector.substr(82, 5);
    if (bootSignature && (fat16 == "FAT12" || fat16 == "FAT16" || fat32 == "FAT32"))
        return DiskFormat::Family::Fat;
    return DiskFormat::Family::Other;
}

DiskFormat diskFormat(int folder)
{
    struct statfs fs {
    };
    struct stat st {
    };
    DiskFormat format;
    if (::fstatfs(folder, &fs) != 0 || ::fstat(folder, &st) != 0)
        return format;
    if (fs.f_type == fatMagic)
        format.family = DiskFormat::Family::Fat;
    else if (fs.f_type == exfatMagic)
        format.family = DiskFormat::Family::ExFat;
    if (fs.f_type != fuseMagic)
        return format;
    const QByteArray device = QByteArray::number(major(st.st_dev)) + ':' + QByteArray::number(minor(st.st_dev));
    for (const Mount &mount : readMountTable()) {
        if (mount.device != device)
            continue;
        format.family = familyOfType(mount.type);
        if (format.family == DiskFormat::Family::Other)
            format.family = familyOfSource(mount.source);
        break;
    }
    return format;
}
