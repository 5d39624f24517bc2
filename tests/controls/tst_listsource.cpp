// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The lists over a made-up system: what they show and announce comes from
// their FolderSource alone, including what a real one rarely does on cue
// (a watch that lost track, a working folder that cannot be read).
#include "base/hosterror.h"
#include "controls/lists.h"
#include "files/foldersource.h"

#include <QSignalSpy>
#include <QTest>

#include <cerrno>
#include <map>
#include <set>

using namespace Qt::StringLiterals;

namespace
{
class FakeEvents : public FolderEvents
{
public:
    void watch(const QString &folder) override { watched = folder; }
    void take(const std::function<void(const QString &, bool)> &note) override
    {
        for (const auto &[name, arrived] : std::exchange(pending, {}))
            note(name, arrived);
    }
    void report(const QString &name, bool arrived)
    {
        pending.emplace_back(name, arrived);
        Q_EMIT Ready();
    }
    QString watched;
    std::vector<std::pair<QString, bool>> pending;
};

class FakeFolders : public FolderSource
{
public:
    FolderContents read(const QString &folder, FolderParts) const override
    {
        const auto found = folders.find(folder);
        if (found == folders.end())
            throw HostError::fromErrno(EACCES);
        return found->second;
    }
    bool isFolder(const QString &path) const override { return folders.count(path) > 0; }
    bool isFile(const QString &path) const override { return files.count(path) > 0; }
    bool isLink(const QString &) const override { return false; }
    bool sameFolder(const QString &a, const QString &b) const override { return a == b && isFolder(a); }
    QString workingFolder() const override { return QStringLiteral("/home/u/Photos"); }
    std::vector<Mount> mountTable() const override { return mounts; }
    Viewer viewer(const QString &shown) const override { return {u"u"_s, u"/home/u"_s, shown}; }
    QString volumeName(const Mount &volume) const override { return volume.type == "vfat" ? u"CAMERA"_s : QString(); }
    std::unique_ptr<FolderEvents> folderEvents() const override
    {
        auto made = std::make_unique<FakeEvents>();
        events = made.get();
        return made;
    }

    std::map<QString, FolderContents> folders;
    std::set<QString> files;
    std::vector<Mount> mounts;
    mutable FakeEvents *events = nullptr;
};
}

class TestListSource : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fileListFollowsWhatTheWatchReports_data()
    {
        QTest::addColumn<QString>("name"); // reported by the watch; "" for "anything"
        QTest::addColumn<bool>("own"); // the list's own rename of a.jpg to that name
        QTest::addColumn<int>("announced");
        QTest::addColumn<QStringList>("shown");
        const QStringList listed {u"a.jpg"_s, u"c.jpg"_s};
        QTest::newRow("another program's file") << u"b.jpg"_s << false << 1 << listed;
        QTest::newRow("a hidden file") << u".b.jpg"_s << false << 0 << listed;
        QTest::newRow("the watch lost track") << QString() << false << 1 << listed;
        QTest::newRow("the list's own rename") << u"d.jpg"_s << true << 0 << QStringList {u"c.jpg"_s, u"d.jpg"_s};
    }

    void fileListFollowsWhatTheWatchReports()
    {
        QFETCH(QString, name);
        QFETCH(bool, own);
        FakeFolders system;
        system.folders[u"/p"_s] = {{}, {u"a.jpg"_s, u"c.jpg"_s}, {}};
        system.files = {u"/p/d.jpg"_s};
        FileList files(nullptr, system);
        QSignalSpy changed(&files, &FileList::FolderChanged);
        files.setPath(u"/p"_s);
        QCOMPARE(system.events->watched, u"/p"_s);
        if (own)
            system.events->report(u"a.jpg"_s, false);
        system.events->report(name, true);
        if (own)
            files.applyRename(u"/p/a.jpg"_s, u"/p/"_s + name);
        QTest::qWait(400); // longer than a burst takes to settle
        QTEST(int(changed.count()), "announced");
        QStringList shown;
        for (int row = 0; row < files.fileCount(); ++row)
            shown.append(files.fileAt(row));
        QTEST(shown, "shown");
    }

    void folderAndDriveListsShowTheSourcesSystem()
    {
        FakeFolders system;
        system.folders[u"/home/u/Photos"_s] = {{u"2025"_s}, {}, {}};
        system.mounts
            = {{"8:1", u"/"_s, u"/"_s, "ext4", u"/dev/sda1"_s}, {"0:22", u"/"_s, u"/proc"_s, "proc", u"proc"_s},
                {"8:17", u"/"_s, u"/media/u/CAM"_s, "vfat", u"/dev/sdb1"_s}};
        DirList dirs(nullptr, system);
        QCOMPARE(dirs.Path(), u"/home/u/Photos"_s);
        QCOMPARE(dirs.model()->rowCount(), 5); // "/", home, u, Photos, 2025
        DriveList drives(nullptr, system);
        QStringList shown;
        for (int i = 0; i < drives.count(); ++i)
            shown.append(drives.itemText(i));
        QCOMPARE(shown, (QStringList {u"/"_s, u"CAMERA (/media/u/CAM)"_s}));

        system.folders.clear(); // the working folder cannot be read: it is shown alone
        DirList alone(nullptr, system);
        QCOMPARE(alone.model()->rowCount(), 1);
        QCOMPARE(alone.model()->index(0, 0).data().toString(), u"/home/u/Photos"_s);
    }
};

QTEST_MAIN(TestListSource)
#include "tst_listsource.moc"
