// Row settings: height in points, hidden flag, row format.
#include "xls/rows.h"

#include "xls/sheet.h"
#include "xls/workbook.h"
#include "xls/xls_error.h"

#include <cmath>

namespace vartesk::xls {

TRowData &TRow::Data()
{
    return Owner->Rows().Items[std::uint16_t(RowNo)];
}

double TRow::Height() const
{
    const auto &items = Owner->Rows().Items;
    auto it = items.find(std::uint16_t(RowNo));
    return (it == items.end() ? TRowData {}.Height : it->second.Height) / 20.0;
}

void TRow::SetHeight(double points)
{
    if (!(points >= 0 && points <= 409))
        throw EXLSError(4);
    auto &d = Data();
    d.Height = std::uint16_t(std::lround(points * 20));
    d.Options |= TRowData::kCustomHeight;
}

bool TRow::Hidden() const
{
    const auto &items = Owner->Rows().Items;
    auto it = items.find(std::uint16_t(RowNo));
    return it != items.end() && (it->second.Options & TRowData::kHidden);
}

void TRow::SetHidden(bool hidden)
{
    auto &d = Data();
    d.Options
        = std::uint16_t(hidden ? d.Options | TRowData::kHidden : d.Options & ~TRowData::kHidden);
}

TWorkbook &TRow::Book() const
{
    return Owner->Workbook();
}

std::uint32_t TRow::CurrentXF() const
{
    const auto &items = Owner->Rows().Items;
    auto it = items.find(std::uint16_t(RowNo));
    return it == items.end() || !(it->second.Options & TRowData::kHasFormat) ? 15 : it->second.Xf;
}

void TRow::StoreXF(std::uint32_t xf)
{
    auto &d = Data();
    d.Xf = std::uint16_t(xf);
    d.Options |= TRowData::kHasFormat;
}

TRow TRows::Item(int row)
{
    if (row < 0 || row > 65535)
        throw EXLSError(5);
    return TRow(*Owner, row);
}

} // namespace vartesk::xls
