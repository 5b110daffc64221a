#!/usr/bin/env python3
"""Checks the dialogs as dialog-dump lays them out, in both languages at 96, 120, 144 and 192 dpi:
no visible control overlaps another (a group box may hold controls whole), leaves its dialog,
and every heading of the camera table fits its column.

Usage: dialog_layouts.py DIALOG_DUMP"""
import itertools
import json
import subprocess
import sys

DIALOGS = ["main", "camera", "batch", "progress", "names"]
LANGUAGES = ["en", "zh-CN"]
DPIS = [96, 120, 144, 192]
# The header's margins around a heading's text, at 96 dpi.
HEADING_MARGIN = 12


def rectangle(control, closed_height):
    height = control["height"]
    if control["kind"] == "combobox":
        height = min(height, closed_height)  # the list drops only while it is open
    return control["x"], control["y"], control["x"] + control["width"], control["y"] + height


def overlap(a, b):
    return min(a[2], b[2]) > max(a[0], b[0]) and min(a[3], b[3]) > max(a[1], b[1])


def holds(outer, inner):
    return outer[0] <= inner[0] and outer[1] <= inner[1] and outer[2] >= inner[2] and \
        outer[3] >= inner[3]


def name(control):
    return "%s %d %r" % (control["kind"], control["id"], control["text"][:20])


def draws(control):
    """False for a static with no text and nothing painted: it shows nothing to cover."""
    return control["kind"] != "static" or bool(control["text"]) or bool(control.get("painted"))


def attached(a, b):
    """An up-down control sits on the edge of the field it steps."""
    return {a["kind"], b["kind"]} == {"edit", "updown"} or {a["kind"], b["kind"]} == \
        {"edit", "spinner"}


def problems(dialog, dpi):
    found = []
    visible = [control for control in dialog["controls"] if control["visible"] and draws(control)]
    edits = [control["height"] for control in visible if control["kind"] == "edit"]
    closed = min(edits) if edits else round(23 * dpi / 96)
    places = [(control, rectangle(control, closed)) for control in visible]
    for control, place in places:
        if place[0] < 0 or place[1] < 0 or place[2] > dialog["width"] or \
                place[3] > dialog["height"]:
            found.append("%s leaves the dialog" % name(control))
    for (a, place_a), (b, place_b) in itertools.combinations(places, 2):
        if not overlap(place_a, place_b) or attached(a, b):
            continue
        if (a["kind"] == "groupbox" and holds(place_a, place_b)) or \
                (b["kind"] == "groupbox" and holds(place_b, place_a)):
            continue
        found.append("%s overlaps %s" % (name(a), name(b)))
    for control in visible:
        for heading, width in control.get("columns", []):
            needed = control.get("headingWidths", {}).get(heading)
            if needed is not None and needed + round(HEADING_MARGIN * dpi / 96) > width:
                found.append("heading %r does not fit its %d px" % (heading, width))
    return found


def main():
    dump = sys.argv[1]
    failures = 0
    for language, dpi in itertools.product(LANGUAGES, DPIS):
        run = subprocess.run([dump, "--json", "--language", language, "--dpi", str(dpi)] +
                             DIALOGS, capture_output=True, text=True, check=True)
        for label, dialog in zip(DIALOGS, json.loads(run.stdout)):
            for problem in problems(dialog, dpi):
                failures += 1
                print("%s %s %d dpi: %s" % (label, language, dpi, problem))
    print("%d layouts, %d problems" % (len(LANGUAGES) * len(DPIS) * len(DIALOGS), failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
