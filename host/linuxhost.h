// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/host.h"

// The host as a Linux desktop with Qt provides it. It has no registry: every
// registry read answers "absent"; the system information tool is the desktop's
// own or one found on the search path.
class LinuxHost : public Host
{
public:
    LinuxHost();
    ~LinuxHost() override;

    [[nodiscard]] QString userName() override;
    [[nodiscard]] QString documentsFolder(const QString &user) override;
    void messageBox(const QString &text, int style, const QString &title = {}) override;
    void endProgram() override;
    void rename(const QString &from, const QString &to, const CopyProgress &progress) override;
    [[nodiscard]] Picture loadPicture(const QString &path, QSize boxPixels) override;
    [[nodiscard]] Registry &registry() override;
    [[nodiscard]] std::optional<Command> desktopSysInfoTool() override;
    [[nodiscard]] QStringList installedSysInfoTools() override;
    [[nodiscard]] std::optional<FileId> fileId(const QString &path) override;
    [[nodiscard]] QString fileExists(const QString &path) override;
    [[nodiscard]] bool isSpecialFile(const QString &path) override;
    void launch(const QString &program, const QStringList &arguments) override;
    // Kept in zindle/zindle.conf of the user's configuration folder ($XDG_CONFIG_HOME, else ~/.config).
    [[nodiscard]] QStringList recentDestinations() override;
    void keepRecentDestinations(const QStringList &folders) override;

private:
    Registry m_registry;
};
