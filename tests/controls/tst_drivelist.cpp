// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The drive list, driven as the user drives it.
#include "listfixture.h"

class TestDriveList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { m_folder.create(); }

    void driveListHoldsRealVolumesRootFirst()
    {
        DriveList drives;
        QVERIFY(drives.count() >= 1);
        QCOMPARE(drives.itemData(0).toString(), QStringLiteral("/"));
        static const QList<QByteArray> pseudo {"proc", "sysfs", "cgroup", "cgroup2", "devpts", "devtmpfs", "mqueue"};
        for (int i = 0; i < drives.count(); ++i) {
            const QString root = drives.itemData(i).toString();
            QVERIFY2(!pseudo.contains(QStorageInfo(root).fileSystemType()), qPrintable(root));
            for (const char *area : {"/proc", "/sys", "/dev", "/run/"})
                QVERIFY2(!root.startsWith(QLatin1String(area)), qPrintable(root));
            QVERIFY2(drives.itemText(i).contains(root), qPrintable(drives.itemText(i)));
        }
        QCOMPARE(drives.Drive(), QStringLiteral("/"));
    }

    void showVolumeOf_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("volume");
        QTest::newRow("the root") << "/"
                                  << "/";
        QTest::newRow("a folder on the root") << "/home/maria"
                                              << "/";
        QTest::newRow("a mount point itself") << "/tmp"
                                              << "/tmp";
        QTest::newRow("inside a mount point") << "/tmp/a/b"
                                              << "/tmp";
        QTest::newRow("/tmpdir is not inside /tmp") << "/tmpdir/x"
                                                    << "/";
        QTest::newRow("the innermost volume") << "/media/maria/CARD/DCIM"
                                              << "/media/maria/CARD";
    }

    void showVolumeOf()
    {
        QFETCH(QString, path);
        QFETCH(QString, volume);
        DriveList drives;
        setVolumes(drives);
        drives.setCurrentIndex(drives.count() - 1);
        QSignalSpy change(&drives, &DriveList::Change);
        drives.showVolumeOf(path);
        QCOMPARE(drives.Drive(), volume);
        QCOMPARE(change.count(), 0);
    }

    void pickingAVolumeFiresChange()
    {
        DriveList drives;
        setVolumes(drives);
        drives.showVolumeOf(QStringLiteral("/"));
        QSignalSpy change(&drives, &DriveList::Change);
        QStringList seen;
        connect(&drives, &DriveList::Change, this, [&] { seen.append(drives.Drive()); });
        QTest::keyClick(&drives, Qt::Key_Down);
        QCOMPARE(change.count(), 1);
        QCOMPARE(seen, QStringList {QStringLiteral("/media/maria/CARD")});
        drives.setCurrentIndex(0); // code selects: no Change
        QCOMPARE(change.count(), 1);
    }

    void pickingTheShownVolumeAgainIsNoChange()
    {
        DriveList drives;
        showOn(drives);
        const QString shown = drives.Drive();
        QSignalSpy change(&drives, &DriveList::Change);
        static_cast<QComboBox &>(drives).showPopup(); // as a click on the box does
        QTRY_VERIFY(drives.view()->isVisible());
        QTest::keyClick(drives.view(), Qt::Key_Return);
        QTRY_VERIFY(!drives.view()->isVisible());
        QCOMPARE(change.count(), 0);
        QCOMPARE(drives.Drive(), shown);
    }

    // Browsing into a volume that is not listed lists it, and changes nothing else.
    void keepVolumeOfListsTheBrowsedVolume()
    {
        DriveList drives;
        setVolumes(drives);
        drives.showVolumeOf(QStringLiteral("/media/maria/CARD"));
        QCOMPARE(drives.findData(QStringLiteral("/tmp")), -1);
        QSignalSpy change(&drives, &DriveList::Change);
        drives.keepVolumeOf(QStringLiteral("/tmp/upload"));
        QVERIFY(drives.findData(QStringLiteral("/tmp")) >= 0);
        QCOMPARE(drives.Drive(), QStringLiteral("/media/maria/CARD"));
        drives.keepVolumeOf(QStringLiteral("/home/maria"));
        drives.setMountTable(parseMountTable("1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
                                             "3 1 0:30 / /tmp rw - tmpfs tmpfs rw\n"));
        QCOMPARE(drives.findData(QStringLiteral("/tmp")), -1); // no longer browsed
        QCOMPARE(change.count(), 0);
    }

    void refreshVolumesKeepsTheSelection()
    {
        DriveList drives;
        const QString shown = drives.itemData(drives.count() - 1).toString();
        drives.setCurrentIndex(drives.count() - 1);
        drives.addItem(QStringLiteral("unmounted meanwhile"), path("/gone-volume"));
        QSignalSpy change(&drives, &DriveList::Change);
        drives.refreshVolumes();
        QCOMPARE(drives.findData(path("/gone-volume")), -1);
        QCOMPARE(drives.Drive(), shown);
        QCOMPARE(change.count(), 0);
    }

    // Form1 assigns the picked drive to the folder list, which reports a gone volume.
    void aVolumeThatCannotBeOpened()
    {
        DriveList drives;
        drives.addItem(QStringLiteral("gone"), path("/gone-volume"));
        drives.setCurrentIndex(drives.count() - 1);
        DirList dirs;
        dirs.setPath(path("/Photos"));
        try {
            dirs.setPath(drives.Drive());
            QFAIL("no HostError");
        } catch (const HostError &e) {
            QCOMPARE(e.number(), ENOENT);
            QCOMPARE(e.text(), hostText(ENOENT));
        }
        QCOMPARE(dirs.Path(), path("/Photos"));
    }

private:
    [[nodiscard]] QString path(const char *relative) const { return m_folder.path(relative); }

    // A recorded mount table: the root, a card, and /tmp in memory (listed only while shown).
    static void setVolumes(DriveList &drives)
    {
        drives.setMountTable(parseMountTable("1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
                                             "2 1 8:17 / /media/maria/CARD rw - vfat /dev/sdb1 rw\n"
                                             "3 1 0:30 / /tmp rw - tmpfs tmpfs rw\n"));
    }

    ListFolder m_folder;
};

QTEST_MAIN(TestDriveList)
#include "tst_drivelist.moc"
