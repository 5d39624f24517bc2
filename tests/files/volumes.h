// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// File systems of the disks people carry and of other Linux disks, each made
// in an image file and mounted for a test, as root: FAT through FUSE
// (fusefat), exFAT through FUSE on a loop device (exfat-fuse), NTFS through
// FUSE (ntfs-3g), and btrfs and xfs by the kernel on a loop device.
#pragma once

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <unistd.h>

class Volume
{
public:
    enum Kind { Fat, ExFat, Ntfs, Btrfs, Xfs };
    static constexpr Kind kinds[] = {Fat, ExFat, Ntfs, Btrfs, Xfs};

    Volume(Kind kind, const QString &image, const QString &dir, int mib = 16, bool wanted = true)
        : m_kind(kind), m_image(image), m_dir(dir)
    {
        if (!wanted)
            return;
        QFile file(image);
        m_made = file.open(QIODevice::WriteOnly) && file.resize(qint64(std::max(mib, minimumMib(kind))) << 20);
        file.close();
        m_made = m_made && run(mkfs(), mkfsArguments() << image);
        if (!m_made)
            m_failure = QStringLiteral("cannot make the file system");
        m_made = m_made && mount();
    }
    ~Volume()
    {
        unmount();
        if (!m_loop.isEmpty())
            run(QStringLiteral("losetup"), {QStringLiteral("-d"), m_loop});
    }
    Volume(const Volume &) = delete;
    Volume &operator=(const Volume &) = delete;

    [[nodiscard]] Kind kind() const { return m_kind; }
    [[nodiscard]] bool mounted() const { return m_made && m_mounted; }
    [[nodiscard]] QString failure() const { return QStringLiteral("%1: %2").arg(name(m_kind), m_failure); }
    // Whether names differing only in letter case are one name there.
    [[nodiscard]] static bool caseInsensitive(Kind kind) { return kind == Fat || kind == ExFat; }
    [[nodiscard]] static bool hardLinks(Kind kind) { return kind != Fat && kind != ExFat; }
    [[nodiscard]] static QString name(Kind kind)
    {
        static const char *const names[] = {"FAT (fusefat)", "exFAT (exfat-fuse)", "NTFS (ntfs-3g)", "btrfs", "xfs"};
        return QLatin1String(names[kind]);
    }
    // Only a machine without the devices these mounts need may do without them.
    [[nodiscard]] static bool devicesPresent(Kind kind)
    {
        const bool fuse = ::access("/dev/fuse", F_OK) == 0, loop = ::access("/dev/loop-control", F_OK) == 0;
        return kind == Fat || kind == Ntfs ? fuse : kind == ExFat ? fuse && loop : loop;
    }

    bool mount()
    {
        QString device = m_image;
        if (m_kind == ExFat && m_loop.isEmpty()) // exfat-fuse takes a block device only
            m_loop = output(QStringLiteral("losetup"), {QStringLiteral("-f"), QStringLiteral("--show"), m_image});
        if (m_kind == ExFat)
            device = m_loop;
        const QStringList options = m_kind == Btrfs || m_kind == Xfs
            ? QStringList {QStringLiteral("-o"), QStringLiteral("loop")}
            : m_kind == Fat ? QStringList {QStringLiteral("-o"), QStringLiteral("rw+")}
                            : QStringList();
        const QString mounter = m_kind == Fat ? QStringLiteral("fusefat")
            : m_kind == ExFat                 ? QStringLiteral("mount.exfat-fuse")
            : m_kind == Ntfs                  ? QStringLiteral("ntfs-3g")
                                              : QStringLiteral("mount");
        m_mounted = !device.isEmpty() && run(mounter, options + QStringList {device, m_dir});
        if (!m_mounted)
            m_failure = QStringLiteral("cannot mount it (%1)").arg(mounter);
        return m_mounted;
    }
    bool unmount() { return !m_mounted || !(m_mounted = !run(QStringLiteral("umount"), {m_dir})); }

private:
    static int minimumMib(Kind kind) { return kind == Xfs ? 300 : kind == Btrfs ? 128 : 8; }
    [[nodiscard]] QString mkfs() const
    {
        static const char *const programs[] = {"mkfs.vfat", "mkfs.exfat", "mkfs.ntfs", "mkfs.btrfs", "mkfs.xfs"};
        return QLatin1String(programs[m_kind]);
    }
    [[nodiscard]] QStringList mkfsArguments() const
    {
        if (m_kind == Ntfs)
            return {QStringLiteral("-F"), QStringLiteral("-Q")};
        if (m_kind == Btrfs || m_kind == Xfs)
            return {QStringLiteral("-q")};
        return {};
    }
    static QString output(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.start(find(program), arguments);
        const bool ran
            = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        return ran ? QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed() : QString();
    }
    static bool run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(find(program), arguments);
        return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0;
    }
    static QString find(const QString &program)
    {
        const QString found = QStandardPaths::findExecutable(program,
            {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
        return found.isEmpty() ? program : found;
    }

    Kind m_kind;
    QString m_image, m_dir, m_loop, m_failure;
    bool m_made = false, m_mounted = false;
};

// A FAT file system in an image, mounted in user space (fusefat), as a stick
// is: it numbers its files anew at each mount.
class FuseFat : public Volume
{
public:
    FuseFat(const QString &image, const QString &dir, bool wanted = true) : Volume(Fat, image, dir, 16, wanted) { }
};

// Only a machine without the devices may skip: where they exist, the volume must mount.
#define REQUIRE_VOLUME(volume)                                                                                         \
    do {                                                                                                               \
        if (!(volume).mounted() && !Volume::devicesPresent((volume).kind()))                                           \
            QSKIP(qPrintable(Volume::name((volume).kind())                                                             \
                + QLatin1String(" is not tested: this machine has no /dev/fuse or no loop devices")));                 \
        QVERIFY2((volume).mounted(), qPrintable((volume).failure()));                                                  \
    } while (false)

#define REQUIRE_FAT(fat) REQUIRE_VOLUME(fat)
