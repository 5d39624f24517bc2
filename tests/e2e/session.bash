# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced by the end-to-end scripts that work as a user would, after
# xserver.bash: a user whose documents folder holds a picture and a document,
# beside a folder to sort into. Sets `docs` and `sorted`, and starts the X server.
source "$(dirname "${BASH_SOURCE[0]}")/xserver.bash"
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
start_xserver

# start_focused PROGRAM [ARGUMENT...]: starts it in $work, then gives its window the focus as a
# window manager gives a new window: menus and shortcut keys act in the active window only.
start_focused() {
    local program
    program=$(realpath "$1")
    cd "$work"
    start "$program" "${@:2}"
    cd - >/dev/null
    xdotool windowfocus --sync "$window"
    sleep 0.3
}
