// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop host's documents folder, read from the user's XDG user-dirs file.
#include "files/pathcodec.h"
#include "host/linuxhost.h"
#include "testsupport/testfiles.h"

#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

class TestLinuxHost : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void documentsFolder_data()
    {
        QTest::addColumn<QByteArray>("dirs"); // the user-dirs file; "-" for none
        QTest::addColumn<QByteArray>("expected"); // "~" stands for the home folder
        QTest::newRow("no file") << QByteArray("-") << QByteArray("~/Documents");
        QTest::newRow("below home") << QByteArray("XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n") << QByteArray("~/Papers");
        QTest::newRow("home itself") << QByteArray("XDG_DOCUMENTS_DIR=\"$HOME\"\n") << QByteArray("~");
        QTest::newRow("absolute") << QByteArray("XDG_DOCUMENTS_DIR=\"/srv/papers\"\n") << QByteArray("/srv/papers");
        QTest::newRow("the last assignment wins")
            << QByteArray("XDG_DOCUMENTS_DIR=\"$HOME/Old\"\n  XDG_DOCUMENTS_DIR=\"/srv/new\"\n")
            << QByteArray("/srv/new");
        QTest::newRow("commented out") << QByteArray("#XDG_DOCUMENTS_DIR=\"/srv/x\"\n") << QByteArray("~/Documents");
        QTest::newRow("another folder") << QByteArray("XDG_DOCUMENTS_DIRS=\"/srv/x\"\nXDG_DESKTOP_DIR=\"/srv/y\"\n")
                                        << QByteArray("~/Documents");
        QTest::newRow("escaped characters")
            << QByteArray("XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\" \\$5\"\n") << QByteArray("~/My \"Docs\" $5");
        QTest::newRow("bytes that are not UTF-8")
            << QByteArray("XDG_DOCUMENTS_DIR=\"$HOME/caf\xe9\"\n") << QByteArray("~/caf\xe9");
    }

    void documentsFolder()
    {
        QFETCH(QByteArray, dirs);
        QFETCH(QByteArray, expected);
        QTemporaryDir config;
        QVERIFY(config.isValid());
        if (dirs != "-")
            QVERIFY(TestFiles::write(config.path() + QStringLiteral("/user-dirs.dirs"), dirs));
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        const passwd *me = getpwuid(geteuid());
        QVERIFY(me && me->pw_name && me->pw_dir);
        LinuxHost host;
        const std::string found = encodePath(host.documentsFolder(decodePath(me->pw_name)));
        if (saved.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", saved);
        if (expected.startsWith('~'))
            expected.replace(0, 1, QByteArray(me->pw_dir));
        QCOMPARE(QByteArray::fromStdString(found), expected);
    }
};

QTEST_GUILESS_MAIN(TestLinuxHost)
#include "tst_linuxhost.moc"
