// The options that pick one section and one conductor of a project: --section N (numbered
// from 1, as `info` lists them) and --conductor wire|cord.
#pragma once

#include "calc/calc_section.h"
#include "cli/command.h"

#include <optional>

namespace vartesk {
class TProject;
}

namespace vartesk::cli {

// The number of --section, if given; anything but a whole number from 1 on is a usage error.
std::optional<int> TakeSectionOption(TArgs &args);

// The 0-based index of section `number` of the project; a section the project does not
// have is an error that says how many it has.
int SectionIndex(const TProject &project, int number);

// --conductor wire|cord, the wire when not given.
TConductor TakeConductorOption(TArgs &args);

} // namespace vartesk::cli
