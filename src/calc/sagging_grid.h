// The figures of the field sagging sheet: for every strain section of every conductor the
// tension, and for every span the sag and the stopwatch time of three return waves, at
// -40..+40 C in steps of 5 C.
#pragma once

#include "calc/calc_section.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vartesk {

class TProject;
class TWiresList;

inline constexpr int kSagGridSize = 17;
inline constexpr std::array<double, kSagGridSize> kSagTemperatures
    = {-40, -35, -30, -25, -20, -15, -10, -5, 0, 5, 10, 15, 20, 25, 30, 35, 40};
using TSagGrid = std::array<double, kSagGridSize>;

// Standard gravity, m/s2.
inline constexpr double kGravity = 9.80665;

// The time, s, a crew measures from striking the conductor until the third wave comes back:
// one return wave takes sqrt(32 f / g) in a span of sag f.
double ThreeWaveTime(double sag);

struct TSaggingSpan
{
    std::string From, To; // Nomer of the span's supports
    double Length = 0; // m
    bool Attested = false; // the stringing tables give its sags
    TSagGrid Sag {}; // m
    TSagGrid WaveTime3 {}; // s
};

struct TSaggingStrainSection
{
    int First = 0, Last = 0; // 1-based support positions
    std::string Label; // "12-17"
    double RulingSpan = 0; // m
    TGoverningState State = TGoverningState::None;
    bool UsesStrings = false; // insulator strings: each span finds its own state
    TSagGrid Tension {}; // daN, over-tensioning included, as the stringing tables give it
    // The permissible tensions of the conductor, daN: the maximum and the one at the average
    // annual temperature.
    double TensionMax = 0, TensionAvg = 0;
    std::vector<TSaggingSpan> Spans;
    std::optional<std::string> Error; // set instead of figures
};

struct TSaggingConductor
{
    std::string Type;
    bool Carried = false; // the section carries it
    std::vector<TSaggingStrainSection> StrainSections;
    // Set instead of strain sections: the section does not carry the conductor, its type
    // cannot be calculated, or it has no strain section.
    std::optional<std::string> Error;
};

struct TSaggingSection
{
    int Index = 0; // 0-based
    std::string Name;
    TSaggingConductor Wire, Cord;
};

// A message of the calculation with the call it comes from.
using TSaggingMessage = std::function<void(
    int section, TConductor, const std::string &label, TCalcMessageKind, const std::string &)>;

// Section `section` (0-based) through the section calculation, wire then cord. At the nine
// temperatures of the stringing tables the figures are the calculation's own; between them
// the same change-of-state equation is solved from the same governing state.
TSaggingSection CalcSectionSagging(TProject &project,
                                   const TWiresList &catalog,
                                   int section,
                                   const TSaggingMessage &say = {});

// Every section of the project.
std::vector<TSaggingSection>
CalcSagging(TProject &project, const TWiresList &catalog, const TSaggingMessage &say = {});

// Beyond this ratio of sag to span the parabolic approximation of the calculation is coarse.
inline constexpr double kMaxSagRatio = 0.05;

// One warning, in the current language, for every span whose sag at +40 C exceeds
// kMaxSagRatio of its length, naming section, conductor and span. Calculates every strain
// section of every conductor the sections carry; the calculation's own messages are not
// repeated here.
std::vector<std::string> SagWarnings(TProject &project, const TWiresList &catalog);

} // namespace vartesk
