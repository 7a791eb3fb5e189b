#!/usr/bin/python3
"""Independent check of the field sagging workbook and its JSON, read by python3-xlrd.

  sagging_check.py REPORT.xls SAGGING.json CALC.json FACTS.json
      SAGGING.json is `vartesk sagging --format json`, CALC.json `vartesk calc --format json`
      of the same project and catalog. FACTS.json gives the language, the force factor, the
      tension format of the unit system, the section names, the texts of the governing states
      and per section the modulus and expansion coefficient of wire and cord.

The JSON must hold at -40, -30, ..., +40 C exactly the tensions and sags of the calculation,
in between values of the same change-of-state equation that keep the sags rising with the
temperature, and times of three return waves of 3 sqrt(32 f / g). The workbook must hold, line by line in the order placed here
again, every value of the JSON (relative tolerance 1e-9) in cells of the right number
format, and repeat its caption rows 5 and 6 on every printed page. Exit 0 when all is well,
1 with one line per difference (at most 40), 77 when xlrd is missing.
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

G = 9.80665
TEMPERATURES = list(range(-40, 45, 5))
problems = []


def close(a, b, rel=1e-9):
    return isinstance(a, float) and abs(a - b) <= rel * max(1.0, abs(b))


def check_equation(at, span, ss, css, figures):
    """Without insulator strings every temperature is a state of the same change-of-state
    equation: sigma - gamma^2 lr^2 E / (24 sigma^2) + alpha E t is one constant, and the sag
    is the same multiple (the over-tensioning's) of gamma l^2 / (8 sigma) + gamma^3 l^4 /
    (384 sigma^3). Sigma is the tension over F k+, which the calculation's grid gives."""
    if ss["insulator_strings"] or not css["spans"]:
        return
    modulus, alpha = figures
    gamma = css["loads"]["gamma1"]
    first = css["spans"][0]
    area = first["tension"][0] / first["stress"][0]
    lr, l = ss["ruling_span"], span["length"]
    constants, factors, slopes = [], [], []
    for k, t in enumerate(TEMPERATURES):
        sigma = ss["tension"][k] / area
        constants.append(sigma - gamma ** 2 * lr ** 2 * modulus / (24 * sigma ** 2) + alpha * modulus * t)
        slopes.append(1 + gamma ** 2 * lr ** 2 * modulus / (12 * sigma ** 3))
        factors.append(span["sag"][k] / (gamma * l ** 2 / (8 * sigma) + gamma ** 3 * l ** 4 / (384 * sigma ** 3)))
    # The bisection stops within 5e-5 of the root, which the slope of the constant in sigma
    # magnifies; one degree off would move it by alpha E, far more.
    if max(constants) - min(constants) > 2 * 5e-5 * max(slopes) + 1e-9:
        problems.append(at + ": not one state equation: %r" % constants)
    if max(factors) - min(factors) > 1e-9:
        problems.append(at + ": sags not of the tensions: %r" % factors)


def check_json(sag, calc, facts):
    for s, c in zip(sag["sections"], calc["sections"], strict=True):
        for kind in ("wire", "cord"):
            mine, theirs = s[kind], c[kind]
            where = "section %d %s" % (s["index"], kind)
            if theirs is None:
                if "error" not in mine:
                    problems.append(where + ": not carried, but no error")
                continue
            if not theirs["strain_sections"]:
                if "error" not in mine:
                    problems.append(where + ": no strain section, but no error")
                continue
            if "error" in mine:
                if all(ss["error"] is None for ss in theirs["strain_sections"]):
                    problems.append(where + ": an error the calculation does not have")
                continue
            for ss, css in zip(mine["strain_sections"], theirs["strain_sections"], strict=True):
                here = where + " " + ss["label"]
                if ss["label"] != css["label"] or ss["first"] != css["first"]:
                    problems.append(here + ": another strain section than " + css["label"])
                if "error" in ss:
                    if css["error"] is None and css["state"] is not None:
                        problems.append(here + ": an error the calculation does not have")
                    continue
                if ss["temperatures"] != TEMPERATURES:
                    problems.append(here + ": temperatures are not -40..+40 in steps of 5")
                if ss["ruling_span"] != css["ruling_span"]:
                    problems.append(here + ": ruling span")
                for k in range(9):
                    if ss["tension"][2 * k] != css["tension"][k]:
                        problems.append(here + ": tension at %d C" % TEMPERATURES[2 * k])
                for span, cspan in zip(ss["spans"], css["spans"], strict=True):
                    at = here + " span %s-%s" % (span["from"], span["to"])
                    if (span["from"], span["to"], span["length"]) != (cspan["from"], cspan["to"], cspan["length"]):
                        problems.append(at + ": another span")
                    for k in range(9):
                        if span["sag"][2 * k] != cspan["sag"][k]:
                            problems.append(at + ": sag at %d C" % TEMPERATURES[2 * k])
                    for k in range(1, 17, 2):
                        f = span["sag"]
                        if not (f[k - 1] <= f[k] <= f[k + 1]) or f[k] <= 0:
                            problems.append(at + ": sag at %d C out of step" % TEMPERATURES[k])
                    check_equation(at, span, ss, css, facts["figures"][s["index"]][kind])
                    for k in range(17):
                        want = 3 * math.sqrt(32 * span["sag"][k] / G)
                        if not close(span["wave_time_3"][k], want, 1e-12):
                            problems.append(at + ": time at %d C" % TEMPERATURES[k])


class Book:
    def __init__(self, path):
        self.book = xlrd.open_workbook(path, formatting_info=True)

    def format_of(self, sh, r, c):
        xf = self.book.xf_list[sh.cell_xf_index(r, c)]
        return self.book.format_map[xf.format_key].format_str


def check_book(path, sag, facts):
    book = Book(path)
    ff = facts["force_factor"]
    formats = {"sag": "0.00", "time": "0.0", "length": "0.00", "tension": facts["tension_format"]}
    states = facts["states"]
    # The captions of the template's two strain-section lines, which tell wire from cord.
    wire_caption, cord_caption = {"en": ("Wire, strain section", "Cord, strain section"),
                                  "ru": ("Провод, анк. участок", "Трос, анк. участок")}[facts["lang"]]
    problems.extend(hidden_under_merges(book.book))
    titles = {n.scope: n for n in book.book.name_obj_list if n.name == "Print_Titles"}
    for i, s in enumerate(sag["sections"]):
        sh = book.book.sheet_by_index(i)
        if sh.name != facts["names"][i]:
            problems.append("sheet %d is named %r, not %r" % (i, sh.name, facts["names"][i]))

        def value(r, c):
            if r >= sh.nrows or c >= sh.row_len(r):
                return None
            return sh.cell_value(r, c)

        def expect(r, c, want, fmt=None):
            got = value(r, c)
            ok = close(got, want) if isinstance(want, float) else got == want
            if not ok:
                problems.append("%s!R%dC%d: expected %r, found %r" % (sh.name, r + 1, c + 1, want, got))
            elif fmt and book.format_of(sh, r, c) != formats[fmt]:
                problems.append("%s!R%dC%d: format %r, not %r" % (sh.name, r + 1, c + 1, book.format_of(sh, r, c), formats[fmt]))

        if i not in titles:
            problems.append(sh.name + ": no print titles")
        else:
            _, rlo, rhi, _, _ = titles[i].area2d(clipped=False)
            if (rlo, rhi) != (4, 6):
                problems.append(sh.name + ": print titles rows %d..%d, not 5..6" % (rlo + 1, rhi))
        expect(2, 1, s["name"])
        row = 6
        for kind in ("wire", "cord"):
            if kind == "cord":
                row += 1  # the blank line between the two
            c = s[kind]
            expect(row, 4, c["type"] if c["type"] else "")
            row += 1
            if "error" in c:
                expect(row, 1, c["error"])
                row += 1
                continue
            for ss in c["strain_sections"]:
                expect(row, 1, {"wire": wire_caption, "cord": cord_caption}[kind])
                expect(row, 3, ss["label"])
                expect(row, 4, c["type"])
                if "error" in ss:
                    expect(row + 1, 1, ss["error"])
                    row += 2
                    continue
                expect(row, 9, ss["ruling_span"], "length")
                expect(row, 14, states["strings"] if ss["insulator_strings"] else states[str(ss["state"])])
                row += 1
                for k in range(17):
                    expect(row, 4 + k, ss["tension"][k] * ff, "tension")
                row += 1
                for span in ss["spans"]:
                    expect(row, 1, span["from"] + "-" + span["to"])
                    expect(row, 2, span["length"], "length")
                    for k in range(17):
                        expect(row, 4 + k, span["sag"][k], "sag")
                        expect(row + 1, 4 + k, span["wave_time_3"][k], "time")
                    row += 2
        # Nothing below the last line: the models are gone.
        for r in range(row, sh.nrows):
            for c in range(sh.row_len(r)):
                if value(r, c) not in (None, ""):
                    problems.append("%s!R%dC%d: %r below the last line" % (sh.name, r + 1, c + 1, value(r, c)))


def main():
    if len(sys.argv) != 5:
        sys.stderr.write(__doc__)
        return 2
    with open(sys.argv[2], encoding="utf-8") as f:
        sag = json.load(f)
    with open(sys.argv[3], encoding="utf-8") as f:
        calc = json.load(f)
    with open(sys.argv[4], encoding="utf-8") as f:
        facts = json.load(f)
    check_json(sag, calc, facts)
    check_book(sys.argv[1], sag, facts)
    for p in problems[:40]:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
