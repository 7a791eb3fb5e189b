// The DXF writer: group codes and values, one per line, every entity with its own groups.
#include "cad/acad_dxf.h"

#include "base/cp1251.h"
#include "base/file_io.h"
#include "base/rounding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <variant>

namespace vartesk {

namespace {

std::string Fixed(double value, int decimals)
{
    // The fixed form of the largest double has 309 digits before the point.
    char buffer[400];
    const auto r
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, r.ptr);
}

// A text's value as CAD shows the text itself. CAD reads "%%" and the character after it as a
// control code ("%%c" a diameter sign, "%%d" a degree sign, "%%u" underlining, "%%nnn" a
// character by number), and "%%%" as one percent sign: each percent sign of a run of two or
// more is written that way, while a single one, which starts no code, stays. A caret and the
// character after it are read as a control character ("^J" a line feed), so a caret is written
// "^ ". A control character would end the group early or be written out: it becomes a blank.
std::string TextValue(std::string_view text)
{
    const std::string bytes = Utf8ToCp1251(text);
    std::string value;
    value.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == '%') {
            const size_t end = std::min(bytes.find_first_not_of('%', i), bytes.size());
            const size_t run = end - i;
            value.append(run == 1 ? 1 : 3 * run, '%');
            i = end - 1;
        } else if (c == '^') {
            value += "^ ";
        } else {
            value += c < 0x20 || c == 0x7F ? ' ' : char(c);
        }
    }
    return value;
}

} // namespace

std::string DxfNumber(double value)
{
    // Halves are rounded away from zero, the way a person rounds a drawing's coordinates by
    // hand. to_chars rounds the exact binary value, with ties to even. A binary value lies
    // exactly half-way between two four-decimal numbers only when it is an odd multiple of
    // 1/32 (a fifth decimal 5 over a power of two); its fourth decimal is then 2 or 7, so
    // rounding it up by hand never carries.
    const double thirtySeconds = std::fabs(value) * 32;
    const bool half = std::isfinite(thirtySeconds)
        && ExactlyEqual(std::floor(thirtySeconds), thirtySeconds)
        && ExactlyEqual(std::fmod(thirtySeconds, 2.0), 1.0);
    std::string text;
    if (half) {
        text = Fixed(value, 5);
        text.pop_back(); // the 5
        ++text.back(); // away from zero: the sign is in front
    } else {
        text = Fixed(value, 4);
    }
    // A value that rounds to zero is "0.0", not "-0.0".
    if (text[0] == '-' && text.find_first_not_of("0.", 1) == std::string::npos)
        text.erase(0, 1);
    while (text.size() >= 3 && text.back() == '0' && text[text.size() - 2] != '.')
        text.pop_back();
    return text;
}

namespace {

// Group code and value, one line each.
class TDxfOut
{
public:
    explicit TDxfOut(const TDrawingStyle &style)
        : Style(style)
    { }

    void Group(int code, std::string_view value)
    {
        char buffer[16];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, code);
        Out.append(buffer, r.ptr);
        Out += "\r\n";
        Out += value;
        Out += "\r\n";
    }
    void Number(int code, double value) { Group(code, DxfNumber(value)); }
    // x under the code, y under code + 10; no z.
    void Point(int code, TDrawPoint p)
    {
        Number(code, p.X);
        Number(code + 10, p.Y);
    }
    void Entity(std::string_view name, TDrawColour colour)
    {
        Group(0, name);
        Group(8, Style.Layer); // 8: layer
        if (Style.LineType != "0")
            Group(6, Style.LineType); // 6: line type
        if (colour >= 0) {
            // 62: colour number, right-aligned in three characters
            const std::string digits = std::to_string(int(colour));
            Group(62, std::string(3 - digits.size(), ' ') + digits);
        }
    }

    void operator()(const TDrawLine &line)
    {
        Entity("LINE", line.Colour);
        Point(10, line.From); // 10, 20: start
        Point(11, line.To); // 11, 21: end
    }
    void operator()(const TDrawPolyline &polyline)
    {
        Entity("POLYLINE", polyline.Colour);
        Group(66, "1"); // 66: vertices follow
        if (polyline.Closed)
            Group(70, "1"); // 70: polyline flags, 1 = closed
        Number(40, polyline.Width); // 40, 41: starting and ending width
        Number(41, polyline.Width);
        for (const TDrawPoint p : polyline.Vertices) {
            Entity("VERTEX", polyline.Colour);
            Point(10, p);
        }
        Group(0, "SEQEND"); // carries no common groups
    }
    void operator()(const TDrawText &text)
    {
        Entity("TEXT", text.Colour);
        Group(1, TextValue(text.Text)); // 1: the text
        Group(7, Style.TextStyle); // 7: text style name
        Point(10, text.At); // 10, 20: insertion point
        Number(40, text.Height); // 40: height
        Number(41, Style.WidthFactor); // 41: relative width
        Number(50, Style.TextRotation); // 50: rotation
        Number(51, Style.ObliqueAngle); // 51: oblique angle
        Group(72, "0"); // 72: horizontal justification, 0 = left
    }

    std::string Out;

private:
    const TDrawingStyle &Style;
};

} // namespace

std::string DxfBytes(const TDrawing &drawing)
{
    TDxfOut out(drawing.Style());
    out.Group(0, "SECTION");
    out.Group(2, "ENTITIES"); // 2: section name
    for (const TDrawEntity &entity : drawing.Entities())
        std::visit(out, entity);
    out.Group(0, "ENDSEC");
    out.Group(0, "EOF");
    return std::move(out.Out);
}

void WriteDxf(const TDrawing &drawing, const std::filesystem::path &path)
{
    WriteFileAtomic(path, DxfBytes(drawing));
}

} // namespace vartesk
