// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the benchmarks work on, made the same way by each, and the decoder they measure the preview against.
#pragma once

#include <QImage>
#include <QString>

#include <string>

// A file of `size` bytes of varied content (no run of zeros a file system could skip); false on failure.
bool writeBigFile(const std::string &path, long long size);
// A photo-like picture: smooth colour fields with fine texture, so that a JPEG carries real detail.
[[nodiscard]] QImage photoLike(int width, int height);
// Decodes the JPEG at `path` at 1/8 scale with libjpeg-turbo's djpeg, in a process of its own.
void runDjpeg(const QString &path);
