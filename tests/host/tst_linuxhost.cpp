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
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8()); }

    void documentsFolder_data()
    {
        QTest::addColumn<QByteArray>("dirs"); // the user-dirs file
        QTest::addColumn<QByteArray>("expected"); // "~" stands for the home folder
        const QByteArray key = "XDG_DOCUMENTS_DIR=";
        QTest::newRow("none named") << QByteArray("#" + key + "\"/srv/x\"") << QByteArray("~/Documents");
        QTest::newRow("home itself") << QByteArray(key + "\"$HOME\"") << QByteArray("~");
        QTest::newRow("absolute") << QByteArray(key + "\"/srv/papers\"") << QByteArray("/srv/papers");
        QTest::newRow("the last assignment wins")
            << QByteArray(key + "\"$HOME/Old\"\n  " + key + "\"/srv/new\"") << QByteArray("/srv/new");
        QTest::newRow("escapes") << QByteArray(key + "\"$HOME/My \\\"Docs\\\" \\$5\"")
                                 << QByteArray("~/My \"Docs\" $5");
        QTest::newRow("bytes that are not UTF-8") << QByteArray(key + "\"$HOME/caf\xe9\"") << QByteArray("~/caf\xe9");
    }

    void documentsFolder()
    {
        QFETCH(QByteArray, dirs);
        QFETCH(QByteArray, expected);
        QVERIFY(TestFiles::write(m_config.path() + QStringLiteral("/user-dirs.dirs"), dirs + '\n'));
        const passwd *me = getpwuid(geteuid());
        QVERIFY(me && me->pw_name && me->pw_dir);
        LinuxHost host;
        if (expected.startsWith('~'))
            expected.replace(0, 1, QByteArray(me->pw_dir));
        QCOMPARE(QByteArray::fromStdString(encodePath(host.documentsFolder(decodePath(me->pw_name)))), expected);
    }

private:
    QTemporaryDir m_config;
};

QTEST_GUILESS_MAIN(TestLinuxHost)
#include "tst_linuxhost.moc"
