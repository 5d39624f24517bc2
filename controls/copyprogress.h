// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/renamefile.h"

#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>

#include <exception>
#include <functional>
#include <memory>

class QWidget;
class MoveDialog;

// The progress of a move, on the window's thread. Nothing shows for the first
// half second, so quick moves do not flash a window; after that a dialog shows
// the share copied (or that the move is busy, while it reports nothing) and
// offers Cancel. The dialog is not modal: the program can be quit while it is
// up. Without a QApplication (tests, tools) it shows nothing and never cancels.
class CopyProgressDialog
{
public:
    // `cancelled` runs as soon as the user presses Cancel (or closes the dialog);
    // the dialog then says that the move is stopping.
    CopyProgressDialog(
        const QString &from, const QString &to, QWidget *owner = nullptr, std::function<void()> cancelled = {});
    ~CopyProgressDialog();
    CopyProgressDialog(const CopyProgressDialog &) = delete;
    CopyProgressDialog &operator=(const CopyProgressDialog &) = delete;

    // Shows `done` of `total` bytes, or only that the move is busy while `total`
    // is negative; false once the user has pressed Cancel.
    [[nodiscard]] bool update(qint64 done, qint64 total);
    // Whether the dialog is on screen, taking the user's input.
    [[nodiscard]] bool isShown() const;
    // How long ago the user pressed Cancel, or -1.
    [[nodiscard]] qint64 cancelledMs() const;

    // The time before the dialog appears.
    static constexpr qint64 delayMs = 500;

private:
    QString m_label;
    QWidget *m_owner;
    std::function<void()> m_cancelled;
    QElapsedTimer m_clock;
    std::unique_ptr<MoveDialog> m_dialog;
};

// How a move that runMove ran has ended, as far as the window waited for it.
enum class MoveEnd {
    Renamed, // without a copy
    Copied, // to another file system
    LeftRunning, // not yet: Cancel or the program's end found it not answering
};

// What a move left running came to, once it has ended.
struct LateMoveEnd {
    bool copied = false;
    std::exception_ptr failure; // what it raised, if anything
};

// The window's part in a move.
struct MoveWindow {
    // The window the dialog belongs to; the late end of a move is dropped once it is gone.
    QWidget *owner = nullptr;
    // Told true when the dialog appears, false when it goes. Meanwhile the
    // window takes the user's input, and must refuse all of it but quitting
    // (and what harms no move): a second rename must not start inside this one.
    std::function<void(bool)> hold;
    // The end of a move that was left running, later, on the window's thread.
    std::function<void(const LateMoveEnd &)> late;
};

// Runs `move` (a rename or move from `from` to `to`) on a worker thread and
// returns once it has ended, raising on this thread what it raised. `move` is
// given the progress report to pass on to the copy. Meanwhile this thread keeps
// answering (painting, timers); user input waits, since a second rename must
// not start inside this one, until a CopyProgressDialog appears, half a second
// after the start. Its Cancel makes the report answer false. A move that has
// not ended `stopWaitMs` after Cancel is stuck (in a system call that does not
// return): it is left running, and `window.late` gets its end. Should the
// program end meanwhile, the move is cancelled and waited for as long, then
// left running too.
MoveEnd runMove(const QString &from, const QString &to, const std::function<void(const CopyProgress &)> &move,
    const MoveWindow &window = {});

// How long Cancel waits for a move to stop: a copy asks after every chunk, which a slow disk may take a while to take.
constexpr int stopWaitMs = 2000;

// Whether a move left running has not ended yet: the program then ends without
// waiting for it, since it may never end. Every move survives being cut off.
[[nodiscard]] bool movesRunning();
