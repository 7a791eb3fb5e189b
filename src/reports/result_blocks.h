// The result blocks of the stringing-table and loads modes: what one CalcSection call writes
// into the current sheet.
#pragma once

#include "calc/calc_section.h"

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
TCalcHooks ResultBlockHooks(TCalcMode mode, xls::TSheet &sheet, TCalcHooks base = {});

} // namespace vartesk
