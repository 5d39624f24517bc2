// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up with a path from the command line or a file manager's "Open with".
#include "main_window/form1.h"

#include "controls/lists.h"
#include "host/host.h"

#include <cerrno>

void Form1::openPath(const QString &path)
{
    // A plain, visible file is chosen in its folder; anything else must be a folder to open.
    const QString name = m_host.fileExists(path);
    QString folder = path;
    if (!name.isEmpty()) {
        folder = path.left(path.lastIndexOf(u'/'));
        if (folder.isEmpty())
            folder = QStringLiteral("/");
    }
    if (const auto error = ErrorMode::testAfter([&] { Dir1->setPath(folder); })) {
        // What is there but cannot be opened says why; what is not there is reported as a drive that cannot be opened.
        if (error->number() == ENAMETOOLONG)
            m_host.messageBox(tr("The path is too long to open."), MsgBoxStyle::Critical, tr("Cannot Open"));
        else if (m_host.isSpecialFile(path))
            m_host.messageBox(
                tr("The path is not a folder or a regular file."), MsgBoxStyle::Critical, tr("Cannot Open"));
        else
            m_host.messageBox(tr("Directory does not exist"), MsgBoxStyle::Critical, error->text());
        return;
    }
    Drive1->showVolumeOf(Dir1->Path());
    // Dir1_Change may have failed to list the folder, which it reported; then there is nothing to choose.
    if (name.isEmpty() || File1->Path() != Dir1->Path())
        return;
    File1->setFileName(name);
    File1_Click();
}
