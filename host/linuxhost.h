// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/host.h"

// The host as a Linux desktop with Qt provides it. It has no registry: every
// registry read answers "absent".
class LinuxHost : public Host
{
public:
    LinuxHost();
    ~LinuxHost() override;

    bool userName(QString &buffer, std::uint32_t &size) override;
    [[nodiscard]] QString documentsFolder(const QString &user) override;
    void messageBox(const QString &text, int style, const QString &title = {}) override;
    void endProgram() override;
    void rename(const QString &from, const QString &to, const CopyProgress &progress) override;
    [[nodiscard]] Picture loadPicture(const QString &path, QSize boxPixels) override;
    long regOpenKeyEx(std::uint32_t root, const QByteArray &subKey, std::uint32_t options, std::uint32_t access,
        std::uint32_t &key) override;
    long regQueryValueEx(std::uint32_t key, const QByteArray &valueName, std::uint32_t &type, QByteArray &data,
        std::uint32_t &size) override;
    long regCloseKey(std::uint32_t key) override;
    [[nodiscard]] std::optional<FileId> fileId(const QString &path) override;
    [[nodiscard]] QString fileExists(const QString &path) override;
    [[nodiscard]] bool isSpecialFile(const QString &path) override;
    void shell(const QString &program, int windowStyle) override;
};
