// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo: the renames and moves of this run, taken back and done again
// one at a time, each only while its file is still the one it moved, and
// never over another file.
#include "main_window/form1.h"

#include "controls/copyprogress.h"
#include "controls/lists.h"
#include "main_window/renamehistory.h"

#include <QAction>

#include <cerrno>

namespace
{
// How the menu names a step: what kind of change, and the file by the name it had before.
QString describe(const RenameStep &step)
{
    const bool moved = step.from.section(u'/', 0, -2) != step.to.section(u'/', 0, -2);
    const QString name = step.from.section(u'/', -1).replace(u'&', QStringLiteral("&&"));
    return moved ? Form1::tr("Rename and Move \"%1\"").arg(name) : Form1::tr("Rename \"%1\"").arg(name);
}
}

void Form1::undoRename_Click()
{
    takeStep(true);
}

void Form1::redoRename_Click()
{
    takeStep(false);
}

void Form1::takeStep(bool back)
{
    ErrorMode::none([&] {
        const std::optional<RenameStep> step = back ? m_history->nextUndo() : m_history->nextRedo();
        if (!step)
            return;
        // Undo moves the file from where the step put it back where it was; redo the other way.
        const QString &at = back ? step->to : step->from;
        const QString &to = back ? step->from : step->to;
        QString reason;
        auto moved = MoveEnd::Renamed;
        if (!stillTheFile(m_host, at, step->file)) {
            reason = tr("\"%1\" is no longer the file that was renamed; nothing was changed.").arg(at);
            back ? m_history->forgetUndo() : m_history->forgetRedo(); // nor will it ever be
        } else if (const auto error = ErrorMode::testAfter([&] { moved = moveFile(at, to, true); })) {
            reason = error->number() == EEXIST
                ? tr("Another file now has the name \"%1\"; nothing was overwritten.").arg(to)
                : refusalReason(*error, to);
        } else if (moved == MoveEnd::LeftRunning) {
            reason = leftRunningReason();
            m_history->leftRunning(back); // until its end is known (moveEndedLate)
        } else {
            const std::optional<FileId> now = identifyFile(m_host, to);
            back ? m_history->undone(now) : m_history->redone(now);
            FileChosen = 0;
            listRenamed(at, to, moved == MoveEnd::Copied);
            highlightAfterPress(to.section(u'/', -1));
        }
        updateActions();
        if (!reason.isEmpty())
            m_host.messageBox((back ? tr("Rename not Undone") : tr("Rename not Redone")) + u'\n' + reason,
                MsgBoxStyle::Critical, back ? tr("Undo Rename") : tr("Redo Rename"));
    });
}

void Form1::updateActions()
{
    // While a move's dialog is up, only quitting, Help and About answer: nothing may start another move.
    for (QAction *action : {refresh, renameNext, nextFile, previousFile, findName, findDestination, openRecent})
        action->setEnabled(!m_held);
    // Each item names what it would take, so that the user sees it before pressing.
    const std::optional<RenameStep> undo = m_history->nextUndo(), redo = m_history->nextRedo();
    undoRename->setEnabled(!m_held && undo.has_value());
    undoRename->setText(undo ? tr("&Undo %1").arg(describe(*undo)) : tr("&Undo Rename"));
    undoRename->setStatusTip(undo ? tr("Back from %1 to %2").arg(undo->to, undo->from) : QString());
    redoRename->setEnabled(!m_held && redo.has_value());
    redoRename->setText(redo ? tr("&Redo %1").arg(describe(*redo)) : tr("&Redo Rename"));
    redoRename->setStatusTip(redo ? tr("Again from %1 to %2").arg(redo->from, redo->to) : QString());
}
