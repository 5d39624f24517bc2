#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
#   tests/unprivileged.sh PROGRAM [ARGS...]
# Runs a test program whose cases need a user without root's rights. Run by root, it starts the
# program as the user nobody (setpriv, a fresh process: nothing runs between fork and exec in the
# test), in a temporary folder of its own that nobody may use; run by another user, it runs it as is.
set -euo pipefail
program=$1
shift
if [ "$(id -u)" -ne 0 ]; then
    exec "$program" "$@"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The build folder may be closed to nobody: the program runs from a copy in its folder.
cp "$program" "$work/"
chown -R nobody:nogroup "$work"
env -u XDG_RUNTIME_DIR HOME="$work" TMPDIR="$work" \
    setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$work/$(basename "$program")" "$@"
