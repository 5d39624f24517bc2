// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/renamehistory.h"

void RenameHistory::done(const RenameStep &step)
{
    m_redo.clear();
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
        m_undo.push_back(step);
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

std::optional<FileId> identifyFile(Host &host, const QString &path)
{
    return host.fileId(path);
}

bool stillTheFile(Host &host, const QString &path, const FileId &file)
{
    const std::optional<FileId> now = host.fileId(path);
    return now && *now == file;
}
