// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Which volumes the drive list shows, from mount tables recorded on a
// desktop, in a container and on a btrfs system.
#include "files/mounts.h"

#include <QTest>

namespace
{
// A desktop with a separate /home, removable media, snaps, shares and sandboxes.
const char desktopTable[] = R"(22 1 259:2 / / rw,relatime shared:1 - ext4 /dev/nvme0n1p2 rw
23 22 0:21 / /proc rw,nosuid shared:12 - proc proc rw
24 22 0:5 / /dev rw,nosuid shared:2 - devtmpfs udev rw
25 24 0:26 / /dev/shm rw shared:4 - tmpfs tmpfs rw
26 22 0:25 / /run rw,nosuid shared:5 - tmpfs tmpfs rw
27 22 259:1 / /boot/efi rw,relatime shared:30 - vfat /dev/nvme0n1p1 rw
28 22 259:3 / /home rw,relatime shared:31 - ext4 /dev/nvme0n1p3 rw
29 22 0:30 / /tmp rw shared:32 - tmpfs tmpfs rw
30 22 7:1 / /snap/core22/1122 ro,nodev shared:33 - squashfs /dev/loop1 ro
31 26 0:40 / /run/user/1000 rw shared:40 - tmpfs tmpfs rw
32 31 0:41 / /run/user/1000/gvfs rw shared:41 - fuse.gvfsd-fuse gvfsd-fuse rw
33 31 0:42 / /run/user/1000/doc rw shared:42 - fuse.portal portal rw
34 22 8:17 / /media/maria/MY\040CARD rw shared:50 - vfat /dev/sdb1 rw
35 26 8:33 / /run/media/maria/USB rw shared:51 - exfat /dev/sdc1 rw
36 26 8:49 / /run/media/jo/DISK rw shared:52 - ext4 /dev/sdd1 rw
37 22 0:50 / /mnt/wslg rw shared:53 - tmpfs none rw
38 22 259:3 /maria/Photos /mnt/photos rw shared:31 - ext4 /dev/nvme0n1p3 rw
39 22 8:17 / /mnt/card rw shared:50 - vfat /dev/sdb1 rw
40 22 0:60 / /srv/nas rw - nfs4 nas:/photos rw
41 28 0:61 / /home/maria/remote rw - fuse.sshfs maria@host:/data rw
42 28 0:62 / /home/maria/.cache/mount rw - fuse.archivemount archivemount rw
43 22 0:70 / /var/lib/docker/overlay2/abc/merged rw - overlay overlay rw
44 26 0:4 net:[4026532] /run/docker/netns/x rw - nsfs nsfs rw
45 22 259:4 / /data rw - ext4 /dev/nvme0n1p4 rw
46 22 0:80 / /mnt/usb rw - tmpfs tmpfs rw
47 46 8:81 / /mnt/usb rw - vfat /dev/sdf1 rw
)";

// A container: the root is an overlay; the host's disk is bound in at /work.
const char containerTable[] = R"(500 400 0:120 / / rw,relatime - overlay overlay rw,lowerdir=/l
501 500 0:121 / /proc rw - proc proc rw
502 500 254:1 /var/lib/containers/c1/hosts /etc/hosts rw - ext4 /dev/vda1 rw
503 500 254:1 /srv/jobs/work /work rw - ext4 /dev/vda1 rw
504 500 0:122 / /tmp rw - tmpfs tmpfs rw
)";

// Subvolumes of one btrfs file system share its device.
const char btrfsTable[] = R"(30 1 0:27 /@ / rw shared:1 - btrfs /dev/sda2 rw,subvol=/@
31 30 0:27 /@home /home rw shared:2 - btrfs /dev/sda2 rw,subvol=/@home
32 30 0:27 /@home/maria/Pics /mnt/pics rw shared:2 - btrfs /dev/sda2 rw,subvol=/@home
)";

QStringList texts(std::initializer_list<const char *> utf8)
{
    QStringList list;
    for (const char *text : utf8)
        list.append(QString::fromUtf8(text));
    return list;
}

QStringList points(const std::vector<Mount> &volumes)
{
    QStringList list;
    for (const Mount &volume : volumes)
        list.append(volume.point);
    return list;
}

const QStringList desktopShown {QStringLiteral("/"), QStringLiteral("/home"), QStringLiteral("/home/maria/remote"),
    QStringLiteral("/media/maria/MY CARD"), QStringLiteral("/mnt/usb"), QStringLiteral("/run/media/maria/USB"),
    QStringLiteral("/srv/nas")};
}

