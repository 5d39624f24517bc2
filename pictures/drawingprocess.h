// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/svgdrawing.h"

#include <QString>

#include <optional>

// Vector pictures are drawn in a process of their own: a small drawing
// program, started with posix_spawn (never a fork of this threaded process),
// with nothing but its standard input, output and error, under its own
// memory and CPU-time limits. One is kept started ahead, so that a preview
// does not wait for it to load; one that has drawn draws the next picture
// too, warm from the last. A fresh one takes the place of one that failed,
// was killed at the deadline, or ended because drawing left it large.

// The environment variable that names the drawing program instead (only tests set it).
inline constexpr char DrawingProgramVariable[] = "ZINDLE_DRAW_SVG";

// Where the drawing program is: next to the running program, where it is
// installed or built (or where the variable says).
[[nodiscard]] QString drawingProgram();

// Draws the cleaned SVG `document` for `box` in a drawing process; nothing when
// it failed or had not finished after `limitMs`, when the process is killed.
// Raises HostError when the drawing program is missing.
[[nodiscard]] std::optional<Drawn> drawInOwnProcess(const QByteArray &document, QSize box, int limitMs);

// Starts a drawing process ahead, if none is ready yet; nothing when the program is missing.
// Wakes the one that is ready: the picture about to be loaded may be an SVG.
void startDrawingProcess();
// Ends the drawing processes, the one kept ready too, and waits for them.
void stopDrawingProcesses();
// Ends the drawing processes that have drawn and waits for them, so that what
// they used counts with this process's ended children (getrusage); one
// started ahead that has drawn nothing stays.
void reapDrawingProcesses();
