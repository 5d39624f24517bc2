#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# End to end from the keyboard alone, never the pointer, from the program's
# start: renames a picture in place and moves a document into a held folder,
# undoes the move with Ctrl+Z, moves it into a second folder and back, opens the About box through the
# menu's access keys and closes it with Enter, opens Help with F1, where Enter and Esc do nothing, and
# ends with Ctrl+Q. A second run sorts 20 photos into the two folders, now recent destinations, with
# new names, counting the keys it takes.
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
# Ctrl+Z takes the move back, and the list highlights b.txt again.
key ctrl+z
[ -f "$docs/b.txt" ] && [ ! -e "$sorted/b.txt" ] || fail "Ctrl+Z did not move b.txt back: $(ls "$docs" "$sorted")"
# Into a second folder (Ctrl+L selects the destination), chosen again with Shift+Tab twice and Enter; back again.
beach=$HOME/Beach
mkdir -p "$beach"
key ctrl+l
type_text "$beach/"
key F2 shift+Tab shift+Tab Return Return
[ -f "$beach/b.txt" ] || fail "b.txt was not moved into Beach: $(ls "$docs" "$beach")"
key ctrl+z
[ -f "$docs/b.txt" ] || fail "Ctrl+Z did not move b.txt back from Beach"

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

# 5. The next run: 20 photos, the first one chosen from the command line; ten of them go into Sorted as
# sun01..sun10, ten into Beach as sea11..sea20, both picked from the recent destinations.
for n in $(seq 20); do
    photo=$(printf 'IMG_%04d.jpg' "$n")
    convert -size 64x48 "xc:rgb($((n * 12)),90,160)" "$docs/$photo"
    cp "$docs/$photo" "$work/$photo"
done
start_focused "$program" "$docs/IMG_0001.jpg"
keys=0 letters=0
press() { keys=$((keys + $#)); key "$@"; }
name() { letters=$((letters + ${#1})); type_text "$1"; }
# sort_into ARROWS BASE FIRST LAST: the recent destination ARROWS rows down, then each file named and renamed with Ctrl+Enter.
sort_into() {
    press ctrl+l alt+Down
    for _ in $(seq "$1"); do press Down; done
    press Return F2
    for n in $(seq "$3" "$4"); do
        name "$2$(printf %02d "$n")"
        press ctrl+Return
    done
}
sort_into 2 sun 1 10 # the recent destinations: Beach (moved into last), then Sorted
sort_into 2 sea 11 20 # now Sorted, then Beach
for n in $(seq 20); do
    if [ "$n" -le 10 ]; then renamed=$sorted/sun$(printf %02d "$n").jpg; else renamed=$beach/sea$n.jpg; fi
    cmp -s "$renamed" "$work/$(printf 'IMG_%04d.jpg' "$n")" || fail "photo $n is not $renamed: $(ls "$docs" "$sorted" "$beach")"
done
[ -z "$(ls "$docs" | grep IMG_)" ] || fail "photos left in Documents: $(ls "$docs")"
bar=$((letters + 2 * 20 + 12))
echo "The sort of 20 photos took $keys keys besides the $letters letters of the names: $((letters + keys)) in all (at most $bar)."
[ $((letters + keys)) -le "$bar" ] || fail "the sort took more keys than the letters, 2 a file and 12 for the two destinations"
stop
echo "PASS: renamed in place, moved into a held folder and undid the move from the keyboard; About, Help and Ctrl+Q by their keys; 20 photos sorted into two recent destinations with $((letters + keys)) keys"
