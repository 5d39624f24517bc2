// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

// What a folder holds, read with readdir so that names that are not valid
// UTF-8 are kept (decoded losslessly). Hidden names (starting with ".") are
// left out. Both raise HostError when the folder cannot be read.
struct FolderContents {
    std::vector<QString> folders; // sub-folders, sorted
    std::vector<QString> files; // regular files and links to them, sorted
};
[[nodiscard]] FolderContents readFolder(const QString &path);

// Order of names as a file manager shows them: case-insensitive, runs of
// digits compared as numbers (IMG_2 before IMG_10).
[[nodiscard]] bool naturalLess(const QString &a, const QString &b);
