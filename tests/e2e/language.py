# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Waits until the running program shows, anywhere in its windows and menus, each node
described on the command line, as AT-SPI reads it.

usage: language.py ROLE=NAME | ROLE~PART-OF-NAME-OR-TEXT ...
       language.py --menu-after KEYS NAME...
Ends with 0 once every node is there, or names those still missing after a few seconds.
With --menu-after, presses KEYS (xdotool's names) and waits for a menu item to take the focus, as
a screen reader does for a pop-up menu, which is no part of the program's tree; NAME... are
items of that menu, without their shortcut keys.
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib


def nodes(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from nodes(child)


def text_of(node):
    try:
        return node.queryText().getText(0, -1)
    except NotImplementedError:
        return ""


def matches(node, wanted):
    role, exact, value = wanted
    if node.getRoleName() != role:
        return False
    return node.name == value if exact else value in node.name or value in text_of(node)


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    found = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
    return next((a for a in found if a is not None and a.name == "Zindle"), None)


def popup_menu(keys):
    """The names of the items of the menu that KEYS open, once one of its items has the focus."""
    items = []

    def focused(event):
        if event.detail1 and event.source.getRoleName() == "menu item":
            menu = event.source.parent
            items.extend(menu.getChildAtIndex(i).name.split("\t")[0] for i in range(menu.childCount))
            pyatspi.Registry.stop()

    pyatspi.Registry.registerEventListener(focused, "object:state-changed:focused")
    GLib.timeout_add(500, lambda: subprocess.run(["xdotool", "key", "--delay", "100", *keys.split()]) and False)
    GLib.timeout_add(5000, lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    return items


if sys.argv[1] == "--menu-after":
    shown = popup_menu(sys.argv[2])
    missing = [name for name in sys.argv[3:] if name not in shown]
    for name in missing:
        print(f"FAIL: no menu item {name!r} in the menu, which holds {shown}")
    sys.exit(1 if missing else 0)
wanted = []
for argument in sys.argv[1:]:
    exact = "=" in argument.split("~")[0]
    role, value = argument.split("=" if exact else "~", 1)
    wanted.append((role, exact, value))
missing = wanted
for _ in range(50):
    app = program()
    if app is not None:
        seen = list(nodes(app))
        missing = [w for w in wanted if not any(matches(n, w) for n in seen)]
        if not missing:
            sys.exit(0)
    time.sleep(0.1)
for role, exact, value in missing:
    print(f"FAIL: no {role} {'named' if exact else 'reading'} {value!r}")
sys.exit(1)
