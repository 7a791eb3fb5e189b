#!/usr/bin/python3
"""Independent check of a journal of supports, read by python3-xlrd.

  journal_check.py JOURNAL.xls CALC.json FACTS.json
      CALC.json is `vartesk calc --format json` of the same project and catalog; FACTS.json
      gives the project as the journal reads it: the language, and per section its name,
      whether it carries wire and cord, their weights per metre from the catalog, and its
      supports (number, code, type, span as saved, picket, angle parts, crossing, note).

Every value and every border of the rows below the two caption rows is worked out here again
from the journal's rules, and the workbook must hold exactly that: no value or border more or
less. The lengths of a span come from the tension at +10 C that the calculation document gives
for the strain section (the journal ends every strain section at an anchor; where the cord's
own strain sections differ, its span lengths are only checked to add up). Numbers are compared
with a relative tolerance of 1e-9. Exit 0 when the workbook holds what it must, 1 with one line
per difference (at most 40), 77 when xlrd is missing.
"""
import json
import math
import sys

try:
    import xlrd
except ImportError:
    sys.exit(77)

sys.dont_write_bytecode = True  # no cache beside the sources
from merged_check import hidden_under_merges

B, C, D, E, F, G, H, I, K, L, M, N = 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13
FIRST_ROW = 2
THIN, MEDIUM = 1, 2
ANY_NUMBER = object()  # a cord span length the calculation document cannot confirm
PLUS_10 = 5

problems = []


def name(r, c):
    return "%s%d" % (chr(65 + c), r + 1)


def general(x):
    """The general number form: up to 15 significant digits, no trailing zeros."""
    if x == 0:
        return "0"
    s = "%.15g" % x
    if "e" in s:
        mantissa, exponent = s.split("e")
        return mantissa + "E" + str(int(exponent))
    return s


def round2(x):
    # Halves to even: the decimal value of the double decides, as Python's round does.
    return round(x, 2)


def picket_text(p):
    metres = round2(p * 100)
    whole = math.trunc(metres / 100)
    return general(float(whole)) + "+" + general(round2(metres - whole * 100) + 0.0)


def angle_text(s, english):
    deg, minutes, sec, direction, number = s["deg"], s["min"], s["sec"], s["dir"], s["ugol"]
    if deg or minutes or sec:
        if direction not in (0, 1):
            return ""
        angle = "%s%d°%d'%d\"" % ("+" if direction == 0 else "-", deg, minutes, sec)
        if number:
            return ("Ang." if english else "Уг.") + number + ";" + angle
        return angle
    if number:
        return ("Уг." + number)[:11]
    return ""


def code_text(code, english):
    if english:
        return {"Анк.": "Str.", "Пром.": "Int."}.get(code, code)
    return code


def notes_text(s):
    if s["insect"] and s["coment"]:
        return "Пер." + s["insect"] + ";" + s["coment"]
    if s["insect"]:
        return "Пер." + s["insect"]
    return s["coment"]


def strain_sections(supports):
    """1-based (m, o): each ends at the next anchor support or at the last support."""
    out = []
    m = 1
    while m < len(supports):
        o = m + 1
        while o < len(supports) and supports[o - 1]["type"] != 0:
            o += 1
        out.append((m, o))
        m = o
    return out


class Expected:
    def __init__(self):
        self.values = {}
        self.borders = {}
        self.sums = []  # (row, col, cells): the value at (row, col) adds up those cells

    def sum_of(self, r, c, cells):
        self.value(r, c, ANY_NUMBER)
        self.sums.append((r, c, cells))

    def value(self, r, c, v):
        self.values[(r, c)] = v

    def side(self, r, c, side, style):
        self.borders.setdefault((r, c), [0, 0, 0, 0])[side] = style

    def box(self, r, c1, c2, style):
        for c in range(c1, c2 + 1):
            for side in range(4):
                self.side(r, c, side, style)

    def outline(self, r1, c1, r2, c2, style):
        for c in range(c1, c2 + 1):
            self.side(r1, c, 2, style)
            self.side(r2, c, 3, style)
        for r in range(r1, r2 + 1):
            self.side(r, c1, 0, style)
            self.side(r, c2, 1, style)


def wire_length(tension, weight, span):
    return span + span ** 3 * weight ** 2 / (24 * tension ** 2)


