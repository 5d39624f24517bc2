#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The install rules, as a packager meets them: `cmake --install` into an empty
# prefix puts exactly the expected files in place, the desktop entry and the
# metainfo pass their validators, the icons have the sizes their folders name,
# and the licence is the full GPL-3.0 text.
set -euo pipefail
build=${1:?usage: check-install.sh BUILD-FOLDER}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

id=$(sed -n 's/.*Id\[\] = "\(.*\)";/\1/p' "$build/generated/base/appidentity.h")
version=$(sed -n 's/.*Version\[\] = "\(.*\)";/\1/p' "$build/generated/base/appidentity.h")
[ -n "$id" ] && [ -n "$version" ] || fail "no application id or version in $build"
cmake --install "$build" --prefix "$prefix" >/dev/null

sizes="16 22 24 32 48 64 128 256"
{
    echo bin/zindle
    echo libexec/zindle/draw-svg
    echo share/applications/$id.desktop
    echo share/metainfo/$id.metainfo.xml
    echo share/icons/hicolor/scalable/apps/$id.svg
    for size in $sizes; do echo share/icons/hicolor/${size}x$size/apps/$id.png; done
    echo share/man/man1/zindle.1.gz
    echo share/doc/zindle/LICENSE
    echo share/doc/zindle/copyright
} | sort >"$prefix.expected"
(cd "$prefix" && find . -type f -printf '%P\n' | sort) >"$prefix.installed"
diff -u "$prefix.expected" "$prefix.installed" || fail "the installed files differ from the expected ones (- expected, + installed)"
rm -f "$prefix.expected" "$prefix.installed"

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
out=$(appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" 2>&1) || fail "appstreamcli: $out"
grep -qE '^[EW]:' <<<"$out" && fail "appstreamcli: $out"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" || fail "the metainfo names another release than $version"
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || fail "the desktop entry names another icon"
grep -qx "Exec=zindle %f" "$prefix/share/applications/$id.desktop" || fail "the desktop entry starts another command"
[ -x "$prefix/bin/zindle" ] || fail "the program is not executable"
[ -x "$prefix/libexec/zindle/draw-svg" ] || fail "the drawing program is not executable"
# The program finds its drawing program relative to itself: no path in the build folder is compiled in
# (debug information, which names the folders it was built in, is left out of the comparison).
strip -o "$prefix.stripped" "$prefix/bin/zindle"
! grep -qF "$(cd "$build" && pwd)" "$prefix.stripped" || fail "the program names a path in the build folder"
rm -f "$prefix.stripped"
for size in $sizes; do
    got=$(identify -format '%wx%h' "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png")
    [ "$got" = "${size}x$size" ] || fail "the ${size}x$size icon is $got"
done
gzip -t "$prefix/share/man/man1/zindle.1.gz" || fail "the man page is not a gzip file"
zcat "$prefix/share/man/man1/zindle.1.gz" | grep -q "^\.TH ZINDLE 1 .*Zindle $version" || fail "the man page names another version"
cmp -s "$prefix/share/doc/zindle/LICENSE" /usr/share/common-licenses/GPL-3 || fail "LICENSE is not the GPL-3.0 text"
echo "PASS: cmake --install puts the $(find "$prefix" -type f | wc -l) expected files in place; desktop entry and metainfo valid"
