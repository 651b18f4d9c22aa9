#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the gauge's point tables: where the liquid's surface meets the glass of the sphere and
hydraulic skins, for every whole level from full (entry 0) to empty (entry 100).

Each entry holds the points "1" to "4" as "{x, y}" in the skin's coordinates. The sphere tables
give the left ("1") and right ("2") end of the surface's chord across the sphere ("3" and "4"
repeat them: the sphere has one surface). The hydraulic tables give the chord across the left
tube ("1", "2") and the right tube ("3", "4"), following the rounded ends of the tubes.

The shapes are the windows of the skin pictures (resources/images/README.md, "Gauge skins");
the liquid's top for a level is the same formula the gauge moves the liquid by.

Run from this folder: python3 make_pointtables.py
"""
import math


def rounded_inset(y, top, bottom, r):
    """How far a rounded rectangle's edge lies inside its side at height y."""
    if y < top + r:
        dy = top + r - y
    elif y > bottom - r:
        dy = y - (bottom - r)
    else:
        return 0.0
    dy = min(dy, r)
    return r - math.sqrt(r * r - dy * dy)


def sphere(cx, cy, radius, top_for_level):
    entries = []
    for i in range(101):
        y = top_for_level(100 - i)
        half = math.sqrt(max(0.0, radius * radius - (y - cy) ** 2))
        p1, p2 = (cx - half, y), (cx + half, y)
        entries.append([p1, p2, p1, p2])
    return entries


def hydraulic(left, right, tube_width, top, bottom, r, top_for_level):
    entries = []
    for i in range(101):
        y = top_for_level(100 - i)
        inset = rounded_inset(y, top, bottom, r)
        entries.append([(left + inset, y), (left + tube_width - inset, y),
                        (right + inset, y), (right + tube_width - inset, y)])
    return entries


def point(p):
    return "{%s, %s}" % (fmt(p[0]), fmt(p[1]))


def fmt(v):
    text = "%.2f" % v
    return text.rstrip("0").rstrip(".") if "." in text else text


def write(name, entries, comment):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" '
             '"http://www.apple.com/DTDs/PropertyList-1.0.dtd">',
             '<!-- %s -->' % comment,
             '<plist version="1.0">', '<array>']
    for e in entries:
        lines.append('\t<dict>')
        for k, p in enumerate(e, start=1):
            lines.append('\t\t<key>%d</key>' % k)
            lines.append('\t\t<string>%s</string>' % point(p))
        lines.append('\t</dict>')
    lines += ['</array>', '</plist>', '']
    with open(name + ".plist", "w") as f:
        f.write("\n".join(lines))


write("sphere", sphere(150, 77, 61, lambda level: 138 - 1.22 * level),
      "Atomic skin, phone: surface chord across the sphere, full battery first")
write("cerc", sphere(367, 151, 115, lambda level: 266 - 2.3 * level),
      "Atomic skin, tablet: surface chord across the sphere, full battery first")
# Phone tubes: 120 wide, 40 apart, centred on 160; tablet tubes: 200 wide, 97 apart, on 386.5.
write("hydro", hydraulic(20, 180, 120, 21, 177, 14, lambda level: 21 + 1.2 * (100 - level)),
      "Hydraulic skin, phone: surface chords across both tubes, full battery first")
write("tub", hydraulic(138, 435, 200, 66, 291, 26, lambda level: 66 + 1.98 * (100 - level)),
      "Hydraulic skin, tablet: surface chords across both tubes, full battery first")
