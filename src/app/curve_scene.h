// The picture of a curve plot as a list of lines, shapes and texts in pixels, laid out once
// for every way of drawing it: the SVG file, the desktop's widget and the PNG image all draw
// the same scene, so that they show the same picture.
#pragma once

#include "app/curve_plot.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace vartesk {

struct TScenePoint
{
    double X = 0, Y = 0;
};

struct TSceneStroke
{
    std::uint32_t Color = 0; // 0xRRGGBB
    double Width = 1;
    std::vector<double> Dash; // dash and gap lengths, px; empty: solid
};

struct TSceneRect
{
    double X = 0, Y = 0, W = 0, H = 0;
    std::optional<std::uint32_t> Fill;
    std::optional<TSceneStroke> Stroke;
};

struct TSceneLine
{
    TScenePoint A, B;
    TSceneStroke Stroke;
};

// A curve of the plot; Series is its index there.
struct TScenePolyline
{
    std::vector<TScenePoint> Points;
    TSceneStroke Stroke;
    size_t Series = 0;
    std::string Name;
};

// A point of a curve, with the text a pointer over it shows.
struct TSceneMarker
{
    TScenePoint At;
    double Radius = 2;
    std::uint32_t Color = 0;
    std::string Tip;
};

enum class TTextAnchor { Start, Middle, End };

struct TSceneText
{
    TScenePoint At; // the baseline's point of the anchor
    std::string Text;
    double Size = 12; // px
    bool Bold = false;
    TTextAnchor Anchor = TTextAnchor::Start;
    bool Vertical = false; // turned a quarter counter-clockwise about At
    std::uint32_t Color = 0;
};

using TSceneItem = std::variant<TSceneRect, TSceneLine, TScenePolyline, TSceneMarker, TSceneText>;

struct TCurveScene
{
    double Width = 0, Height = 0;
    // The plot area in pixels and the values at its edges.
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
    double XMin = 0, XMax = 1, YMin = 0, YMax = 1;
    std::vector<TSceneItem> Items; // in drawing order

    TScenePoint ToScene(double x, double y) const;
};

// The width in pixels of a text in the sans-serif face at `size` px.
using TTextWidth = std::function<double(const std::string &text, double size, bool bold)>;

// An estimate for a writer that cannot measure (SVG): the face's average advance.
double EstimatedTextWidth(const std::string &text, double size, bool bold);

// The font family every drawing asks for, with what may stand in for it.
inline constexpr const char *kCurveFontFamily = "DejaVu Sans";

inline constexpr double kCurveWidth = 960, kCurveHeight = 600;

// Lays the plot out on a canvas of width x height pixels: titles, the plot area with its grid,
// ticks and axis labels, the marks, the curves with their points, the legend below the plot
// and the notes below the legend.
TCurveScene LayoutCurvePlot(const TCurvePlot &plot,
                            double width,
                            double height,
                            const TTextWidth &measure = EstimatedTextWidth);

struct TScenePick
{
    size_t Series = 0, Point = 0;
};

// The point of a curve nearest to `at`, when one lies within maxDistance pixels.
std::optional<TScenePick>
NearestPoint(const TCurveScene &scene, const TCurvePlot &plot, TScenePoint at, double maxDistance);

} // namespace vartesk
