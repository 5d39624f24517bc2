# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a screen reader meets: reads every window of the running program
through AT-SPI and checks it against the table below and the rules after it.

usage: accessibility.py DOCUMENTS-FOLDER VOLUME LOGIN-NAME
The base-name box holds "memo"; VOLUME is the mount point of the start folder.
"""
import sys
import time

import pyatspi

docs, volume, login = sys.argv[1:4]

# Window, role, name, then what that node must also have (None: anything):
# its text, one of its relations as (type, target's name), a key binding.
EXPECTED = [
    ("Zindle", "label", docs + "/", None, ("labelled-by", "From"), None),  # source folder
    ("Zindle", "label", docs + "/memo", None, ("labelled-by", "To"), None),  # target path
    ("Zindle", "label", "From", None, ("label-for", docs + "/"), None),
    ("Zindle", "combo box", "Drive", lambda t: t == volume or t.endswith(" (" + volume + ")"), None, None),
    ("Zindle", "list", "Drive and Directory", None, None, None),
    ("Zindle", "list", "Files", None, None, None),
    ("Zindle", "label", "File Name", None, ("label-for", "Files"), None),  # the heading over the list
    ("Zindle", "text", "File Name", "memo", None, None),
    ("Zindle", "text", "Extension", "", None, None),
    ("Zindle", "text", "Destination Directory and Folder", docs + "/", None, None),
    ("Zindle", "check box", "Hold", None, None, None),
    ("Zindle", "push button", "Rename", None, None, None),
    ("Zindle", "panel", "Move and Rename", None, None, None),
    ("Zindle", "image", "Preview", None, None, None),
    ("Zindle", "menu item", "File", None, None, "Alt+F"),
    ("Zindle", "menu item", "Undo Rename", None, None, "Ctrl+Z"),
    ("Zindle", "menu item", "Redo Rename", None, None, "Ctrl+Shift+Z"),
    ("Zindle", "menu item", "Exit", None, None, "Ctrl+Q"),
    ("Zindle", "menu item", "Help", None, None, "Alt+H"),
    ("Zindle", "menu item", "Help", None, None, "F1"),
    ("Zindle", "menu item", "About", None, None, "Alt+A"),
    ("Help", "text", "Help text", lambda t: t.startswith("\t\t" + " " * 29 + "Help file\nTo move"), None, None),
    ("Help", "push button", "Exit", None, None, None),
    ("About Zindle", "label", "Version 1.0.0", None, None, None),
    ("About Zindle", "push button", "OK", None, None, None),
    ("About Zindle", "push button", "System Info...", None, None, "Alt+S"),
]
WINDOW_ROLES = {"Zindle": "frame", "Help": "frame", "About Zindle": "dialog"}
CONTROLS = {"text", "list", "combo box", "check box", "push button"}


def read(node, exempt=False):
    """The node and everything below it, as dictionaries. Exempt from the rule that
    every node shows: closed menus and drop-down lists, and a text box's scroll bars."""
    role = node.getRoleName()
    exempt = exempt or role == "popup menu" or (role == "list" and node.parent.getRoleName() == "combo box")
    text = None
    try:
        text = node.queryText().getText(0, -1)
    except NotImplementedError:
        pass
    keys = []
    try:
        action = node.queryAction()
        keys = [action.getKeyBinding(i) for i in range(action.nActions)]
    except NotImplementedError:
        pass
    relations = [(r.getRelationType().value_nick, r.getTarget(i).name)
                 for r in node.getRelationSet() for i in range(r.getNTargets())]
    states = node.getState()
    item = {"role": role, "name": node.name, "text": text, "relations": relations, "keys": keys,
            "showing": states.contains(pyatspi.STATE_SHOWING), "focusable": states.contains(pyatspi.STATE_FOCUSABLE),
            "exempt": exempt}
    exempt = exempt or role == "text"
    return [item] + [n for i in range(node.childCount) for n in read(node.getChildAtIndex(i), exempt)]


