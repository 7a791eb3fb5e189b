// Cell values: conversions and comparison.
#include "xls/cell_value.h"

#include "base/cp1251.h"
#include "base/number_text.h"
#include "base/utf8.h"

namespace vartesk::xls {

TCellValue::TCellValue(std::u16string_view text)
    : Kind_(TKind::Text)
    , Str(Utf16ToUtf8(text))
{ }

TCellValue::TCellValue(const TAnsiText &text)
    : Kind_(TKind::Text)
    , Str(Cp1251ToUtf8(text.Bytes))
{ }

std::string ErrorText(std::uint8_t code)
{
    switch (code) {
    case 0x00:
        return "#NULL!";
    case 0x07:
        return "#DIV/0!";
    case 0x0F:
        return "#VALUE!";
    case 0x17:
        return "#REF!";
    case 0x1D:
        return "#NAME?";
    case 0x24:
        return "#NUM!";
    case 0x2A:
        return "#N/A";
    default:
        return "#ERR" + std::to_string(code);
    }
}

std::string TCellValue::AsText() const
{
    switch (Kind_) {
    case TKind::Empty:
        return {};
    case TKind::Number:
        return FormatGeneral(Num);
    case TKind::Text:
        return Str;
    case TKind::Boolean:
        return Flag ? "TRUE" : "FALSE";
    case TKind::Error:
        return ErrorText(Code);
    }
    return {};
}

bool operator==(const TCellValue &a, const TCellValue &b)
{
    if (a.Kind_ != b.Kind_)
        return false;
    switch (a.Kind_) {
    case TCellValue::TKind::Empty:
        return true;
    case TCellValue::TKind::Number:
        return !(a.Num < b.Num) && !(b.Num < a.Num);
    case TCellValue::TKind::Text:
        return a.Str == b.Str;
    case TCellValue::TKind::Boolean:
        return a.Flag == b.Flag;
    case TCellValue::TKind::Error:
        return a.Code == b.Code;
    }
    return false;
}

} // namespace vartesk::xls
