// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up with a path from the command line or a file manager's "Open with".
#include "main_window/form1.h"

#include "controls/lists.h"
#include "host/host.h"

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
        m_host.messageBox(QStringLiteral("Directory does not exist"), MsgBoxStyle::Critical, error->text());
        return;
    }
    Drive1->showVolumeOf(Dir1->Path());
    // Dir1_Change may have failed to list the folder, which it reported; then there is nothing to choose.
    if (name.isEmpty() || File1->Path() != Dir1->Path())
        return;
    File1->setFileName(name);
    File1_Click();
}
