// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>
#include <string_view>

// Lossless conversion between a path's bytes and its text. Valid UTF-8 decodes
// as usual; every byte that is not part of valid UTF-8 becomes the code point
// U+DC80 + byte, and turns back into that same byte on the way out. Every path
// handed to the operating system goes through encodePath.
[[nodiscard]] QString decodePath(std::string_view bytes);
[[nodiscard]] std::string encodePath(const QString &text);
