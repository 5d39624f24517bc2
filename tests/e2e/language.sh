#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# End to end: a German user. Generates the de_DE.UTF-8 locale (in a folder of its own, named by
# LOCPATH, so that the machine's locales stay as they are), starts the real program under
# LANG=de_DE.UTF-8 on a private session bus with the accessibility bus, and has language.py read
# through AT-SPI, as a screen reader would: the German menus, the toolkit's own context menu of a
# text box in German, and the German message that refuses a rename onto a file that exists.
set -euo pipefail
program=${1:?usage: language.sh PATH-TO-ZINDLE}
if [ -z "${ZINDLE_PRIVATE_BUS:-}" ]; then
    # A bus of our own: the test neither needs the user's session nor disturbs it. Its own runtime
    # folder too, where the accessibility bus leaves its socket: another test's bus, ending, would
    # take away a socket they shared in the home folder.
    runtime=$(mktemp -d /tmp/zindle-runtime-XXXXXX)
    status=0
    XDG_RUNTIME_DIR=$runtime ZINDLE_PRIVATE_BUS=1 dbus-run-session -- bash "$0" "$@" || status=$?
    rm -rf "$runtime"
    exit "$status"
fi
source "$(dirname "$0")/session.bash"
export LOCPATH=$work/locale
mkdir -p "$LOCPATH"
# localedef ends with 1 after mere warnings; the locale's files tell whether it was made.
localedef -i de_DE -f UTF-8 "$LOCPATH/de_DE.UTF-8" >"$work/localedef.log" 2>&1 || true
# Only LANG speaks: a LANGUAGE or LC_* of the caller would override it.
unset LANGUAGE LC_ALL LC_MESSAGES LC_NUMERIC
export LANG=de_DE.UTF-8
[ "$(locale decimal_point 2>/dev/null)" = "," ] || fail "the de_DE.UTF-8 locale was not made: $(cat "$work/localedef.log")"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
touch "$docs/b.png" # the name a.png will be refused
read_aloud() { /usr/bin/python3 "$(dirname "$0")/language.py" "$@"; }

start_focused "$program"
read_aloud "menu item=Datei" "menu item=Beenden" "menu item=Hilfe" "menu item=Über" \
    "menu item=Rückgängig: Umbenennen" || fail "the menus are not in German"
# The file list, its first file (a.png) chosen: the base name waits, selected, in its box.
key Tab Home Return
# The toolkit's own context menu of the box, opened from the keyboard.
read_aloud --menu-after "Menu Down" Rückgängig "Alles auswählen" || fail "the text box's own menu is not in German"
key Escape
type_text b
key Return
read_aloud "alert=Fehler" "label~Fehler: Datei nicht umbenannt" "label~Dort existiert bereits eine Datei" \
    || fail "the refusal is not in German"
key Return
[ -f "$docs/a.png" ] && [ -f "$docs/b.png" ] || fail "the refused rename changed a file: $(ls "$docs")"
echo "PASS: under LANG=de_DE.UTF-8 the menus, the toolkit's own texts and a refusal read in German"
