// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <cstdint>

class Host;
class QLabel;
class QPushButton;
class QTimer;

// The About box: title, version, description and a reminder to read the
// help. Loading it (constructing it) starts a six-second timer that hides it;
// OK and the close box unload (destroy) it.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    // `mainWindow` is shown again when the box goes away; it is not the box's owner.
    frmAbout(Host &host, QWidget *mainWindow, QWidget *parent = nullptr);
    ~frmAbout() override;

    void Form_Load();
    void Timer1_Timer();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void StartSysInfo();
    bool GetKeyValue(const std::int32_t &KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal);

    QLabel *const lblTitle;
    QLabel *const lblVersion;
    QLabel *const lblDescription;
    QLabel *const lblDisclaimer;
    QPushButton *const cmdOK;
    QPushButton *const cmdSysInfo;
    QLabel *const Label1;
    QTimer *const Timer1;

private:
    Host &m_host;
    QWidget *const m_mainWindow;
};
