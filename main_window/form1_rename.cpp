// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The rename button: renames (and moves) the chosen file to the target path.
#include "main_window/form1.h"

#include "controls/controls.h"
#include "controls/copyprogress.h"
#include "controls/imagebox.h"
#include "controls/lists.h"
#include "host/host.h"

#include <QRegularExpression>

#include <cerrno>

namespace
{
// Why the host refused a rename, in plain words for the second line of the refusal.
QString plainReason(const HostError &error)
{
    switch (error.number()) {
    case EEXIST:
    case ENOTEMPTY:
        return QStringLiteral("A file with that name already exists there; nothing was overwritten.");
    case ENOENT:
        return QStringLiteral("The file, or the folder it should go to, no longer exists.");
    case EACCES:
    case EPERM:
        return QStringLiteral("You are not allowed to change the file or the folder it should go to.");
    case EROFS:
        return QStringLiteral("The folder lies on a read-only disk.");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("There is not enough free space where the file should go.");
    case ENAMETOOLONG:
        return QStringLiteral("The new name is too long.");
    case ECANCELED:
        return QStringLiteral("The move was cancelled; the file stays where it was.");
    case EISDIR:
    case ENOTDIR:
        return QStringLiteral("A folder stands where the file should go.");
    case ENOTSUP:
        return QStringLiteral("That disk cannot take the file without risking an overwrite; nothing was changed.");
    case EXDEV:
        return QStringLiteral("Only files can be moved to another disk.");
    case EAGAIN:
        return QStringLiteral("The file changed while it was being moved; it stays where it was.");
    default:
        return error.text() + u'.';
    }
}

// A name part that would put the file somewhere other than the folder shown.
bool leavesFolder(const QString &part)
{
    return part.contains(u'/') || part.contains(QChar(u'\0'));
}

// Two spellings of one path: a doubled "/" counts once.
bool samePath(QString a, QString b)
{
    static const QRegularExpression doubled(QStringLiteral("//+"));
    return a.replace(doubled, QStringLiteral("/")) == b.replace(doubled, QStringLiteral("/"));
}
}

void Form1::Command1_Click()
{
    ErrorMode::none([&] {
        if (FileChosen == 0)
            m_host.messageBox(QStringLiteral("Chose a File"), MsgBoxStyle::Critical, QStringLiteral("File"));
        bool atTarget = false; // the chosen file now lies at the target path
        if (!Text2->text().isEmpty()) {
            Label2->setText(targetPath());
            if (FileChosen == 1 && ManyDots == 0) {
                OldFile = Label1->text() + File1->FileName();
                NewFile = Label2->text();
                QString reason;
                if (leavesFolder(Text2->text()) || leavesFolder(Text3->text()))
                    reason = QStringLiteral("A name may not contain \"/\".");
                else if (!OldFile.startsWith(u'/') || !NewFile.startsWith(u'/'))
                    reason = QStringLiteral("The destination folder must be a full path, starting with \"/\".");
                else if (samePath(OldFile, NewFile)) {
                    // The file already has that name: nothing to do.
                } else if (const auto error
                    = ErrorMode::testAfter([&] { m_host.rename(OldFile, NewFile, progressDialog(OldFile, NewFile)); }))
                    reason = plainReason(*error);
                if (!reason.isEmpty())
                    m_host.messageBox(QStringLiteral("Error File not Renamed\n") + reason, MsgBoxStyle::Critical,
                        QStringLiteral("Error"));
                atTarget = reason.isEmpty();
            }
            if (ManyDots == 1)
                m_host.messageBox(
                    QStringLiteral("Error File not Renamed"), MsgBoxStyle::Critical, QStringLiteral("Error"));
        }
        // The browsed folder itself may have gone meanwhile; the list then stays as it was.
        ErrorMode::skip([&] { File1->Refresh(); });
        if (!Text2->text().isEmpty())
            Image1->hide();
        FileChosen = 0;
        // After a refusal nothing lies at the target that this press put there: the preview stays hidden.
        if (Text2->text().isEmpty() || atTarget)
            shopic();
    });
}
