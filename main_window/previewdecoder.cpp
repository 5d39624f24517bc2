// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/previewdecoder.h"

#include "main_window/renamehistory.h"

#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
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
    m_queued.reset();
    if (const Decoded *decoded = kept(path, boxPixels)) {
        m_shownPath = path;
        // A copy: the kept picture shares its pixels with it.
        if (std::optional<Picture> picture = decoded->picture)
            done(*picture);
        return;
    }
    // The picture is being read ahead: its decode serves this request.
    if (m_running && m_runningPath == path && m_runningBox == boxPixels) {
        m_runningDone = std::move(done);
        return;
    }
    m_queued = Request {path, boxPixels, std::move(done)};
    if (!m_running)
        startNext();
}

void PreviewDecoder::readAhead(const QStringList &paths, QSize boxPixels)
{
    m_wanted = paths.mid(0, Ahead);
    m_wantedBox = boxPixels;
    trim();
    if (!m_running)
        startNext();
}

void PreviewDecoder::drop()
{
    m_runningDone = nullptr;
    m_queued.reset();
}

void PreviewDecoder::forget()
{
    drop();
    m_wanted.clear();
    m_kept.clear();
    m_shownPath.clear();
}

bool PreviewDecoder::busy() const
{
    return m_running || m_queued;
}

bool PreviewDecoder::requestPending() const
{
    return m_queued || (m_running && m_runningDone);
}

void PreviewDecoder::startNext()
{
    if (m_queued) {
        Request next = std::move(*m_queued);
        m_queued.reset();
        start(next.path, next.boxPixels);
        m_runningDone = std::move(next.done);
        return;
    }
    for (const QString &path : std::as_const(m_wanted)) {
        const auto decoded = std::find_if(m_kept.begin(), m_kept.end(),
            [&](const Decoded &d) { return d.path == path && d.boxPixels == m_wantedBox; });
        if (decoded == m_kept.end()) {
            start(path, m_wantedBox);
            return;
        }
    }
}

void PreviewDecoder::start(const QString &path, QSize boxPixels)
{
    m_running = true;
    m_runningPath = path;
    m_runningBox = boxPixels;
    m_runningDone = nullptr;
    m_watcher.setFuture(QtConcurrent::run([&host = m_host, path, boxPixels] {
        Result result;
        // Which file it is, taken before decoding: a file replaced meanwhile is then not taken for it.
        result.file = identifyFile(host, path);
        // Any failure to load is the ordinary "no picture": the preview just stays as it was.
        try {
            result.picture = host.loadPicture(path, boxPixels);
        } catch (const std::exception &) {
        }
        return result;
    }));
}

void PreviewDecoder::finished()
{
    m_running = false;
    Result result = m_watcher.result();
    const Done done = std::exchange(m_runningDone, nullptr);
    // The picture shown is kept while reading ahead, as the one behind the next choice. Kept even
    // when no file could be told, so that it is not read again and again; it is never handed over.
    if ((done && !m_wanted.isEmpty()) || m_wanted.contains(m_runningPath))
        keep(Decoded {m_runningPath, m_runningBox, result.file, result.picture});
    if (done)
        m_shownPath = m_runningPath;
    trim();
    startNext();
    if (done && result.picture && !requestPending())
        done(*result.picture);
}

const PreviewDecoder::Decoded *PreviewDecoder::kept(const QString &path, QSize boxPixels)
{
    const auto found = std::find_if(
        m_kept.begin(), m_kept.end(), [&](const Decoded &d) { return d.path == path && d.boxPixels == boxPixels; });
    if (found == m_kept.end())
        return nullptr;
    if (!found->file || !stillTheFile(m_host, path, *found->file)) {
        m_kept.erase(found);
        return nullptr;
    }
    return &*found;
}

void PreviewDecoder::keep(Decoded decoded)
{
    std::erase_if(m_kept, [&](const Decoded &d) { return d.path == decoded.path; });
    m_kept.push_back(std::move(decoded));
}

void PreviewDecoder::trim()
{
    std::erase_if(m_kept, [this](const Decoded &d) { return d.path != m_shownPath && !m_wanted.contains(d.path); });
}
