// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <atomic>
#include <functional>
#include <thread>

// How quickly the window's thread answers: a helper thread posts an event to
// it every 10 ms, and each answer's delay is taken when the event is handled.
// A thread busy for 300 ms answers the event posted as it began after 300 ms.
class ResponseProbe : public QObject
{
public:
    // `onAnswer` runs on the window's thread with every answer (may be empty).
    explicit ResponseProbe(std::function<void()> onAnswer = {});
    ~ResponseProbe() override;

    void start();
    // Stops posting; the slowest answer since start, in milliseconds.
    double stop();

protected:
    bool event(QEvent *event) override;

private:
    std::function<void()> m_onAnswer;
    std::thread m_poster;
    std::atomic<bool> m_running {false};
    std::atomic<qint64> m_unanswered {0}; // when the oldest unanswered event was posted, 0: none
    double m_slowest = 0;
};

// Milliseconds on the monotonic clock, the same in every process of the machine.
double monotonicMs();
