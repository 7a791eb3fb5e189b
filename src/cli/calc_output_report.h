// The results of vartesk calc for a whole project, and the three forms it prints them in.
#pragma once

#include "calc/calc_section.h"
#include "calc/conductor_runs.h"
#include "dampers/calc_dampers.h"

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vartesk {
class TProject;
class TWiresList;
} // namespace vartesk

namespace vartesk::cli {

struct TDamperSpan
{
    std::string Name; // span label, "1-2"
    double Length = 0; // m
    std::array<int, 4> Counts {};
    bool HasDampers = false;
};

// The damper choice for one conductor of one damper-report strain section.
struct TDamperConductor
{
    bool Calculated = false;
    double TensionAvg = 0; // daN
    bool Dielectric = false;
    std::array<double, 4> Distances {};
    std::array<std::string, 4> Types {};
    std::vector<TDamperSpan> Spans;
};

struct TDamperStrainSection
{
    int First = 0; // m
    int Last = 0; // o
    std::optional<TDamperConductor> Wire; // set when the section asks for the wire's dampers
    std::optional<TDamperConductor> Cord;
};

struct TSectionRun
{
    int Index = 0; // 0-based
    std::string Name;
    std::optional<TConductorRun> Wire; // set when the section carries it
    std::optional<TConductorRun> Cord;
    std::vector<TDamperStrainSection> Dampers; // empty unless the section asks for dampers
};

struct TCalcReport
{
    std::vector<std::string> Warnings; // the plausibility warnings of the project
    std::vector<TSectionRun> Sections;
};

// The damper report's strain sections of section `section` with the two damper records as
// the report reads them; empty unless the section asks for dampers.
std::vector<TDamperStrainSection> CalculatedDampers(TProject &project,
                                                    const TWiresList &catalog,
                                                    int section,
                                                    const TDamperMessage &say);

// One JSON document in internal units (daN, daN/mm2, m, mm), whatever the unit system.
void WriteCalcJson(std::ostream &out, const TCalcReport &report);
// Stringing tables for reading, in the language and unit system of the run.
void WriteCalcText(std::ostream &out, const TCalcReport &report);
// One row per span: labels, length, attestation, nine sags and nine tensions; tensions in
// the unit system of the run, named in the header.
void WriteCalcCsv(std::ostream &out, const TCalcReport &report);

// A message of the calculation on one line: the boxes break their lines with CR LF.
std::string OneLine(const std::string &text);

} // namespace vartesk::cli
