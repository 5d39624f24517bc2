// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "about_box/frmabout.h"

#include "controls/accessibility.h"
#include "controls/appicon.h"
#include "controls/placement.h"
#include "controls/twips.h"
#include "host/host.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace
{
// Three sentences; the runs of spaces make the centred label break between them.
QString description()
{
    return QStringLiteral("  ") + frmAbout::tr("This progam is used to simply, move and or rename of files")
        + QString(14, u' ') + frmAbout::tr("Always work with a copy of the original file") + QString(12, u' ')
        + frmAbout::tr("Tobrin asumes no responsibility for damaged, deleted or corupted files");
}

// The narrowest stretch a line is drawn with; a line wider than that is clipped.
constexpr int MinStretch = 50;

// `font` condensed only as far as the widest of `lines` needs to fit `width`.
QFont condensedToFit(QFont font, const QStringList &lines, qreal width)
{
    const auto widest = [&lines](const QFont &f) {
        const QFontMetricsF metrics(f);
        qreal most = 0;
        for (const QString &line : lines)
            most = std::max(most, metrics.horizontalAdvance(line));
        return most;
    };
    const qreal natural = widest(font);
    if (natural <= width)
        return font;
    int stretch = std::max(MinStretch, static_cast<int>(100 * width / natural));
    font.setStretch(stretch);
    while (stretch > MinStretch && widest(font) > width)
        font.setStretch(--stretch);
    return font;
}

// A centred label that ends a line at each run of spaces, as the description's
// text is laid out, whatever the width of the font that replaces the designed one.
class SentencesLabel : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override
    {
        static const QRegularExpression gap(QStringLiteral(" {2,}"));
        const QStringList lines = text().split(gap, Qt::SkipEmptyParts);
        const QRect box = contentsRect();
        const QFont font = condensedToFit(this->font(), lines, box.width());
        const QFontMetrics metrics(font);
        QPainter painter(this);
        painter.setFont(font);
        painter.setPen(palette().color(QPalette::WindowText));
        QRect line(box.left(), box.top(), box.width(), metrics.height());
        for (const QString &sentence : lines) {
            painter.drawText(line, Qt::AlignHCenter | Qt::AlignTop, sentence);
            line.translate(0, metrics.lineSpacing());
        }
    }
};

QFrame *makeLine(QWidget *parent, const QColor &color)
{
    auto *line = new QFrame(parent);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, color);
    line->setPalette(palette);
    Accessibility::setDecoration(line);
    return line;
}
}

frmAbout::frmAbout(Host &host, QWidget *mainWindow, QWidget *parent)
    : QDialog(parent)
    , lblTitle(new QLabel(this))
    , lblVersion(new QLabel(this))
    , lblDescription(new SentencesLabel(description(), this))
    , Line1 {makeLine(this, Qt::white), makeLine(this, QColor(128, 128, 128))}
    , lblDisclaimer(new QLabel(tr("Copyright © 2026 The Zindle developers. GPL-3.0-or-later."), this))
    , cmdOK(new QPushButton(tr("OK"), this))
    , cmdSysInfo(new QPushButton(tr("&System Info..."), this))
    , Label1(new QLabel(this))
    , Timer1(new QTimer(this))
    , m_host(host)
    , m_mainWindow(mainWindow)
    , m_tickWait(new QTimer(this))
    , m_loadLoopLevel(QThread::currentThread()->loopLevel())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(appIcon());
    // A dialog without owner: title bar with a close box only, no taskbar entry
    // on window managers that honour the dialog type.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint);
    createLayout();
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    connect(Timer1, &QTimer::timeout, this, &frmAbout::tick);
    m_tickWait->setSingleShot(true);
    m_tickWait->setInterval(50);
    connect(m_tickWait, &QTimer::timeout, this, &frmAbout::tick);
    // Loading: the timer starts with every fresh box, never on a later show. A coarse
    // timer may fire up to 5% early; this one must not hide the box before its time.
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(6000);
    Timer1->start();
    Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::placeLabel(QLabel *label, const QRect &rect, const QFont &font, const QColor &color)
{
    label->setGeometry(rect);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    if (color.isValid())
        palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

void frmAbout::createLayout()
{
    setFixedSize(twipsRect(0, 0, 5775, 4590).size());
    placeOnScreen();

    const QFont normal = uiFont(8.25);
    placeLabel(lblTitle, twipsRect(930, 240, 3885, 480), uiFont(8.25, true), Qt::black);
    placeLabel(lblVersion, twipsRect(930, 780, 3885, 225), normal, QColor());
    placeLabel(lblDescription, twipsRect(240, 1320, 5205, 930), uiFont(8.25, true), Qt::black);
    placeLabel(lblDisclaimer, twipsRect(255, 2625, 3870, 825), normal, Qt::black);
    placeLabel(Label1, twipsRect(240, 3720, 5295, 735), uiFont(12, true), QColor(0, 0, 128));

    // From 90,2445 to 5654,2445 (grey) and from 105,2460 to 5654,2460 (white, 2 pixels).
    Line1[1]->setGeometry(twipsToPixels(90), twipsToPixels(2445), twipsToPixels(5654 - 90), 1);
    Line1[0]->setGeometry(twipsToPixels(105), twipsToPixels(2460), twipsToPixels(5654 - 105), 2);

    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(4245, 2625, 1260, 345));
    cmdOK->setDefault(true);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(twipsRect(4260, 3075, 1245, 345));
    setTabOrder(cmdOK, cmdSysInfo);
    cmdOK->setFocus();
}

void frmAbout::Form_Load()
{
    const AppInfo App = m_host.app();
    setWindowTitle(tr("About %1").arg(App.Title));
    lblVersion->setText(tr("Version %1.%2.%3").arg(App.Major).arg(App.Minor).arg(App.Revision));
    lblTitle->setText(App.Title);
    Label1->setText(tr("Please read the help file before using the program"));
}

namespace
{
void showMainWindow(QWidget *mainWindow)
{
    if (!mainWindow)
        return;
    mainWindow->show();
    mainWindow->raise();
    mainWindow->activateWindow();
}
}

void frmAbout::tick()
{
    if (!Timer1->isActive())
        return; // stopped meanwhile
    // A handler that waits for the user in a message box runs an event loop of its own,
    // where this tick can arrive: it waits until that handler has ended.
    if (QThread::currentThread()->loopLevel() > m_loadLoopLevel || QApplication::activeModalWidget()) {
        m_tickWait->start();
        return;
    }
    Timer1_Timer();
}

void frmAbout::Timer1_Timer()
{
    ErrorMode::none([&] {
        hide();
        showMainWindow(m_mainWindow);
        Timer1->stop();
    });
}

void frmAbout::cmdOK_Click()
{
    ErrorMode::none([&] {
        close(); // deletes the box, and its timer with it, once control returns to the event loop
        showMainWindow(m_mainWindow);
    });
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::reject()
{
    cmdOK_Click();
}

void frmAbout::closeEvent(QCloseEvent *event)
{
    Timer1->stop();
    event->accept();
}

bool frmAbout::event(QEvent *event)
{
    if (firstFramed(*this, *event, m_framed))
        placeOnScreen();
    return QDialog::event(event);
}

void frmAbout::placeOnScreen()
{
    // Fixed size and place: the client area's corner at 2340, 1935 twips on the screen, moved
    // onto a screen too small to show it all there.
    ::placeOnScreen(*this, twipsRect(2340, 1935, 5775, 4590));
}
