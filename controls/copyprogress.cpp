// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/copyprogress.h"

#include "base/hosterror.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSemaphore>
#include <QThreadPool>
#include <QTimer>
#include <QVBoxLayout>

#include <atomic>
#include <cerrno>
#include <mutex>

// The dialog of a running move: what moves where, how far, and Cancel. Closing
// it or Esc cancels too; once cancelled it stays, saying the move is stopping,
// until the move has ended or been left running.
class MoveDialog : public QDialog
{
    Q_DECLARE_TR_FUNCTIONS(MoveDialog)

public:
    MoveDialog(const QString &label, QWidget *owner) : QDialog(owner)
    {
        setObjectName(QStringLiteral("moveProgress"));
        setWindowTitle(tr("Moving"));
        m_label->setText(label);
        m_bar->setRange(0, 0); // busy until the move reports a copy
        //: The share of the file copied; %p is the number of percent.
        m_bar->setFormat(tr("%p%"));
        m_amount->setObjectName(QStringLiteral("amount"));
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(m_label);
        layout->addWidget(m_bar);
        layout->addWidget(m_amount);
        layout->addWidget(m_cancel, 0, Qt::AlignRight);
        connect(m_cancel, &QPushButton::clicked, this, &MoveDialog::reject);
    }

    void show(qint64 done, qint64 total)
    {
        if (total > 0) {
            m_bar->setRange(0, scale);
            m_bar->setValue(int(done * scale / total)); // in thousandths: a byte count overflows an int
            // Sizes as the user's language writes them: "1,5 GiB" in German, "1.5 GiB" in English.
            //: How much of the file is copied: "1.50 GiB of 4.00 GiB".
            m_amount->setText(tr("%1 of %2").arg(locale().formattedDataSize(done), locale().formattedDataSize(total)));
        }
        if (!isVisible())
            QDialog::show();
    }

    [[nodiscard]] qint64 cancelledMs() const { return m_cancelled.isValid() ? m_cancelled.elapsed() : -1; }

    std::function<void()> cancelled;

protected:
    void reject() override
    {
        if (m_cancelled.isValid())
            return;
        m_cancelled.start();
        m_cancel->setEnabled(false);
        m_label->setText(m_label->text() + u'\n' + tr("Stopping the move\u2026"));
        if (cancelled)
            cancelled();
    }

    void closeEvent(QCloseEvent *event) override
    {
        event->ignore();
        reject();
    }

private:
    static constexpr int scale = 1000;
    QLabel *const m_label = new QLabel(this);
    QProgressBar *const m_bar = new QProgressBar(this);
    QLabel *const m_amount = new QLabel(this);
    QPushButton *const m_cancel = new QPushButton(tr("Cancel"), this);
    QElapsedTimer m_cancelled;
};

namespace
{
// How often the dialog shows the progress.
constexpr int tickMs = 100;
// How long the caller simply waits for the move before it keeps the window answering:
// most renames end within microseconds, and then no event need be handled in between.
constexpr int quickMs = 10;
// Moves that may run at once: one at a time, plus those left running, stuck.
constexpr int moversAtMost = 8;

std::atomic<int> running {0};

bool widgetsRunning()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

// What the worker and the window's thread share while a move runs.
struct MoveState {
    std::atomic<qint64> done {0};
    std::atomic<qint64> total {-1}; // until the move reports a copy
    std::atomic<bool> cancelled {false};
    std::exception_ptr failure; // written by the worker before it ends

    [[nodiscard]] bool hasEnded() const { return m_ended.available() > 0; }
    // Whether the move ends within `ms`.
    bool waitForEnd(int ms)
    {
        if (!m_ended.tryAcquire(1, ms))
            return false;
        m_ended.release();
        return true;
    }

    // Who is told on its thread that the move has ended, while it exists.
    std::mutex lock;
    QObject *listener = nullptr;
    std::function<void()> tell;

    void listen(QObject *to, std::function<void()> told)
    {
        const std::lock_guard guard(lock);
        listener = to;
        tell = std::move(told);
    }

