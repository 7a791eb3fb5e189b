// TDrawing: a drawing as a list of entities (lines, polylines, texts), made once and then
// written as DXF or painted on the screen, so that the file and the preview cannot differ.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vartesk {

// Drawing units, x to the right, y upwards.
struct TDrawPoint
{
    float X = 0;
    float Y = 0;
};

// What every entity carries besides its own fields. Set once when the drawing is made; the
// program always uses the defaults.
struct TDrawingStyle
{
    TDrawPoint Origin; // added to every point as it is recorded
    std::string Layer = "0";
    std::string LineType = "CONTINUOUS"; // "0": none named
    std::string TextStyle = "STANDARD";
    double TextRotation = 0; // degrees, counter-clockwise
    double ObliqueAngle = 0; // degrees, slanting to the right
    double WidthFactor = 1.0;
};

// A colour number of the CAD palette (7: black on white, white on black); negative: none,
// the layer's.
using TDrawColour = std::int8_t;

struct TDrawLine
{
    TDrawPoint From;
    TDrawPoint To;
    TDrawColour Colour = -1;
};

struct TDrawPolyline
{
    std::vector<TDrawPoint> Vertices;
    bool Closed = false; // a segment back from the last vertex to the first
    double Width = 0; // drawing units; 0: the thinnest line
    TDrawColour Colour = -1;
};

// A single-line text, left-aligned on its baseline at `At`; UTF-8, shown as given.
struct TDrawText
{
    std::string Text;
    TDrawPoint At;
    double Height = 2.5; // of a capital letter, drawing units
    TDrawColour Colour = -1;
};

using TDrawEntity = std::variant<TDrawLine, TDrawPolyline, TDrawText>;

// Recorded the way a CAD writer is fed: the colour and the text height stay in force from
// one call to the next, and each entity keeps the values in force when it was recorded.
class TDrawing
{
public:
    explicit TDrawing(TDrawingStyle style = {});

    // The colour of every later entity; negative: none.
    void SetColor(TDrawColour colour);
    // Sets the colour to `colour` (it stays) and draws a line.
    void Line(TDrawPoint from, TDrawPoint to, TDrawColour colour);
    // Sets the text height to `height` (it stays) and writes a text at `at`.
    void Text(std::string_view text, TDrawPoint at, double height);
    void Polyline(std::vector<TDrawPoint> vertices, bool closed, double width);

    const TDrawingStyle &Style() const { return DrawingStyle; }
    const std::vector<TDrawEntity> &Entities() const { return List; }

private:
    TDrawPoint Placed(TDrawPoint p) const;

    TDrawingStyle DrawingStyle;
    TDrawColour Colour = -1;
    double TextHeight = 2.5;
    std::vector<TDrawEntity> List;
};

} // namespace vartesk
