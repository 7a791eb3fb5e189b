// Column settings and the conversion of widths between characters and stored units.
#include "xls/columns.h"

#include "xls/sheet.h"
#include "xls/workbook.h"
#include "xls/xls_error.h"

#include <cmath>

namespace vartesk::xls {

namespace {
constexpr double kDigitPixels = 7; // width of "0" in Arial 10, the default font
}

std::uint16_t WidthToUnits(double chars)
{
    if (!(chars > 0))
        return 0;
    const double units = std::trunc((chars * kDigitPixels + 5) / kDigitPixels * 256);
    return std::uint16_t(std::min(units, 65535.0));
}

double UnitsToWidth(std::uint16_t units)
{
    const double chars = (units / 256.0 * kDigitPixels - 5) / kDigitPixels;
    if (!(chars > 0))
        return 0;
    return std::trunc(chars * 100 + 0.5) / 100;
}

TColumnData &TColumn::Data()
{
    return Owner->Columns().Items[std::uint16_t(ColNo)];
}

double TColumn::Width() const
{
    const auto &items = Owner->Columns().Items;
    auto it = items.find(std::uint16_t(ColNo));
    return UnitsToWidth(it == items.end() ? TColumnData {}.Width : it->second.Width);
}

void TColumn::SetWidth(double chars)
{
    if (!(chars >= 0 && chars <= 255))
        throw EXLSError(4);
    Data().Width = WidthToUnits(chars);
}

bool TColumn::Hidden() const
{
    const auto &items = Owner->Columns().Items;
    auto it = items.find(std::uint16_t(ColNo));
    return it != items.end() && (it->second.Options & 1);
}

void TColumn::SetHidden(bool hidden)
{
    auto &d = Data();
    d.Options = std::uint16_t(hidden ? d.Options | 1 : d.Options & ~1);
}

TWorkbook &TColumn::Book() const
{
    return Owner->Workbook();
}

std::uint32_t TColumn::CurrentXF() const
{
    const auto &items = Owner->Columns().Items;
    auto it = items.find(std::uint16_t(ColNo));
    return it == items.end() ? 15 : it->second.Xf;
}

void TColumn::StoreXF(std::uint32_t xf)
{
    Data().Xf = std::uint16_t(xf);
    Owner->ColumnFormatChanged(ColNo);
}

TColumn TColumns::Item(int col)
{
    if (col < 0 || col > 255)
        throw EXLSError(5);
    return TColumn(*Owner, col);
}

} // namespace vartesk::xls
