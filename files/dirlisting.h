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
};

// Which kinds of entries to read: a caller that needs one kind does not pay
// for decoding and sorting the other (a folder of 100,000 pictures).
enum class FolderParts { FoldersAndFiles, FoldersOnly, FilesOnly };

// Raises HostError (errno, strerror text) when the folder cannot be opened or read.
[[nodiscard]] FolderContents readFolder(const QString &path, FolderParts parts = FolderParts::FoldersAndFiles);

// Order of names as a file manager shows them: case-insensitive, runs of
// ASCII digits compared as numbers (IMG_2 before IMG_10, "a01" level with
// "a1"), other characters by code point. Names equal in that order are ordered
// by their exact text, so that distinct names never tie.
[[nodiscard]] bool naturalLess(const QString &a, const QString &b);

// The natural order as a key: for any two names, comparing their keys as
// bytes (memcmp, then length) gives naturalLess's order, except that names it
// tells apart only by their exact text have equal keys. Appends to `key`.
void appendNaturalKey(QStringView name, std::string &key);