class TestMounts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void desktopVolumes_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QString>("shownFolder");
        QTest::addColumn<QStringList>("volumes");
        QTest::newRow("desktop: root, home, removable, user mounts and shares")
            << QByteArray(desktopTable) << "/home/maria" << desktopShown;
        QTest::newRow("desktop: a folder of the root adds nothing")
            << QByteArray(desktopTable) << "/usr/share" << desktopShown;
        QTest::newRow("desktop: a shown tmpfs folder is listed")
            << QByteArray(desktopTable) << "/tmp/x" << QStringList(desktopShown) + texts({"/tmp"});
        QTest::newRow("desktop: a shown bind mount is listed")
            << QByteArray(desktopTable) << "/mnt/photos/2024" << QStringList(desktopShown) + texts({"/mnt/photos"});
        QTest::newRow("desktop: a shown system partition is listed")
            << QByteArray(desktopTable) << "/boot/efi/EFI" << QStringList(desktopShown) + texts({"/boot/efi"});
        QTest::newRow("desktop: the second mount of a card, when shown, is listed")
            << QByteArray(desktopTable) << "/mnt/card" << QStringList(desktopShown) + texts({"/mnt/card"});
        QTest::newRow("container: only the overlay root") << QByteArray(containerTable) << "/" << texts({"/"});
        QTest::newRow("container: the bound folder being shown")
            << QByteArray(containerTable) << "/work/src" << texts({"/", "/work"});
        QTest::newRow("btrfs: home subvolume shown, bind of a folder in it hidden")
            << QByteArray(btrfsTable) << "/home/maria" << texts({"/", "/home"});
        QTest::newRow("no table, no volumes") << QByteArray() << "/home" << QStringList();
    }

    void desktopVolumes()
    {
        QFETCH(QByteArray, table);
        QFETCH(QString, shownFolder);
        QFETCH(QStringList, volumes);
        const Viewer viewer {QStringLiteral("maria"), QStringLiteral("/home/maria"), shownFolder};
        QStringList shown = points(::desktopVolumes(::parseMountTable(table.toStdString()), viewer));
        QVERIFY(shown.isEmpty() || shown.first() == QLatin1String("/")); // the root first
        std::sort(shown.begin() + std::min<qsizetype>(1, shown.size()), shown.end());
        std::sort(volumes.begin() + std::min<qsizetype>(1, volumes.size()), volumes.end());
        QCOMPARE(shown.join(u'|'), volumes.join(u'|'));
    }

    void parseMountTable_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("fields"); // device, root, point, type, source; empty when skipped
        QTest::newRow("no optional fields")
            << QByteArray("1 0 8:1 / / rw - ext4 /dev/sda1 rw") << texts({"8:1", "/", "/", "ext4", "/dev/sda1"});
        QTest::newRow("two optional fields") << QByteArray("1 0 8:1 /a /b rw shared:1 master:2 - xfs /dev/x rw")
                                             << texts({"8:1", "/a", "/b", "xfs", "/dev/x"});
        QTest::newRow("escaped space, tab, newline, backslash")
            << QByteArray(R"(1 0 0:9 / /m/a\040b\011c\012d\134e rw - vfat /dev/s\040d rw)")
            << texts({"0:9", "/", "/m/a b\tc\nd\\e", "vfat", "/dev/s d"});
        QTest::newRow("a byte that is not UTF-8 kept")
            << QByteArray("1 0 0:9 / /m/caf\xe9 rw - vfat x rw")
            << QStringList {QStringLiteral("0:9"), QStringLiteral("/"),
                   QStringLiteral("/m/caf") + QChar(char16_t(0xDCE9)), QStringLiteral("vfat"), QStringLiteral("x")};
        QTest::newRow("no separator: skipped") << QByteArray("1 0 8:1 / / rw ext4 /dev/sda1 rw") << QStringList();
        QTest::newRow("no source: skipped") << QByteArray("1 0 8:1 / / rw - ext4") << QStringList();
        QTest::newRow("a relative point: skipped") << QByteArray("1 0 8:1 / x rw - ext4 s rw") << QStringList();
        QTest::newRow("too short: skipped") << QByteArray("1 0 8:1 /") << QStringList();
    }

    void parseMountTable()
    {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, fields);
        const std::vector<Mount> table = ::parseMountTable(QByteArray(line + "\n\n" + line).toStdString());
        QCOMPARE(table.size(), fields.isEmpty() ? 0u : 2u);
        for (const Mount &m : table) {
            const QStringList got {
                QString::fromLatin1(m.device), m.root, m.point, QString::fromLatin1(m.type), m.source};
            QCOMPARE(got, fields);
        }
    }

    void volumeNameOfAShare()
    {
        const std::vector<Mount> table = ::parseMountTable(desktopTable);
        QCOMPARE(volumeName(*mountOf(table, QStringLiteral("/srv/nas/2024"))), QStringLiteral("nas:/photos"));
        QCOMPARE(volumeName(*mountOf(table, QStringLiteral("/tmp"))), QString());
    }
};

QTEST_GUILESS_MAIN(TestMounts)
#include "tst_mounts.moc"
