#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# End to end: the command line. --help, --version and a command line that cannot
# be understood answer without a display, each with its exit status;
# a file given at start is chosen in its folder, a folder given at start is
# browsed, each then renamed through the window as a person would, and the
# disk checked after each step; what cannot be opened says why.
set -euo pipefail
program=${1:?usage: commandline.sh PATH-TO-ZINDLE}
source "$(dirname "$0")/xserver.bash"

# 1. Without a display: help, version, the toolkit's own options, and command lines
# that cannot be understood, each with its exit status and what it prints.
without_display() { # without_display STATUS PATTERN ARGUMENTS...: the status and a line of the output
    local expected=$1 pattern=$2 status=0
    shift 2
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$program" "$@" >"$work/out" 2>&1 || status=$?
    [ "$status" -eq "$expected" ] || fail "zindle $* ended with status $status, not $expected: $(cat "$work/out")"
    grep -qE -- "$pattern" "$work/out" || fail "zindle $* printed no line like '$pattern': $(cat "$work/out")"
}
without_display 0 '^Zindle [0-9]+\.[0-9]+\.[0-9]+$' --version
without_display 0 '^Zindle [0-9]+\.[0-9]+\.[0-9]+$' -platform xcb -v
without_display 0 '\[path\]' --help
without_display 0 '\[path\]' -reverse -h
without_display 2 "^zindle: Unknown option 'no-such-option'" --no-such-option
without_display 2 "^zindle: Unknown option 'bogus'" -style fusion --bogus ~
without_display 2 '^zindle: Give one folder or file at most' / /tmp

start_xserver
status=0
"$program" --no-such-option 2>"$work/err" || status=$?
[ $status -eq 2 ] || fail "an unknown option ended with status $status"
grep -q "no-such-option" "$work/err" || fail "an unknown option was not named: $(cat "$work/err")"

# 2. A file, given relative to the current folder: chosen as a click would, so
# the base-name box has the focus with its text selected; typing replaces it.
mkdir -p "$work/Photos"
convert -size 320x240 xc:'#CC3366' "$work/Photos/a.png"
cd "$work"
start "$program" Photos/a.png
cd - >/dev/null
[ "$(preview_colour)" = "#CC3366" ] || fail "the picture given at start is not previewed"
type_text beach
key shift+Tab space # back to the rename button, and press it
[ -f "$work/Photos/beach.png" ] || fail "a.png given at start was not renamed: $(ls "$work/Photos")"
stop

# 3. A folder whose name is not UTF-8: browsed; Tab Home Enter chooses its first file.
folder="$work/caf"$'\xe9'
mkdir "$folder"
echo "minutes of the meeting" >"$folder/notes.txt"
start "$program" "$folder"
key Tab Home Return # the file list, its first file, chosen: its base name is in the box, selected
type_text minutes
key shift+Tab space
[ -f "$folder/minutes.txt" ] || fail "notes.txt in the folder given at start was not renamed: $(ls "$folder")"
[ "$(cat "$folder/minutes.txt")" = "minutes of the meeting" ] || fail "the renamed file changed"
stop
# 4. What cannot be opened says why, and the window stays, usable, on the documents folder.
mkfifo "$work/fifo"
deep=$(
    cd "$work"
    name=$(printf 'd%.0s' $(seq 200))
    for _ in $(seq 25); do mkdir "$name" && cd "$name"; done
    echo "$work$(printf "/$name%.0s" $(seq 25))"
)
for path in "$work/fifo" /dev/zero "$deep"; do
    start "$program" "$path"
    box=""
    for _ in $(seq 50); do
        box=$(xdotool search --onlyvisible --name '^Cannot Open$' 2>/dev/null | head -1) && [ -n "$box" ] && break
        sleep 0.1
    done
    [ -n "$box" ] || fail "no \"Cannot Open\" box for a path of ${#path} bytes starting $(head -c 40 <<<"$path")"
    xdotool windowfocus --sync "$box" key Return
    sleep 0.3
    kill -0 "$app" 2>/dev/null || fail "the program ended after the box"
    stop
done
echo "PASS: --help, --version and wrong command lines without a display; a file and a folder given at start, each renamed; a FIFO, a device and a path too long said so"
