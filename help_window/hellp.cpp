// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "help_window/hellp.h"

#include "controls/accessibility.h"
#include "controls/appicon.h"
#include "controls/twips.h"

#include <QPlainTextEdit>
#include <QPushButton>

Hellp::Hellp(QWidget *parent)
    : QWidget(parent), Text1(new QPlainTextEdit(this)), Command1(new QPushButton(tr("Exit"), this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Help"));
    setWindowIcon(appIcon());
    Accessibility::exposeShownChildren(this); // a window of its own to screen readers, not a pane
    createLayout();
    // The editor shows each CR LF as one line break; the text keeps its bytes.
    Text1->setPlainText(helpText());
    connect(Command1, &QPushButton::clicked, this, &Hellp::Command1_Click);
}

Hellp::~Hellp() = default;

void Hellp::createLayout()
{
    // Client area only: the window manager picks the position, and the user may
    // resize the window; the controls keep their places.
    resize(twipsToPixels(7860), twipsToPixels(4815));

    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(tr("Help text"));
    Text1->setGeometry(twipsRect(240, 240, 7215, 3375));
    Text1->setFont(uiFont(9.75));
    Text1->setReadOnly(true);
    // Read-only, yet the caret moves and text can be selected and copied.
    Text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A scroll bar appears only when the wrapped text is taller than the box,
    // so that nothing is reachable by the keyboard alone.
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Text1->setTabChangesFocus(true);

    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(6120, 4080, 1335, 495));
    Command1->setAutoDefault(false);
    Command1->setDefault(false);

    setTabOrder(Text1, Command1);
    Text1->setFocus();
}

void Hellp::Command1_Click()
{
    hide();
}
