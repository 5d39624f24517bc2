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
        m_made = file.open(QIODevice::WriteOnly) && file.resize(qint64(std::max(mib, format().minimumMib)) << 20);
        file.close();
        m_made = m_made && run(format().mkfs, words(format().mkfsOptions) << image);
        m_failure = QStringLiteral("cannot make the file system");
        m_made = m_made && mount();
    }
    ~Volume()
    {
        unmount();
        if (!m_loop.isEmpty())
            run("losetup", {QStringLiteral("-d"), m_loop});
    }
    Volume(const Volume &) = delete;
    Volume &operator=(const Volume &) = delete;

    [[nodiscard]] Kind kind() const { return m_kind; }
    [[nodiscard]] bool mounted() const { return m_made && m_mounted; }
    [[nodiscard]] QString failure() const { return name(m_kind) + QStringLiteral(": ") + m_failure; }
    // Whether names differing only in letter case are one name there.
    [[nodiscard]] static bool caseInsensitive(Kind kind) { return kind == Fat || kind == ExFat; }
    [[nodiscard]] static bool hardLinks(Kind kind) { return kind != Fat && kind != ExFat; }
    [[nodiscard]] static QString name(Kind kind) { return QLatin1String(formats[kind].name); }
    // Only a machine without the devices these mounts need may do without them.
    [[nodiscard]] static bool devicesPresent(Kind kind)
    {
        return (!formats[kind].fuse || ::access("/dev/fuse", F_OK) == 0)
            && (!formats[kind].loop || ::access("/dev/loop-control", F_OK) == 0);
    }

    bool mount()
    {
        QString device = m_image;
        if (m_kind == ExFat) { // exfat-fuse takes a block device only
            if (m_loop.isEmpty())
                run("losetup", {QStringLiteral("-f"), QStringLiteral("--show"), m_image}, &m_loop);
            device = m_loop;
        }
        m_mounted = !device.isEmpty() && run(format().mounter, words(format().mountOptions) << device << m_dir);
        m_failure = QStringLiteral("cannot mount it with ") + QLatin1String(format().mounter);
        return m_mounted;
    }
    bool unmount() { return !m_mounted || !(m_mounted = !run("umount", {m_dir})); }

private:
    struct Format {
        const char *name, *mkfs, *mkfsOptions, *mounter, *mountOptions;
        int minimumMib;
        bool fuse, loop; // needs /dev/fuse, a loop device
    };
    static constexpr Format formats[] = {
        {"FAT (fusefat)", "mkfs.vfat", "", "fusefat", "-o rw+", 8, true, false},
        {"exFAT (exfat-fuse)", "mkfs.exfat", "", "mount.exfat-fuse", "", 8, true, true},
        {"NTFS (ntfs-3g)", "mkfs.ntfs", "-F -Q", "ntfs-3g", "", 8, true, false},
        {"btrfs", "mkfs.btrfs", "-q", "mount", "-o loop", 128, false, true},
        {"xfs", "mkfs.xfs", "-q", "mount", "-o loop", 300, false, true},
    };
    [[nodiscard]] const Format &format() const { return formats[m_kind]; }
    static QStringList words(const char *text) { return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts); }

    // Runs `program` (its standard output into `output`, where given): true when it succeeded.
    static bool run(const char *program, const QStringList &arguments, QString *output = nullptr)
    {
        const QString found = QStandardPaths::findExecutable(QLatin1String(program),
            {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
        QProcess process;
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(found.isEmpty() ? QLatin1String(program) : found, arguments);
        const bool ran
            = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        if (output)
            *output = ran ? QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed() : QString();
        return ran;
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
