// The per-support scheme of the whole line: a DXF drawing for a CAD program.
#pragma once

#include "port/user_port.h"

#include <filesystem>

namespace vartesk {

class TProject;
class TWiresList;

struct TSchemeOutcome
{
    bool Written = false; // the file was written
    bool Complete = false; // and holds the whole scheme
};

// Calculates every strain section in CAD mode (the wire of each section that carries one, then
// the cord), which writes the sag and tension tables, then draws the sections with their
// supports, the frame, the table lines and the legend, in the language and unit system of the
// run, and writes the file at `path` in one go. Leaves the span of every section's last
// support at 0 in the project. The calculation's boxes go to `messages`. An error while
// calculating or drawing ends the drawing there and says where (section, strain section) and
// why; the file, still properly ended, holds what was drawn. A file that cannot be written is
// an error box. The wait window steps once per section in each of the three passes.
TSchemeOutcome ExportScheme(TProject &project,
                            const TWiresList &catalog,
                            const std::filesystem::path &path,
                            TMessages &messages,
                            TWaitScope *wait = nullptr);

// The steps ExportScheme makes for the project.
int SchemeSteps(const TProject &project);

} // namespace vartesk
