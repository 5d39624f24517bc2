// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "probe.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>
#include <chrono>

namespace
{
const auto pingType = static_cast<QEvent::Type>(QEvent::registerEventType());

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}

double monotonicMs()
{
    return static_cast<double>(nowNs()) / 1e6;
}

ResponseProbe::ResponseProbe(std::function<void()> onAnswer) : m_onAnswer(std::move(onAnswer))
{
}

ResponseProbe::~ResponseProbe()
{
    if (m_running)
        stop();
}

void ResponseProbe::start()
{
    m_slowest = 0;
    m_running = true;
    m_poster = std::thread([this] {
        while (m_running) {
            // One event in flight at a time: its delay is the answer's, not a queue's.
            qint64 expected = 0;
            if (m_unanswered.compare_exchange_strong(expected, nowNs()))
                QCoreApplication::postEvent(this, new QEvent(pingType));
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
}

double ResponseProbe::stop()
{
    m_running = false;
    m_poster.join();
    QCoreApplication::removePostedEvents(this, pingType);
    if (const qint64 posted = m_unanswered.exchange(0))
        m_slowest = std::max(m_slowest, double(nowNs() - posted) / 1e6);
    return m_slowest;
}

bool ResponseProbe::event(QEvent *event)
{
    if (event->type() != pingType)
        return QObject::event(event);
    const qint64 posted = m_unanswered.exchange(0);
    if (posted != 0)
        m_slowest = std::max(m_slowest, double(nowNs() - posted) / 1e6);
    if (m_onAnswer)
        m_onAnswer();
    return true;
}
