// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The picture preview: the fit into the preview box, worked through the
// hidden boxes exactly, and its behaviour with real picture files.
#include "controls/controls.h"
#include "controls/imagebox.h"
#include "controls/lists.h"
#include "main_window/form1.h"
#include "testsupport/fakehost.h"
#include "testsupport/testfiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QPushButton>
#include <QScopeGuard>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

class TestForm1Preview : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void init()
    {
        m_host = std::make_unique<FakeHost>();
        m_host->documents.insert(QStringLiteral("maria"), m_dir.path());
        m_window = std::make_unique<Form1>(*m_host);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void fit_data()
    {
        QTest::addColumn<QSize>("picture"); // W x H in HIMETRIC
        QTest::addColumn<bool>("afterRename"); // shopic rather than the click
        QTest::addColumn<QString>("text1");
        QTest::addColumn<QString>("text4");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("width");
        for (const bool rename : {false, true}) {
            const char *routine = rename ? "shopic" : "click";
            QTest::addRow("4:3, %s", routine) << QSize(8000, 6000) << rename << "1.13015625"
                                              << "0" << 960.0 << 4800.0 << 6400.0;
            QTest::addRow("3:4, %s", routine) << QSize(6000, 8000) << rename << "2.00916666666667"
                                              << "0" << 960.0 << 4800.0 << 3600.0;
            QTest::addRow("square, %s", routine) << QSize(10000, 10000) << rename << "1.506875"
                                                 << "0" << 960.0 << 4800.0 << 4800.0;
        }
        QTest::addRow("16:9, click") << QSize(16000, 9000) << false << "0.8476171875"
                                     << "365.5" << 1325.5 << 4069.0 << 7233.7778;
        QTest::addRow("16:9, shopic") << QSize(16000, 9000) << true << "0.8476171875"
                                      << "365.71875" << 1325.71875 << 4068.5625 << 7233.0;
    }

    void fit()
    {
        QFETCH(QSize, picture);
        QFETCH(bool, afterRename);
        QFETCH(double, top);
        QFETCH(double, height);
        QFETCH(double, width);
        Form1 &w = *m_window;
        m_host->pictureSize = picture;
        if (afterRename) {
            w.Label2->assignCaption(m_dir.path() + QStringLiteral("/a.jpg"));
            w.shopic();
            QTRY_VERIFY(!w.previewPending());
        } else {
            clickFile(QStringLiteral("a.jpg"));
        }
        QTEST(w.Text1->text(), "text1");
        QTEST(w.Text4->text(), "text4");
        QCOMPARE(w.Image1->Left(), 6360);
        QCOMPARE(w.Image1->Top(), float(top));
        QCOMPARE(w.Image1->Height(), float(height));
        QVERIFY2(qAbs(w.Image1->Width() - width) < 0.001, qPrintable(QString::number(w.Image1->Width())));
        QVERIFY(w.Image1->isVisible());
        QCOMPARE(QApplication::focusWidget(), w.Text2);
        QCOMPARE(w.Text2->selectedText(), w.Text2->text());
    }

    void failuresPartWay_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<bool>("ratioWritten");
        QTest::newRow("zero width") << QSize(0, 6000) << false;
        QTest::newRow("zero height") << QSize(8000, 0) << false;
        QTest::newRow("display height rounds to 0") << QSize(20000000, 1000) << true;
    }

    void failuresPartWay()
    {
        QFETCH(QSize, picture);
        QFETCH(bool, ratioWritten);
        Form1 &w = *m_window;
        m_host->pictureSize = QSize(8000, 6000);
        clickFile(QStringLiteral("a.jpg"));
        w.Image1->hide();
        w.Command1->setText(QStringLiteral("kept"));
        w.Text3->setFocus();

        m_host->pictureSize = picture;
        clickFile(QStringLiteral("b.jpg"));
        QVERIFY(w.Image1->isVisible()); // shown again before the arithmetic failed
        QCOMPARE(w.Image1->Width(), 6400.0f);
        QCOMPARE(w.Image1->Height(), 4800.0f);
        QCOMPARE(w.Text1->text() != QStringLiteral("1.13015625"), ratioWritten);
        QCOMPARE(w.Text4->text(), QStringLiteral("0"));
        // The click itself completes: the name is ready for editing and the caption follows the rule.
        QCOMPARE(w.Command1->text(), QStringLiteral("Rename"));
        QCOMPARE(QApplication::focusWidget(), w.Text2);
        QCOMPARE(w.Text2->selectedText(), QStringLiteral("b"));
    }

    void smallDisplayHeightIsNotRoundedAfterARename()
    {
        Form1 &w = *m_window;
        m_host->pictureSize = QSize(20000000, 1000);
        w.Label2->assignCaption(m_dir.path() + QStringLiteral("/a.jpg"));
        w.shopic();
        QTRY_VERIFY(!w.previewPending());
        QVERIFY(w.Image1->Height() > 0 && w.Image1->Height() < 1);
    }

    void sourceOfThePicture_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("held");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("not held: the target path") << "/tmp" << false << "/tmp/a.jpg";
        QTest::newRow("held: the clicked file") << "/tmp" << true << "/tmp/a.jpg";
        QTest::newRow("held, in the root") << "/" << true << "//a.jpg";
    }

    void sourceOfThePicture()
    {
        QFETCH(QString, folder);
        QFETCH(bool, held);
        Form1 &w = *m_window;
        m_host->pictureSize = QSize(8000, 6000);
        w.Dir1->setPath(folder);
        w.Check1->setChecked(held);
        if (held)
            w.Text5->assignText(m_dir.path() + u'/');
        clickFile(QStringLiteral("a.jpg"));
        QVERIFY(!m_host->loadedPictures.isEmpty()); // the click's picture first, then those read ahead
        QTEST(m_host->loadedPictures.constFirst(), "loaded");
    }

    void realPictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("height");
        QTest::newRow("4:3 PNG") << "four-three.png" << QSize(640, 480) << 960.0 << 4800.0;
        QTest::newRow("4:3 JPEG") << "four-three.jpg" << QSize(640, 480) << 960.0 << 4800.0;
        QTest::newRow("16:9 PNG") << "wide.png" << QSize(1600, 900) << 1325.5 << 4069.0;
        QTest::newRow("16:9 JPEG") << "wide.jpg" << QSize(1600, 900) << 1325.5 << 4069.0;
    }

    void realPictures()
    {
        QFETCH(QString, name);
        QFETCH(QSize, pixels);
        QFETCH(double, top);
        QFETCH(double, height);
        QImage image(pixels, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QVERIFY(image.save(m_dir.path() + u'/' + name));
        Form1 &w = *m_window;
        w.Dir1->setPath(m_dir.path());
        clickFile(name);
        QCOMPARE(w.Image1->Top(), float(top));
        QCOMPARE(w.Image1->Height(), float(height));
        // The picture's size arrives in whole HIMETRIC units, so its proportions are those of the rounded size.
        const auto himetric = [](int count) { return std::round(count * 2540.0 / 96.0); };
        const double width = himetric(pixels.width()) / himetric(pixels.height()) * height;
        QVERIFY2(qAbs(w.Image1->Width() - width) < 0.01, qPrintable(QString::number(w.Image1->Width())));
        QVERIFY(!w.Image1->picture().image.isNull());
        QCOMPARE(w.Command1->text(), QStringLiteral("Rename"));
    }

    // A document is no picture: the previous picture stays, and the click ends as any other,
    // ready for typing the new name, with the caption of its own destination.
    void nonPictureAfterAPicture_data()
    {
        QTest::addColumn<bool>("held");
        QTest::addColumn<QString>("caption");
        QTest::newRow("in place") << false << "Rename";
        QTest::newRow("held elsewhere") << true << "Rename and Move";
    }

    void nonPictureAfterAPicture()
    {
        QFETCH(bool, held);
        Form1 &w = *m_window;
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(m_dir.path() + QStringLiteral("/shown.png")));
        QVERIFY(TestFiles::write(m_dir.path() + QStringLiteral("/notes.txt"), "just text"));
        w.Dir1->setPath(m_dir.path());
        clickFile(QStringLiteral("shown.png"));
        const QImage shown = w.Image1->picture().image;
        QVERIFY(!shown.isNull());
        w.Check1->setChecked(held);
        if (held)
            w.Text5->assignText(QStringLiteral("/tmp/"));
        w.Command1->setText(QStringLiteral("kept"));
        w.File1->setFocus();

        clickFile(QStringLiteral("notes.txt"));
        QCOMPARE(w.Text2->text(), QStringLiteral("notes")); // the split still happens
        QCOMPARE(w.Image1->picture().image, shown);
        QTEST(w.Command1->text(), "caption");
        QCOMPARE(QApplication::focusWidget(), w.Text2);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("minutes")); // replaces the selected name
        QCOMPARE(w.Text2->text(), QStringLiteral("minutes"));
        QCOMPARE(w.File1->FileName(), QStringLiteral("notes.txt"));
    }

    // Pictures decode off the window's thread: a click ends ready for typing at once,
    // the previous picture stays meanwhile, and only the newest request is shown.
    void decodesOffTheWindowsThread_data()
    {
        QTest::addColumn<QString>("next"); // clicked while a.png decodes; "press": the button, refused
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QString>("shown"); // "": the picture from before a.png; "hidden"
        QTest::newRow("a later click replaces one waiting") << "b.png c.png"
                                                            << "a.png c.png"
                                                            << "c.png";
        QTest::newRow("a later file that is no picture") << "notes.txt"
                                                         << "a.png notes.txt"
                                                         << "";
        QTest::newRow("a press hides the preview for good") << "press"
                                                            << "a.png"
                                                            << "hidden";
    }

    void decodesOffTheWindowsThread()
    {
        QFETCH(QString, next);
        QFETCH(QString, loaded);
        QFETCH(QString, shown);
        Form1 &w = *m_window;
        const std::pair<const char *, Qt::GlobalColor> pictures[]
            = {{"first", Qt::red}, {"a", Qt::green}, {"b", Qt::blue}, {"c", Qt::yellow}};
        for (const auto &[name, colour] : pictures) {
            QImage image(40, 30, QImage::Format_RGB32);
            image.fill(colour);
            QVERIFY(image.save(m_dir.path() + u'/' + QLatin1String(name) + QLatin1String(".png")));
        }
        QVERIFY(TestFiles::write(m_dir.path() + QStringLiteral("/notes.txt"), "just text"));
        w.File1->Refresh();
        w.setReadAhead(false); // each load below is then one a click asked for
        clickFile(QStringLiteral("first.png"));
        const auto shownColour = [&] { return w.Image1->picture().image.pixelColor(0, 0); };
        QSemaphore gate;
        const auto open = qScopeGuard([&] { gate.release(100); });
        m_host->loadedPictures.clear();
        m_host->whileLoading = [&](const QString &path) {
            if (path.endsWith(QLatin1String("/a.png")))
                gate.acquire();
        };

        w.File1->setFileName(QStringLiteral("a.png"));
        w.File1_Click();
        QCOMPARE(QApplication::focusWidget(), w.Text2);
        QCOMPARE(w.Text2->selectedText(), QStringLiteral("a"));
        QCOMPARE(w.Command1->text(), QStringLiteral("Rename"));
        QCOMPARE(shownColour(), QColor(Qt::red));
        for (const QString &name : next.split(u' ')) {
            if (name == QLatin1String("press")) {
                w.Text2->assignText(QStringLiteral("x.y")); // one dot too many: refused
                w.Command1_Click();
            } else {
                w.File1->setFileName(name);
                w.File1_Click();
            }
        }
        gate.release();
        QTRY_VERIFY(!w.previewPending());
        QStringList names;
        for (const QString &path : std::as_const(m_host->loadedPictures))
            names.append(path.section(u'/', -1));
        QCOMPARE(names.join(u' '), loaded);
        QCOMPARE(w.Image1->isHidden(), shown == QLatin1String("hidden"));
        if (!w.Image1->isHidden())
            QCOMPARE(shownColour(), shown.isEmpty() ? QColor(Qt::red) : QColor(Qt::yellow));
    }

private:
    void clickFile(const QString &name)
    {
        m_window->File1->setFileName(name);
        m_window->File1_Click();
        QTRY_VERIFY(!m_window->previewPending());
    }

    QTemporaryDir m_dir;
    std::unique_ptr<FakeHost> m_host;
    std::unique_ptr<Form1> m_window;
};

QTEST_MAIN(TestForm1Preview)
#include "tst_form1_preview.moc"
