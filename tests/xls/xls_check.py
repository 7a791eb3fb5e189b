#!/usr/bin/python3
"""Cross-check of our workbooks by an independent reader, python3-xlrd (Debian, 1.2).

  xls_check.py json EXPECTED.json FILE.xls [--tolerant]
      FILE.xls, opened with formatting_info=True, must hold what EXPECTED.json (our
      engine's dump, src/xls/workbook_dump.h) says: sheet names and order, hidden flags,
      every cell's kind, value and number format, the merged ranges and column widths.
  xls_check.py pair A.xls B.xls [--tolerant]
      both files must read the same in xlrd.
--tolerant allows what a re-save by another program changes by design: column widths
within 2 %, number formats compared only for being a date format or not, blank cells
and columns without settings ignored.
Exit 0 when equal, 1 with one line per difference, 77 when xlrd is missing.
"""
import json
import sys

try:
    import xlrd
    from xlrd.formatting import FDT
except ImportError:
    sys.exit(77)

KIND = {xlrd.XL_CELL_TEXT: "text", xlrd.XL_CELL_NUMBER: "number",
        xlrd.XL_CELL_DATE: "number", xlrd.XL_CELL_BOOLEAN: "boolean",
        xlrd.XL_CELL_ERROR: "error", xlrd.XL_CELL_BLANK: "blank"}


def col_letters(c):
    s = ""
    c += 1
    while c > 0:
        c, d = divmod(c - 1, 26)
        s = chr(65 + d) + s
    return s


def a1(r1, c1, r2, c2):
    a = "%s%d" % (col_letters(c1), r1 + 1)
    if (r1, c1) != (r2, c2):
        a += ":%s%d" % (col_letters(c2), r2 + 1)
    return a


def picture(path):
    """The same picture as our dump, made by xlrd."""
    book = xlrd.open_workbook(path, formatting_info=True)
    sheets = []
    for sh in book.sheets():
        cells = []
        for r in range(sh.nrows):
            for c in range(sh.row_len(r)):
                cell = sh.cell(r, c)
                if cell.ctype == xlrd.XL_CELL_EMPTY:
                    continue
                kind = KIND[cell.ctype]
                value = cell.value
                if kind == "boolean":
                    value = bool(value)
                elif kind == "blank":
                    value = None
                xf = book.xf_list[cell.xf_index]
                fmt = book.format_map[xf.format_key].format_str
                cells.append({"address": a1(r, c, r, c), "kind": kind, "value": value,
                              "format": fmt,
                              "date": book.format_map[xf.format_key].type == FDT})
        merged = sorted(a1(r1, c1, r2 - 1, c2 - 1) for r1, r2, c1, c2 in sh.merged_cells)
        cols = {c: {"units": ci.width, "hidden": bool(ci.hidden)}
                for c, ci in sh.colinfo_map.items()}
        sheets.append({"name": sh.name, "hidden": sh.visibility != 0, "cells": cells,
                       "merged": merged, "columns": cols})
    return sheets


def from_dump(path):
    with open(path, encoding="utf-8") as f:
        dump = json.load(f)
    out = []
    for s in dump["sheets"]:
        out.append({"name": s["name"], "hidden": s["hidden"],
                    "cells": [{"address": c["address"], "kind": c["kind"], "value": c["value"],
                               "format": c["format"], "date": None} for c in s["cells"]],
                    "merged": sorted(s["merged"]),
                    "columns": {c["col"]: {"units": c["units"], "hidden": c["hidden"]}
                                for c in s["columns"]}})
    return out


def compare(want, got, tolerant):
    errors = []
    if [s["name"] for s in want] != [s["name"] for s in got]:
        return ["sheets: %s != %s" % ([s["name"] for s in want], [s["name"] for s in got])]
    for w, g in zip(want, got):
        name = w["name"]
        if w["hidden"] != g["hidden"]:
            errors.append("%s: hidden %s != %s" % (name, w["hidden"], g["hidden"]))
        wc = {c["address"]: c for c in w["cells"]}
        gc = {c["address"]: c for c in g["cells"]}
        if tolerant:
            wc = {a: c for a, c in wc.items() if c["kind"] != "blank"}
            gc = {a: c for a, c in gc.items() if c["kind"] != "blank"}
        for addr in sorted(set(wc) | set(gc)):
            a, b = wc.get(addr), gc.get(addr)
            if a is None or b is None:
                errors.append("%s!%s: only in %s" % (name, addr, "first" if b is None else "second"))
                continue
            if a["kind"] != b["kind"]:
                errors.append("%s!%s: kind %s != %s" % (name, addr, a["kind"], b["kind"]))
                continue
            if a["kind"] == "number":
                same = a["value"] == b["value"] or (
                    tolerant and abs(a["value"] - b["value"]) <= 1e-12 * max(1, abs(a["value"])))
            else:
                same = a["value"] == b["value"]
            if not same:
                errors.append("%s!%s: value %r != %r" % (name, addr, a["value"], b["value"]))
            if tolerant:
                if None not in (a["date"], b["date"]) and a["date"] != b["date"]:
                    errors.append("%s!%s: date format %r != %r" % (name, addr, a["format"], b["format"]))
            elif a["format"] != b["format"]:
                errors.append("%s!%s: format %r != %r" % (name, addr, a["format"], b["format"]))
        if w["merged"] != g["merged"]:
            errors.append("%s: merged %s != %s" % (name, w["merged"], g["merged"]))
        for col in sorted(set(w["columns"]) | set(g["columns"])):
            a, b = w["columns"].get(col), g["columns"].get(col)
            if a is None or b is None:
                if not tolerant:
                    errors.append("%s: column %d only in %s" % (name, col, "first" if b is None else "second"))
                continue
            if tolerant:
                if abs(a["units"] - b["units"]) > 0.02 * max(a["units"], 256):
                    errors.append("%s: column %d width %d != %d" % (name, col, a["units"], b["units"]))
            elif a != b:
                errors.append("%s: column %d %s != %s" % (name, col, a, b))
    return errors


def main():
    args = [a for a in sys.argv[1:] if a != "--tolerant"]
    tolerant = "--tolerant" in sys.argv
    if len(args) != 3 or args[0] not in ("json", "pair"):
        print(__doc__)
        return 2
    want = from_dump(args[1]) if args[0] == "json" else picture(args[1])
    got = picture(args[2])
    errors = compare(want, got, tolerant)
    for e in errors[:50]:
        print(e)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
