#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# End to end: what a screen reader meets. Runs the real program in a private X
# server on a private session bus with the accessibility bus, types a base
# name, and has accessibility.py read every window through AT-SPI, as screen
# readers on Linux do.
set -euo pipefail
program=${1:?usage: accessibility.sh PATH-TO-ZINDLE}
if [ -z "${ZINDLE_PRIVATE_BUS:-}" ]; then
    # A bus of our own: the test neither needs the user's session nor disturbs it.
    ZINDLE_PRIVATE_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "$0")/session.bash"
# The session bus starts the accessibility bus when the program asks for it.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_focused "$program"
key Tab Tab Tab # from the folder list past the file list and the button to the base-name box
type_text memo
volume=$(findmnt -n -o TARGET --target "$work")
# Debian's interpreter: the one on PATH may not see Debian's python3-pyatspi.
/usr/bin/python3 "$(dirname "$0")/accessibility.py" "$docs" "$volume" "$(id -un)" \
    || fail "the windows do not read as they show"
echo "PASS: every window reads as it shows: roles, names, values, relations and keys"
