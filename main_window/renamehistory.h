// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/host.h"

#include <QString>

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

// One rename or move of the history: the file's path before and after, and which
// file it is where it now lies (at `to` while done, at `from` once undone).
struct RenameStep {
    QString from;
    QString to;
    FileId file;
};

// The renames and moves of this run that Undo can take back, newest first, and
// those it took back that Redo can do again. A new rename forgets what could be
// redone; beyond the depth, the oldest step is forgotten. A step whose move was
// left running is out of the history until the move's end is known.
class RenameHistory
{
public:
    static constexpr std::size_t Depth = 20;

    // A rename done by the user.
    void done(const RenameStep &step);
    // What Undo or Redo would take; nothing when there is none.
    [[nodiscard]] std::optional<RenameStep> nextUndo() const;
    [[nodiscard]] std::optional<RenameStep> nextRedo() const;
    // The newest step was taken back or done again; the file is now `file`. A file
    // that could not be identified ends the step: nothing could prove it the same later.
    void undone(const std::optional<FileId> &file);
    void redone(const std::optional<FileId> &file);
    // The newest step to undo or redo can never be taken: it is forgotten.
    void forgetUndo();
    void forgetRedo();
    // The move of the newest step to undo (`back`) or redo was left running: nothing may take
    // the step again before its end is known.
    void leftRunning(bool back);
    // The end of such a move, from `at` to `to`. Done, the step counts as undone or redone, the
    // file now `file`; else it can be taken again as before. A rename done meanwhile forgets
    // what the end would make redoable, as it would have forgotten it had the move not waited.
    void endedLate(const QString &at, const QString &to, bool done, const std::optional<FileId> &file);

private:
    struct Running {
        RenameStep step;
        bool back; // an undo
        std::uint64_t renames; // m_renames when it started
    };
    void pushUndo(const RenameStep &step);

    std::deque<RenameStep> m_undo; // newest at the back
    std::deque<RenameStep> m_redo;
    std::vector<Running> m_running;
    std::uint64_t m_renames = 0; // how many renames done() recorded
};

// Which file lies at `path`, for a step of the history; nothing when none can be told.
[[nodiscard]] std::optional<FileId> identifyFile(Host &host, const QString &path);
// Whether `path` still names the very file `file` identified. The window's one
// comparison of identities: undo, redo and the pictures read ahead all ask it.
[[nodiscard]] bool stillTheFile(Host &host, const QString &path, const FileId &file);
