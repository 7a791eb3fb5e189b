// The result blocks of the stringing-table and loads modes: what one CalcSection call writes
// into the current sheet.
#pragma once

#include "calc/calc_section.h"

#include <vector>

namespace vartesk {

namespace xls {
class TSheet;
}

// Hooks that write the header cells, span lines, anchor-section line and (loads mode) the
// load-case table of `mode` (Form1, Form1Full, Form2 or Loads) into `sheet`, at the project's
// cursors TableRow and SpanRow; SpanRow grows by one after each span line. Values are written
// unrounded in the display units; a grid that was not calculated (a type the catalog lacks,
// no governing state) leaves its cells blank, boxes and labels still drawn. The message hook
// of `base` is kept; its other hooks are replaced (for any other mode: left empty).
//
// Form 2 opens a row, a copy of the line above, for each span line after a call's first. With
// `openedRows` the copy's merged areas wait: the rows opened are listed there, for
// AddOpenedRowsMerges once the sheet's blocks are laid out.
TCalcHooks ResultBlockHooks(TCalcMode mode,
                            xls::TSheet &sheet,
                            TCalcHooks base = {},
                            std::vector<int> *openedRows = nullptr);

// The merged areas of the line above each opened row (0-based), in the order opened.
void AddOpenedRowsMerges(xls::TSheet &sheet, const std::vector<int> &openedRows);

} // namespace vartesk
