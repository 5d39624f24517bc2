// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Vector pictures are drawn in processes of their own, whatever the other
// threads of the program do meanwhile; a drawing that runs too long is killed,
// and no process is left behind.
#include "picturefixture.h"
#include "pictures/drawingprocess.h"

#include <QDirIterator>
#include <QElapsedTimer>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

namespace
{
const QSize SvgSize(1058, 794); // 40 x 30 pixels, in HIMETRIC

// The processes this one started that still exist, and how many of them have ended unreaped; `running` gets the
// ids of those that have not.
std::pair<int, int> childProcesses(QList<pid_t> *running = nullptr)
{
    int alive = 0, zombies = 0;
    const QByteArray parent = QByteArray::number(::getpid());
    QDirIterator processes(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (processes.hasNext()) {
        QFile status(processes.next() + QStringLiteral("/status"));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = status.readAll();
        if (!text.contains(QByteArray("\nPPid:\t" + parent + '\n')))
            continue;
        ++alive;
        const bool ended = text.contains("\nState:\tZ");
        zombies += ended ? 1 : 0;
        if (running && !ended)
            running->append(pid_t(processes.fileName().toInt()));
    }
    return {alive, zombies};
}

// A small valid picture of its own: a gradient, a path and text, a square of `colour` in its top left corner.
QByteArray validSvg(int i, const QByteArray &colour)
{
    const QByteArray n = QByteArray::number(i);
    return svgDocument("<defs><linearGradient id=\"g\"><stop offset=\"0\" stop-color=\"#" + n.rightJustified(6, '3')
        + "\"/><stop offset=\"1\" stop-color=\"white\"/></linearGradient></defs>"
          "<rect x=\"20\" width=\"20\" height=\"30\" fill=\"url(#g)\"/>"
          "<path d=\"M20 30 C"
        + n + " 0 30 15 40 " + QByteArray::number(i % 30)
        + "\" stroke=\"black\" fill=\"none\"/>"
          "<text x=\"22\" y=\"20\" font-size=\"9\">"
        + n + "</text><rect width=\"12\" height=\"12\" fill=\"" + colour + "\"/>");
}
}

class TestDrawingProcess : public PictureTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void drawsEveryValidPictureWhileOtherThreadsPaint();
    void killsWhatDrawsTooLong_data();
    void killsWhatDrawsTooLong();
    void drawsTheNextPictureWhateverBecameOfItsProcess_data();
    void drawsTheNextPictureWhateverBecameOfItsProcess();
    void refusesVectorPicturesWithoutItsDrawingProgram();
};

void TestDrawingProcess::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

// Two threads paint text and allocate all along, as the program's other threads may when a preview starts.
void TestDrawingProcess::drawsEveryValidPictureWhileOtherThreadsPaint()
{
    std::atomic<bool> busy {true};
    const auto paint = [&busy] {
        for (int round = 0; busy; ++round) {
            QImage image(160, 40, QImage::Format_ARGB32_Premultiplied);
            QPainter painter(&image);
            painter.drawText(4, 30, QStringLiteral("round %1").arg(round));
            std::vector<char> block(std::size_t(4096 + round % 65536), char(round));
            (void)block;
        }
    };
    std::thread first(paint), second(paint);
    const QByteArrayList colours {"red", "lime", "blue"};
    QStringList refused;
    for (int i = 0; i < 200; ++i) {
        writeFile(path(QStringLiteral("valid.svg")), validSvg(i, colours[i % 3]));
        try {
            const Picture picture = loadPictureFile(path(QStringLiteral("valid.svg")), Box);
            const QColor corner = picture.image.pixelColor(4, 4);
            if (QSize(picture.Width, picture.Height) != SvgSize
                || corner != QColor(QString::fromLatin1(colours[i % 3])))
                refused.append(QStringLiteral("%1 drawn wrong: %2").arg(i).arg(corner.name()));
        } catch (const HostError &e) {
            refused.append(QStringLiteral("%1: %2").arg(i).arg(e.text()));
        }
    }
    busy = false;
    first.join();
    second.join();
    QVERIFY2(refused.isEmpty(), qPrintable(refused.join(u'\n')));
    QVERIFY(childProcesses().first <= 2); // the one started ahead, and the last to draw, ending
    QVERIFY(childProcesses().second <= 1);
    stopDrawingProcesses();
    QCOMPARE(childProcesses(), std::make_pair(0, 0));
}

void TestDrawingProcess::killsWhatDrawsTooLong_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QByteArray crossing("M0 0");
    quint32 seed = 1;
    const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16 & 31; };
    for (int i = 0; i < 200000; ++i) {
        const quint32 x = next();
        crossing += " L" + QByteArray::number(x) + ' ' + QByteArray::number(next());
    }
    QTest::newRow("path crossing itself 200,000 times, minutes to draw")
        << svgDocument("<path stroke=\"red\" stroke-width=\"0.3\" d=\"" + crossing + "\"/>");
    QTest::newRow("entities that would grow it to 120 MB")
        << svgDocument("<text>" + QByteArray("&b;").repeated(30000) + "</text>",
               "<?xml version=\"1.0\"?>\n<!DOCTYPE svg [<!ENTITY a \"" + QByteArray(100, 'x') + "\"><!ENTITY b \""
                   + QByteArray("&a;").repeated(40) + "\">]>");
}