def conductor_pass(exp, section, calc, key, span_col, strain_col, box_supports):
    """Gives the conductor's total, or ANY_NUMBER when some span lengths are unconfirmed."""
    supports = section["supports"]
    weight = section[key + "_weight"]
    tensions = {}  # (m, o): the tension at +10 C, or None where the calculation failed
    if calc.get(key):
        for ss in calc[key]["strain_sections"]:
            ok = ss["error"] is None and ss["tension"][PLUS_10] > 0
            tensions[(ss["first"], ss["last"])] = ss["tension"][PLUS_10] if ok else None
    row = FIRST_ROW
    total = 0.0
    confirmed = True
    closing_rows = []
    failed = False
    for m, o in strain_sections(supports):
        # Absent: the calculation document has no such strain section (the cord's own end at
        # dead-end supports too); None: it could not be calculated, so the journal leaves its
        # lengths and every total they belong to blank.
        tension = tensions.get((m, o), ANY_NUMBER)
        total_ss = 0.0
        first_row = row
        for j in range(m, o):
            if box_supports:
                exp.box(row, B, I, THIN)
            exp.box(row, K, N, THIN)
            if tension is None:
                pass
            elif tension is ANY_NUMBER:
                exp.value(row, span_col, ANY_NUMBER)
            else:
                length = wire_length(tension, weight, supports[j - 1]["span"])
                exp.value(row, span_col, length)
                total_ss += length
            row += 1
        if box_supports:
            exp.box(row, B, I, THIN)
            exp.box(row, K, N, THIN)
        if tension is None:
            failed = True
        elif tension is ANY_NUMBER:
            confirmed = False
            exp.sum_of(row, strain_col, [(x, span_col) for x in range(first_row, row)])
        else:
            exp.value(row, strain_col, total_ss)
        closing_rows.append(row)
        total += total_ss
    exp.value(row, span_col, 0.0)
    # The section's total, for its footer: a number, the cells it adds up, or None.
    if failed:
        return None
    return total if confirmed else [(x, strain_col) for x in closing_rows if (x, strain_col) in exp.values]


def footer(exp, row, caption, length):
    exp.outline(row, C, row, D, MEDIUM)
    exp.box(row, C, C, MEDIUM)
    exp.value(row, C, caption)
    exp.value(row, D, length)


def total_cell(exp, row, col, length):
    exp.outline(row, col, row, col, MEDIUM)
    if isinstance(length, list):
        exp.sum_of(row, col, length)
    else:
        exp.value(row, col, length)


def expected_sheets(facts, calc):
    english = facts["english"]
    sheets = []
    picket = 0.0
    sum_l, sum_c = 0.0, 0.0
    route = 0.0
    route_wire, route_cord = [0.0, 0], [0.0, 0]
    for section, calc_section in zip(facts["sections"], calc["sections"]):
        exp = Expected()
        supports = section["supports"]
        wire = cord = None
        if section["wire"]:
            wire = conductor_pass(exp, section, calc_section, "wire", K, L, True)
        if section["cord"]:
            cord = conductor_pass(exp, section, calc_section, "cord", M, N, False)
        spans = [s["span"] for s in supports]
        if spans:
            spans[-1] = 0.0  # the last support has no next one
        length = 0.0
        for k, s in enumerate(supports, start=1):
            row = FIRST_ROW + k - 1
            span = spans[k - 1]
            exp.value(row, B, s["nomer"])
            exp.value(row, C, code_text(s["code"], english))
            exp.value(row, D, angle_text(s, english))
            exp.value(row, F, span)
            length += span
            if s["type"] == 0:
                if k > 1 and sum_l:  # a stretch of no length shows nothing
                    exp.value(row, G, sum_l)
                    exp.value(row, H, math.sqrt(sum_c / sum_l))
                sum_l, sum_c = span, span ** 3
            elif s["type"] == 1:
                sum_l += span
                sum_c += span ** 3
            exp.value(row, I, notes_text(s))
            if s["rezpic"]:
                picket = s["picet1"] + s["picet2"] / 100
            elif k > 1:
                picket += spans[k - 2] / 100
            exp.value(row, E, picket_text(picket))
        last = FIRST_ROW + len(supports) - 1
        if last >= FIRST_ROW:
            exp.outline(max(last - 1, FIRST_ROW), B, last, I, THIN)
        footer(exp, last + 1, "On the sector:" if english else "По участку:", length)
        route += length
        for carried, total, col, acc in ((section["wire"], wire, K, route_wire),
                                         (section["cord"], cord, M, route_cord)):
            if not carried:
                continue
            acc[1] += 1
            if total is None:
                acc[0] = None
                continue
            total_cell(exp, last + 1, col, total)
            if acc[0] is None:
                continue
            unconfirmed = isinstance(total, list) or acc[0] is ANY_NUMBER
            acc[0] = ANY_NUMBER if unconfirmed else acc[0] + total
        sheets.append((section["name"], exp, last))
    if not sheets:
        sheets.append((None, Expected(), FIRST_ROW - 2))
        route_row = FIRST_ROW
    else:
        route_row = sheets[-1][2] + 2
    exp, last = sheets[-1][1], sheets[-1][2]
    footer(exp, route_row, "On the tracе:" if english else "По трассе:", route)
    for (total, count), col in ((route_wire, K), (route_cord, M)):
        if count and total is not None:
            exp.outline(route_row, col, route_row, col, MEDIUM)
            exp.value(route_row, col, total)
    return sheets


