// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/picture.h"
#include "host/host.h"

#include <QFutureWatcher>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

// Decodes the preview's pictures on a worker thread, so that the window keeps
// answering while a large picture decodes. One decode runs at a time. Each
// request supersedes the earlier ones: it replaces a request still waiting,
// and a decode already running finishes unseen. Only the newest request's
// picture is handed over, on the thread that made the request; a picture that
// cannot be loaded is handed over to nobody.
//
// While no request waits, it reads ahead the pictures it is told the user may
// choose next (one ahead and one behind), and keeps them with the picture it
// handed over last (while it reads ahead), so that a request for one of them
// is answered at once, as long as its path still names the file that was decoded.
class PreviewDecoder : public QObject
{
    Q_OBJECT
public:
    using Done = std::function<void(Picture &)>;

    // `host` loads the pictures, on the worker thread; it must outlive this decoder.
    explicit PreviewDecoder(Host &host, QObject *parent = nullptr);
    // Waits for a decode still running: it uses the host.
    ~PreviewDecoder() override;

    // Decodes `path` for a box of `boxPixels` device pixels, then runs `done`:
    // at once, within this call, when the picture was read ahead.
    void request(const QString &path, QSize boxPixels, Done done);
    // The pictures to read ahead, most likely first: at most two are kept, with the one
    // shown; pictures read for other paths are forgotten. Empty `paths` forget them all.
    void readAhead(const QStringList &paths, QSize boxPixels);
    // Forgets every request: nothing more is handed over.
    void drop();
    // Drops requests and forgets every picture read ahead (the folder changed).
    void forget();
    // Whether a decode runs or waits, for a request or read ahead.
    [[nodiscard]] bool busy() const;
    // Whether a request waits for its picture.
    [[nodiscard]] bool requestPending() const;

    // How many pictures are read ahead at most, besides the one handed over last.
    static constexpr int Ahead = 2;

private:
    struct Request {
        QString path;
        QSize boxPixels;
        Done done;
    };
    // A picture decoded (or found not to be one) for a path and box, and which file it was.
    struct Decoded {
        QString path;
        QSize boxPixels;
        std::optional<FileId> file;
        std::optional<Picture> picture;
    };
    struct Result {
        std::optional<FileId> file;
        std::optional<Picture> picture;
    };

    void start(const QString &path, QSize boxPixels);
    void startNext();
    void finished();
    // The kept picture for `path` and `boxPixels` while its file is still the one decoded.
    [[nodiscard]] const Decoded *kept(const QString &path, QSize boxPixels);
    void keep(Decoded decoded);
    // Forgets kept pictures that are neither wanted ahead nor the one handed over last.
    void trim();

    Host &m_host;
    QFutureWatcher<Result> m_watcher;
    bool m_running = false;
    QString m_runningPath;
    QSize m_runningBox;
    Done m_runningDone; // empty once the running decode is superseded, or when it reads ahead
    std::optional<Request> m_queued;
    QStringList m_wanted; // to read ahead, most likely first
    QSize m_wantedBox;
    std::vector<Decoded> m_kept;
    QString m_shownPath; // handed over last
};
