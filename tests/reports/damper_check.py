#!/usr/bin/python3
"""Independent check of a vibration-damper workbook, read by python3-xlrd.

  damper_check.py REPORT.xls CALC.json FACTS.json
      CALC.json is `vartesk calc --format json` of the same project and catalog; its
      `dampers` arrays hold the records the report reads. FACTS.json gives the force factor
      of the unit system and per damper section its two tally multipliers.

The placements are written here again from the report's layout, not taken from the program.
Exit 0 when the workbook holds what it must, 1 with one line per difference (at most 40),
77 when xlrd is missing.
"""
import json
import sys

try:
    import xlrd
except ImportError:
    sys.exit(77)

sys.dont_write_bytecode = True  # no cache beside the sources
from merged_check import hidden_under_merges

problems = []
CORD = 8  # the cord half starts 8 columns right of the wire half


def cell(sheet, r, c):
    if r >= sheet.nrows or c >= sheet.ncols:
        return ""
    return sheet.cell_value(r, c)


def expect(sheet, r, c, want, what):
    got = cell(sheet, r, c)
    if isinstance(want, float) or isinstance(want, int):
        ok = isinstance(got, float) and abs(got - want) <= 1e-9 * max(1.0, abs(want))
    else:
        ok = got == want
    if not ok:
        problems.append("%s!%s%d %s: %r, expected %r" % (sheet.name, xlrd.colname(c), r + 1, what,
                                                          got, want))


def general(v):
    return "%.15g" % v


def main():
    book = xlrd.open_workbook(sys.argv[1])
    calc = json.load(open(sys.argv[2], encoding="utf-8"))
    facts = json.load(open(sys.argv[3], encoding="utf-8"))
    factor = facts["force_factor"]
    damper_sections = [s for s in calc["sections"] if s["dampers"]]
    problems.extend(hidden_under_merges(xlrd.open_workbook(sys.argv[1], formatting_info=True)))
    bill = {}  # the sum of every section sheet's tallies, in order of first appearance
    for q, s in enumerate(damper_sections):
        sheet = book.sheet_by_index(q)
        if sheet.name != s["name"]:
            problems.append("sheet %d is %r, expected %r" % (q, sheet.name, s["name"]))
            continue
        mult = facts["multipliers"][s["name"]]
        tallies = [{}, {}]
        orders = [[], []]
        table_row = 6
        for d in s["dampers"]:
            halves = [(0, d["wire"]), (1, d["cord"])]
            filled = [(h, r) for h, r in halves if r is not None and r["calculated"]]
            if not filled:
                continue
            for h, r in filled:
                off = CORD * h
                for span in r["spans"]:
                    for j in range(4):
                        if r["distances"][j] > 0 and span["counts"][j] > 0:
                            t = r["types"][j]
                            if t not in tallies[h]:
                                tallies[h][t] = 0
                                orders[h].append(t)
                            tallies[h][t] += span["counts"][j]
                expect(sheet, table_row - 1, 3 + off, float(sum(x["length"] for x in r["spans"])),
                       "strain section length")
                expect(sheet, table_row - 1, 4 + off, r["tension_avg"] * factor, "tension")
                for j in range(4):
                    if r["distances"][j] > 0:
                        text = general(r["distances"][j])
                        if j == 0 and r["dielectric"]:
                            text += "/5"
                        expect(sheet, table_row, 5 + off + j, text, "distance")
                        expect(sheet, table_row + 1, 5 + off + j, r["types"][j], "type")
            both = len(filled) == 2
            span_row = table_row + 4
            spans = filled[0][1]["spans"]
            for i in range(len(spans)):
                if not any(r["spans"][i]["has_dampers"] for _, r in filled):
                    continue
                row = span_row - 1
                for h, r in filled:
                    off = CORD * h
                    span = r["spans"][i]
                    if both and not span["has_dampers"]:
                        continue
                    expect(sheet, row, 1 + off, span["name"], "span name")
                    expect(sheet, row, 3 + off, float(span["length"]), "span length")
                    for j in range(4):
                        if span["counts"][j] >= 1:
                            expect(sheet, row, 5 + off + j, float(span["counts"][j]), "count")
                span_row += 1
            table_row = span_row
        for h in range(2):
            for k, t in enumerate(orders[h]):
                row = table_row + 3 + k
                expect(sheet, row, 1 + CORD * h, t, "tally type")
                expect(sheet, row, 4 + CORD * h, float(tallies[h][t] * mult[h]), "tally quantity")
                bill[t] = bill.get(t, 0) + tallies[h][t] * mult[h]
        for c in range(18, 23):
            for r in (1, 2):
                if cell(sheet, r, c) != "":
                    problems.append("%s: the tally model is still at row %d" % (sheet.name, r + 1))
    total = book.sheet_by_index(len(damper_sections))
    got = []
    while cell(total, 3 + len(got), 0) != "":
        got.append((cell(total, 3 + len(got), 0), cell(total, 3 + len(got), 1)))
    want = [(t, float(q)) for t, q in bill.items()]
    if got != want:
        problems.append("%s: the bill is %r, expected %r" % (total.name, got, want))
    for p in problems[:40]:
        print(p)
    return 1 if problems else 0


sys.exit(main())
