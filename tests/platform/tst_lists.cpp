// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The drive, folder and file lists, driven as the user drives them.
#include "platform/hosterror.h"
#include "platform/lists.h"
#include "platform/namelistmodel.h"
#include "platform/pathcodec.h"
#include "testsupport/testfiles.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
QStringList rows(const QListView &view)
{
    QStringList names;
    for (int row = 0; row < view.model()->rowCount(); ++row)
        names.append(view.model()->index(row, 0).data().toString());
    return names;
}

QModelIndex rowNamed(const QListView &view, const QString &name)
{
    const QModelIndexList found
        = view.model()->match(view.model()->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly);
    return found.isEmpty() ? QModelIndex() : found.first();
}

QPoint centreOf(const QListView &view, const QString &name)
{
    return view.visualRect(rowNamed(view, name)).center();
}

QString hostText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// A name holding the byte 0xE9, not valid UTF-8, as the lists show it.
const QString latin1Cafe = QStringLiteral("caf") + QChar(char16_t(0xDCE9)) + QStringLiteral(".jpg");
const QString replacementCafe = QStringLiteral("caf\uFFFD.jpg");
}

class TestLists : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_dir.setAutoRemove(false); // QDir cannot remove the name that is not UTF-8: removeTree does
        for (const char *folder : {"/Photos", "/Photos/2024", "/Photos/.cache", "/Photos/2023", "/Empty"})
            QVERIFY(TestFiles::makeFolder(path(folder)));
        for (const char *file : {"/Photos/IMG_10.jpg", "/Photos/IMG_2.jpg", "/Photos/img_1.JPG", "/Photos/.thumbs.db",
                 "/Photos/Notes.txt", "/Photos/2024/inside.jpg"})
            QVERIFY(TestFiles::write(path(file)));
        const std::string photos = encodePath(path("/Photos"));
        for (const char *raw : {"/caf\xe9.jpg", "/caf\xef\xbf\xbd.jpg"}) {
            const int fd = ::open((photos + raw).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
            QVERIFY2(fd >= 0, raw);
            ::close(fd);
        }
        QVERIFY(::symlink("IMG_2.jpg", (photos + "/shortcut.jpg").c_str()) == 0);
        QVERIFY(::symlink("nowhere.jpg", (photos + "/broken.jpg").c_str()) == 0);
        QVERIFY(::symlink("2024", (photos + "/Latest").c_str()) == 0);
    }

    void cleanupTestCase() { TestFiles::removeTree(m_dir.path()); }

    // ---- DriveList

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

    // ---- DirList

    void dirListShowsThePathDownAndSubFolders()
    {
        DirList dirs;
        QSignalSpy change(&dirs, &DirList::Change);
        dirs.setPath(path("/Photos"));
        QCOMPARE(dirs.Path(), path("/Photos"));
        QCOMPARE(change.count(), 1);
        QStringList expected {QStringLiteral("/")};
        expected.append(path("/Photos").split(u'/', Qt::SkipEmptyParts));
        const qsizetype browsed = expected.size() - 1;
        expected.append({QStringLiteral("2023"), QStringLiteral("2024"), QStringLiteral("Latest")}); // no .cache
        QCOMPARE(rows(dirs), expected);
        QCOMPARE(dirs.currentIndex().row(), browsed);
        QVERIFY(dirs.selectionModel()->isSelected(dirs.currentIndex()));
        // The path down is indented step by step; the sub-folders one step below the browsed folder.
        const auto indent = [&dirs](qsizetype row) {
            return dirs.model()->index(int(row), 0).data(NameListModel::IndentRole).toInt();
        };
        for (qsizetype row = 0; row <= browsed; ++row)
            QCOMPARE(indent(row), int(row));
        QCOMPARE(indent(expected.size() - 1), int(browsed + 1));
        QVERIFY(!dirs.model()->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    }

    void dirListPathForms_data()
    {
        QTest::addColumn<QString>("assigned");
        QTest::addColumn<QString>("expected");
        QTest::newRow("trailing slash") << path("/Photos/") << path("/Photos");
        QTest::newRow("doubled slashes") << path("//Photos//2024") << path("/Photos/2024");
        QTest::newRow("dot and dot-dot parts") << path("/Photos/./2024/../2023") << path("/Photos/2023");
        QTest::newRow("relative to the browsed folder") << "Photos" << path("/Photos");
        QTest::newRow("the root") << "/"
                                  << "/";
        QTest::newRow("above the root") << "/../.."
                                        << "/";
        QTest::newRow("a link to a folder stays as named") << path("/Photos/Latest") << path("/Photos/Latest");
    }

    void dirListPathForms()
    {
        QFETCH(QString, assigned);
        QFETCH(QString, expected);
        DirList dirs;
        dirs.setPath(m_dir.path());
        dirs.setPath(assigned);
        QCOMPARE(dirs.Path(), expected);
    }

    // Change runs nested in setPath, once per accepted assignment, seeing the new path.
    void dirListChangeFiresSynchronously()
    {
        DirList dirs;
        QStringList seen;
        connect(&dirs, &DirList::Change, this, [&] { seen.append(dirs.Path()); });
        dirs.setPath(path("/Photos"));
        QCOMPARE(seen, QStringList {path("/Photos")});
        dirs.setPath(path("/Photos"));
        QCOMPARE(seen.size(), 2);
        dirs.setPath(path("/Empty"));
        QCOMPARE(seen, QStringList({path("/Photos"), path("/Photos"), path("/Empty")}));
    }

    void dirListRefusesAFolderItCannotOpen_data()
    {
        QTest::addColumn<QString>("assigned");
        QTest::addColumn<int>("error");
        QTest::newRow("missing") << path("/Missing") << ENOENT;
        QTest::newRow("below a missing folder") << path("/Missing/deeper") << ENOENT;
        QTest::newRow("a file") << path("/Photos/IMG_2.jpg") << ENOTDIR;
        QTest::newRow("a dangling link") << path("/Photos/broken.jpg") << ENOENT;
        QTest::newRow("empty") << QString() << ENOENT;
    }

    void dirListRefusesAFolderItCannotOpen()
    {
        QFETCH(QString, assigned);
        QFETCH(int, error);
        DirList dirs;
        dirs.setPath(path("/Photos"));
        dirs.setCurrentIndex(rowNamed(dirs, QStringLiteral("2024")));
        const QStringList before = rows(dirs);
        QSignalSpy change(&dirs, &DirList::Change);
        try {
            dirs.setPath(assigned);
            QFAIL("no HostError");
        } catch (const HostError &e) {
            QCOMPARE(e.number(), error);
            QCOMPARE(e.text(), hostText(error));
        }
        QCOMPARE(change.count(), 0);
        QCOMPARE(dirs.Path(), path("/Photos"));
        QCOMPARE(rows(dirs), before);
        QCOMPARE(dirs.currentIndex().data().toString(), QStringLiteral("2024"));
    }

    void dirListOpensWithDoubleClick_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("opened");
        QTest::newRow("a sub-folder") << "2024" << path("/Photos/2024");
        QTest::newRow("a link to a folder") << "Latest" << path("/Photos/Latest");
        QTest::newRow("the root") << "/"
                                  << "/";
        QTest::newRow("the parent") << m_dir.path().section(u'/', -1) << m_dir.path();
    }

    void dirListOpensWithDoubleClick()
    {
        QFETCH(QString, row);
        QFETCH(QString, opened);
        DirList dirs;
        showOn(dirs);
        dirs.setPath(path("/Photos"));
        QSignalSpy change(&dirs, &DirList::Change);
        const QPoint at = centreOf(dirs, row);
        QTest::mouseClick(dirs.viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(change.count(), 0); // one click only selects
        QCOMPARE(dirs.Path(), path("/Photos"));
        QTest::mouseDClick(dirs.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(dirs.viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(change.count(), 1);
        QCOMPARE(dirs.Path(), opened);
    }

    void dirListKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
    }

    void dirListKeyboard()
    {
        QFETCH(int, key);
        DirList dirs;
        showOn(dirs);
        dirs.setPath(path("/Photos"));
        dirs.setFocus();
        QSignalSpy change(&dirs, &DirList::Change);
        QTest::keyClick(&dirs, Qt::Key_Down); // from the browsed folder to its first sub-folder
        QTest::keyClick(&dirs, Qt::Key_Down);
        QCOMPARE(dirs.currentIndex().data().toString(), QStringLiteral("2024"));
        QCOMPARE(change.count(), 0);
        QTest::keyClick(&dirs, Qt::Key(key));
        QCOMPARE(dirs.Path(), path("/Photos/2024"));
        QCOMPARE(change.count(), 1);
        QTest::keyClick(&dirs, Qt::Key_Backspace);
        QCOMPARE(dirs.Path(), path("/Photos"));
        QCOMPARE(change.count(), 2);
    }

    void dirListOpensAFolderThatIsNotUtf8()
    {
        const QString odd = path("/Empty/") + QChar(char16_t(0xDCE9)) + QStringLiteral("t\u00e9");
        QVERIFY(::mkdir((encodePath(path("/Empty")) + "/\xe9t\xc3\xa9").c_str(), 0755) == 0);
        DirList dirs;
        showOn(dirs);
        dirs.setPath(path("/Empty"));
        const QString name = odd.section(u'/', -1);
        QVERIFY(rows(dirs).contains(name));
        QTest::mouseClick(dirs.viewport(), Qt::LeftButton, {}, centreOf(dirs, name));
        QTest::keyClick(&dirs, Qt::Key_Return);
        QCOMPARE(dirs.Path(), odd);
        QCOMPARE(encodePath(dirs.Path()), encodePath(path("/Empty")) + "/\xe9t\xc3\xa9");
        ::rmdir(encodePath(odd).c_str());
    }

    void dirListKeepsAFolderItMayNotOpen()
    {
        if (::geteuid() == 0)
            QSKIP("the superuser opens every folder");
        const QString locked = path("/Empty/Locked");
        QVERIFY(TestFiles::makeFolder(locked));
        QCOMPARE(::chmod(encodePath(locked).c_str(), 0), 0);
        DirList dirs;
        showOn(dirs);
        dirs.setPath(path("/Empty"));
        QSignalSpy change(&dirs, &DirList::Change);
        QTest::mouseDClick(dirs.viewport(), Qt::LeftButton, {}, centreOf(dirs, QStringLiteral("Locked")));
        QTest::mouseRelease(dirs.viewport(), Qt::LeftButton, {}, centreOf(dirs, QStringLiteral("Locked")));
        QCOMPARE(change.count(), 0);
        QCOMPARE(dirs.Path(), path("/Empty"));
        ::chmod(encodePath(locked).c_str(), 0755);
        ::rmdir(encodePath(locked).c_str());
    }

    // ---- FileList

    void fileListShowsFilesInNaturalOrder()
    {
        FileList files;
        files.setPath(path("/Photos"));
        QCOMPARE(files.Path(), path("/Photos"));
        // No hidden file, no folder, no link to a folder, no dangling link; the
        // name that is not UTF-8 and its U+FFFD sibling are two entries.
        const QStringList expected {latin1Cafe, replacementCafe, QStringLiteral("img_1.JPG"),
            QStringLiteral("IMG_2.jpg"), QStringLiteral("IMG_10.jpg"), QStringLiteral("Notes.txt"),
            QStringLiteral("shortcut.jpg")};
        QCOMPARE(rows(files), expected);
        QCOMPARE(files.FileName(), QString());
        QVERIFY(files.selectionModel()->selectedIndexes().isEmpty());
        QVERIFY(files.uniformItemSizes());
    }

    void clickFiresClickOnce_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("a plain name") << "IMG_2.jpg";
        QTest::newRow("a link to a file") << "shortcut.jpg";
        QTest::newRow("a name that is not UTF-8") << latin1Cafe;
        QTest::newRow("its U+FFFD sibling") << replacementCafe;
    }

    void clickFiresClickOnce()
    {
        QFETCH(QString, name);
        FileList files;
        showOn(files);
        files.setPath(path("/Photos"));
        QStringList seen;
        connect(&files, &FileList::Click, this, [&] { seen.append(files.FileName()); });
        QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, centreOf(files, name));
        QCOMPARE(seen, QStringList {name});
        QCOMPARE(files.currentIndex().data().toString(), name);
        QVERIFY(files.selectionModel()->isSelected(files.currentIndex()));
        // What the program then opens is that very file.
        struct stat st {
        };
        QCOMPARE(::stat(encodePath(files.Path() + u'/' + files.FileName()).c_str(), &st), 0);
        // Clicking the chosen file again is another click.
        QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, centreOf(files, name));
        QCOMPARE(seen, QStringList({name, name}));
    }

    void theExactBytesOfTheChosenFile()
    {
        FileList files;
        showOn(files);
        files.setPath(path("/Photos"));
        QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, centreOf(files, latin1Cafe));
        QCOMPARE(encodePath(files.FileName()), std::string("caf\xe9.jpg"));
        QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, centreOf(files, replacementCafe));
        QCOMPARE(encodePath(files.FileName()), std::string("caf\xef\xbf\xbd.jpg"));
    }

    void doubleClickFiresClickOnce()
    {
        FileList files;
        showOn(files);
        files.setPath(path("/Photos"));
        QSignalSpy click(&files, &FileList::Click);
        const QPoint at = centreOf(files, QStringLiteral("Notes.txt"));
        QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(files.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(files.viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(click.count(), 1);
        QCOMPARE(files.FileName(), QStringLiteral("Notes.txt"));
    }

    // A press dragged over other files is one choice: the file where it ends.
    void dragFiresClickOnceForWhereItEnds()
    {
        FileList files;
        showOn(files);
        files.setPath(path("/Photos"));
        QStringList seen;
        connect(&files, &FileList::Click, this, [&] { seen.append(files.FileName()); });
        QTest::mousePress(files.viewport(), Qt::LeftButton, {}, centreOf(files, QStringLiteral("img_1.JPG")));
        QTest::mouseMove(files.viewport(), centreOf(files, QStringLiteral("IMG_2.jpg")));
        QTest::mouseMove(files.viewport(), centreOf(files, QStringLiteral("IMG_10.jpg")));
        QVERIFY(seen.isEmpty());
        QTest::mouseRelease(files.viewport(), Qt::LeftButton, {}, centreOf(files, QStringLiteral("IMG_10.jpg")));
        QCOMPARE(seen, QStringList {QStringLiteral("IMG_10.jpg")});
        QCOMPARE(files.currentIndex().data().toString(), QStringLiteral("IMG_10.jpg"));
    }

    void otherButtonsChooseNothing()
    {
        FileList files;
        showOn(files);
        files.setPath(path("/Photos"));
        QSignalSpy click(&files, &FileList::Click);
        QTest::mouseClick(files.viewport(), Qt::RightButton, {}, centreOf(files, QStringLiteral("IMG_2.jpg")));
        QTest::mouseClick(files.viewport(), Qt::MiddleButton, {}, centreOf(files, QStringLiteral("IMG_2.jpg")));
        QCOMPARE(click.count(), 0);
        QVERIFY(files.selectionModel()->selectedIndexes().isEmpty());
        QCOMPARE(files.FileName(), QString());
    }

    void ctrlClickKeepsTheFileChosen()
    {
        FileList files;
        showOn(files);
        files.setPath(path("/Photos"));
        const QPoint at = centreOf(files, QStringLiteral("IMG_2.jpg"));
        QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseClick(files.viewport(), Qt::LeftButton, Qt::ControlModifier, at);
        QVERIFY(files.selectionModel()->isSelected(rowNamed(files, QStringLiteral("IMG_2.jpg"))));
        QCOMPARE(files.FileName(), QStringLiteral("IMG_2.jpg"));
    }

    void keyboardMovesFireClick()
    {
        FileList files;
        showOn(files);
        files.setPath(path("/Photos"));
        QStringList seen;
        connect(&files, &FileList::Click, this, [&] { seen.append(files.FileName()); });
        files.setFocus(Qt::TabFocusReason); // taking the focus chooses nothing
        QVERIFY(seen.isEmpty());
        QTest::keyClick(&files, Qt::Key_Down); // nothing chosen yet: the first file
        QCOMPARE(seen, QStringList {latin1Cafe});
        QTest::keyClick(&files, Qt::Key_Down);
        QTest::keyClick(&files, Qt::Key_Down);
        QTest::keyClick(&files, Qt::Key_Up);
        QTest::keyClick(&files, Qt::Key_End);
        const QStringList expected {
            latin1Cafe, replacementCafe, QStringLiteral("img_1.JPG"), replacementCafe, QStringLiteral("shortcut.jpg")};
        QCOMPARE(seen, expected);
        QCOMPARE(files.FileName(), QStringLiteral("shortcut.jpg"));
        QVERIFY(files.selectionModel()->isSelected(files.currentIndex()));
    }

    void typingANameChoosesIt()
    {
        FileList files;
        showOn(files);
        files.setPath(path("/Photos"));
        files.setFocus();
        QSignalSpy click(&files, &FileList::Click);
        QTest::keyClick(&files, Qt::Key_N);
        QCOMPARE(click.count(), 1);
        QCOMPARE(files.FileName(), QStringLiteral("Notes.txt"));
    }

    // Tabbing into the list after a folder change shows no file as chosen,
    // and Down then chooses the first file.
    void tabbingInChoosesNothing()
    {
        QWidget window;
        auto *const before = new QLineEdit(&window);
        auto *const files = new FileList(&window);
        files->move(0, 40);
        showOn(window);
        before->setFocus();
        files->setPath(path("/Photos"));
        QSignalSpy click(files, &FileList::Click);
        QTest::keyClick(before, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), files);
        QCOMPARE(click.count(), 0);
        QVERIFY(files->selectionModel()->selectedIndexes().isEmpty());
        QTest::keyClick(files, Qt::Key_Down);
        QCOMPARE(click.count(), 1);
        QCOMPARE(files->FileName(), latin1Cafe);
    }

    void setPathLeavesNothingSelected()
    {
        FileList files;
        showOn(files);
        files.setPath(path("/Photos"));
        QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, centreOf(files, QStringLiteral("IMG_2.jpg")));
        QSignalSpy click(&files, &FileList::Click);
        files.setPath(path("/Photos/2024"));
        QCOMPARE(rows(files), QStringList {QStringLiteral("inside.jpg")});
        QCOMPARE(files.FileName(), QString());
        QVERIFY(files.selectionModel()->selectedIndexes().isEmpty());
        QVERIFY(!files.currentIndex().isValid());
        QCOMPARE(click.count(), 0);
        // The keyboard then starts from the first file.
        files.setFocus();
        QTest::keyClick(&files, Qt::Key_Down);
        QCOMPARE(files.FileName(), QStringLiteral("inside.jpg"));
    }

    void refreshShowsTheFolderAsItIsNow()
    {
        FileList files;
        showOn(files);
        files.setPath(path("/Photos"));
        QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, centreOf(files, QStringLiteral("Notes.txt")));
        QCOMPARE(
            ::rename(encodePath(path("/Photos/Notes.txt")).c_str(), encodePath(path("/Photos/IMG_3.txt")).c_str()), 0);
        QSignalSpy click(&files, &FileList::Click);
        files.Refresh();
        const QStringList expected {latin1Cafe, replacementCafe, QStringLiteral("img_1.JPG"),
            QStringLiteral("IMG_2.jpg"), QStringLiteral("IMG_3.txt"), QStringLiteral("IMG_10.jpg"),
            QStringLiteral("shortcut.jpg")};
        QCOMPARE(rows(files), expected);
        QCOMPARE(files.FileName(), QString());
        QVERIFY(files.selectionModel()->selectedIndexes().isEmpty());
        QCOMPARE(click.count(), 0);
        QCOMPARE(
            ::rename(encodePath(path("/Photos/IMG_3.txt")).c_str(), encodePath(path("/Photos/Notes.txt")).c_str()), 0);
    }

    void fileListRefusesAFolderItCannotList()
    {
        FileList files;
        showOn(files);
        files.setPath(path("/Photos"));
        QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, centreOf(files, QStringLiteral("IMG_2.jpg")));
        const QStringList before = rows(files);
        try {
            files.setPath(path("/Missing"));
            QFAIL("no HostError");
        } catch (const HostError &e) {
            QCOMPARE(e.number(), ENOENT);
            QCOMPARE(e.text(), hostText(ENOENT));
        }
        QCOMPARE(files.Path(), path("/Photos"));
        QCOMPARE(rows(files), before);
        QCOMPARE(files.FileName(), QStringLiteral("IMG_2.jpg"));
    }

    void setFileNameChoosesQuietly()
    {
        FileList files;
        files.setPath(path("/Photos"));
        QSignalSpy click(&files, &FileList::Click);
        files.setFileName(QStringLiteral("IMG_10.jpg"));
        QCOMPARE(files.FileName(), QStringLiteral("IMG_10.jpg"));
        QCOMPARE(files.currentIndex().data().toString(), QStringLiteral("IMG_10.jpg"));
        QVERIFY(files.selectionModel()->isSelected(files.currentIndex()));
        files.setFileName(QStringLiteral("not-listed.jpg"));
        QCOMPARE(files.FileName(), QStringLiteral("not-listed.jpg"));
        QVERIFY(files.selectionModel()->selectedIndexes().isEmpty());
        QCOMPARE(click.count(), 0);
    }

private:
    QString path(const char *relative) const { return m_dir.path() + QString::fromUtf8(relative); }

    static void showOn(QWidget &view)
    {
        view.resize(260, 400);
        view.show();
        view.activateWindow(); // so that taking the focus runs the view's own focus handling
        QVERIFY(QTest::qWaitForWindowActive(&view));
    }

    static void setVolumes(DriveList &drives)
    {
        drives.clear();
        for (const char *root : {"/", "/media/maria/CARD", "/tmp"})
            drives.addItem(QString::fromUtf8(root), QString::fromUtf8(root));
    }

    QTemporaryDir m_dir;
};

QTEST_MAIN(TestLists)
#include "tst_lists.moc"
