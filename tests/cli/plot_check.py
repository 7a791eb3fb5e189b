#!/usr/bin/env python3
"""Reads the SVG of `vartesk plot` with Python's own XML parser, turns the points of its
curves back into values through the plot area and range the document states, and compares
them with the figures of `vartesk sagging --format json`.

Usage: plot_check.py PLOT.svg SAGGING.json SECTION wire|cord sag|tension FORCE_FACTOR

Prints one line per curve: its name and "ok" with the number of points, or the first point
that differs.
"""
import json
import sys
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"


def main():
    svg_path, json_path, section, conductor, kind, factor = sys.argv[1:7]
    root = ET.parse(svg_path).getroot()
    left, top, right, bottom = map(float, root.get("data-plot-area").split())
    xmin, xmax, ymin, ymax = map(float, root.get("data-plot-range").split())
    # The points are written to a thousandth of a pixel.
    tolerance = 0.001 * (ymax - ymin) / (bottom - top)
    x_tolerance = 0.001 * (xmax - xmin) / (right - left)

    sagging = json.load(open(json_path, encoding="utf-8"))
    figures = {}
    for ss in sagging["sections"][int(section) - 1][conductor]["strain_sections"]:
        if kind == "tension":
            figures["Strain section " + ss["label"]] = [t * float(factor) for t in ss["tension"]]
        else:
            for span in ss["spans"]:
                figures["Span %s-%s" % (span["from"], span["to"])] = span["sag"]

    for line in root.iter(SVG + "polyline"):
        name = line.find(SVG + "title").text.split(",")[0]
        points = [tuple(map(float, p.split(","))) for p in line.get("points").split()]
        expected = figures.get(name)
        if expected is None:
            print(name + ": not in the sagging figures")
            continue
        wrong = None
        for k, (px, py) in enumerate(points):
            t = xmin + (px - left) / (right - left) * (xmax - xmin)
            v = ymin + (bottom - py) / (bottom - top) * (ymax - ymin)
            if k >= len(expected) or abs(t - (-40 + 5 * k)) > x_tolerance or abs(v - expected[k]) > tolerance:
                wrong = "point %d is (%g, %.6f), the figures have (%d, %.6f)" % (
                    k, t, v, -40 + 5 * k, expected[k] if k < len(expected) else float("nan"))
                break
        if wrong is None and len(points) != len(expected):
            wrong = "%d points, the figures have %d" % (len(points), len(expected))
        print(name + ": " + (wrong or "ok, %d points" % len(points)))


main()
