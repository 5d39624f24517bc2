#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# End to end: the real program in a real X server, driven through it as a
# person would (keyboard and mouse via xdotool). Renames a picture in place,
# moves a document into a held folder, then ends the program with File, Exit,
# and checks the disk after each step.
set -euo pipefail
program=${1:?usage: rename.sh PATH-TO-ZINDLE}
source "$(dirname "$0")/session.bash" # no "." in the work path: a dotted folder refuses renames
start "$program"
eval "$(xdotool getwindowgeometry --shell "$window")"
menu=$((HEIGHT - 644)) # the client area below the menu bar is 924 x 644
[ "$WIDTH" -eq 924 ] || fail "window width $WIDTH, expected 924"
# Positions of the window's controls, in pixels of its client area (twips / 15).
click() { xdotool mousemove --sync $((X + $1)) $((Y + menu + $2)) click 1; sleep 0.3; }

# 1. Rename in place: in the file list, highlight the picture, choose it with Enter, type a name, press the button.
key Tab Home Return
type_text beach
click 803 476 # Command1
[ -f "$docs/beach.png" ] || fail "a.png was not renamed to beach.png: $(ls "$docs")"
[ ! -e "$docs/a.png" ] || fail "a.png is still there"

# 2. Move into a held folder: type the destination, check Hold, click the document, press the button.
click 160 490 # Text5
key ctrl+a
type_text "$sorted/"
click 48 484 # Check1, the Hold box
click 240 105 # first row of File1: b.txt
click 803 476
[ -f "$sorted/b.txt" ] || fail "b.txt was not moved into Sorted: $(ls "$sorted")"
[ ! -e "$docs/b.txt" ] || fail "b.txt is still in Documents"
[ "$(cat "$sorted/b.txt")" = "minutes of the meeting" ] || fail "b.txt changed on the way"

# 3. File, Exit ends the program: the menu opened with the mouse, its last item chosen by its access key.
xdotool mousemove --sync $((X + 15)) $((Y + menu / 2)) click 1
sleep 0.5
key x
for _ in $(seq 50); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
kill -0 $app 2>/dev/null && fail "File, Exit did not end the program"
wait $app || fail "the program ended with status $?"
app=
echo "PASS: renamed in place, moved into a held folder, ended through File, Exit"
