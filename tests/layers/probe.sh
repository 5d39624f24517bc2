#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The layer check passes a small tree that keeps to its layers, and fails it once
# pictures/ reads a header of controls/, however the include is written.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
check=$here/../../scripts/check-layers
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# check NAME EXPECTED: builds the tree as it now is and runs the check on it.
check() {
    rm -rf "$work/build"
    { cmake -S "$work/src" -B "$work/build" && cmake --build "$work/build"; } >"$work/out" 2>&1 \
        || { cat "$work/out" >&2; echo "FAIL $1: the tree did not build" >&2; exit 1; }
    local status=0
    "$check" "$work/build" "$work/src" >"$work/out" 2>&1 || status=$?
    if [ "$status" != "$2" ]; then
        echo "FAIL $1: the layer check ended with $status, not $2:" >&2
        cat "$work/out" >&2
        exit 1
    fi
    echo "ok   $1"
}

cp -r "$here/fixture" "$work/src"
check "a tree within its layers" 0
probe=$work/src/pictures/probe.cpp
printf '#include "../controls/twips.h"\nint probe() { return twips(); }\n' >"$probe"
check "a relative include of controls/ from pictures/" 1
printf '#include "files/../controls/twips.h"\nint probe() { return twips(); }\n' >"$probe"
check "an include of controls/ through a files/ path" 1
printf '#pragma once\n#include "../controls/twips.h"\n' >"$work/src/files/hidden.h"
printf '#include "files/hidden.h"\nint probe() { return twips(); }\n' >"$probe"
check "controls/ read through a header of files/" 1
