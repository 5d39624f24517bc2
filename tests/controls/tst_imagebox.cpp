// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/imagebox.h"

#include <QPixmap>
#include <QTest>

namespace
{
// Left half `left`, right half `right`.
Picture twoColours(QColor left, QColor right)
{
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixelColor(0, 0, left);
    image.setPixelColor(1, 0, right);
    return Picture {53, 26, image};
}

// Whether the box shows `colour` at (x, y); smooth scaling may be a step off in each channel.
bool shows(ImageBox &box, int x, int y, QColor colour)
{
    const QColor shown = box.grab().toImage().pixelColor(x, y);
    return qAbs(shown.red() - colour.red()) <= 2 && qAbs(shown.green() - colour.green()) <= 2
        && qAbs(shown.blue() - colour.blue()) <= 2;
}
}

class TestImageBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placesItselfByTwips();
    void stretchesThePictureOverItsWholeSize();
    void showsANewPictureInPlaceOfTheOld();
    void redrawsAtANewSize();
};

void TestImageBox::placesItselfByTwips()
{
    QWidget window;
    auto *box = new ImageBox(&window);
    box->setLeft(6360);
    box->setTop(1325.5f);
    box->setWidth(7233.78f);
    box->setHeight(4069);
    QCOMPARE(box->Left(), 6360);
    QCOMPARE(box->Top(), 1325.5f);
    QCOMPARE(box->geometry(), QRect(424, 88, 482, 271));
}

void TestImageBox::stretchesThePictureOverItsWholeSize()
{
    ImageBox box;
    box.setWidth(3000);
    box.setHeight(1500);
    box.setPicture(twoColours(Qt::red, Qt::blue));
    QCOMPARE(box.size(), QSize(200, 100));
    QVERIFY(shows(box, 2, 2, Qt::red));
    QVERIFY(shows(box, 2, 97, Qt::red));
    QVERIFY(shows(box, 197, 97, Qt::blue));
}

void TestImageBox::showsANewPictureInPlaceOfTheOld()
{
    ImageBox box;
    box.setWidth(1500);
    box.setHeight(1500);
    box.setPicture(twoColours(Qt::red, Qt::blue));
    QVERIFY(shows(box, 5, 50, Qt::red));
    box.setPicture(twoColours(Qt::green, Qt::green));
    QCOMPARE(box.picture().Width, 53);
    QVERIFY(shows(box, 5, 50, Qt::green));
    QVERIFY(shows(box, 95, 50, Qt::green));
}

void TestImageBox::redrawsAtANewSize()
{
    ImageBox box;
    box.setWidth(1500);
    box.setHeight(1500);
    box.setPicture(twoColours(Qt::red, Qt::blue));
    QVERIFY(shows(box, 90, 50, Qt::blue));
    box.setWidth(6000);
    QCOMPARE(box.width(), 400);
    QVERIFY(shows(box, 50, 50, Qt::red));
    QVERIFY(shows(box, 390, 50, Qt::blue));
}

QTEST_MAIN(TestImageBox)
#include "tst_imagebox.moc"
