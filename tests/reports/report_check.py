#!/usr/bin/python3
"""Independent check of a stringing-table or loads workbook, read by python3-xlrd.

  report_check.py KIND REPORT.xls CALC.json FACTS.json
      KIND is mount1, mount2, mount3 or loads. CALC.json is `vartesk calc --format json` of
      the same project and catalog; FACTS.json gives what the calculation document does not
      hold: the unit factors, the climate and coefficient cells, the notes' texts, and per
      section its name, whether it carries wire and cord, their types, catalog figures
      (d, F, w, E, alpha) and limits as tensions, and the creep flag.

The placements are written here again from the report tables, not taken from the program,
so that a slip in the program's tables shows as a difference. Every value is compared with a
relative tolerance of 1e-9. Exit 0 when the workbook holds what it must, 1 with one line per
difference (at most 40), 77 when xlrd is missing.
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


def col_letters(c):
    s = ""
    c += 1
    while c > 0:
        c, d = divmod(c - 1, 26)
        s = chr(65 + d) + s
    return s


def name(r, c):
    return "%s%d" % (col_letters(c), r + 1)


class Sheet:
    def __init__(self, sh):
        self.sh = sh

    def value(self, r, c):
        if r >= self.sh.nrows or c >= self.sh.row_len(r):
            return None
        cell = self.sh.cell(r, c)
        if cell.ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK):
            return None
        return cell.value

    def expect(self, r, c, want, what):
        got = self.value(r, c)
        if isinstance(want, (int, float)) and not isinstance(want, bool):
            ok = isinstance(got, float) and abs(got - want) <= 1e-9 * max(1.0, abs(want))
        else:
            ok = got == want
        if not ok:
            problems.append("%s!%s (%s): expected %r, found %r" % (self.sh.name, name(r, c), what, want, got))

    def expect_empty(self, r, c, what):
        got = self.value(r, c)
        if got not in (None, ""):
            problems.append("%s!%s (%s): expected nothing, found %r" % (self.sh.name, name(r, c), what, got))


def cell(a1):
    letters = "".join(ch for ch in a1 if ch.isalpha())
    col = 0
    for ch in letters:
        col = col * 26 + ord(ch) - 64
    return int(a1[len(letters):]) - 1, col - 1


# Header cells of every sheet: (cell, key of FACTS["header"]).
HEADER = ["G4", "G5", "G6", "G7", "G8", "G9", "G10", "G11", "N4", "N5", "N6", "N8", "N9",
          "N10", "N11", "T4", "T8"]

# Per report: mode columns of the limits (wire stress, wire tension, cord stress, cord tension),
# the type-name cells, the cursors.
LIMITS = {"mount1": (7, 10, 15, 18), "mount2": (7, 10, 16, 19), "mount3": (5, 8, 15, 18),
          "loads": (4, 7, 12, 15)}
NAMES = {"mount1": (["AA21", "E25"], ["M25", "AI21"], False),
         "mount2": (["AC21", "E25"], ["N25", "AL21"], False),
         "mount3": (["B21"], ["L21"], True),
         "loads": (["D25"], ["G25"], False)}
NOTES_CREEP = ["m_1_1", "m_1_2", "m_1_3", "m_2_1", "m_2_2", "m_2_3"]
NOTES_NO_CREEP = ["m_3_1", "m_3_2", "m_3_3", "m_2_1", "m_2_2", "m_2_3"]


def check_header(s, facts, section):
    for a1, v in zip(HEADER, facts["header"]):
        r, c = cell(a1)
        s.expect(r, c, v, "header")
    s.expect(*cell("T3"), facts["terrain"], "terrain")
    s.expect(*cell("B20"), section["name"], "section name")


def check_catalog(s, kind, col, figures, ff):
    # d, F, w, E (scaled), alpha in rows 13..17.
    want = [figures[0], figures[1], figures[2], figures[3] * ff, figures[4]]
    for k, v in enumerate(want):
        s.expect(13 + k, col, v, kind + " catalog")


def check_limits(s, kind, columns, ss, tensions, sf, ff):
    stress_col, tension_col = columns
    s.expect(21, stress_col, ss["stress_max"] * sf, kind + " stress max")
    s.expect(22, stress_col, ss["stress_avg"] * sf, kind + " stress avg")
    s.expect(21, tension_col, tensions[0] * ff, kind + " tension max")
    s.expect(22, tension_col, tensions[1] * ff, kind + " tension avg")


def wide(s, report, facts, section, calc_section, full):
    ff, sf = facts["force_factor"], facts["stress_factor"]
    k0 = 0 if full else 1
    temps = 9 if full else 8
    # Anchor lines from row 26, span lines from row 22; the cord pass starts both again.
    sag_first, label_col = (28, 23) if full else (26, 21)
    cord_tension_first = 13 if full else 12
    cord_sag_first = 37 if full else 34
    wire = calc_section.get("wire")
    cord = calc_section.get("cord")
    if wire:
        for t, ss in enumerate(wire["strain_sections"]):
            row = 26 + t
            s.expect(row, 1, ss["label"], "wire anchor label")
            s.expect(row, 2, ss["length"], "wire S1")
            s.expect(row, 3, ss["ruling_span"], "wire lr")
            for k in range(temps):
                s.expect(row, 4 + k, ss["tension"][k0 + k] * ff, "wire tension")
    span_row = 22
    if wire:
        for ss in wire["strain_sections"]:
            for span in ss["spans"]:
                if not span["attested"]:
                    continue
                s.expect(span_row, label_col, ss["label"], "span line label")
                s.expect(span_row, label_col + 1, ss["length"], "span line S1")
                s.expect(span_row, label_col + 2, ss["ruling_span"], "span line lr")
                s.expect(span_row, label_col + 3, span["length"], "span length")
                s.expect(span_row, label_col + 4, span["from"] + "-" + span["to"], "span label")
                for k in range(temps):
                    s.expect(span_row, sag_first + k, span["sag"][k0 + k], "wire sag")
                span_row += 1
    if cord:
        for t, ss in enumerate(cord["strain_sections"]):
            for k in range(temps):
                s.expect(26 + t, cord_tension_first + k, ss["tension"][k0 + k] * ff, "cord tension")
        span_row = 22
        for ss in cord["strain_sections"]:
            for span in ss["spans"]:
                if span["attested"]:
                    for k in range(temps):
                        s.expect(span_row, cord_sag_first + k, span["sag"][k0 + k], "cord sag")
                    span_row += 1


def compact(s, facts, calc_section):
    """Form 2: four-row blocks from row 25, a span line inserted for every further attested
    span of a wire strain section, so everything below moves down with it."""
    ff = facts["force_factor"]
    for conductor, offset in (("wire", 0), ("cord", 10)):
        run = calc_section.get(conductor)
        if not run:
            continue
        table_row, span_row = 26, 29
        for ss in run["strain_sections"]:
            t = table_row - 1
            s.expect(t, 1 + offset, ss["label"], conductor + " anchor label")
            s.expect(t, 2 + offset, ss["ruling_span"], conductor + " lr")
            s.expect(t, 3 + offset, ss["length"], conductor + " S1")
            for k in range(7):
                s.expect(t + 1, 4 + offset + k, ss["tension"][1 + k] * ff, conductor + " tension")
            for span in ss["spans"]:
                if not span["attested"]:
                    continue
                r = span_row - 1
                s.expect(r, 1 + offset, span["from"] + "-" + span["to"], conductor + " span label")
                s.expect(r, 3 + offset, span["length"], conductor + " span length")
                for k in range(7):
                    s.expect(r, 4 + offset + k, span["sag"][1 + k], conductor + " sag")
                span_row += 1
            overrun = span_row - table_row - 4
            if overrun > 0:
                table_row += overrun
            table_row += 4
            span_row = table_row + 3


def loads(s, facts, calc_section):
    ff = facts["force_factor"]
    wire = calc_section.get("wire")
    cord = calc_section.get("cord")
    wire_rows = len(wire["strain_sections"]) if wire else 0
    for conductor, first in (("wire", 3), ("cord", 6)):
        run = calc_section.get(conductor)
        if not run:
            continue
        for t, ss in enumerate(run["strain_sections"]):
            row = 30 + t
            # The cord writes label and lr again, over the wire's on the same row.
            if conductor == "cord" or not cord or t >= len(cord["strain_sections"]):
                s.expect(row, 1, ss["label"], conductor + " label")
                s.expect(row, 2, ss["ruling_span"], conductor + " lr")
            for j in range(3):
                s.expect(row, first + j, ss["anchor_loads"][j] * ff, conductor + " load")
    del wire_rows


def main():
    kind, path, calc_path, facts_path = sys.argv[1:5]
    calc = json.load(open(calc_path, encoding="utf-8"))
    facts = json.load(open(facts_path, encoding="utf-8"))
    book = xlrd.open_workbook(path)
    sections = facts["sections"]
    names = [sh.name for sh in book.sheets()]
    if names[:len(sections)] != [sec["name"] for sec in sections]:
        problems.append("sheets %r, expected the sections %r first" % (names, [sec["name"] for sec in sections]))
    problems.extend(hidden_under_merges(xlrd.open_workbook(path, formatting_info=True)))
    ff, sf = facts["force_factor"], facts["stress_factor"]
    wire_cols, cord_cols, always = NAMES[kind]
    for i, section in enumerate(sections):
        if i >= book.nsheets:
            break
        s = Sheet(book.sheet_by_index(i))
        calc_section = calc["sections"][i]
        check_header(s, facts, section)
        for a1 in wire_cols:
            if always or section["wire"]:
                s.expect(*cell(a1), section["wire_type"], "wire type")
            else:
                s.expect_empty(*cell(a1), "wire type")
        for a1 in cord_cols:
            if always or section["cord"]:
                s.expect(*cell(a1), section["cord_type"], "cord type")
            else:
                s.expect_empty(*cell(a1), "cord type")
        if kind == "mount3":
            s.expect(*cell("L20"), section["name"], "section name again")
        if kind != "loads":
            keys = NOTES_CREEP if section["creep"] else NOTES_NO_CREEP
            for k, key in enumerate(keys):
                s.expect(8 + k, 15, facts["texts"][key], "notes")
        limits = LIMITS[kind]
        for conductor, col, cols in (("wire", 6, limits[:2]), ("cord", 13, limits[2:])):
            run = calc_section.get(conductor)
            figures = section.get(conductor + "_figures")
            if run and figures:
                check_catalog(s, conductor, col, figures, ff)
                if run["strain_sections"]:
                    check_limits(s, conductor, cols, run["strain_sections"][-1],
                                 section[conductor + "_tension_limits"], sf, ff)
        if kind in ("mount1", "mount2"):
            wide(s, kind, facts, section, calc_section, kind == "mount2")
        elif kind == "mount3":
            compact(s, facts, calc_section)
        else:
            loads(s, facts, calc_section)
    for p in problems[:40]:
        print(p)
    if len(problems) > 40:
        print("... and %d more" % (len(problems) - 40))
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
