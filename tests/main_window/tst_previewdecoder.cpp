// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading ahead: pictures decoded before they are asked for answer the request at
// once, at most two are kept besides the one shown, and a file replaced meanwhile
// is decoded again.
#include "main_window/previewdecoder.h"
#include "testsupport/fakehost.h"
#include "testsupport/testfiles.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

class TestPreviewDecoder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readAhead_data()
    {
        QTest::addColumn<QString>("steps"); // ahead:NAMES, request:NAME, replace:NAME, wait, forget; n is no picture
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QString>("handed"); // the pictures handed over, in order
        // clang-format off
        QTest::newRow("a picture read ahead answers at once") << "ahead:b,c wait request:b" << "b c" << "b";
        QTest::newRow("two ahead at most") << "ahead:b,c,d wait" << "b c" << "";
        QTest::newRow("what is still wanted is kept") << "ahead:b,c wait ahead:c,d wait request:c" << "b c d" << "c";
        QTest::newRow("what is no longer wanted is not") << "ahead:b,c wait ahead:c,d wait request:b wait" << "b c d b" << "b";
        QTest::newRow("the picture shown is kept") << "request:a ahead:b wait request:b ahead:a,c wait request:a" << "a b c" << "a b a";
        QTest::newRow("not without reading ahead") << "request:a wait request:a wait" << "a a" << "a a";
        QTest::newRow("a request takes the decode under way") << "ahead:b request:b wait" << "b" << "b";
        QTest::newRow("a request goes first") << "ahead:b,c request:a wait" << "b a c" << "a";
        QTest::newRow("forgotten with the folder") << "ahead:b wait forget request:b wait" << "b b" << "b";
        QTest::newRow("a file replaced meanwhile") << "ahead:b wait replace:b request:b wait" << "b b" << "b";
        QTest::newRow("no picture is read once") << "ahead:n wait request:n wait" << "n" << "";
        // clang-format on
    }

    void readAhead()
    {
        QFETCH(QString, steps);
        QTemporaryDir dir;
        const auto path = [&](const QString &name) -> QString {
            return dir.path() + u'/' + name
                + (name == QLatin1String("n") ? QStringLiteral(".txt") : QStringLiteral(".png"));
        };
        for (const char *name : {"a", "b", "c", "d"})
            QVERIFY(QImage(4, 3, QImage::Format_RGB32).save(path(QLatin1String(name))));
        QVERIFY(TestFiles::write(path(QStringLiteral("n")), "text"));
        FakeHost host;
        PreviewDecoder decoder(host);
        const QSize box(40, 30);
        QStringList handed;
        for (const QString &step : steps.split(u' ')) {
            const QString argument = step.section(u':', 1);
            if (step == QLatin1String("wait")) {
                QTRY_VERIFY(!decoder.busy());
            } else if (step == QLatin1String("forget")) {
                decoder.forget();
            } else if (step.startsWith(QLatin1String("ahead:"))) {
                QStringList paths;
                for (const QString &name : argument.split(u','))
                    paths.append(path(name));
                decoder.readAhead(paths, box);
            } else if (step.startsWith(QLatin1String("replace:"))) {
                QVERIFY(QImage(4, 3, QImage::Format_RGB32).save(path(QStringLiteral("new"))));
                QVERIFY(QFile::remove(path(argument)) && QFile::rename(path(QStringLiteral("new")), path(argument)));
            } else {
                decoder.request(path(argument), box, [&handed, argument](Picture &) { handed.append(argument); });
            }
        }
        QTRY_VERIFY(!decoder.busy());
        QStringList loaded;
        for (const QString &file : std::as_const(host.loadedPictures))
            loaded.append(file.section(u'/', -1).section(u'.', 0, 0));
        QTEST(loaded.join(u' '), "loaded");
        QTEST(handed.join(u' '), "handed");
    }
};

QTEST_GUILESS_MAIN(TestPreviewDecoder)
#include "tst_previewdecoder.moc"
