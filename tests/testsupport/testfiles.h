// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Small file helpers for tests, working on a path's exact bytes.
namespace TestFiles
{
// Creates (or replaces) a file holding `content`; false on failure.
bool write(const QString &path, const QByteArray &content = {});
// The file's content; empty when it cannot be read.
[[nodiscard]] QByteArray read(const QString &path);
[[nodiscard]] bool exists(const QString &path);
bool makeFolder(const QString &path);
// Removes a folder and everything below it, whatever bytes the names hold
// (QTemporaryDir cannot remove names that are not valid UTF-8).
void removeTree(const QString &path);
}
