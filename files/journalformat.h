// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/renamejournal.h"

#include <map>

// The lines of the journal of moves (see renamejournal.h), and who wrote them.
namespace RenameJournal
{
// The process that wrote an entry: the boot, its number, and when it started,
// so that a later process under the same number is told apart.
struct Owner {
    std::string boot;
    long pid = 0;
    unsigned long long start = 0;
    bool missing = false; // no such process (or only its remains, a zombie)
    bool readable = true; // its start time could be read

    [[nodiscard]] static const Owner &self();
    [[nodiscard]] static Owner of(long pid);
};

// One entry as the journal holds it.
struct Line {
    std::uint64_t id = 0;
    Owner owner;
    Entry entry;
    bool readable = false; // of a kind this version knows how to act on
    std::string text; // as written, newline included
};

struct Journal {
    std::map<std::uint64_t, Line> entries;
    int ignored = 0; // lines that failed their checksum or did not parse
};

// The entries of the journal open as `fd`, read from its start. Lines that
// fail their checksum or do not parse are left out.
[[nodiscard]] Journal readJournal(int fd);

// Applies the lines of `text` to `journal`.
void applyLines(Journal &journal, std::string_view text);

// The line that writes `entry` under `id`, owned by this process; the line that drops `id`.
[[nodiscard]] std::string entryLine(std::uint64_t id, const Entry &entry);
[[nodiscard]] std::string doneLine(std::uint64_t id);
}
