// CalcSection: one conductor of one strain section, from the catalog to the stringing grids.
#pragma once

#include "calc/strain_sections.h"
#include "calc/temperature_grid.h"
#include "mechanics/climatic_loads.h"
#include "mechanics/critical_spans.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vartesk {

class TProject;
class TWiresList;

// What the report asking for the calculation makes of it.
// The numbers are those the reports have always passed; they name nothing else.
enum class TCalcMode {
    Form1 = 1, // stringing tables, form 1, -30..+40 C
    Form2 = 2, // stringing tables, form 2, -30..+30 C
    Dampers = 4, // vibration dampers
    Form1Full = 5, // stringing tables, form 1, -40..+40 C
    Journal = 6, // support journal: work fields only
    Loads = 7, // loads on anchor supports
    Cad = 10, // per-support line scheme
};

enum class TConductor {
    Wire = 0,
    Cord = 1,
};

struct TSpanResult
{
    int Support = 0; // 1-based position of the span's first support
    std::string From; // Nomer of the first support
    std::string To; // Nomer of the next one
    double Length = 0; // l, m
    bool Attested = false;
    TGrid Stress {}; // daN/mm2; zero with insulator strings
    TGrid Sag {}; // m
    TGrid Tension {}; // daN, over-tensioning included
};

// One of the three load cases of the anchor-support loads.
struct TLoadCase
{
    double Temperature = 0; // C
    double IceShown = 0; // mm
    double WindShown = 0; // m/s, rounded
    double Stress = 0; // sigma of the ruling span, daN/mm2
    double Tension = 0; // sigma * F, daN (no over-tensioning)
};

enum class TCalcMessageKind {
    Error, // error box, OK
    Warning, // warning box, OK
};

// The result of one call, as far as the call got. Values computed before a failure keep
// their values; the rest stay zero or empty.
struct TCalcResult
{
    int Section = 0;
    TConductor Conductor = TConductor::Wire;
    int First = 0; // m
    int Last = 0; // o
    std::string Type;
    bool TypeFound = false;
    double Diameter = 0, Area = 0, Weight = 0, Modulus = 0, ThermalCoef = 0;
    double TensionFactor = 1; // k+
    double SagFactor = 1; // k-
    double Ice = 0; // effective ice wall, mm
    double StressMax = 0; // sigma max, daN/mm2
    double StressAvg = 0; // sigma avg, daN/mm2
    double TensionMax = 0; // the limits as tensions, daN
    double TensionAvg = 0;
    double Length = 0; // S1, m
    double RulingSpan = 0; // lr, m
    TLoads Loads;
    std::optional<TCriticalSpans> Critical; // set once computed
    TGoverningState State = TGoverningState::None;
    bool UsesStrings = false; // the wire with insulator strings: spans do not use State
    std::string Label; // AnchorLabel
    std::vector<TSpanResult> Spans; // every span the calculation reached
    TGrid Tension {}; // GridTension after the call
    std::array<TLoadCase, 3> LoadCases {}; // mode 7 only
    std::optional<std::string> Error; // the message that ended the call
    std::vector<std::string> Messages; // every message of the call, in order
};

// Where each report plugs its output in; every hook may be empty. The hooks are called at
// the steps of the calculation they belong to, so a report writes exactly what and when the
// calculation lets it. A conductor the section does not carry and the catalog does not hold
// gets only its lines: SpanLine and AnchorLine with TypeFound false and empty grids.
struct TCalcHooks
{
    // A box for the user (the desktop shows it, the command line prints it).
    std::function<void(TCalcMessageKind, const std::string &)> Message;
    // Before the calculation proper: catalog data and the limits are known.
    std::function<void(TProject &, const TCalcResult &)> Header;
    // An attested span, once its grids are computed.
    std::function<void(TProject &, const TCalcResult &, const TSpanResult &)> SpanLine;
    // Damper mode, after all spans.
    std::function<void(TProject &, const TCalcResult &)> Dampers;
    // Loads mode, once the load cases are computed.
    std::function<void(TProject &, const TCalcResult &)> LoadCases;
    // Last: the strain section's own line.
    std::function<void(TProject &, const TCalcResult &)> AnchorLine;
};

// Calculates one conductor of section `section` (0-based) over the supports of `supports`
// (1-based, First < Last), in report mode `mode`. Writes the project's work fields and those of the
// section and its supports, and calls the hooks. Problems end the call with a message
// (through hooks.Message and in the result), never with an exception.
TCalcResult CalcSection(TProject &project,
                        const TWiresList &catalog,
                        TCalcMode mode,
                        int section,
                        TConductor conductor,
                        TStrainSection supports,
                        const TCalcHooks &hooks = {});

} // namespace vartesk
