"""What every check of a workbook asks as well: no value lies hidden under a merged area.

A merged area shows only its top-left cell, so any other written cell inside it is a value
nobody sees; a text of blanks shows nothing either way and counts as empty.
"""
import xlrd


def hidden_under_merges(book):
    """One line per such cell; `book` opened with formatting_info=True, without which xlrd
    lists no merged areas."""
    found = []
    for sheet in book.sheets():
        for rlo, rhi, clo, chi in sheet.merged_cells:
            for r in range(rlo, min(rhi, sheet.nrows)):
                for c in range(clo, min(chi, sheet.row_len(r))):
                    cell = sheet.cell(r, c)
                    if (r, c) == (rlo, clo) or cell.ctype in (xlrd.XL_CELL_EMPTY,
                                                              xlrd.XL_CELL_BLANK):
                        continue
                    if cell.ctype == xlrd.XL_CELL_TEXT and not cell.value.strip():
                        continue
                    found.append("%s!%s holds %r under the merged area %s:%s"
                                 % (sheet.name, xlrd.cellname(r, c), cell.value,
                                    xlrd.cellname(rlo, clo), xlrd.cellname(rhi - 1, chi - 1)))
    return found
