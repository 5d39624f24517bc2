# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Shared by the end-to-end scripts that source it: a private X server, the
# program started in it, and what a person would see. Sets `work` (a temporary
# folder without "." in its path, removed at exit), `display` and `app`; a caller may
# set `screen` (WxHxDEPTH) first.
work=$(mktemp -d /tmp/zindle-e2e-XXXXXX)
app=""
xvfb=""
# The real window in the X server, whatever platform the caller's environment names.
export QT_QPA_PLATFORM=xcb
# The texts as written, in English, whatever the caller's language; a script that tests another sets its own.
export LANG=C.UTF-8
unset LANGUAGE LC_ALL LC_MESSAGES
# Never "kill 0": that would signal the whole process group, test runner included.
cleanup() {
    for pid in $app $xvfb; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    [ -z "${display:-}" ] || DISPLAY=$display import -window root /tmp/zindle-e2e-failure.png 2>/dev/null || true
    exit 1
}

start_xserver() {
    exec 3>"$work/display"
    # -noreset: the server stays up, ready for the next program, when the last one leaves.
    Xvfb -displayfd 3 -screen 0 "${screen:-1280x900x24}" -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    display=:$(head -1 "$work/display")
    export DISPLAY=$display
}

# start COMMAND...: starts the program and waits for its main window; sets `window`.
start() {
    "$@" >"$work/app.log" 2>&1 &
    app=$!
    window=""
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name '^Zindle$' 2>/dev/null | head -1) && [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "the window did not appear: $(cat "$work/app.log")"
    sleep 0.5
}

stop() {
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    app=""
}

key() { xdotool key --delay 50 "$@"; sleep 0.3; }
type_text() { xdotool type --delay 30 "$1"; sleep 0.3; }

# The colour, as #RRGGBB, at the centre of the picture preview (in the main
# window's client area: the box is 7230 x 4455 twips at 6360, 1215).
preview_colour() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    local menu=$((HEIGHT - 644)) # the client area below the menu bar is 924 x 644
    import -window root "$work/shot.png"
    convert "$work/shot.png" -crop "1x1+$((X + 665))+$((Y + menu + 229))" -depth 8 txt:- |
        grep -oE '#[0-9A-F]{6}' | head -1
}
