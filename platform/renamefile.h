// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Renames or moves the file `from` to `to` by their exact bytes, never
// replacing anything at `to`. Raises HostError, with both files as they were,
// when it cannot.
void renameFile(const QString &from, const QString &to);
