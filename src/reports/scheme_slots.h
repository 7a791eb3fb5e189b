// The section calculation's part of the line scheme: the sag and tension texts of CAD mode.
#pragma once

#include "calc/calc_section.h"

namespace vartesk {

class TDrawing;

// Hooks for CalcSection in TCalcMode::Cad. Each attested span writes its eight sags
// (-30..+40 C, rounded to 0.01 m) in the column of its first support; each strain section
// writes its eight tensions (daN rounded to whole, or kN to 0.01) in the column of its first
// support; the cord's values are in parentheses and stand right of the wire's. A conductor the
// section does not carry, or whose grids were not calculated, writes nothing. The message hook
// of `base` is kept.
TCalcHooks SchemeTextHooks(TDrawing &dxf, TCalcHooks base = {});

} // namespace vartesk
