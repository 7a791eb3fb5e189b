// Cells: the handle's value access and the row-by-row storage.
#include "xls/cell.h"

#include "base/utf8.h"
#include "xls/cells.h"
#include "xls/sheet.h"
#include "xls/workbook.h"
#include "xls/xls_error.h"

#include <algorithm>
#include <utility>

namespace vartesk::xls {

namespace {

void CheckPosition(int row, int col)
{
    // The column is checked first; both give error 5.
    if (col < 0 || col > 255)
        throw EXLSError(5);
    if (row < 0 || row > 65535)
        throw EXLSError(5);
}

// UTF-16 length of a UTF-8 text without building it.
size_t Utf16Units(std::string_view s)
{
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80)
            n += c >= 0xF0 ? 2 : 1;
    return n;
}

} // namespace

bool TCell::Exists() const
{
    return Owner->Cells().Find(RowNo, ColNo) != nullptr;
}

TCellKind TCell::Kind() const
{
    const auto *d = Owner->Cells().Find(RowNo, ColNo);
    return d ? d->Kind : TCellKind::Blank;
}

TCellValue TCell::Value() const
{
    const TCells &cells = Owner->Cells();
    const auto *d = cells.Find(RowNo, ColNo);
    if (!d)
        return {};
    const TStringPool &pool = Owner->Workbook().Strings;
    switch (d->Kind) {
    case TCellKind::Blank:
        return {};
    case TCellKind::Number:
        return TCellValue(d->Number());
    case TCellKind::Text:
        return TCellValue(pool.At(d->Ref()));
    case TCellKind::Boolean:
        return TCellValue(d->Small != 0);
    case TCellKind::Error:
        return TCellValue(TErrorValue {d->Small});
    case TCellKind::Formula: {
        const TFormula &f = cells.Formulas.at(d->Ref());
        switch (f.ResultKind) {
        case TCellKind::Number:
            return TCellValue(f.ResultNumber);
        case TCellKind::Text:
            return TCellValue(pool.At(f.ResultText));
        case TCellKind::Blank:
            return TCellValue(std::string_view());
        case TCellKind::Boolean:
            return TCellValue(f.ResultSmall != 0);
        case TCellKind::Error:
            return TCellValue(TErrorValue {f.ResultSmall});
        default:
            return {};
        }
    }
    }
    return {};
}

void TCell::SetValue(const TCellValue &value)
{
    switch (value.Kind()) {
    case TCellValue::TKind::Empty:
        throw EXLSError(3);
    case TCellValue::TKind::Number:
        SetNumber(value.Number());
        return;
    case TCellValue::TKind::Text:
        SetText(value.Text());
        return;
    case TCellValue::TKind::Boolean: {
        auto &d = Owner->Cells().Put(RowNo, ColNo);
        d.Kind = TCellKind::Boolean;
        d.Small = value.Boolean() ? 1 : 0;
        d.Payload = 0;
        return;
    }
    case TCellValue::TKind::Error: {
        auto &d = Owner->Cells().Put(RowNo, ColNo);
        d.Kind = TCellKind::Error;
        d.Small = value.Error();
        d.Payload = 0;
        return;
    }
    }
}

void TCell::SetNumber(double value)
{
    auto &d = Owner->Cells().Put(RowNo, ColNo);
    d.Kind = TCellKind::Number;
    d.Small = 0;
    d.SetNumber(value);
}

void TCell::SetText(std::string_view utf8)
{
    // A text has no more UTF-16 units than UTF-8 bytes: only a long one needs counting.
    if (utf8.size() > 65535 && Utf16Units(utf8) > 65535)
        throw EXLSError(3);
    const auto id = Owner->Workbook().Strings.Intern(utf8);
    auto &d = Owner->Cells().Put(RowNo, ColNo);
    d.Kind = TCellKind::Text;
    d.Small = 0;
    d.Payload = id;
}

TWorkbook &TCell::Book() const
{
    return Owner->Workbook();
}

std::uint32_t TCell::CurrentXF() const
{
    const auto *d = Owner->Cells().Find(RowNo, ColNo);
    return d ? d->Xf : Owner->InitialXF(RowNo, ColNo);
}

void TCell::StoreXF(std::uint32_t xf)
{
    Owner->Cells().Put(RowNo, ColNo).Xf = xf;
}

TCell TCells::Item(int row, int col)
{
    CheckPosition(row, col);
    return TCell(*Owner, row, col);
}

size_t TCells::Count() const
{
    size_t n = 0;
    for (const auto &r : Rows)
        n += r.size();
    return n;
}

const TCellData *TCells::Find(int row, int col) const
{
    if (row < 0 || size_t(row) >= Rows.size())
        return nullptr;
    const auto &r = Rows[size_t(row)];
    auto it = std::lower_bound(
        r.begin(), r.end(), col, [](const TCellData &d, int c) { return d.Col < c; });
    return it != r.end() && it->Col == col ? &*it : nullptr;
}

TCellData *TCells::Find(int row, int col)
{
    return const_cast<TCellData *>(std::as_const(*this).Find(row, col));
}

TCellData &TCells::PutRaw(int row, int col, std::uint32_t xf)
{
    if (size_t(row) >= Rows.size())
        Rows.resize(size_t(row) + 1);
    auto &r = Rows[size_t(row)];
    // Rows are mostly filled and read in order, and neighbours hold about as many cells: a
    // row's first cell makes room for as many as the row above holds, sparing the growth
    // steps (and the memory they leave behind) of every row.
    if (r.empty() && row > 0)
        r.reserve(Rows[size_t(row) - 1].size());
    if (r.empty() || r.back().Col < col) {
        r.push_back(TCellData {std::uint16_t(col), TCellKind::Blank, 0, xf, 0});
        return r.back();
    }
    auto it = std::lower_bound(
        r.begin(), r.end(), col, [](const TCellData &d, int c) { return d.Col < c; });
    if (it != r.end() && it->Col == col)
        return *it;
    return *r.insert(it, TCellData {std::uint16_t(col), TCellKind::Blank, 0, xf, 0});
}

TCellData &TCells::Put(int row, int col)
{
    // Cells are mostly set in order: only a position at or before the row's last cell can
    // hold one already.
    const bool within = size_t(row) < Rows.size() && !Rows[size_t(row)].empty()
        && Rows[size_t(row)].back().Col >= col;
    if (within)
        if (auto *d = Find(row, col))
            return *d;
    return PutRaw(row, col, Owner->InitialXF(row, col));
}

void TCells::Erase(int row, int col)
{
    if (row < 0 || size_t(row) >= Rows.size())
        return;
    auto &r = Rows[size_t(row)];
    auto it = std::lower_bound(
        r.begin(), r.end(), col, [](const TCellData &d, int c) { return d.Col < c; });
    if (it != r.end() && it->Col == col)
        r.erase(it);
}

void TCells::Clear()
{
    Rows.clear();
    Formulas.clear();
}

} // namespace vartesk::xls
