// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/sysinfotools.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <optional>

class Host;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;

// The About box: title, version, description and a reminder to read the
// help. Loading it (constructing it) starts a six-second timer that hides it,
// never earlier and never while another handler runs; OK (also Enter and Esc)
// and the close box unload (destroy) it.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    // `mainWindow` is shown again when the box goes away; it is not the box's owner.
    frmAbout(Host &host, QWidget *mainWindow, QWidget *parent = nullptr);
    ~frmAbout() override;

    void Form_Load();
    // Hides the box (it stays loaded) and hands the focus back to the main window; runs once per load.
    void Timer1_Timer();
    // Unloads the box and shows the main window.
    void cmdOK_Click();
    void cmdSysInfo_Click();

    // Finds the system information tool and starts it, or tells the user it is
    // unavailable. Two places are tried in turn: the program the registry names,
    // else the desktop's own, is launched as read; the tool in the folder the
    // registry names, else a known tool on the search path, only where it exists.
    void StartSysInfo();
    // Reads value `SubKeyRef` of key `KeyName` under `KeyRoot` as text into `KeyVal`.
    // False (KeyVal empty) when the key or value is absent, refused or over 1024 bytes;
    // raises HostError when the value holds no data at all. The key never stays open.
    bool GetKeyValue(const std::int32_t &KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal);

    QLabel *const lblTitle;
    QLabel *const lblVersion;
    QLabel *const lblDescription;
    // The etched rule: [1] grey, [0] white and offset one pixel right and down.
    const std::array<QFrame *, 2> Line1;
    QLabel *const lblDisclaimer;
    QPushButton *const cmdOK;
    QPushButton *const cmdSysInfo;
    QLabel *const Label1;
    QTimer *const Timer1;

    // Esc is the cancel key, and cancel here means OK.
    void reject() override;

protected:
    // The close box unloads the box and nothing else: no reject(), no main window.
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void createLayout();
    void placeOnScreen();
    void placeLabel(QLabel *label, const QRect &rect, const QFont &font, const QColor &color);
    // Locates the tool and launches it; false when no place yields one. Host failures propagate.
    bool launchSysInfo(QString &SysInfoPath);
    // The first place: the program the registry names, or the desktop's own.
    std::optional<Command> namedSysInfoTool(QString &SysInfoPath);
    // The second place: the tool in the registry's folder, or the known tools installed on the search path.
    QStringList installedSysInfoTools(QString &SysInfoPath);
    // A tick of Timer1: runs Timer1_Timer once no other handler is running.
    void tick();

    Host &m_host;
    QWidget *const m_mainWindow;
    QTimer *const m_tickWait; // retries a tick that came while another handler ran
    const int m_loadLoopLevel; // the event loop nesting the box was loaded in
    bool m_framed = false; // fitted to the screen with the frame counted
};
