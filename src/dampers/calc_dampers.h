// CalcDampers: the dampers of every span of one conductor of one strain section.
#pragma once

#include "calc/calc_section.h"
#include "calc/temperature_grid.h"

#include <functional>
#include <optional>
#include <string>

namespace vartesk {

class TProject;

// The tension at temperature t from the grid, interpolated linearly between neighbouring
// grid temperatures; nullopt outside -40..+40 C, where the grid says nothing.
std::optional<double> DesignTension(const TGrid &tension, double t);

using TDamperMessage = std::function<void(TCalcMessageKind, const std::string &)>;

// Fills the damper record of the conductor of `result` (the project's SpanDataProvod or
// SpanDataTros, cleared by the caller) from the spans and grid of that call: appends its spans
// and overwrites the other fields. Inputs it cannot place dampers for are said through `say`.
void CalcDampers(TProject &project, const TCalcResult &result, const TDamperMessage &say = {});

// The hook that runs CalcDampers in the damper mode of the section calculation.
std::function<void(TProject &, const TCalcResult &)> DampersHook(TDamperMessage say);

} // namespace vartesk
