#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# End to end on scaled screens smaller than the window: at a scale of 2 a
# 1280 x 800 screen holds 640 x 400 logical pixels, at 1.25 a 1280 x 720 one
# 1024 x 576. The window shrinks to the screen and its content scrolls: a file
# is chosen, its new name typed, then the mouse wheel brings the From and To
# rows and the Rename button into view, as a person would, and the button renames.
set -euo pipefail
program=${1:?usage: scaled.sh PATH-TO-ZINDLE [SCALE SCREEN]}
if [ $# -eq 1 ]; then
    for config in "2 1280x800" "1.25 1280x720"; do
        # shellcheck disable=SC2086
        bash "$0" "$program" $config || exit 1
    done
    exit 0
fi
scale=$2
screen=${3}x24 screen_w=${3%x*} screen_h=${3#*x}
source "$(dirname "$0")/session.bash"
export QT_SCALE_FACTOR=$scale
# Logical pixels of the window's client area to pixels of the screen.
px() { awk -v v="$1" -v s="$scale" 'BEGIN { printf "%d", v * s + 0.5 }'; }

start_focused "$program"
eval "$(xdotool getwindowgeometry --shell "$window")"
((X >= 0 && Y >= 0 && X + WIDTH <= screen_w && Y + HEIGHT <= screen_h)) ||
    fail "at $scale the window (${WIDTH}x$HEIGHT at $X,$Y) does not fit the $3 screen"

# The bounding box of the pure red text on the screen, "W H X Y": the target path, red once a name is typed.
red_box() {
    import -window root "$work/shot.png"
    convert "$work/shot.png" -fuzz 25% -fill black +opaque '#FF0000' -fuzz 0 -format '%@' info: 2>/dev/null |
        sed -E 's/^([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+)$/\1 \2 \3 \4/'
}
# Whether the screen's rectangle W H X Y holds text of the window's black (the source folder).
has_text() {
    convert "$work/shot.png" -crop "$1x$2+$3+$4" -colorspace Gray -threshold 15% -format '%[fx:minima]' info: |
        grep -qx 0
}
# Turns the mouse wheel 12 steps: down (5) or up (4) over the vertical scroll bar at the window's
# right edge; right (7) or left (6) over the bottom of the content, where the From and To rows end.
wheel() {
    if [ "$1" -le 5 ]; then
        xdotool mousemove --sync $((X + WIDTH - 3)) $((Y + HEIGHT / 2))
    else
        xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT - $(px 40)))
    fi
    xdotool click --repeat 12 --delay 40 "$1"
    sleep 0.5
}

# 1. Choose the picture from the keyboard (the file list is in view) and type its new name.
key Tab Home Return
type_text beach
read -r w _ _ _ <<<"$(red_box)"
((w < 20)) || fail "at $scale the To row was in view before scrolling"

# 2. Down to the end and back to the left: the From and To rows are in view.
wheel 5
wheel 6
read -r w h rx ry <<<"$(red_box)"
((w >= 20 && ry + h <= Y + HEIGHT)) || fail "at $scale the wheel did not bring the To row into view"
# The source folder lies in the From row, level with the target path, 48 to 433 pixels from the left.
has_text "$(px 385)" "$h" $((X + $(px 48))) "$ry" || fail "at $scale the From row is not in view"

# 3. To the right end: the whole target path shows, centred in its label, and the button above it.
wheel 7
read -r w h rx ry <<<"$(red_box)"
((rx >= X && rx + w <= X + WIDTH)) || fail "at $scale the target path is not wholly in view"
# The label is 409 pixels wide at 480, 560 of the client area; the button's centre is at 803, 476.
xdotool mousemove --sync $((rx + w / 2 + $(px 803) - $(px 684))) $((ry + $(px 476) - $(px 560))) click 1
sleep 0.5
[ -f "$docs/beach.png" ] || fail "at $scale the Rename button did not rename a.png: $(ls "$docs")"
[ ! -e "$docs/a.png" ] || fail "at $scale a.png is still there"

# 4. The About box, whose place would put its lower edge off such a screen, is moved onto it.
key alt+h a
about=$(xdotool search --sync --onlyvisible --name '^About Zindle$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$about")"
((X >= 0 && Y >= 0 && X + WIDTH <= screen_w && Y + HEIGHT <= screen_h)) ||
    fail "at $scale the About box (${WIDTH}x$HEIGHT at $X,$Y) does not fit the $3 screen"
key Return
stop
echo "PASS: at $scale on $3 the window and the About box fit, the window scrolls to the From and To rows and the Rename button, and renames"
