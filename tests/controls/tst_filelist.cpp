// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The file list, driven as the user drives it.
#include "listfixture.h"

#include "files/dirlisting.h"

class TestFileList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { m_folder.create(); }

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

    // The keyboard walks the list without choosing; Enter or Space chooses the
    // highlighted file. Steps: key names, 'text typed to find a file, or a pause.
    void keyboardChoosesWithEnterOrSpaceOnly_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("highlighted");
        QTest::addColumn<QStringList>("chosen");
        const auto steps = [](const char *list) { return QString::fromLatin1(list).split(u' '); };
        const QString img1 = QStringLiteral("img_1.JPG");
        QTest::newRow("arrows move the highlight only")
            << steps("Down Down Down Up End") << "shortcut.jpg" << QStringList();
        QTest::newRow("Enter chooses") << steps("Down Down Return") << replacementCafe << QStringList {replacementCafe};
        QTest::newRow("keypad Enter chooses") << steps("Down Enter") << latin1Cafe << QStringList {latin1Cafe};
        QTest::newRow("Space chooses") << steps("Down End Space") << "shortcut.jpg"
                                       << QStringList {QStringLiteral("shortcut.jpg")};
        QTest::newRow("each Enter is a choice")
            << steps("Down Return Return") << latin1Cafe << QStringList {latin1Cafe, latin1Cafe};
        QTest::newRow("nothing highlighted: nothing chosen") << steps("Return Space") << QString() << QStringList();
        QTest::newRow("typing finds, not chooses") << steps("'n") << "Notes.txt" << QStringList();
        QTest::newRow("typing, then Enter")
            << steps("'n Return") << "Notes.txt" << QStringList {QStringLiteral("Notes.txt")};
        QTest::newRow("a space while typing goes on finding") << steps("'img Space") << img1 << QStringList();
        QTest::newRow("a space after a pause chooses") << steps("'img pause Space") << img1 << QStringList {img1};
    }

    void keyboardChoosesWithEnterOrSpaceOnly()
    {
        QFETCH(QStringList, steps);
        const QHash<QString, Qt::Key> keys {{QStringLiteral("Down"), Qt::Key_Down}, {QStringLiteral("Up"), Qt::Key_Up},
            {QStringLiteral("End"), Qt::Key_End}, {QStringLiteral("Return"), Qt::Key_Return},
            {QStringLiteral("Enter"), Qt::Key_Enter}, {QStringLiteral("Space"), Qt::Key_Space}};
        FileList files;
        showOn(files);
        files.setPath(path("/Photos"));
        QStringList seen;
        connect(&files, &FileList::Click, this, [&] { seen.append(files.FileName()); });
        files.setFocus(Qt::TabFocusReason);
        for (const QString &step : steps) {
            if (step.startsWith(u'\''))
                QTest::keyClicks(&files, step.mid(1));
            else if (step == QLatin1String("pause"))
                QTest::qWait(QApplication::keyboardInputInterval() + 100);
            else
                QTest::keyClick(&files, keys.value(step));
        }
        QFETCH(QStringList, chosen);
        QCOMPARE(seen, chosen);
        QTEST(files.currentIndex().data().toString(), "highlighted");
        QCOMPARE(files.FileName(), chosen.isEmpty() ? QString() : chosen.last());
    }

    // Tabbing into the list after a folder change shows no file as chosen;
    // Down then highlights the first file, and Enter chooses it.
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
        QTest::keyClick(files, Qt::Key_Down); // highlights the first file
        QCOMPARE(click.count(), 0);
        QTest::keyClick(files, Qt::Key_Return);
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
        QTest::keyClick(&files, Qt::Key_Return);
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

    // The program's own rename, shown without reading the folder again, and back:
    // each time the list is exactly what a fresh listing shows.
    void ownRenameListedAsAListingWould_data()
    {
        QTest::addColumn<QString>("from"); // in /Photos
        QTest::addColumn<QString>("to"); // below /Photos
        // clang-format off
        QTest::newRow("to the top, a link to it dangling") << "IMG_2.jpg" << "a.jpg";
        QTest::newRow("digits by their number") << "IMG_2.jpg" << "IMG_11.jpg";
        QTest::newRow("letter case only") << "Notes.txt" << "notes.txt";
        QTest::newRow("to a hidden name") << "Notes.txt" << ".Notes.txt";
        QTest::newRow("not UTF-8") << latin1Cafe << decodePath("caf\xe9s.jpg");
        QTest::newRow("where a dangling link points") << "Notes.txt" << "nowhere.jpg";
        QTest::newRow("a link to a file") << "shortcut.jpg" << "zz.jpg";
        QTest::newRow("into a sub-folder") << "IMG_2.jpg" << "2024/IMG_2.jpg";
        QTest::newRow("in place, through a link to the folder") << "IMG_10.jpg" << "Latest/../IMG_9.jpg";
        QTest::newRow("in place, spelled with // and .") << "IMG_10.jpg" << ".//./IMG_1.jpg";
        // clang-format on
    }

    void ownRenameListedAsAListingWould()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        const QString folder = path("/Photos");
        const QString a = folder + u'/' + from, b = folder + u'/' + to;
        FileList files;
        files.setPath(folder);
        files.setFileName(from);
        for (const auto &[old, now] : {std::pair(a, b), std::pair(b, a)}) {
            QCOMPARE(::rename(encodePath(old).c_str(), encodePath(now).c_str()), 0);
            files.applyRename(old, now);
            const std::vector<QString> listing = readFolder(folder, FolderParts::FilesOnly).files;
            QCOMPARE(rows(files), QStringList(listing.begin(), listing.end()));
            QCOMPARE(files.FileName(), QString());
            QVERIFY(files.selectionModel()->selectedIndexes().isEmpty());
        }
    }

private:
    [[nodiscard]] QString path(const char *relative) const { return m_folder.path(relative); }

    ListFolder m_folder;
};

QTEST_MAIN(TestFileList)
#include "tst_filelist.moc"
