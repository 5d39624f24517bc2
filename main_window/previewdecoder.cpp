// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/previewdecoder.h"

#include "host/host.h"

#include <QtConcurrent/QtConcurrentRun>

#include <exception>

PreviewDecoder::PreviewDecoder(Host &host, QObject *parent) : QObject(parent), m_host(host)
{
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &PreviewDecoder::finished);
}

PreviewDecoder::~PreviewDecoder()
{
    m_watcher.disconnect(this);
    if (m_running)
        m_watcher.waitForFinished();
}

void PreviewDecoder::request(const QString &path, QSize boxPixels, Done done)
{
    m_runningDone = nullptr;
    m_queued = Request {path, boxPixels, std::move(done)};
    if (!m_running)
        startQueued();
}

void PreviewDecoder::drop()
{
    m_runningDone = nullptr;
    m_queued.reset();
}

bool PreviewDecoder::busy() const
{
    return m_running || m_queued;
}

void PreviewDecoder::startQueued()
{
    Request next = std::move(*m_queued);
    m_queued.reset();
    m_runningDone = std::move(next.done);
    m_running = true;
    m_watcher.setFuture(QtConcurrent::run([&host = m_host, path = next.path, box = next.boxPixels] {
        // Any failure to load is the ordinary "no picture": the preview just stays as it was.
        try {
            return std::optional<Picture>(host.loadPicture(path, box));
        } catch (const std::exception &) {
            return std::optional<Picture>();
        }
    }));
}

void PreviewDecoder::finished()
{
    m_running = false;
    std::optional<Picture> picture = m_watcher.result();
    const Done done = std::exchange(m_runningDone, nullptr);
    if (m_queued)
        startQueued();
    else if (done && picture)
        done(*picture);
}
