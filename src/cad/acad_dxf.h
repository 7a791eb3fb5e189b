// TAcadDxf: an ASCII DXF drawing of one ENTITIES section (lines, polylines, texts).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace vartesk {

struct TDxfPoint
{
    float X = 0;
    float Y = 0;
};

// What every entity carries itself: the file has no header, tables or blocks. Set once when
// the writer is made; the program always uses the defaults.
struct TDxfStyle
{
    TDxfPoint Origin; // added to every point written
    std::string Layer = "0";
    std::string LineType = "CONTINUOUS"; // "0": no line-type group
    std::string TextStyle = "STANDARD";
    double TextRotation = 0; // degrees
    double ObliqueAngle = 0; // degrees
    double WidthFactor = 1.0;
};

// A number as the drawing writes it: four decimals, then trailing zeros dropped down to one
// ("3.0", "-17.0", "12.5", "1.2346"); "." always, whatever the locale.
std::string DxfNumber(double value);

// The drawing is built in memory and written whole by Close, so a failed export never leaves
// half a file over an earlier one. Texts are UTF-8 here and Windows-1251 in the file.
class TAcadDxf
{
public:
    explicit TAcadDxf(TDxfStyle style = {});

    // Starts the drawing that Close writes to `path`.
    void Open(const std::filesystem::path &path);
    // Ends the section and the file and writes it; raises EFileError when it cannot be written.
    void Close();

    // The colour of every later entity; a negative colour writes none.
    void SetColor(std::int8_t colour);
    // Sets the colour to `colour` (it stays) and draws a line.
    void Line(TDxfPoint from, TDxfPoint to, std::int8_t colour);
    // Sets the text height to `height` (it stays) and writes a left-aligned text at `at`, so
    // that CAD shows it as given: "%%c" stays three characters, a control character becomes
    // a blank.
    void Text(std::string_view text, TDxfPoint at, double height);
    void PolylineBegin(bool closed, double width);
    void Vertex(float x, float y);
    void PolylineEnd();

    // The file's bytes so far (the whole file after Close).
    const std::string &Bytes() const { return Out; }

private:
    void Group(int code, std::string_view value);
    void Number(int code, double value);
    void Point(int code, TDxfPoint p);
    void Entity(std::string_view name);

    TDxfStyle Style;
    std::int8_t Colour = -1;
    double TextHeight = 2.5;
    std::filesystem::path Path;
    std::string Out;
};

} // namespace vartesk
