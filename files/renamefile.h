// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

// Told how far a copy is, as `done` of `total` (the file's size), where each
// byte counts half once copied and half once flushed to the disk; answers false
// to cancel the move, which then raises ECANCELED with the source untouched.
// Called on the thread that runs renameFile.
using CopyProgress = std::function<bool(qint64 done, qint64 total)>;

// Renames or moves the file `from` to `to` by their exact bytes, never
// replacing anything at `to` (on a file system with neither RENAME_NOREPLACE
// nor hard links, see renameOverPlaceholder for the one moment that remains).
// Raises HostError, with both files as they were, when it cannot; EINVAL when
// either path holds a NUL. A letter-case change on a case-insensitive file
// system renames the file itself. A symbolic link is moved as a link. A move
// to another file system copies the file (contents with their holes, mode,
// times, owner, extended attributes, as far as this user may and the target
// can hold them; EFBIG or ENOSPC at once for a file the target cannot hold),
// reporting its progress to `progress` (which may be empty), and removes the source only
// once the copy is safely in place, and only if it is still the very file
// that was copied, unchanged (EAGAIN otherwise, with the source kept and the
// copy taken back). Killed at any point, such a move leaves the file complete
// at its source or its target (or both); a source it left set aside under a
// hidden name is put back under its full name by the next move from that
// folder, and a copy it left in progress is removed by the next move into that
// folder, as the journal of moves (renamejournal.h) records them. A move that
// cannot write that journal is refused (ENOLCK) before it changes anything.
// Safe to call from several threads and processes at once.
void renameFile(const QString &from, const QString &to, const CopyProgress &progress);

// For tests: `hook` runs at named stages of every rename, so that a test can
// change the disk there. Stages: "before-rename" (just before the rename on one
// file system); then, moving to another file system: "before-open" (the
// source was checked a regular file, just before it is opened), "before-publish" (a copy
// is complete, just before it takes the target name), "before-remove-source"
// (the copy has the target name, the source is still there, not yet checked),
// "before-set-aside" (just before the source is checked unchanged and renamed
// aside), "after-set-aside" (it is aside, not yet checked again and removed).
// Where the copy is written under the target name itself (a disk without hard
// links), "before-publish" comes just before that name is taken. Where the
// file system has no RENAME_NOREPLACE, "before-link" comes just before a
// hard link takes the place of a rename; where it has no hard links either,
// "before-replace-placeholder" comes between the last check of the placeholder
// and the rename over it (renamesupport.h).
// An empty function removes the hook. Not thread-safe.
void setRenameHookForTests(std::function<void(const char *stage)> hook);

// For tests: makes moves to another file system build their copy under a
// hidden name, as they do where the file system cannot make unnamed files.
void setNamedCopiesForTests(bool named);
