// BIFF8 formula tokens: walking, keeping, turning shared formulas into plain ones, moving.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vartesk::xls {

// Size in bytes of the token at rpn[pos] with its ptg byte; 0 for a token the engine does
// not know or one cut off by the end ([MS-XLS] 2.5.198).
size_t FormulaTokenSize(std::string_view rpn, size_t pos);

// True when every token is known and none refers to what the engine rebuilds on writing
// (defined names by number, tName and tNameX) or to another record (tExp, tTbl).
bool FormulaCanBeKept(std::string_view rpn);

// A shared formula (SHRFMLA) made into the formula of the cell at (row, col): tRefN and
// tAreaN become tRef and tArea. False when a reference falls off the sheet.
bool MaterializeShared(std::string &rpn, int row, int col);

// Moves the relative references of a formula copied by (dRow, dCol). False when one
// would leave the sheet; the caller then keeps the value alone.
bool ShiftFormula(std::string &rpn, int dRow, int dCol);

} // namespace vartesk::xls
