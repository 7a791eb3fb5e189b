// Every strain section of one conductor of a section, calculated in one go: what vartesk calc
// prints and the desktop's results panel shows, from the same calls.
#pragma once

#include "calc/calc_section.h"

#include <functional>
#include <string>
#include <vector>

namespace vartesk {

class TProject;
class TWiresList;

// One call of the calculation with the label of its supports, known even when the call
// ended before it set its own.
struct TStrainSectionRun
{
    std::string Label;
    TCalcResult Result;
};

struct TConductorRun
{
    std::string Type; // the section's Provod or Tros
    std::vector<TStrainSectionRun> StrainSections;
};

// A message of one call, with the label of its strain section.
using TRunMessage
    = std::function<void(const std::string &label, TCalcMessageKind, const std::string &)>;

// The strain sections of `conductor` in section `section` (0-based) by that conductor's rule,
// each through CalcSection in the loads mode: it computes all that the stringing-table modes
// compute and the three anchor load cases on top, so one call serves every use.
TConductorRun CalcConductorRun(TProject &project,
                               const TWiresList &catalog,
                               int section,
                               TConductor conductor,
                               const TRunMessage &say = {});

} // namespace vartesk