// Refused within the drawing deadline (750 ms) and the time to clean the document, by a process started ahead.
void TestDrawingProcess::killsWhatDrawsTooLong()
{
    QFETCH(QByteArray, bytes);
    startDrawingProcess();
    QTest::qWait(3000); // time for it to start, even in the sanitizer build
    writeFile(path(QStringLiteral("hostile.svg")), bytes);
    QElapsedTimer clock;
    clock.start();
    QVERIFY_THROWS_EXCEPTION(HostError, (void)loadPictureFile(path(QStringLiteral("hostile.svg")), Box));
    QVERIFY2(clock.elapsed() < 2500, qPrintable(QStringLiteral("refused after %1 ms").arg(clock.elapsed())));
    writeFile(path(QStringLiteral("valid.svg")), validSvg(5, "lime"));
    QCOMPARE(loadPictureFile(path(QStringLiteral("valid.svg")), Box).image.pixelColor(4, 4), QColor(Qt::green));
    stopDrawingProcesses();
    QCOMPARE(childProcesses(), std::make_pair(0, 0));
}

void TestDrawingProcess::drawsTheNextPictureWhateverBecameOfItsProcess_data()
{
    QTest::addColumn<QByteArray>("meanwhile"); // drawn between two pictures; none: the process is killed instead
    QTest::addColumn<bool>("withRequest"); // killed only once it has been sent the next one
    QTest::addColumn<bool>("kept");
    QTest::newRow("a small picture drawn: the same process draws on") << validSvg(7, "lime") << false << true;
    QTest::newRow("killed while it waits") << QByteArray() << false << false;
    QTest::newRow("killed once it has the request, before it answers") << QByteArray() << true << false;
    QTest::newRow("a path of 600,000 points, quick to draw, left it large: it ends by itself")
        << svgDocument("<path fill=\"none\" d=\"M0 0" + QByteArray(" 1 1 0 0").repeated(300000) + "\"/>") << false
        << false;
}

// A process that has drawn draws the next picture too; one that has ended is replaced, and the picture drawn.
void TestDrawingProcess::drawsTheNextPictureWhateverBecameOfItsProcess()
{
    QFETCH(QByteArray, meanwhile);
    QFETCH(bool, withRequest);
    QFETCH(bool, kept);
    const QString valid = path(QStringLiteral("valid.svg")), other = path(QStringLiteral("meanwhile.svg"));
    writeFile(valid, validSvg(3, "blue"));
    QCOMPARE(loadPictureFile(valid, Box).image.pixelColor(4, 4), QColor(Qt::blue));
    QList<pid_t> drawing, after;
    childProcesses(&drawing);
    QCOMPARE(drawing.size(), 1);
    std::jthread killer; // joined on leaving, also when the load throws
    if (withRequest) { // stopped, it takes the request and cannot answer before it is killed
        ::kill(drawing[0], SIGSTOP);
        killer = std::jthread([pid = drawing[0]] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            ::kill(pid, SIGKILL);
        });
    } else if (meanwhile.isEmpty()) {
        ::kill(drawing[0], SIGKILL);
        QTRY_COMPARE(childProcesses().second, 1);
    } else {
        writeFile(other, meanwhile);
        QVERIFY(loadPictureFile(other, Box).Width > 0);
    }
    QCOMPARE(loadPictureFile(valid, Box).image.pixelColor(4, 4), QColor(Qt::blue));
    childProcesses(&after);
    QCOMPARE(after.contains(drawing[0]), kept);
    stopDrawingProcesses();
    QCOMPARE(childProcesses(), std::make_pair(0, 0));
}

// Nothing else changes: other pictures still load, and vector ones again once the program is back.
void TestDrawingProcess::refusesVectorPicturesWithoutItsDrawingProgram()
{
    writeFile(path(QStringLiteral("valid.svg")), validSvg(1, "red"));
    writeFile(path(QStringLiteral("a.png")), encoded(sample(QSize(64, 48)), "png"));
    const QString missing = m_dir.path() + QStringLiteral("/no/draw-svg");
    qputenv(DrawingProgramVariable, QFile::encodeName(missing));
    try {
        (void)loadPictureFile(path(QStringLiteral("valid.svg")), Box);
        QFAIL("drawn without its drawing program");
    } catch (const HostError &e) {
        QCOMPARE(e.number(), ENOENT);
        QVERIFY2(
            e.text().contains(QStringLiteral("drawing program")) && e.text().contains(missing), qPrintable(e.text()));
    }
    QCOMPARE(loadPictureFile(path(QStringLiteral("a.png")), Box).Width, 1693);
    qunsetenv(DrawingProgramVariable);
    QCOMPARE(loadPictureFile(path(QStringLiteral("valid.svg")), Box).Width, SvgSize.width());
    stopDrawingProcesses();
}

QTEST_MAIN(TestDrawingProcess) // the busy threads paint text, which needs a GUI application
#include "tst_drawingprocess.moc"
