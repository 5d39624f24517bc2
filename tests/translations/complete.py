#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Zindle developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every text of the program is translated, and translated whole, in every language.

usage: complete.py DESKTOP-ENTRY METAINFO LUPDATE TS-FILE... -- [LUPDATE-OPTION...] SOURCE-FOLDER...
Brings copies of the translation sources up to date with the code (as the update_translations
target does), so that a text added to the code and never translated counts as missing. Then every
message must be finished, not empty, keep the source's placeholders (%1, %p) and, where the
source has an access key (&File), have one too. The desktop entry's generic name, comment and
keywords and the metainfo's summary are there in every language of a TS-FILE (zindle_<language>.ts).
"""
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

desktop_entry, metainfo, lupdate, rest = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
split = rest.index("--")
ts_files, sources = rest[:split], rest[split + 1:]


def placeholders(text):
    return sorted(re.findall(r"%(?:\d+|p)", text))


def access_keys(text):
    return len(re.findall(r"&(?!&)\w", text.replace("&&", "")))


def problems(message):
    source = message.findtext("source")
    translation = message.find("translation")
    text = translation.text or ""
    if translation.get("type") in ("unfinished", "vanished", "obsolete") or not text:
        return f"not translated: {source!r}"
    if placeholders(text) != placeholders(source):
        return f"placeholders {placeholders(text)} in {text!r}, not {placeholders(source)} as in {source!r}"
    if access_keys(text) != access_keys(source):
        return f"{access_keys(text)} access keys in {text!r} for {source!r}"
    return None


def desk_problems(languages):
    """The texts of the desktop entry and the metainfo missing in one of `languages`."""
    lines = open(desktop_entry, encoding="utf-8").read().splitlines()
    summaries = ElementTree.parse(metainfo).getroot().findall("summary")
    said = {s.get("{http://www.w3.org/XML/1998/namespace}lang") for s in summaries if s.text}
    found = [f"{desktop_entry.rsplit('/', 1)[-1]}: no {key}[{language}]" for language in languages
             for key in ("GenericName", "Comment", "Keywords")
             if not any(line.startswith(f"{key}[{language}]=") and line.split("=", 1)[1] for line in lines)]
    return found + [f"{metainfo.rsplit('/', 1)[-1]}: no summary in {language}" for language in languages
                    if language not in said]


failures = desk_problems([ts.rsplit("/", 1)[-1][len("zindle_"):-len(".ts")] for ts in ts_files])
with tempfile.TemporaryDirectory() as work:
    copies = []
    for ts in ts_files:
        copies.append(shutil.copy(ts, work))
    subprocess.run([lupdate, "-silent", "-no-obsolete", "-locations", "none", *sources, "-ts", *copies], check=True)
    for copy in copies:
        name = copy.rsplit("/", 1)[-1]
        messages = ElementTree.parse(copy).getroot().iter("message")
        failures += [f"{name}: {p}" for p in map(problems, messages) if p]
for failure in failures:
    print("FAIL:", failure)
print(f"{len(failures)} problem(s) in {len(ts_files)} language(s)")
sys.exit(1 if failures else 0)
