// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The folder list, driven as the user drives it.
#include "listfixture.h"

class TestDirList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { m_folder.create(); }

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
        dirs.setPath(path(""));
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
        QTest::newRow("the parent") << path("").section(u'/', -1) << path("");
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

    void dirListOpeningTheOpenFolderIsNoChange()
    {
        DirList dirs;
        showOn(dirs);
        dirs.setPath(path("/Photos"));
        QSignalSpy change(&dirs, &DirList::Change);
        const QPoint at = centreOf(dirs, QStringLiteral("Photos"));
        QTest::mouseClick(dirs.viewport(), Qt::LeftButton, {}, at);
        QTest::keyClick(&dirs, Qt::Key_Return);
        QTest::mouseDClick(dirs.viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(change.count(), 0);
        QCOMPARE(dirs.Path(), path("/Photos"));
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

private:
    [[nodiscard]] QString path(const char *relative) const { return m_folder.path(relative); }

    ListFolder m_folder;
};

QTEST_MAIN(TestDirList)
#include "tst_dirlist.moc"
