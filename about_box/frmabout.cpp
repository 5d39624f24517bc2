// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "about_box/frmabout.h"

#include "platform/host.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

frmAbout::frmAbout(Host &host, QWidget *mainWindow, QWidget *parent)
    : QDialog(parent)
    , lblTitle(new QLabel(this))
    , lblVersion(new QLabel(this))
    , lblDescription(new QLabel(this))
    , lblDisclaimer(new QLabel(this))
    , cmdOK(new QPushButton(QStringLiteral("OK"), this))
    , cmdSysInfo(new QPushButton(QStringLiteral("&System Info..."), this))
    , Label1(new QLabel(this))
    , Timer1(new QTimer(this))
    , m_host(host)
    , m_mainWindow(mainWindow)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

frmAbout::~frmAbout() = default;

void frmAbout::Form_Load()
{
}
void frmAbout::Timer1_Timer()
{
}
void frmAbout::cmdOK_Click()
{
}
void frmAbout::cmdSysInfo_Click()
{
}
void frmAbout::StartSysInfo()
{
}
bool frmAbout::GetKeyValue(const std::int32_t &, const QString &, const QString &, QString &KeyVal)
{
    KeyVal.clear();
    return false;
}
