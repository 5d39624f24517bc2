#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The Debian package, as a user meets it: CPack builds it, lintian finds no
# error and no warning in it, apt-get installs it with its dependencies (root,
# or sudo), everything lands in place, "Open with" offers it for pictures and
# folders, and the installed program answers --version, starts from its desktop
# entry and previews a TIFF and an SVG (drawn by its drawing program) through
# the libraries and format plugins the package depends on. A package that was
# not installed before is removed again at the end.
set -euo pipefail
build=$(cd "${1:?usage: installed-deb.sh BUILD-FOLDER}" && pwd)
source "$(dirname "$0")/../e2e/xserver.bash"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

id=$(sed -n 's/.*Id\[\] = "\(.*\)";/\1/p' "$build/generated/base/appidentity.h")
version=$(sed -n 's/.*Version\[\] = "\(.*\)";/\1/p' "$build/generated/base/appidentity.h")
deb=$build/zindle_${version}_$(dpkg --print-architecture).deb
rm -f "$deb"
(cd "$build" && cpack -G DEB) >"$work/cpack.log" 2>&1 || fail "cpack: $(tail -n 30 "$work/cpack.log")"
[ -f "$deb" ] || fail "cpack made no $deb"
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || fail "lintian: $(cat "$work/lintian.log")"
grep -E '^[EW]: ' "$work/lintian.log" && fail "lintian: $(cat "$work/lintian.log")"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 qt6-image-formats-plugins libqt6svg6 libpng16-16 libtiff6 libwebp7; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "the package does not depend on $package: $depends"
done

was_installed=$(dpkg-query -W -f='${Status}' zindle 2>/dev/null | grep -c 'install ok installed' || true)
uninstall() { [ "$was_installed" -ne 0 ] || $sudo apt-get remove -y -qq zindle >/dev/null 2>&1 || true; }
trap 'uninstall; cleanup' EXIT
$sudo apt-get install -y -qq --reinstall "$deb" >"$work/apt.log" 2>&1 || fail "apt-get install: $(tail -n 30 "$work/apt.log")"

for file in /usr/bin/zindle /usr/libexec/zindle/draw-svg /usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/$id.svg /usr/share/icons/hicolor/16x16/apps/$id.png \
    /usr/share/man/man1/zindle.1.gz /usr/share/doc/zindle/LICENSE /usr/share/doc/zindle/copyright; do
    dpkg -L zindle | grep -qx "$file" || fail "the package does not hold $file"
    [ -f "$file" ] || fail "$file is not in place"
done
[ "$(command -v zindle)" = /usr/bin/zindle ] || fail "zindle is not found on PATH"
for type in image/jpeg image/svg+xml inode/directory; do
    gio mime "$type" | grep -qx "[[:space:]]*$id.desktop" || fail "\"Open with\" does not offer it for $type: $(gio mime "$type")"
done
got=$(env -u DISPLAY zindle --version) || fail "zindle --version failed"
[ "$got" = "Zindle $version" ] || fail "zindle --version printed: $got"

start_xserver
# From the desktop entry, as a menu starts it: its command without the file field code.
command=$(sed -n 's/^Exec=//p' "/usr/share/applications/$id.desktop" | sed 's/ *%[fFuU]//g')
read -ra command <<<"$command"
start "${command[@]}"
stop

# Pictures in the formats whose plugins the package depends on.
convert -size 320x240 xc:'#2266AA' "$work/blue.tiff"
printf '<svg xmlns="http://www.w3.org/2000/svg" width="320" height="240"><rect width="320" height="240" fill="#33AA55"/></svg>\n' \
    >"$work/green.svg"
start zindle "$work/blue.tiff"
[ "$(preview_colour)" = "#2266AA" ] || fail "the installed program does not preview a TIFF"
stop
start zindle "$work/green.svg"
[ "$(preview_colour)" = "#33AA55" ] || fail "the installed program does not preview an SVG"
stop
echo "PASS: $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB) is lintian-clean, installs, is offered under \"Open with\", starts from its desktop entry, previews TIFF and SVG"
