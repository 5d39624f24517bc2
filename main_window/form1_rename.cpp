// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The rename button: renames (and moves) the chosen file to the target path.
#include "main_window/form1.h"

#include "controls/controls.h"
#include "controls/copyprogress.h"
#include "controls/imagebox.h"
#include "controls/lists.h"
#include "controls/recentfolders.h"
#include "host/host.h"
#include "main_window/previewdecoder.h"
#include "main_window/renamehistory.h"

#include <QApplication>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTimer>

#include <algorithm>
#include <cerrno>

namespace
{
// How many bytes `text` takes as a name on disk: UTF-8, with each escaped byte
// (U+DC80..U+DCFF, as names are read) one byte.
qsizetype bytesOnDisk(QStringView text)
{
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            bytes += 4, ++i;
        else
            bytes += u < 0x80 || (u >= 0xDC80 && u <= 0xDCFF) ? 1 : u < 0x800 ? 2 : 3;
    }
    return bytes;
}

// True when `target` is too long because of its folder: the whole path is
// beyond what the system takes, or one of its folders' names is.
bool folderTooLong(const QString &target)
{
    constexpr qsizetype longestPath = 4095, longestName = 255; // PATH_MAX without its NUL, NAME_MAX
    const QStringList folders = target.section(u'/', 0, -2).split(u'/');
    return bytesOnDisk(target) > longestPath
        || std::any_of(folders.begin(), folders.end(), [](const QString &f) { return bytesOnDisk(f) > longestName; });
}

// The program's own failure in plain words; it has no errno, so the system's reasons never apply.
// Every code is listed, so that the compiler asks for the words of a new one.
QString programReason(HostError::Code code, const QString &text)
{
    switch (code) {
    case HostError::Code::InvalidCall:
    case HostError::Code::Overflow:
    case HostError::Code::DivisionByZero:
        break;
    }
    return text + u'.';
}

