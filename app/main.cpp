// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/linuxhost.h"
#include "main_window/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zindle"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    LinuxHost host;
    Form1 window(host);
    window.show();
    return QApplication::exec();
}
