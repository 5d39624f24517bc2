// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/copyprogress.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <exception>

namespace
{
// The dialog counts in thousandths: a byte count overflows its int range.
constexpr int scale = 1000;
// How often the dialog shows the progress.
constexpr int tickMs = 100;
// How long the caller simply waits for the move before it keeps the window answering:
// most renames end within microseconds, and then no event need be handled in between.
constexpr int quickMs = 10;

bool widgetsRunning()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

// What the worker and the window's thread share while a move runs.
struct MoveState {
    std::atomic<qint64> done {0};
    std::atomic<qint64> total {-1}; // until the move reports a copy
    std::atomic<bool> cancelled {false};
    std::atomic<bool> ended {false};
    std::exception_ptr failure; // written by the worker before `ended`
};

// The thread that moves files: kept once started, since a thread that is new
// may wait several milliseconds for a processor on a busy machine, longer than
// most renames take.
QThreadPool &movers()
{
    struct Movers : QThreadPool {
        Movers()
        {
            setMaxThreadCount(1);
            setExpiryTimeout(-1);
        }
    };
    static Movers pool;
    return pool;
}

// Why the window's thread left its event loop.
enum LoopEnd { MoveEnded = 1, DialogToggled };
}

CopyProgressDialog::CopyProgressDialog(const QString &from, const QString &to, std::function<void()> cancelled)
    : m_label(QStringLiteral("Moving %1\nto %2").arg(from, to)), m_cancelled(std::move(cancelled))
{
    m_clock.start();
}

CopyProgressDialog::~CopyProgressDialog() = default;

bool CopyProgressDialog::update(qint64 done, qint64 total)
{
    if (!widgetsRunning())
        return true;
    if (!m_dialog) {
        if (m_clock.elapsed() < delayMs)
            return true;
        show();
    }
    m_dialog->setValue(total > 0 ? int(done * scale / total) : 0);
    return !m_dialog->wasCanceled();
}

bool CopyProgressDialog::isShown() const
{
    return m_dialog && m_dialog->isVisible();
}

void CopyProgressDialog::show()
{
    m_dialog = std::make_unique<QProgressDialog>(m_label, QStringLiteral("Cancel"), 0, scale);
    m_dialog->setWindowTitle(QStringLiteral("Moving"));
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setMinimumDuration(0);
    if (m_cancelled)
        QObject::connect(m_dialog.get(), &QProgressDialog::canceled, m_dialog.get(), m_cancelled);
    m_dialog->show();
}

bool runMove(const QString &from, const QString &to, const std::function<void(const CopyProgress &)> &move)
{
    const auto state = std::make_shared<MoveState>();
    const CopyProgress report = [state](qint64 done, qint64 total) {
        state->done = done;
        state->total = total;
        return !state->cancelled;
    };
    QEventLoop loop;
    movers().start([&move, &report, &loop, state] {
        try {
            move(report);
        } catch (...) {
            state->failure = std::current_exception();
        }
        state->ended = true;
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.exit(MoveEnded); }, Qt::QueuedConnection);
    });

    CopyProgressDialog dialog(from, to, [state] { state->cancelled = true; });
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticks, &QTimer::timeout, &loop, [&] {
        if (state->total < 0)
            return; // no copy, no dialog
        const bool shown = dialog.isShown();
        if (!dialog.update(state->done, state->total))
            state->cancelled = true;
        if (dialog.isShown() != shown)
            loop.exit(DialogToggled);
    });
    movers().waitForDone(quickMs);
    ticks.start(tickMs);
    // User input is taken only while the modal dialog is up, which keeps it from the rest of the program.
    int end = DialogToggled;
    while (end == DialogToggled && !state->ended)
        end = loop.exec(dialog.isShown() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    if (!state->ended)
        state->cancelled = true; // the program is ending: stop where nothing is lost
    movers().waitForDone();
    if (state->failure)
        std::rethrow_exception(state->failure);
    return state->total >= 0;
}
