#!/usr/bin/python3
"""The shipped report templates as an independent reader, python3-xlrd (Debian, 1.2), sees them.

  forms_check.py FORMS-FOLDER
      each of the sixteen templates opens, holds one sheet with the name of its language, its
      title in that language, and the number formats of the cells the reports fill first.
Exit 0 when all is well, 1 with one line per difference, 77 when xlrd is missing.
"""
import os
import sys

try:
    import xlrd
except ImportError:
    sys.exit(77)

sys.dont_write_bytecode = True  # no cache beside the sources
from merged_check import hidden_under_merges


def cell_index(a1):
    col = 0
    i = 0
    while a1[i].isalpha():
        col = col * 26 + ord(a1[i]) - 64
        i += 1
    return int(a1[i:]) - 1, col - 1


# Kinds of filled cells and their formats, for daN and for kN files.
FORMATS = {"climate": ("0.0", "0.0"), "coef": ("0.000", "0.000"), "whole": ("0", "0"),
           "length": ("0.00", "0.00"), "stress": ("0.0", "0.0"), "tension": ("0", "0.00"),
           "modulus": ("0", "0.0"), "text": ("@", "@")}
HEADER = {"G4": "climate", "G11": "climate", "N4": "coef", "N11": "coef", "T4": "whole",
          "T8": "whole", "T3": "text", "G15": "length", "N17": "modulus"}
LAYOUTS = {
    "FormMount": ("Stringing", "Монтаж", {"H22": "stress", "K22": "tension", "S23": "tension",
                                          "B27": "text", "C27": "length", "E27": "tension",
                                          "T27": "tension", "V23": "text", "AA23": "length",
                                          "AP23": "length", "E25": "text", "AI21": "text",
                                          "P9": "text"}),
    "FormMount1": ("Stringing", "Монтаж", {"H22": "stress", "K22": "tension", "T23": "tension",
                                           "B27": "text", "D27": "length", "E27": "tension",
                                           "V27": "tension", "X23": "text", "AC23": "length",
                                           "AT23": "length", "N25": "text", "AL21": "text",
                                           "P14": "text"}),
    "FormMount2": ("Stringing", "Монтаж", {"F22": "stress", "I22": "tension", "S23": "tension",
                                           "B26": "text", "C26": "length", "E27": "tension",
                                           "U27": "tension", "B29": "text", "D29": "length",
                                           "K29": "length", "O29": "length", "P9": "text"}),
    "FormLoads": ("Loads", "Нагрузки", {"E22": "stress", "H22": "tension", "P23": "tension",
                                        "D25": "text", "G25": "text", "D28": "climate",
                                        "I29": "climate", "D30": "whole", "B31": "text",
                                        "C31": "length", "D31": "tension", "I31": "tension"}),
}


def check(folder):
    errors = []
    for layout, (sheet_en, sheet_ru, cells) in LAYOUTS.items():
        for kn in (False, True):
            for ru in (False, True):
                name = layout + ("N" if kn else "") + ("_ru" if ru else "_en") + ".xls"
                try:
                    book = xlrd.open_workbook(os.path.join(folder, name), formatting_info=True)
                except Exception as e:  # any failure to read is the finding
                    errors.append("%s: does not open: %s" % (name, e))
                    continue
                if book.nsheets != 1:
                    errors.append("%s: %d sheets" % (name, book.nsheets))
                errors.extend(name + ": " + h for h in hidden_under_merges(book))
                sh = book.sheet_by_index(0)
                if sh.name != (sheet_ru if ru else sheet_en):
                    errors.append("%s: sheet %r" % (name, sh.name))
                title = sh.cell_value(0, 1)
                if not title or any("а" <= ch <= "я" for ch in title.lower()) != ru:
                    errors.append("%s: title %r" % (name, title))
                for a1, kind in list(HEADER.items()) + list(cells.items()):
                    r, c = cell_index(a1)
                    if r >= sh.nrows or c >= sh.row_len(r):
                        errors.append("%s!%s: no cell" % (name, a1))
                        continue
                    cell = sh.cell(r, c)
                    fmt = book.format_map[book.xf_list[cell.xf_index].format_key].format_str
                    want = FORMATS[kind][1 if kn else 0]
                    if cell.ctype != xlrd.XL_CELL_BLANK or fmt != want:
                        errors.append("%s!%s: %r formatted %r, expected blank formatted %r"
                                      % (name, a1, cell.value, fmt, want))
    return errors


def main():
    errors = check(sys.argv[1])
    for e in errors:
        print(e)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
