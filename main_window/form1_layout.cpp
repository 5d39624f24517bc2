// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's fixed layout: every control at its place in twips, its
// font, its accessible name and its place in the tab order.
#include "main_window/form1.h"

#include "controls/accessibility.h"
#include "controls/appicon.h"
#include "controls/controls.h"
#include "controls/imagebox.h"
#include "controls/lists.h"
#include "controls/placement.h"
#include "controls/twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>

#include <utility>

namespace
{
// The fonts of the window: F1 is the default.
QFont F1()
{
    return uiFont(8.25);
}
QFont F2()
{
    return uiFont(9.75);
}
QFont F3()
{
    return uiFont(12, true);
}
QFont F4()
{
    return uiFont(13.5);
}

void place(QWidget *control, const char *name, int left, int top, int width, int height, const QFont &font)
{
    control->setObjectName(QLatin1String(name));
    control->setGeometry(twipsRect(left, top, width, height));
    control->setFont(font);
}

// A plain rectangle outline that groups the frame's contents.
void outline(QFrame *shape, const char *name, int left, int top, int width, int height)
{
    place(shape, name, left, top, width, height, F1());
    shape->setFrameShape(QFrame::Box);
    shape->setFrameShadow(QFrame::Plain);
    shape->setLineWidth(1);
}

void hideScratch(TextBox *box, const char *name, int left, int top, int width, int height, const QString &text)
{
    place(box, name, left, top, width, height, F1());
    box->setText(text);
    box->setFocusPolicy(Qt::NoFocus);
    box->hide(); // scratch values, never shown
}
}

void Form1::createLayout()
{
    setWindowTitle(QStringLiteral("Zindle"));
    setWindowIcon(appIcon());
    setFont(F1());
    scrollClientArea();

    place(Label9, "Label9", 360, 1080, 2535, 255, F2());
    place(Drive1, "Drive1", 120, 1380, 2895, 360, F2());
    place(Dir1, "Dir1", 120, 1680, 2895, 3600, F2());
    place(Label10, "Label10", 3360, 1080, 2295, 255, F2());
    place(File1, "File1", 3120, 1410, 3015, 3870, F2());
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setLeft(6360);
    Image1->setTop(1215);
    Image1->setWidth(7230);
    Image1->setHeight(4455);

    place(Frame1, "Frame1", 360, 6225, 13215, 1575, F1());
    Frame1->setTitle(tr("Move and Rename"));
    outline(Shape2, "Shape2", 120, 570, 5355, 720);
    outline(Shape1, "Shape1", 5490, 570, 3450, 720);
    outline(Shape3, "Shape3", 8970, 570, 1215, 720);
    place(Label6, "Label6", 120, 600, 495, 255, F1());
    place(Label5, "Label5", 1725, 585, 2415, 375, F1());
    place(Label3, "Label3", 5880, 600, 1455, 255, F1());
    place(Label4, "Label4", 9090, 600, 975, 255, F1());

    // These lie over the frame but belong to the window, above it.
    place(Check1, "Check1", 600, 7080, 255, 375, F1());
    place(Text5, "Text5", 930, 7080, 4845, 405, F2());
    place(Text2, "Text2", 5880, 7080, 3255, 375, F2());
    place(Text3, "Text3", 9420, 7080, 975, 375, F2());
    place(Command1, "Command1", 10635, 6780, 2820, 735, F4());
    place(Label7, "Label7", 2640, 7920, 1935, 375, F3());
    place(Label1, "Label1", 720, 8400, 5775, 1095, F2());
    place(Label8, "Label8", 9480, 7920, 1455, 375, F3());
    place(Label2, "Label2", 7200, 8400, 6135, 1095, F2());
    hideScratch(Text6, "Text6", 5040, 240, 1335, 285, {});
    hideScratch(Text4, "Text4", 4920, 5760, 2415, 405, QStringLiteral("Text4"));
    hideScratch(Text1, "Text1", 9360, 5760, 2295, 375, QStringLiteral("1"));

    // A path can be no longer than the system allows; this also keeps every
    // position within the target path inside the 16-bit window variables.
    for (TextBox *box : {Text2, Text3, Text5})
        box->setMaxLength(4096);

    // What a screen reader announces: the caption beside each control names it;
    // the source and target paths are values, read out as the labels' own text.
    for (const auto &[caption, control] : {std::pair<Label *, QWidget *> {Label9, Dir1}, {Label10, File1},
             {Label5, Text5}, {Label3, Text2}, {Label4, Text3}, {Label6, Check1}, {Label7, Label1}, {Label8, Label2}}) {
        caption->setBuddy(control);
        if (!qobject_cast<Label *>(control))
            control->setAccessibleName(caption->text());
    }
    File1->setAccessibleName(tr("Files")); // "File Name" is the base-name box
    Drive1->setAccessibleName(tr("Drive"));
    Image1->setAccessibleName(tr("Preview"));
    Text2->setAccessibleDescription(tr("New base name of the file"));
    // Only what a person sees: neither the outlines nor the hidden boxes.
    Accessibility::exposeShownChildren(central);
    for (QFrame *shape : {Shape1, Shape2, Shape3})
        Accessibility::setDecoration(shape);
    // Enter on the focused button presses it, as Space does.
    Command1->setAutoDefault(true);

    QWidget::setTabOrder(Dir1, File1);
    QWidget::setTabOrder(File1, Command1);
    QWidget::setTabOrder(Command1, Text2);
    QWidget::setTabOrder(Text2, Text3);
    QWidget::setTabOrder(Text3, Drive1);
    QWidget::setTabOrder(Drive1, Text5);
    QWidget::setTabOrder(Text5, Check1);
    Dir1->setFocus();

    placeOnScreen();
}

