# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced by end-to-end scripts: a user whose documents folder holds a picture
# and a document, next to a folder to sort into; a private X server; the real
# program started in it. Sets $work, $HOME, $docs, $sorted and, once the
# program runs, $app and $window. Cleans up only its own processes.
work=$(mktemp -d /tmp/zindle-e2e-XXXXXX) # no "." in the path: a dotted folder refuses renames
app=""
xvfb=""
helpers="" # further processes of the script, ended before the X server
# Never "kill 0": that would signal the whole process group, test runner included.
cleanup() {
    for pid in $app $helpers $xvfb; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    import -window root "/tmp/zindle-e2e-failure-$(basename "$0" .sh).png" 2>/dev/null || true
    exit 1
}

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
docs=$HOME/Documents
sorted=$HOME/Sorted
mkdir -p "$docs" "$sorted" "$XDG_CONFIG_HOME"
echo 'XDG_DOCUMENTS_DIR="$HOME/Documents"' >"$XDG_CONFIG_HOME/user-dirs.dirs"
convert -size 320x240 xc:steelblue "$docs/a.png"
echo "minutes of the meeting" >"$docs/b.txt"
# The documents folder is found through the login name's home folder.
home_of_user=$(getent passwd "$(id -un)" | cut -d: -f6)
if [ "$home_of_user" != "$HOME" ]; then
    export XDG_CONFIG_HOME=$work/config
    mkdir -p "$XDG_CONFIG_HOME"
    rel=$(realpath --relative-to="$home_of_user" "$docs")
    echo "XDG_DOCUMENTS_DIR=\"\$HOME/$rel\"" >"$XDG_CONFIG_HOME/user-dirs.dirs"
fi

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -1 "$work/display")
# Whatever the caller exported, the program needs the real X server.
export QT_QPA_PLATFORM=xcb

# start_program PROGRAM: starts it in $work and waits until its main window shows.
start_program() {
    local program
    program=$(realpath "$1")
    (cd "$work" && exec "$program" >"$work/app.log" 2>&1) &
    app=$!
    window=""
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name '^Zindle$' 2>/dev/null | head -1) && [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "the window did not appear"
    # What a window manager does with a new window: give it the focus, so that it is active.
    xdotool windowfocus --sync "$window"
    sleep 0.5
}
key() { xdotool key --delay 50 "$@"; sleep 0.3; }
type_text() { xdotool type --delay 30 "$1"; sleep 0.3; }
