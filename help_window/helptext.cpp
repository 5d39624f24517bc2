// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "help_window/hellp.h"

#include <QStringList>

QString Hellp::helpText()
{
    // Line by line as the page was written, spacing and numbering included
    // (two spaces before "directory", trailing spaces on lines 4 and 11).
    // The heading's indent is layout, not text.
    const QStringList lines {
        QStringLiteral("\t\t") + QString(29, u' ') + tr("Help file"),
        tr("To move and Rename a File"),
        tr("1) chose the Drive and directory you would like to place the ReNamed files in"),
        tr("2) Click the checkbox labeled Hold to lock the destination  directory "),
        tr("5) Find the file you want to rename and click on the file"),
        tr("6) Enter new name in the File Name Textbox then the press Rename Button"),
        QString(),
        tr("To Just Rename a File"),
        tr("1) Chose the Drive, Directory and File you would like to ReName"),
        tr("2) Type the New Name in the File Name Textbox"),
        tr("3)Press ReName Button "),
    };
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}
