// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

// Told how many of a copy's bytes are done out of how many; answers false to
// cancel the move, which then raises ECANCELED with the source untouched.
using CopyProgress = std::function<bool(qint64 done, qint64 total)>;

// Renames or moves the file `from` to `to` by their exact bytes, never
// replacing anything at `to`. Raises HostError, with both files as they were,
// when it cannot. A symbolic link is moved as a link. A move to another file
// system copies the file (contents, mode, times, owner where allowed, extended
// attributes), reporting its progress to `progress` (which may be empty), and
// removes the source only once the copy is safely in place.
void renameFile(const QString &from, const QString &to, const CopyProgress &progress);

// For tests: `hook` runs at named stages of every rename, so that a test can
// change the disk there. Stages: "before-rename" (just before the rename on one
// file system), "before-publish" (a copy is complete, just before it takes the
// target name), "before-remove-source" (the copy has the target name, the source
// is still there). An empty function removes the hook.
void setRenameHookForTests(std::function<void(const char *stage)> hook);
