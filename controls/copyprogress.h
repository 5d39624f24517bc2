// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/renamefile.h"

#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

class QProgressDialog;

// The progress of a move that copies a file to another file system, on the
// window's thread. Nothing shows for the first half second, so quick moves do
// not flash a window; after that a dialog, modal to the whole program, shows
// the share done and offers Cancel. Without a QApplication (tests, tools) it
// shows nothing and never cancels.
class CopyProgressDialog
{
public:
    // `cancelled` runs as soon as the user presses Cancel (or closes the dialog).
    CopyProgressDialog(const QString &from, const QString &to, std::function<void()> cancelled = {});
    ~CopyProgressDialog();
    CopyProgressDialog(const CopyProgressDialog &) = delete;
    CopyProgressDialog &operator=(const CopyProgressDialog &) = delete;

    // Shows `done` of `total` bytes; false once the user has pressed Cancel.
    [[nodiscard]] bool update(qint64 done, qint64 total);
    // Whether the dialog is on screen, taking the user's input.
    [[nodiscard]] bool isShown() const;

    // The time before the dialog appears.
    static constexpr qint64 delayMs = 500;

private:
    void show();

    QString m_label;
    std::function<void()> m_cancelled;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_dialog;
};

// Runs `move` (a rename or move from `from` to `to`) on a worker thread and
// returns once it has ended, raising on this thread what it raised. `move` is
// given the progress report to pass on to the copy. Meanwhile this thread keeps
// answering (painting, timers), but user input waits, since a second rename
// must not start inside this one, until a copy has run for half a second: then
// a CopyProgressDialog shows how far it is, ten times a second, and its Cancel
// makes the report answer false. Should the program end meanwhile, the move is
// cancelled. Returns whether `move` reported any progress, that is, copied.
bool runMove(const QString &from, const QString &to, const std::function<void(const CopyProgress &)> &move);
