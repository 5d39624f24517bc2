#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# End to end: a move into a frozen file system, whose writes wait in the kernel
# until it is thawed, as on a disk that stops answering. The progress dialog
# comes without any progress; Cancel gives the window back and says so; thawed,
# the move's end is told and nothing is lost. A second such move is ended by
# Ctrl+Q, which ends the program. Needs root, to mount and freeze.
set -euo pipefail
program=${1:?usage: stuckmove.sh PATH-TO-ZINDLE}
if [ "$(id -u)" -ne 0 ] || ! command -v fsfreeze >/dev/null; then
    echo "SKIP: freezing a file system needs root and fsfreeze"
    exit 77
fi
source "$(dirname "$0")/xserver.bash"
disk=$work/disk
mkdir -p "$disk" "$work/Pics"
truncate -s 64M "$work/disk.img"
mkfs.ext4 -q "$work/disk.img"
mount -o loop "$work/disk.img" "$disk" || { echo "SKIP: no loop device to mount"; exit 77; }
mkdir "$disk/Sorted"
trap 'fsfreeze --unfreeze "$disk" 2>/dev/null || true; cleanup_frozen' EXIT
cleanup_frozen() {
    [ -z "$app" ] || { kill "$app" 2>/dev/null || true; wait "$app" 2>/dev/null || true; app=""; }
    umount "$disk" 2>/dev/null || umount -l "$disk" 2>/dev/null || true
    cleanup
}
head -c 20M /dev/urandom >"$work/Pics/big.bin"
sum=$(md5sum <"$work/Pics/big.bin")
start_xserver

# visible TITLE [SECONDS]: the window titled TITLE shows within SECONDS (default 3); sets `shown`.
visible() {
    shown=""
    for _ in $(seq $((${2:-3} * 10))); do
        shown=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) && [ -n "$shown" ] && return 0
        sleep 0.1
    done
    return 1
}

# start_move: the program on big.bin, its destination the frozen disk, the button pressed from the name box.
start_move() {
    start "$program" "$work/Pics/big.bin"
    xdotool windowfocus --sync "$window"
    key Tab Tab Tab ctrl+a # the destination box
    type_text "$disk/Sorted/"
    key shift+Tab shift+Tab shift+Tab
    fsfreeze --freeze "$disk"
    key Return
    visible Moving 2 || fail "no progress dialog for a move that reports nothing"
    xdotool windowfocus --sync "$shown"
}

# 1. Cancel: the window stops waiting and says so; thawed, the move's end is told.
start_move
key Escape
visible Error 5 || fail "Cancel did not give the window back"
xdotool windowfocus --sync "$shown" key Return
fsfreeze --unfreeze "$disk"
visible Moving 5 || fail "the end of the move was not told"
xdotool windowfocus --sync "$shown" key Return
[ "$(md5sum <"$work/Pics/big.bin")" = "$sum" ] || fail "the file is not where it was, as it was"
[ -z "$(ls -A "$disk/Sorted")" ] || fail "the cancelled move left $(ls -A "$disk/Sorted")"
kill -0 "$app" 2>/dev/null || fail "the program ended"
stop

# 2. Ctrl+Q while the move is stuck ends the program: its windows go at once, its process once the disk answers.
start_move
key ctrl+q
sleep 1
! xdotool search --onlyvisible --name '^(Zindle|Moving)$' >/dev/null 2>&1 || fail "Ctrl+Q did not end the program"
fsfreeze --unfreeze "$disk"
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
wait "$app" 2>/dev/null || true
app=""
[ "$(md5sum <"$work/Pics/big.bin")" = "$sum" ] || fail "the file is not where it was, as it was, after Ctrl+Q"
echo "PASS: a stuck move shows its dialog, Cancel gives the window back and its end is told; Ctrl+Q ends the program"
