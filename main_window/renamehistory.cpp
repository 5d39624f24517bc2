// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/renamehistory.h"

#include <algorithm>

void RenameHistory::done(const RenameStep &step)
{
    ++m_renames;
    m_redo.clear();
    pushUndo(step);
}

void RenameHistory::pushUndo(const RenameStep &step)
{
    m_undo.push_back(step);
    if (m_undo.size() > Depth)
        m_undo.pop_front();
}

std::optional<RenameStep> RenameHistory::nextUndo() const
{
    return m_undo.empty() ? std::nullopt : std::optional(m_undo.back());
}

std::optional<RenameStep> RenameHistory::nextRedo() const
{
    return m_redo.empty() ? std::nullopt : std::optional(m_redo.back());
}

void RenameHistory::undone(const std::optional<FileId> &file)
{
    RenameStep step = m_undo.back();
    m_undo.pop_back();
    if (file) {
        step.file = *file;
        m_redo.push_back(step);
    }
}

void RenameHistory::redone(const std::optional<FileId> &file)
{
    RenameStep step = m_redo.back();
    m_redo.pop_back();
    if (file) {
        step.file = *file;
        pushUndo(step);
    }
}

void RenameHistory::forgetUndo()
{
    m_undo.pop_back();
}

void RenameHistory::forgetRedo()
{
    m_redo.pop_back();
}

void RenameHistory::leftRunning(bool back)
{
    std::deque<RenameStep> &from = back ? m_undo : m_redo;
    m_running.push_back({from.back(), back, m_renames});
    from.pop_back();
}

void RenameHistory::endedLate(const QString &at, const QString &to, bool done, const std::optional<FileId> &file)
{
    const auto found = std::find_if(m_running.begin(), m_running.end(), [&](const Running &r) {
        return (r.back ? r.step.to : r.step.from) == at && (r.back ? r.step.from : r.step.to) == to;
    });
    if (found == m_running.end())
        return;
    Running running = *found;
    m_running.erase(found);
    if (done && !file)
        return; // nothing could prove the file the same later
    if (done)
        running.step.file = *file;
    // An undo done, or a redo not done, is for Redo to offer; a redo done, or an undo not done, for Undo.
    if (running.back != done)
        pushUndo(running.step);
    else if (running.renames == m_renames)
        m_redo.push_back(running.step);
}

std::optional<FileId> identifyFile(Host &host, const QString &path)
{
    return host.fileId(path);
}

bool stillTheFile(Host &host, const QString &path, const FileId &file)
{
    const std::optional<FileId> now = host.fileId(path);
    return now && *now == file;
}