    // Called by the worker as the move ends.
    void end()
    {
        m_ended.release();
        const std::lock_guard guard(lock);
        if (listener)
            QMetaObject::invokeMethod(listener, tell, Qt::QueuedConnection);
    }

private:
    QSemaphore m_ended;
};

// The threads that move files: kept once started, since a thread that is new
// may wait several milliseconds for a processor on a busy machine, longer than
// most renames take. Never destroyed: a stuck worker cannot be waited for.
QThreadPool &movers()
{
    static QThreadPool *const pool = [] {
        auto *threads = new QThreadPool;
        threads->setMaxThreadCount(moversAtMost);
        threads->setExpiryTimeout(-1);
        return threads;
    }();
    return *pool;
}

// Waits for the end of a move that was left running and hands it to `late`;
// goes with its parent, the window, after which the end is dropped.
class LateMove : public QObject
{
public:
    LateMove(QObject *parent, std::shared_ptr<MoveState> state, std::function<void(const LateMoveEnd &)> late)
        : QObject(parent), m_state(std::move(state)), m_late(std::move(late))
    {
    }
    ~LateMove() override { m_state->listen(nullptr, {}); }

    void ended()
    {
        const LateMoveEnd end {m_state->total >= 0, m_state->failure};
        const auto late = m_late;
        deleteLater();
        if (late)
            late(end);
    }

private:
    std::shared_ptr<MoveState> m_state;
    std::function<void(const LateMoveEnd &)> m_late;
};

// Why the window's thread left its event loop; any other code means the program is ending.
enum LoopEnd { MoveEnded = 1, DialogToggled, GaveUp };

MoveEnd finished(const MoveState &state)
{
    if (state.failure)
        std::rethrow_exception(state.failure);
    return state.total >= 0 ? MoveEnd::Copied : MoveEnd::Renamed;
}

// The move did not end in time: `window.late` gets its end, unless it has ended meanwhile.
bool leaveRunning(const std::shared_ptr<MoveState> &state, const MoveWindow &window)
{
    QObject *parent = window.owner ? static_cast<QObject *>(window.owner) : QCoreApplication::instance();
    auto *late = new LateMove(parent, state, window.late);
    state->listen(late, [late] { late->ended(); });
    if (!state->hasEnded())
        return true;
    delete late; // it ended before anyone listened
    return false;
}
}

CopyProgressDialog::CopyProgressDialog(
    const QString &from, const QString &to, QWidget *owner, std::function<void()> cancelled)
    : m_label(MoveDialog::tr("Moving %1\nto %2").arg(from, to)), m_owner(owner), m_cancelled(std::move(cancelled))
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
        m_dialog = std::make_unique<MoveDialog>(m_label, m_owner);
        m_dialog->cancelled = m_cancelled;
    }
    m_dialog->show(done, total);
    return m_dialog->cancelledMs() < 0;
}

bool CopyProgressDialog::isShown() const
{
    return m_dialog && m_dialog->isVisible();
}

qint64 CopyProgressDialog::cancelledMs() const
{
    return m_dialog ? m_dialog->cancelledMs() : -1;
}

MoveEnd runMove(const QString &from, const QString &to, const std::function<void(const CopyProgress &)> &move,
    const MoveWindow &window)
{
    const auto state = std::make_shared<MoveState>();
    ++running;
    movers().start([move, state] {
        const CopyProgress report = [state](qint64 done, qint64 total) {
            state->done = done;
            state->total = total;
            return !state->cancelled;
        };
        try {
            if (state->cancelled) // waited for a thread until it was left running: it never starts
                throw HostError::fromErrno(ECANCELED);
            move(report);
        } catch (...) {
            state->failure = std::current_exception();
        }
        --running;
        state->end();
    });
    if (state->waitForEnd(quickMs))
        return finished(*state);

    QEventLoop loop;
    state->listen(&loop, [&loop] { loop.exit(MoveEnded); });
    CopyProgressDialog dialog(from, to, window.owner, [state] { state->cancelled = true; });
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticks, &QTimer::timeout, &loop, [&] {
        const bool shown = dialog.isShown();
        if (!dialog.update(state->done, state->total) && dialog.cancelledMs() >= stopWaitMs)
            loop.exit(GaveUp);
        else if (dialog.isShown() != shown)
            loop.exit(DialogToggled);
    });
    ticks.start(tickMs);
    // User input is taken only while the dialog is up, and the window then holds what would start another rename.
    int end = DialogToggled;
    bool held = false;
    while (end == DialogToggled && !state->hasEnded()) {
        if (window.hold && held != dialog.isShown())
            window.hold(held = dialog.isShown());
        end = loop.exec(held ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    }
    if (window.hold && held)
        window.hold(false);
    if (end != MoveEnded && end != GaveUp) {
        state->cancelled = true; // the program is ending: stop where nothing is lost, if it still answers
        state->waitForEnd(stopWaitMs);
    }
    state->listen(nullptr, {});
    if (!state->hasEnded() && leaveRunning(state, window))
        return MoveEnd::LeftRunning;
    return finished(*state);
}

bool movesRunning()
{
    return running > 0;
}