// Why the host refused to rename to `target`, in plain words for the second line of the refusal.
QString plainReason(const HostError &error, const QString &target)
{
    if (const auto code = error.code())
        return programReason(*code, error.text());
    if (error.number() == EINVAL && target.contains(QChar(u'\0')))
        return Form1::tr("The destination folder may not contain a NUL character.");
    switch (error.number()) {
    case EEXIST:
    case ENOTEMPTY:
        return Form1::tr("A file with that name already exists there; nothing was overwritten.");
    case ENOENT:
        return Form1::tr("The file, or the folder it should go to, no longer exists.");
    case EACCES:
    case EPERM:
        return Form1::tr("You are not allowed to change the file or the folder it should go to.");
    case EROFS:
        return Form1::tr("The folder lies on a read-only disk.");
    case ENOSPC:
    case EDQUOT:
        return Form1::tr("There is not enough free space where the file should go.");
    case ENAMETOOLONG:
        return folderTooLong(target) ? Form1::tr("The destination folder path is too long.")
                                     : Form1::tr("The new name is too long.");
    case ECANCELED:
        return Form1::tr("The move was cancelled; the file stays where it was.");
    case EISDIR:
        return Form1::tr("A folder stands where the file should go.");
    case ENOTDIR:
        return Form1::tr("A part of the destination folder path is a file, not a folder.");
    case ENOTSUP:
    case ENOSYS:
        return Form1::tr("That disk cannot do what the move needs; nothing was changed.");
    case EFBIG:
        return Form1::tr("The file is too large for the disk it should go to; nothing was changed.");
    case EXDEV:
        return Form1::tr("Only files can be moved to another disk.");
    case EAGAIN:
        return Form1::tr("The file changed while it was being moved; it stays where it was.");
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

// What is wrong with name parts that leavesFolder refuses.
QString nameReason(const QString &parts)
{
    return parts.contains(QChar(u'\0')) ? Form1::tr("A name may not contain a NUL character.")
                                        : Form1::tr("A name may not contain \"/\".");
}

}

void Form1::Command1_Click()
{
    ErrorMode::none([&] {
        // This press hides the preview: a picture still decoding for an earlier click would only show it again.
        if (!Text2->text().isEmpty())
            m_preview->drop();
        const QString chosen = File1->FileName();
        const QString follower = followerOf(chosen); // computed while the chosen file is still listed
        if (FileChosen == 0)
            m_host.messageBox(tr("Chose a File"), MsgBoxStyle::Critical, tr("File"));
        bool atTarget = false; // the chosen file now lies at the target path
        auto moved = MoveEnd::Renamed;
        QString reason; // why the name or the file system refused the rename
        if (!Text2->text().isEmpty()) {
            Label2->assignCaption(targetPath());
            if (FileChosen == 1 && ManyDots == 0) {
                OldFile = Label1->text() + File1->FileName();
                NewFile = Label2->text();
                if (leavesFolder(Text2->text()) || leavesFolder(Text3->text()))
                    reason = nameReason(Text2->text() + Text3->text());
                else if (File1->FileName().isEmpty()) // the source would be the folder itself
                    reason = plainReason(HostError::fromErrno(ENOENT), NewFile);
                else if (!OldFile.startsWith(u'/') || !NewFile.startsWith(u'/'))
                    reason = tr("The destination folder must be a full path, starting with \"/\".");
                else if (samePath(OldFile, NewFile)) {
                    // The file already has that name: nothing to do.
                } else if (const auto error
                    = ErrorMode::testAfter([&] { moved = moveFile(OldFile, NewFile, false); })) {
                    reason = plainReason(*error, NewFile);
                } else if (moved == MoveEnd::LeftRunning) {
                    reason = leftRunningReason();
                }
                if (!reason.isEmpty())
                    m_host.messageBox(
                        tr("Error File not Renamed") + u'\n' + reason, MsgBoxStyle::Critical, tr("Error"));
                atTarget = reason.isEmpty();
            }
            if (ManyDots == 1)
                m_host.messageBox(tr("Error File not Renamed") + u'\n'
                        + tr("The target path may hold no \".\" other than the one before the extension."),
                    MsgBoxStyle::Critical, tr("Error"));
        }
        m_pressRenamed = atTarget;
        // A refusal keeps the work; a move left running does not, since it may yet take the file away.
        if (!reason.isEmpty() && moved != MoveEnd::LeftRunning && !chosen.isEmpty()) {
            keepTheWork(chosen);
            return;
        }
        // Without a rename the folder is read anew; it may itself have gone meanwhile, and
        // the list then stays as it was.
        if (atTarget && !samePath(OldFile, NewFile))
            rememberRename(OldFile, NewFile);
        if (atTarget)
            listRenamed(OldFile, NewFile, moved == MoveEnd::Copied);
        else
            ErrorMode::skip([&] { File1->Refresh(); });
        // The file that now stands where the chosen one stood: the next, or the chosen one itself.
        highlightAfterPress(atTarget ? follower : chosen);
        if (!Text2->text().isEmpty())
            Image1->hide();
        FileChosen = 0;
        // After a refusal nothing lies at the target that this press put there: the preview stays hidden.
        if (Text2->text().isEmpty() || atTarget)
            shopic();
    });
}

void Form1::keepTheWork(const QString &chosen)
{
    // The file system (or the name) refused: the file stays chosen and the typed name stays,
    // so that the user changes the name and presses again.
    ErrorMode::skip([&] { File1->Refresh(); });
    File1->setFileName(chosen);
    // The press dropped the picture still decoding for it: it shows once decoded, as after a click.
    preview(previewSourceOf(chosen), true, false);
    editBaseName();
}

QString Form1::refusalReason(const HostError &error, const QString &target)
{
    return plainReason(error, target);
}

QString Form1::leftRunningReason()
{
    return tr("The disk does not answer, so the move could not be stopped yet; it goes on in the "
              "background. You will be told how it ends; nothing is lost either way.");
}

void Form1::rememberRename(const QString &from, const QString &to)
{
    if (const auto file = identifyFile(m_host, to))
        m_history->done(RenameStep {from, to, *file});
    // A move makes its folder a recent destination, spelled once: a doubled "/" counts once.
    static const QRegularExpression doubled(QStringLiteral("//+"));
    const QString folder = QString(to.section(u'/', 0, -2) + u'/').replace(doubled, QStringLiteral("/"));
    if (!samePath(folder, from.section(u'/', 0, -2) + u'/'))
        m_recent->remember(folder);
    updateActions();
    // Ctrl+Z right after a rename undoes the rename, not the typing that named it.
    for (TextBox *box : {Text2, Text3, Text5})
        box->clearUndo();
}

MoveEnd Form1::moveFile(const QString &from, const QString &to, bool undoing)
{
    // A rename within one folder never copies and ends at once; a thread would only make it wait.
    if (from.section(u'/', 0, -2) == to.section(u'/', 0, -2)) {
        m_host.rename(from, to, {});
        return MoveEnd::Renamed;
    }
    // Anything else may be a move to another disk, which takes long: the window must keep answering.
    // Meanwhile the folder's watch waits: the list shows the move once it has ended.
    File1->pauseWatch();
    m_waiting = true;
    const auto resume = qScopeGuard([this] {
        m_waiting = false;
        File1->resumeWatch();
    });
    MoveWindow window;
    window.owner = this;
    window.hold = [this](bool held) { holdForMove(held); };
    window.late = [this, from, to, undoing](const LateMoveEnd &end) { moveEndedLate(from, to, undoing, end); };
    return runMove(
        from, to, [&host = m_host, from, to](const CopyProgress &progress) { host.rename(from, to, progress); },
        window);
}

void Form1::holdForMove(bool held)
{
    // Quitting, Help and About stay; the controls and the other commands wait for the move.
    m_held = held;
    if (held && central->isAncestorOf(QApplication::focusWidget()))
        m_focusBeforeMove = QApplication::focusWidget();
    central->setEnabled(!held);
    updateActions();
    if (!held && m_focusBeforeMove)
        m_focusBeforeMove->setFocus();
}

void Form1::moveEndedLate(const QString &from, const QString &to, bool undoing, const LateMoveEnd &end)
{
    // Told while another move is waited for, it waits for that move: a message now would hold that move's window.
    if (m_waiting) {
        QTimer::singleShot(100, this, [=, this] { moveEndedLate(from, to, undoing, end); });
        return;
    }
    const auto error = ErrorMode::testAfter([&] {
        if (end.failure)
            std::rethrow_exception(end.failure);
    });
    if (undoing)
        m_history->endedLate(from, to, !error, error ? std::nullopt : identifyFile(m_host, to));
    else if (!error)
        rememberRename(from, to);
    updateActions();
    refreshLists();
    const QString title = tr("Moving");
    if (!error)
        m_host.messageBox(tr("The move that did not answer has ended after all: the file is now \"%1\".").arg(to),
            MsgBoxStyle::OkOnly, title);
    else if (error->number() == ECANCELED)
        m_host.messageBox(tr("The move that did not answer has stopped: the file stays at \"%1\".").arg(from),
            MsgBoxStyle::OkOnly, title);
    else
        m_host.messageBox(tr("The move that did not answer has failed: the file stays at \"%1\".\n%2")
                              .arg(from, plainReason(*error, to)),
            MsgBoxStyle::Critical, title);
}

void Form1::listRenamed(const QString &from, const QString &to, bool copied)
{
    // The program's own rename is shown without reading the folder again. A move that copied
    // may also have tidied up after an earlier one that was cut short: the folder is read anew.
    if (copied)
        ErrorMode::skip([&] { File1->Refresh(); });
    else
        File1->applyRename(from, to);
}
