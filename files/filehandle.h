// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The file system's handle of the entry `name` in `folder` (a link is itself),
// as bytes: its type, then what names the file to the file system. Unlike an
// inode number it carries the inode's generation where the file system keeps
// one, so that a file made later on a freed inode gets another handle. Empty
// where the file system gives no handles or there is no such entry. Holds
// nothing open.
[[nodiscard]] std::string fileHandle(int folder, const std::string &name);
