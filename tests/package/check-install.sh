#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The install rules, as a packager meets them: `cmake --install` into an empty
# prefix puts exactly the expected files in place, the desktop entry and the
# metainfo pass their validators, the desktop entry offers the program for
# folders and every kind of picture the preview reads, the icons have the sizes
# their folders name, the changelog names this release, and the licence is the
# full GPL-3.0 text. A build for the package alone makes no test or benchmark.
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
    echo share/doc/zindle/changelog.gz
    # A compiled translation for every translation source.
    for ts in "$(dirname "$0")"/../../translations/zindle_*.ts; do
        ts=${ts##*/}
        echo "share/zindle/translations/${ts%.ts}.qm"
    done
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
zcat "$prefix/share/doc/zindle/changelog.gz" | head -1 | grep -q "^zindle ($version) " ||
    fail "the changelog's latest entry is not $version"

# "Open with": folders, and each kind of the preview's sample pictures as the desktop's MIME database names it.
source=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt")
types=";$(sed -n 's/^MimeType=//p' "$prefix/share/applications/$id.desktop")"
samples=("$source"/tests/fuzz/corpus/pictureloader/{valid.*,gif-small.gif,svg-shapes.svg})
for type in inode/directory $(for f in "${samples[@]}"; do gio info -a standard::content-type "$f" | sed -n 's/.*content-type: //p'; done); do
    [[ $types == *";$type;"* ]] || fail "the desktop entry does not offer the program for $type"
done

# The package's build alone: configured without tests and benchmarks, it has none to build.
package_build=$(mktemp -d)
trap 'rm -rf "$prefix" "$package_build"' EXIT
cmake -S "$source" -B "$package_build" -DBUILD_TESTING=OFF -DZINDLE_BENCH=OFF >/dev/null || fail "configuring the package's build"
targets=$(cmake --build "$package_build" --target help)
grep -q zindle <<<"$targets" || fail "the package's build has no program to build"
! grep -E '(tst|bench)_' <<<"$targets" || fail "the package's build makes tests or benchmarks"
echo "PASS: cmake --install puts the $(find "$prefix" -type f | wc -l) expected files in place; desktop entry and metainfo valid, offered for ${#samples[@]} kinds of picture and folders; the package builds without tests"
