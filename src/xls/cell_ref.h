// TCellRef: a cell named as a spreadsheet user names it ("G4"), held 0-based.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace vartesk::xls {

// Report placements are written as data in the A1 form the templates are reviewed in; the
// name is checked when the program is compiled, so a misspelt cell cannot reach a report.
struct TCellRef
{
    int Row = 0; // 0-based
    int Col = 0; // 0-based

    constexpr TCellRef() = default;
    constexpr TCellRef(int row, int col)
        : Row(row)
        , Col(col)
    { }
    consteval TCellRef(const char *a1) { *this = Parse(a1); }

    // "G4" -> row 3, column 6; throws std::invalid_argument on anything else.
    static constexpr TCellRef Parse(std::string_view a1)
    {
        size_t i = 0;
        int col = 0;
        while (i < a1.size() && a1[i] >= 'A' && a1[i] <= 'Z' && i < 3)
            col = col * 26 + (a1[i++] - 'A' + 1);
        int row = 0;
        const size_t digits = i;
        while (i < a1.size() && a1[i] >= '0' && a1[i] <= '9' && i - digits < 5)
            row = row * 10 + (a1[i++] - '0');
        if (col == 0 || i == digits || i != a1.size() || row == 0 || a1[digits] == '0'
            || row > 65536 || col > 256)
            throw std::invalid_argument("not a cell name");
        return {row - 1, col - 1};
    }

    // The same row and column moved by whole rows or columns.
    constexpr TCellRef Down(int rows) const { return {Row + rows, Col}; }
    constexpr TCellRef Right(int cols) const { return {Row, Col + cols}; }

    std::string Name() const;
    friend constexpr bool operator==(const TCellRef &, const TCellRef &) = default;
};

// A column as the templates name it, checked when the program is compiled: "V" is column 21.
consteval int Col(std::string_view letters)
{
    int col = 0;
    for (const char c : letters) {
        if (c < 'A' || c > 'Z')
            throw std::invalid_argument("not a column name");
        col = col * 26 + (c - 'A' + 1);
    }
    if (col == 0 || col > 256)
        throw std::invalid_argument("not a column name");
    return col - 1;
}

} // namespace vartesk::xls
