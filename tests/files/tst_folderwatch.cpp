// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The folder watch while paused, as during a move: what it keeps, and what it announces after.
#include "files/folderwatch.h"
#include "files/pathcodec.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

class TestFolderWatch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pausedWatchHoldsLittle_data()
    {
        QTest::addColumn<int>("files"); // made and removed again by another program
        QTest::addColumn<bool>("own"); // the program renames a file there too, and forgets it
        QTest::addColumn<int>("kept"); // changes kept once all are read
        QTest::addColumn<int>("announced");
        QTest::newRow("the program's own rename alone") << 0 << true << 0 << 0;
        QTest::newRow("a few changes, kept by name") << 10 << true << 20 << 1;
        QTest::newRow("as many as are kept by name")
            << int(FolderWatch::NamedAtMost) / 2 << false << int(FolderWatch::NamedAtMost) << 1;
        QTest::newRow("one more: only that something changed")
            << int(FolderWatch::NamedAtMost) / 2 + 1 << false << 1 << 1;
        QTest::newRow("a folder churned for long") << 3'000 << true << 1 << 1;
    }

    void pausedWatchHoldsLittle()
    {
        QFETCH(int, files);
        QFETCH(bool, own);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        FolderWatch watch;
        QSignalSpy changed(&watch, &FolderWatch::Changed);
        watch.watch(dir.path());
        watch.pause();
        const std::string folder = encodePath(dir.path());
        if (own) {
            QCOMPARE(::mkdir((folder + "/mine").c_str(), 0755), 0);
            watch.watch(dir.path()); // the program lists the folder with its file
        }
        for (int i = 0; i < files; ++i) {
            const std::string name = folder + "/f" + std::to_string(i);
            QVERIFY(::mkdir(name.c_str(), 0755) == 0 && ::rmdir(name.c_str()) == 0);
            if (i % 500 == 499) { // read now and then, as the window does between events
                QCoreApplication::processEvents();
                QVERIFY2(watch.pendingChanges() <= FolderWatch::NamedAtMost, qPrintable(QString::number(i)));
            }
        }
        if (own) {
            QCOMPARE(std::rename((folder + "/mine").c_str(), (folder + "/ours").c_str()), 0);
            watch.forget(QStringLiteral("mine"), QStringLiteral("ours"));
        }
        QFETCH(int, kept);
        QTRY_COMPARE(int(watch.pendingChanges()), kept);
        if (kept == 1) // and the memory of those by name given back
            QVERIFY2(watch.heldBytes() < 64, qPrintable(QString::number(watch.heldBytes())));
        QTest::qWait(400);
        QCOMPARE(changed.count(), 0);
        watch.resume();
        QTest::qWait(400); // longer than a burst takes to settle
        QTEST(int(changed.count()), "announced");
        QCOMPARE(watch.pendingChanges(), std::size_t(0));
    }
};

QTEST_GUILESS_MAIN(TestFolderWatch)
#include "tst_folderwatch.moc"
