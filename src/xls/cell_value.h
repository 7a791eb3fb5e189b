// The values a cell takes: number, text, boolean, error; dates and currency arrive as numbers.
#pragma once

#include <chrono>
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

namespace vartesk::xls {

// Delphi's Currency: the value times 10 000 in a 64-bit integer.
struct TCurrency
{
    std::int64_t Scaled = 0;
};

// A date as its serial in the 1900 date system (days since 1899-12-30, time as a fraction).
struct TDate
{
    double Serial = 0;
    static TDate FromCivil(int year, unsigned month, unsigned day)
    {
        using namespace std::chrono;
        const auto d
            = sys_days(std::chrono::year(year) / std::chrono::month(month) / std::chrono::day(day))
            - sys_days(std::chrono::year(1899) / December / 30);
        return {double(d.count())};
    }
};

// 8-bit text in the process code page (Windows-1251 for this system).
struct TAnsiText
{
    std::string Bytes;
};

// The cell error values by their BIFF code (BOOLERR records, formula results).
enum class TErrorCode : std::uint8_t {
    Null = 0x00, // #NULL!
    DivZero = 0x07, // #DIV/0!
    Value = 0x0F, // #VALUE!
    Ref = 0x17, // #REF!
    Name = 0x1D, // #NAME?
    Num = 0x24, // #NUM!
    NotAvailable = 0x2A, // #N/A
};

// A cell error value by its code; a code that TErrorCode lacks is kept as it came.
struct TErrorValue
{
    std::uint8_t Code = 0;
};

// A variant of the kinds a cell can hold. Texts are held as UTF-8; TooLong marks a text above
// 65535 UTF-16 units, which setting a cell refuses with error 3.
class TCellValue
{
public:
    enum class TKind : std::uint8_t { Empty, Number, Text, Boolean, Error };

    TCellValue() = default;
    template<std::integral T>
    requires(!std::same_as<T, bool>) TCellValue(T v)
        : Kind_(TKind::Number)
        , Num(double(v))
    { }
    TCellValue(float v)
        : Kind_(TKind::Number)
        , Num(double(v))
    { }
    TCellValue(double v)
        : Kind_(TKind::Number)
        , Num(v)
    { }
    TCellValue(bool v)
        : Kind_(TKind::Boolean)
        , Flag(v)
    { }
    TCellValue(TCurrency v)
        : Kind_(TKind::Number)
        , Num(double(v.Scaled) / 10000.0)
    { }
    TCellValue(TDate v)
        : Kind_(TKind::Number)
        , Num(v.Serial)
    { }
    TCellValue(TErrorValue v)
        : Kind_(TKind::Error)
        , Code(v.Code)
    { }
    TCellValue(std::string_view utf8)
        : Kind_(TKind::Text)
        , Str(utf8)
    { }
    TCellValue(const char *utf8)
        : TCellValue(std::string_view(utf8))
    { }
    TCellValue(const std::string &utf8)
        : TCellValue(std::string_view(utf8))
    { }
    TCellValue(std::u16string_view text);
    TCellValue(const std::u16string &text)
        : TCellValue(std::u16string_view(text))
    { }
    TCellValue(const char16_t *text)
        : TCellValue(std::u16string_view(text))
    { }
    TCellValue(const TAnsiText &text);

    TKind Kind() const { return Kind_; }
    bool IsEmpty() const { return Kind_ == TKind::Empty; }
    double Number() const { return Num; }
    const std::string &Text() const { return Str; }
    bool Boolean() const { return Flag; }
    std::uint8_t Error() const { return Code; }
    // The text, the number in the general form, TRUE/FALSE or the error's text.
    std::string AsText() const;

    friend bool operator==(const TCellValue &a, const TCellValue &b);

private:
    TKind Kind_ = TKind::Empty;
    double Num = 0;
    bool Flag = false;
    std::uint8_t Code = 0;
    std::string Str;
};

// "#DIV/0!" and the like for an error code; "#ERR" and the number for one TErrorCode lacks.
std::string ErrorText(std::uint8_t code);

} // namespace vartesk::xls