void Form1::scrollClientArea()
{
    // The client area keeps its designed size; on a screen too small for it, the window
    // shrinks and the area scrolls. Where it fits, no frame and no scroll bar show.
    auto *scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("scroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus); // Tab goes from control to control, as before
    central->setObjectName(QStringLiteral("central"));
    central->setFixedSize(twipsToPixels(13860), twipsToPixels(9660));
    scroller->setWidget(central);
    setCentralWidget(scroller);
    // The control that takes the focus, by a click, a key or the program, scrolls wholly into view.
    m_followFocus = connect(qApp, &QApplication::focusChanged, scroller, [scroller](QWidget *, QWidget *now) {
        const QWidget *content = scroller->widget();
        if (!now || !content || !content->isAncestorOf(now))
            return;
        const QRect area(now->mapTo(content, QPoint()), now->size());
        scroller->ensureVisible(area.center().x(), area.center().y(), area.width() / 2 + 1, area.height() / 2 + 1);
    });
}

void Form1::placeOnScreen()
{
    // The client area, below the menu bar, has its corner at 1590, 1830 twips on the screen;
    // a screen too small for the window gets it shrunk to its available area.
    const int menuHeight = menuBar()->isNativeMenuBar() ? 0 : menuBar()->sizeHint().height();
    const QRect placed(
        twipsToPixels(1590), twipsToPixels(1830) - menuHeight, twipsToPixels(13860), twipsToPixels(9660) + menuHeight);
    ::placeOnScreen(*this, placed, style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

bool Form1::event(QEvent *event)
{
    if (firstFramed(*this, *event, m_framed))
        placeOnScreen();
    return QMainWindow::event(event);
}

void Form1::createMenus()
{
    fIle->setObjectName(QStringLiteral("fIle"));
    exIt->setObjectName(QStringLiteral("exIt"));
    heLp->setObjectName(QStringLiteral("heLp"));
    hep->setObjectName(QStringLiteral("hep"));
    aBout->setObjectName(QStringLiteral("aBout"));
    // Exit ends the program from whichever of its windows is active.
    exIt->setShortcutContext(Qt::ApplicationShortcut);
    undoRename->setObjectName(QStringLiteral("undoRename"));
    redoRename->setObjectName(QStringLiteral("redoRename"));
    fIle->insertAction(exIt, undoRename);
    fIle->insertAction(exIt, redoRename);
    fIle->insertSeparator(exIt);
    // A box with typing of its own to undo or redo takes the keys first (see TextBox).
    refresh->setObjectName(QStringLiteral("refresh"));
    updateActions();
    connect(exIt, &QAction::triggered, this, &Form1::exIt_Click);
    connect(undoRename, &QAction::triggered, this, &Form1::undoRename_Click);
    connect(redoRename, &QAction::triggered, this, &Form1::redoRename_Click);
    connect(refresh, &QAction::triggered, this, &Form1::refreshLists);
    connect(hep, &QAction::triggered, this, &Form1::hep_Click);
    connect(aBout, &QAction::triggered, this, &Form1::aBout_Click);
}
