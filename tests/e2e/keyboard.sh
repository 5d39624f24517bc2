#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# End to end from the keyboard alone, never the pointer, from the program's
# start: renames a picture in place and moves a document into a held folder,
# undoes the move with Ctrl+Z, opens the About box through the menu's access keys and closes it with Enter,
# opens Help with F1, where Enter and Esc do nothing, and ends with Ctrl+Q.
set -euo pipefail
program=${1:?usage: keyboard.sh PATH-TO-ZINDLE}
source "$(dirname "$0")/session.bash"
shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
start_focused "$program"

# 1. The focus starts in the folder list; Tab leads to the file list. The arrows
# move the highlight only (a.png, b.txt, back to a.png); Enter chooses it and
# leaves the base name selected for typing; Enter in the box presses the button.
key Tab Down Down Up Return
type_text beach
key Return
[ -f "$docs/beach.png" ] || fail "a.png was not renamed to beach.png: $(ls "$docs")"
[ ! -e "$docs/a.png" ] || fail "a.png is still there"

# 2. From the base name: extension, drive list, destination box; type the folder,
# Tab to Hold and check it; back to the file list; typing "b." finds b.txt
# without choosing it; Space chooses it; Shift+Tab to the button; Enter presses it.
key Tab Tab Tab ctrl+a
type_text "$sorted/"
key Tab space Tab Tab
type_text b.
sleep 1 # past the type-ahead, where a space would still be part of the name
key space shift+Tab Return
[ -f "$sorted/b.txt" ] || fail "b.txt was not moved into Sorted: $(ls "$sorted")"
[ ! -e "$docs/b.txt" ] || fail "b.txt is still in Documents"
[ "$(cat "$sorted/b.txt")" = "minutes of the meeting" ] || fail "b.txt changed on the way"
# Ctrl+Z takes the move back.
key ctrl+z
[ -f "$docs/b.txt" ] && [ ! -e "$sorted/b.txt" ] || fail "Ctrl+Z did not move b.txt back: $(ls "$docs" "$sorted")"

# 3. Help, About through the access keys; Enter presses OK.
key alt+h
key a
shown 'About Zindle' || fail "Alt+H, A did not open the About box"
key Return
sleep 0.5
! shown 'About Zindle' || fail "Enter did not close the About box"

# 4. F1 opens Help; Enter and Esc leave it open; Ctrl+Q ends the program from it.
key F1
shown Help || fail "F1 did not open the help window"
key Return Escape
shown Help || fail "Enter or Esc closed the help window"
key ctrl+q
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "Ctrl+Q did not end the program"
wait "$app" || fail "the program ended with status $?"
app=
echo "PASS: renamed in place, moved into a held folder and undid the move from the keyboard; About, Help and Ctrl+Q by their keys"
