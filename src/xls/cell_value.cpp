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

namespace {

struct TErrorName
{
    TErrorCode Code;
    const char *Text;
};

// clang-format off
constexpr TErrorName kErrorNames[] = {
    {TErrorCode::Null, "#NULL!"}, {TErrorCode::DivZero, "#DIV/0!"},
    {TErrorCode::Value, "#VALUE!"}, {TErrorCode::Ref, "#REF!"}, {TErrorCode::Name, "#NAME?"},
    {TErrorCode::Num, "#NUM!"}, {TErrorCode::NotAvailable, "#N/A"},
};
// clang-format on

} // namespace

std::string ErrorText(std::uint8_t code)
{
    for (const auto &e : kErrorNames)
        if (std::uint8_t(e.Code) == code)
            return e.Text;
    return "#ERR" + std::to_string(code);
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
