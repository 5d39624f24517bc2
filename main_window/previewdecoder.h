// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/picture.h"

#include <QFutureWatcher>
#include <QObject>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class Host;

// Decodes the preview's pictures on a worker thread, so that the window keeps
// answering while a large picture decodes. One decode runs at a time. Each
// request supersedes the earlier ones: it replaces a request still waiting,
// and a decode already running finishes unseen. Only the newest request's
// picture is handed over, on the thread that made the request; a picture that
// cannot be loaded is handed over to nobody.
class PreviewDecoder : public QObject
{
    Q_OBJECT
public:
    using Done = std::function<void(Picture &)>;

    // `host` loads the pictures, on the worker thread; it must outlive this decoder.
    explicit PreviewDecoder(Host &host, QObject *parent = nullptr);
    // Waits for a decode still running: it uses the host.
    ~PreviewDecoder() override;

    // Decodes `path` for a box of `boxPixels` device pixels, then runs `done`.
    void request(const QString &path, QSize boxPixels, Done done);
    // Forgets every request: nothing more is handed over.
    void drop();
    // Whether a decode runs or waits.
    [[nodiscard]] bool busy() const;

private:
    struct Request {
        QString path;
        QSize boxPixels;
        Done done;
    };

    void startQueued();
    void finished();

    Host &m_host;
    QFutureWatcher<std::optional<Picture>> m_watcher;
    bool m_running = false;
    Done m_runningDone; // empty once the running decode is superseded
    std::optional<Request> m_queued;
};
