// TCell: a handle on one position of a sheet, and the stored form of a cell.
#pragma once

#include "xls/cell_value.h"
#include "xls/custom_xls_item.h"

#include <bit>
#include <cstdint>
#include <string>

namespace vartesk::xls {

class TSheet;

enum class TCellKind : std::uint8_t { Blank, Number, Text, Boolean, Error, Formula };

// A stored cell, 16 bytes: column, kind, a small value (boolean, error code), the XF and
// the payload (number bits, text id or formula number).
struct TCellData
{
    std::uint16_t Col = 0;
    TCellKind Kind = TCellKind::Blank;
    std::uint8_t Small = 0;
    std::uint32_t Xf = 15;
    std::uint64_t Payload = 0;

    double Number() const { return std::bit_cast<double>(Payload); }
    void SetNumber(double v) { Payload = std::bit_cast<std::uint64_t>(v); }
    std::uint32_t Ref() const { return std::uint32_t(Payload); }
};

// A formula kept as its BIFF8 tokens (RPN, then any extra data such as array constants)
// with its stored result; ResultKind Blank stands for an empty text.
struct TFormula
{
    std::string Tokens;
    std::uint16_t RpnSize = 0;
    std::uint16_t Flags = 0;
    TCellKind ResultKind = TCellKind::Number;
    std::uint8_t ResultSmall = 0;
    double ResultNumber = 0;
    std::uint32_t ResultText = 0;
};

// What Cells Item returns. Reading never creates a cell; a value or a format set on a
// position without a cell creates it, with the format of its row and column.
class TCell : public TCustomXLSItem
{
public:
    TCell(TSheet &sheet, int row, int col)
        : Owner(&sheet)
        , RowNo(row)
        , ColNo(col)
    { }
    int Row() const { return RowNo; }
    int Col() const { return ColNo; }
    bool Exists() const;
    TCellKind Kind() const;
    bool IsFormula() const { return Kind() == TCellKind::Formula; }

    // The stored value; empty for a position without a value; a formula gives its result.
    TCellValue Value() const;
    // EXLSError 3 for an empty value or a text above 65535 characters.
    void SetValue(const TCellValue &value);
    void SetNumber(double value);
    void SetText(std::string_view utf8);

protected:
    TWorkbook &Book() const override;
    std::uint32_t CurrentXF() const override;
    void StoreXF(std::uint32_t xf) override;

private:
    TSheet *Owner;
    int RowNo;
    int ColNo;
};

} // namespace vartesk::xls
