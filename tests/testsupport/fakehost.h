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
    struct RegistryValue {
        std::uint32_t type;
        QByteArray data;
    };

    // User-name service: answers `user`, or fails when `userNameFails`.
    QString user = QStringLiteral("maria");
    bool userNameFails = false;
    // Documents folder per user name; a name not listed names no folder.
    QHash<QString, QString> documents;
    // When set, every picture loads with this HIMETRIC size (W x H) instead of from the file.
    std::optional<QSize> pictureSize;
    // Registry: values by "key path\\value name"; keys that refuse to open.
    QHash<QString, RegistryValue> registry;
    QList<QString> refusedKeys;
    // Programs that shell() can start; any other path fails.
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
    QList<QString> launched;
    QList<int> launchStyles;
    QList<QByteArray> openedKeys;
    QList<std::uint32_t> openAccess;
    QList<QByteArray> queriedValues;
    int openKeys = 0;
    int endCalls = 0;

    bool userName(QString &buffer, std::uint32_t &size) override;
    [[nodiscard]] QString documentsFolder(const QString &name) override;
    void messageBox(const QString &text, int style, const QString &title = {}) override;
    void endProgram() override;
    void rename(const QString &from, const QString &to, const CopyProgress &progress) override;
    [[nodiscard]] Picture loadPicture(const QString &path, QSize boxPixels) override;
    long regOpenKeyEx(std::uint32_t root, const QByteArray &subKey, std::uint32_t options, std::uint32_t access,
        std::uint32_t &key) override;
    long regQueryValueEx(std::uint32_t key, const QByteArray &valueName, std::uint32_t &type, QByteArray &data,
        std::uint32_t &size) override;
    long regCloseKey(std::uint32_t key) override;
    [[nodiscard]] QString fileExists(const QString &path) override;
    void shell(const QString &program, int windowStyle) override;
    [[nodiscard]] QStringList recentDestinations() override;
    void keepRecentDestinations(const QStringList &folders) override;

private:
    QHash<std::uint32_t, QByteArray> m_keys;
    std::uint32_t m_nextKey = 100;
};
