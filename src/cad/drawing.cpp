// The drawing's entity list. Entities are built in their place in the list: moving a finished
// one in makes GCC 12 warn of fields left uninitialised, which they are not.
#include "cad/drawing.h"

#include <utility>

namespace vartesk {

TDrawing::TDrawing(TDrawingStyle style)
    : DrawingStyle(std::move(style))
{ }

void TDrawing::SetColor(TDrawColour colour)
{
    Colour = colour;
}

void TDrawing::Line(TDrawPoint from, TDrawPoint to, TDrawColour colour)
{
    Colour = colour;
    List.emplace_back(std::in_place_type<TDrawLine>, Placed(from), Placed(to), Colour);
}

void TDrawing::Text(std::string_view text, TDrawPoint at, double height)
{
    TextHeight = height;
    List.emplace_back(
        std::in_place_type<TDrawText>, std::string(text), Placed(at), TextHeight, Colour);
}

void TDrawing::Polyline(std::vector<TDrawPoint> vertices, bool closed, double width)
{
    for (TDrawPoint &p : vertices)
        p = Placed(p);
    List.emplace_back(
        std::in_place_type<TDrawPolyline>, std::move(vertices), closed, width, Colour);
}

TDrawPoint TDrawing::Placed(TDrawPoint p) const
{
    // In single precision, as a CAD writer adds its origin.
    return {DrawingStyle.Origin.X + p.X, DrawingStyle.Origin.Y + p.Y};
}

} // namespace vartesk
