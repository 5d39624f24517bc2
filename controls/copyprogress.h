// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/renamefile.h"

#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>

#include <memory>

class QProgressDialog;

// The progress of a move that copies a file to another file system. Nothing
// shows for the first half second, so quick moves do not flash a window; after
// that a dialog, modal to the whole program, shows the share copied and offers
// Cancel, and every update lets the program repaint. Without a QApplication
// (tests, tools) it shows nothing and never cancels.
class CopyProgressDialog
{
public:
    CopyProgressDialog(const QString &from, const QString &to);
    ~CopyProgressDialog();
    CopyProgressDialog(const CopyProgressDialog &) = delete;
    CopyProgressDialog &operator=(const CopyProgressDialog &) = delete;

    // Reports `done` of `total` bytes; false once the user has pressed Cancel.
    [[nodiscard]] bool update(qint64 done, qint64 total);

    // The time before the dialog appears.
    static constexpr qint64 delayMs = 500;

private:
    void show();

    QString m_label;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_dialog;
};

// A progress report for renameFile that shows a CopyProgressDialog once a copy
// runs: most renames never copy, so the dialog is made only on the first report.
[[nodiscard]] CopyProgress progressDialog(const QString &from, const QString &to);
