// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Numbers carried as text in the window's hidden boxes.

// The default text form of a double: 15 significant digits, no trailing
// zeros, no decimal point when nothing follows it, and an exponent form with
// "E" for very small or very large values (1E-20, 1E+20).
[[nodiscard]] QString numberToText(double value);

// The value of the longest leading part of `text` that forms a number ("."
// as decimal point, optional exponent); 0 when none does.
[[nodiscard]] double textToNumber(const QString &text);
