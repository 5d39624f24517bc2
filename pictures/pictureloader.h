// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/hosterror.h"
#include "base/picture.h"

#include <QSize>
#include <QString>

// Loads the picture at `path` for a box of `boxPixels` device pixels. Raises
// HostError when the file is missing or is not a picture it can decode.
[[nodiscard]] Picture loadPictureFile(const QString &path, QSize boxPixels);
