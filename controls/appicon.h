// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The program's icon, the artwork its desktop entry names, built into the
// program so that every window shows it whether the program is installed or not.
[[nodiscard]] QIcon appIcon();
