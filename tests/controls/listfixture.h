// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the tests of the drive, folder and file lists share: a folder of
// photos with hidden, linked and not-UTF-8 names, and ways to read a list.
#pragma once

#include "base/hosterror.h"
#include "controls/lists.h"
#include "controls/namelistmodel.h"
#include "files/pathcodec.h"
#include "testsupport/testfiles.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

inline QStringList rows(const QListView &view)
{
    QStringList names;
    for (int row = 0; row < view.model()->rowCount(); ++row)
        names.append(view.model()->index(row, 0).data().toString());
    return names;
}

inline QModelIndex rowNamed(const QListView &view, const QString &name)
{
    const QModelIndexList found
        = view.model()->match(view.model()->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly);
    return found.isEmpty() ? QModelIndex() : found.first();
}

inline QPoint centreOf(const QListView &view, const QString &name)
{
    return view.visualRect(rowNamed(view, name)).center();
}

inline QString hostText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// A name holding the byte 0xE9, not valid UTF-8, as the lists show it.
inline const QString latin1Cafe = QStringLiteral("caf") + QChar(char16_t(0xDCE9)) + QStringLiteral(".jpg");
inline const QString replacementCafe = QStringLiteral("caf\uFFFD.jpg");

inline void showOn(QWidget &view)
{
    view.resize(260, 400);
    view.show();
    view.activateWindow(); // so that taking the focus runs the view's own focus handling
    QVERIFY(QTest::qWaitForWindowActive(&view));
}

// /Photos with 2023, 2024 (holding inside.jpg) and a hidden .cache; IMG_10.jpg,
// IMG_2.jpg, img_1.JPG, Notes.txt, a hidden .thumbs.db, two names that look
// alike (one not UTF-8), a link to a file, a dangling link and a link to
// 2024; and an /Empty folder.
class ListFolder
{
public:
    ListFolder() { m_dir.setAutoRemove(false); } // QDir cannot remove the name that is not UTF-8: removeTree does
    ~ListFolder() { TestFiles::removeTree(m_dir.path()); }
    ListFolder(const ListFolder &) = delete;
    ListFolder &operator=(const ListFolder &) = delete;

    void create()
    {
        QVERIFY(m_dir.isValid());
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

    [[nodiscard]] QString path(const char *relative) const { return m_dir.path() + QString::fromUtf8(relative); }

private:
    QTemporaryDir m_dir;
};
