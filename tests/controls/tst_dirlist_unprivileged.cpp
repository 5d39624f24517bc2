// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The folder list on a folder that only a user without root's rights may not open: run as
// root, ctest starts this program as the user nobody (unprivileged.sh).
#include "listfixture.h"

class TestDirListUnprivileged : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (::geteuid() == 0)
            QSKIP("Root opens every folder: run through ctest, which starts this program as the user nobody");
        m_folder.create();
    }

    void dirListKeepsAFolderItMayNotOpen()
    {
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

private:
    [[nodiscard]] QString path(const char *relative) const { return m_folder.path(relative); }

    ListFolder m_folder;
};

QTEST_MAIN(TestDirListUnprivileged)
#include "tst_dirlist_unprivileged.moc"
