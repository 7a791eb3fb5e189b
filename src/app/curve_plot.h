// Curves of one conductor of one section against the air temperature: the sag of every
// attested span, or the tension of every strain section, with the permissible tensions and
// the governing states marked. A description in numbers and texts; the picture is drawn
// from it by the scene (curve_scene.h).
#pragma once

#include "calc/calc_section.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vartesk {

class TProject;
class TWiresList;
struct TSaggingSection;

enum class TCurveKind {
    Sag,
    Tension,
};

// An axis from Min to Max with a tick every Step, in the display unit.
struct TPlotAxis
{
    std::string Label; // "Sag"
    std::string Unit; // "m"
    double Min = 0, Max = 1, Step = 1;
    int Decimals = 0; // of the tick labels
};

enum class TLineStyle { Solid, Dashed, Dotted, DashDot };

struct TPlotSeries
{
    std::string Name;
    std::vector<double> X, Y; // as many of each
    std::uint32_t Color = 0; // 0xRRGGBB
    TLineStyle Style = TLineStyle::Solid; // dashed in a second round of the palette
};

// A straight line across the plot: a value (horizontal) or a temperature (vertical).
struct TPlotMark
{
    enum TKind {
        Permissible, // horizontal, at a permissible value
        Governing, // vertical, at the temperature of a governing state
    };
    TKind Kind = Permissible;
    double Value = 0;
    std::string Label;
    std::uint32_t Color = 0;
    TLineStyle Style = TLineStyle::Solid;
};

struct TCurvePlot
{
    std::string Title;
    std::string Subtitle; // lines broken by "\n"
    TPlotAxis X, Y;
    int ValueDecimals = 2; // of a point's value as the tables show it
    std::vector<TPlotSeries> Series;
    std::vector<TPlotMark> Marks;
    std::vector<std::string> Notes; // what is left out, and why
};

// The plot, or why there is none.
struct TCurveResult
{
    TCurvePlot Plot;
    std::optional<std::string> Error;
};

// The curves of `conductor` of the calculated section, in the current language and unit
// system, from the sagging grid's own numbers. The project gives the temperatures of the
// governing states.
TCurveResult BuildCurvePlot(const TProject &project,
                            const TSaggingSection &section,
                            TConductor conductor,
                            TCurveKind kind);

// Calculates section `section` (0-based) of a copy of the project and builds its curves;
// the calculation's messages end up in the plot's notes or its error.
TCurveResult CalcCurvePlot(const TProject &project,
                           const TWiresList &catalog,
                           int section,
                           TConductor conductor,
                           TCurveKind kind);

// An axis over lo..hi ending on ticks of 1, 2, 2.5 or 5 times a power of ten, at most
// `maxTicks` intervals.
TPlotAxis NiceAxis(double lo, double hi, int maxTicks);

// "2.50", "0.00", "−1.25": a value of a scale with `decimals` digits, with a true minus sign.
std::string ScaleText(double value, int decimals);
// "+10", "0", "−5.5": a temperature with its sign, without trailing zeros.
std::string SignedText(double value, int decimals);

// The hover text of point `point` of series `series`: its name, the temperature and the value.
std::string CurvePointText(const TCurvePlot &plot, size_t series, size_t point);

} // namespace vartesk
