// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/linuxhost.h"

#include <QHash>
#include <QList>

#include <functional>
#include <optional>

// The host for tests: real files and pictures, with every interactive or
// system-wide operation replaced by a recording fake.
class FakeHost : public LinuxHost
{
public:
    struct Message {
        QString text;
        int style;
        QString title;
    };
    struct Launch {
        QString program;
        QStringList arguments;
        friend bool operator==(const Launch &, const Launch &) = default;
    };

    // User-name service: answers `user`, or fails when `userNameFails`.
    QString user = QStringLiteral("maria");
    bool userNameFails = false;
    // Documents folder per user name; a name not listed names no folder.
    QHash<QString, QString> documents;
    // When set, every picture loads with this HIMETRIC size (W x H) instead of from the file.
    std::optional<QSize> pictureSize;
    // The system information tools of the desktop and of the search path (the registry is LinuxHost's, empty until
    // a test fills it).
    std::optional<Command> desktopTool;
    QStringList searchPathTools;
    // Programs that launch() can start; any other fails.
    QList<QString> startable;
    // Files for fileExists(); when empty the real file system answers.
    std::optional<QList<QString>> existingFiles;
    // Runs as every picture starts loading, on the decoding thread: a test can hold it back there.
    std::function<void(const QString &path)> whileLoading;
    // The recent destinations as kept between runs; with `keptForReal`, the real configuration folder keeps them.
    QStringList recent;
    bool keptForReal = false;
    // Runs just before every rename (on the worker thread of a move to another folder): a test can change the disk in
    // between.
    std::function<void()> beforeRename;

    // What was asked.
    QList<Message> messages;
    QList<QString> loadedPictures; // every path asked of the picture loader (read it when no decode is pending)
    QList<Launch> launched;
    int endCalls = 0;

    [[nodiscard]] QString userName() override;
    [[nodiscard]] QString documentsFolder(const QString &name) override;
    void messageBox(const QString &text, int style, const QString &title = {}) override;
    void endProgram() override;
    void rename(const QString &from, const QString &to, const CopyProgress &progress) override;
    [[nodiscard]] Picture loadPicture(const QString &path, QSize boxPixels) override;
    [[nodiscard]] std::optional<Command> desktopSysInfoTool() override;
    [[nodiscard]] QStringList installedSysInfoTools() override;
    [[nodiscard]] QString fileExists(const QString &path) override;
    void launch(const QString &program, const QStringList &arguments) override;
    [[nodiscard]] QStringList recentDestinations() override;
    void keepRecentDestinations(const QStringList &folders) override;
};