def same(got, want):
    if want is ANY_NUMBER:
        return isinstance(got, float)
    if isinstance(want, float):
        return isinstance(got, float) and abs(got - want) <= 1e-9 * max(1.0, abs(want))
    return got == want


def borders_of(book, sh, r, c):
    if r >= sh.nrows or c >= sh.row_len(r):
        return [0, 0, 0, 0]
    b = book.xf_list[sh.cell_xf_index(r, c)].border
    return [b.left_line_style, b.right_line_style, b.top_line_style, b.bottom_line_style]


def check_sheet(book, sh, exp):
    rows = max([sh.nrows] + [r + 1 for r, _ in exp.values] + [r + 1 for r, _ in exp.borders])
    for r in range(FIRST_ROW, rows):
        for c in range(0, 16):
            got = None
            if r < sh.nrows and c < sh.row_len(r):
                cell = sh.cell(r, c)
                if cell.ctype not in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK):
                    got = cell.value
            want = exp.values.get((r, c))
            if want == "":
                want = None
            if isinstance(want, int):
                want = float(want)
            if not (got is None and want is None) and not same(got, want):
                problems.append("%s!%s: expected %r, found %r" % (sh.name, name(r, c), want, got))
            want_b = exp.borders.get((r, c), [0, 0, 0, 0])
            got_b = borders_of(book, sh, r, c)
            if got_b != want_b:
                problems.append("%s!%s: borders (left, right, top, bottom) expected %r, found %r"
                                % (sh.name, name(r, c), want_b, got_b))


def check_sums(sh, exp):
    """Lengths the calculation document cannot confirm must still add up."""
    def number(r, c):
        if r < sh.nrows and c < sh.row_len(r) and sh.cell(r, c).ctype == xlrd.XL_CELL_NUMBER:
            return sh.cell_value(r, c)
        return None
    for r, c, cells in exp.sums:
        parts = [number(x, y) for x, y in cells]
        got = number(r, c)
        if None in parts or got is None or not same(got, float(sum(parts))):
            problems.append("%s!%s: %r is not the sum of %s"
                            % (sh.name, name(r, c), got, ", ".join(name(x, y) for x, y in cells)))


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        sys.exit(2)
    book = xlrd.open_workbook(sys.argv[1], formatting_info=True)
    with open(sys.argv[2], encoding="utf-8") as f:
        calc = json.load(f)
    with open(sys.argv[3], encoding="utf-8") as f:
        facts = json.load(f)
    sheets = expected_sheets(facts, calc)
    problems.extend(hidden_under_merges(book))
    for index, (sheet_name, exp, _) in enumerate(sheets):
        sh = book.sheet_by_index(index)
        if sheet_name is not None and sh.name != sheet_name:
            problems.append("sheet %d: named %r, not %r" % (index, sh.name, sheet_name))
        check_sheet(book, sh, exp)
        check_sums(sh, exp)
    if problems:
        for p in problems[:40]:
            print(p)
        sys.exit(1)


main()
