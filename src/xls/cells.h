// TCells: the sparse cells of a sheet, row by row, each row sorted by column.
#pragma once

#include "xls/cell.h"

#include <vector>

namespace vartesk::xls {

class TSheet;

// Rows of a sheet: 0..65535.
inline constexpr int kSheetRows = 65536;

class TCells
{
public:
    explicit TCells(TSheet &sheet)
        : Owner(&sheet)
    { }
    TCells(const TCells &) = delete;
    TCells &operator=(const TCells &) = delete;

    // EXLSError 5 for a column above 255 or a row outside 0..65535.
    TCell Item(int row, int col);
    size_t Count() const;

    const TCellData *Find(int row, int col) const;
    TCellData *Find(int row, int col);
    // The cell at the position, created with its row and column format when new.
    TCellData &Put(int row, int col);
    // The same without the inherited format lookup, for the reader (xf given).
    TCellData &PutRaw(int row, int col, std::uint32_t xf);
    void Erase(int row, int col);
    void Clear();

    // Rows[r] holds row r's cells in column order.
    std::vector<std::vector<TCellData>> Rows;
    std::vector<TFormula> Formulas;

private:
    friend class TSheet;
    TSheet *Owner;
};

} // namespace vartesk::xls