def child_named(parent, name):
    """The child of that name, waited for a few seconds: windows and the program appear late."""
    for _ in range(50):
        children = [parent.getChildAtIndex(i) for i in range(parent.childCount)]
        found = [c for c in children if c is not None and c.name == name]
        if found:
            return found[0]
        time.sleep(0.1)
    return None


def open_from_help_menu(app, item, title):
    """Chooses an item of the Help menu through its action, as a screen reader does; the window it opens."""
    entry = pyatspi.findDescendant(app, lambda n: n.getRoleName() == "menu item" and n.name == item
                                   and n.parent.parent.name == "Help")
    entry.queryAction().doAction(0)
    return child_named(app, title)


def check_invalid_target(main):
    """The target path reads as an invalid entry exactly while it holds a "." too many."""
    failures = []
    base = pyatspi.findDescendant(main, lambda n: n.getRoleName() == "text" and n.name == "File Name")
    for typed, invalid in (("memo.x", True), ("memo", False)):
        base.queryEditableText().setTextContents(typed)
        time.sleep(0.3)
        target = pyatspi.findDescendant(main, lambda n: n.getRoleName() == "label" and n.name == docs + "/" + typed)
        if target is None:
            failures.append(f"Zindle: no target path {docs}/{typed} after typing {typed!r}")
        elif target.getState().contains(pyatspi.STATE_INVALID_ENTRY) != invalid:
            failures.append(f"Zindle: the target path {target.name!r} does{'' if invalid else ' not'} read as valid")
    return failures


def check(trees):
    failures = []
    for title, role, name, text, relation, key in EXPECTED:
        found = [n for n in trees.get(title, []) if n["role"] == role and n["name"] == name]
        matching = [n for n in found
                    if (text is None or (text(n["text"] or "") if callable(text) else n["text"] == text))
                    and (relation is None or relation in n["relations"]) and (key is None or key in n["keys"])]
        if not matching:
            wanted = ", ".join(f"{what} {value!r}" for what, value in
                               (("text", "as expected" if callable(text) else text), ("relation", relation),
                                ("key", key)) if value is not None)
            failures.append(f"{title}: no {role} {name!r}" + (f" with {wanted}; found "
                            f"{[(n['text'], n['relations'], n['keys']) for n in found]}" if wanted else ""))
    for title, nodes in trees.items():
        if nodes[0]["role"] != WINDOW_ROLES[title]:
            failures.append(f"{title}: the window's role is {nodes[0]['role']!r}, not {WINDOW_ROLES[title]!r}")
        for n in nodes[1:]:
            if not n["showing"] and not n["exempt"]:
                failures.append(f"{title}: hidden {n['role']} {n['name']!r} (text {n['text']!r}) is in the tree")
            if n["role"] in ("frame", "dialog"):
                failures.append(f"{title}: {n['role']} {n['name']!r} inside the window")
            if n["role"] == "text" and n["text"] == login:
                failures.append(f"{title}: the login name is readable in a {n['role']} {n['name']!r}")
        names = [n["name"] for n in nodes if n["role"] in CONTROLS and n["focusable"] and not n["exempt"]]
        for name in sorted(set(names)):
            if not name:
                failures.append(f"{title}: {names.count(name)} control(s) without a name")
            elif names.count(name) > 1:
                failures.append(f"{title}: {names.count(name)} controls share the name {name!r}")
    return failures


app = child_named(pyatspi.Registry.getDesktop(0), "Zindle")
if app is None:
    sys.exit("FAIL: the program is not on the accessibility bus")
main = child_named(app, "Zindle")
trees = {"Zindle": main and read(main)}
# The About box hides itself after six seconds: read it at once.
about = open_from_help_menu(app, "About", "About Zindle")
trees["About Zindle"] = about and read(about)
help_window = open_from_help_menu(app, "Help", "Help")
trees["Help"] = help_window and read(help_window)
failures = [f"{title}: the window did not open" for title, nodes in trees.items() if not nodes]
failures += check({title: nodes for title, nodes in trees.items() if nodes})
if main:
    failures += check_invalid_target(main)
for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
