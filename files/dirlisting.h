// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <string>
#include <vector>

// What a folder holds, read with readdir so that names that are not valid
// UTF-8 are kept (decoded losslessly by decodePath). Hidden names (starting
// with ".") are left out; links count as what they point to, and dangling
// links, devices, pipes and sockets are left out.
struct FolderContents {
    std::vector<QString> folders; // sub-folders and links to folders, sorted by naturalLess
    std::vector<QString> files; // regular files and links to them, sorted by naturalLess
    // Read with the files: every visible symbolic link, whatever it points to (if
    // anything), in no order. A rename can make one dangle, or bring it back.
    std::vector<QString> links;
};

// Which kinds of entries to read: a caller that needs one kind does not pay
// for decoding and sorting the other (a folder of 100,000 pictures).
enum class FolderParts { FoldersAndFiles, FoldersOnly, FilesOnly };

// Raises HostError (errno, strerror text) when the folder cannot be opened or read.
[[nodiscard]] FolderContents readFolder(const QString &path, FolderParts parts = FolderParts::FoldersAndFiles);

// The order of names as listed: the user's collation (see NameOrder::user).
[[nodiscard]] bool naturalLess(const QString &a, const QString &b);

// The listing's order as a key: for any two names, comparing their keys as
// bytes (memcmp, then length) gives exactly naturalLess's order, so a name can
// be placed into a listed folder by its key. Appends to `key`.
void appendNaturalKey(QStringView name, std::string &key);
