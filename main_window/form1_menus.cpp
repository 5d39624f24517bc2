// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The menus. The Help menu has one help window and one About box, created on
// first use, shown modeless and without owner, and reused while they exist.
#include "main_window/form1.h"

#include "about_box/frmabout.h"
#include "base/hosterror.h"
#include "help_window/hellp.h"
#include "main_window/previewdecoder.h"
#include "main_window/renamehistory.h"

#include <QAction>

namespace
{
void bringForward(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}
}

Form1::~Form1()
{
    // The focus moves while the controls are destroyed: the scroll area must not follow it then.
    disconnect(m_followFocus);
    // The two windows have no owner; they go with the main window.
    delete m_help;
    delete m_about;
}

Hellp *Form1::helpWindow() const
{
    return m_help;
}

frmAbout *Form1::aboutBox() const
{
    return m_about;
}

void Form1::hep_Click()
{
    ErrorMode::none([&] {
        if (!m_help)
            m_help = new Hellp;
        bringForward(m_help);
    });
}

void Form1::aBout_Click()
{
    ErrorMode::none([&] {
        if (!m_about)
            m_about = new frmAbout(m_host, this);
        bringForward(m_about);
    });
}
