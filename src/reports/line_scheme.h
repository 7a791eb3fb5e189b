// The per-support scheme of the whole line: a DXF drawing for a CAD program.
#pragma once

#include "cad/drawing.h"
#include "port/user_port.h"

#include <filesystem>
#include <string>

namespace vartesk {

class TProject;
class TWiresList;

struct TSchemeOutcome
{
    bool Written = false; // the file was written
    bool Complete = false; // and holds the whole scheme
};

struct TSchemeDrawing
{
    TDrawing Drawing;
    bool Complete = false; // the whole scheme: no strain section left out, not stopped
    // Where and why the drawing stopped early ("The drawing stopped at the section ...: why"),
    // for the caller to tell with what it shows of it; empty when it did not.
    std::string Stopped;
};

// Calculates every strain section in CAD mode (the wire of each section that carries one, then
// the cord), which writes the sag and tension tables, then draws the sections with their
// supports, the frame, the table lines and the legend, in the language and unit system of the
// run. Leaves the span of every section's last support at 0 in the project. The
// calculation's boxes go to `messages`. An error while calculating or drawing ends the
// drawing there, which then holds what was drawn until then. The wait window steps once per section
// in each of the three passes. The DXF file and the preview on the screen are both made from this
// drawing.
TSchemeDrawing DrawScheme(TProject &project,
                          const TWiresList &catalog,
                          TMessages &messages,
                          TWaitScope *wait = nullptr);

// DrawScheme written as a DXF file at `path` in one go; a drawing that stopped early is a
// warning that says where and why, and the file holds what was drawn. A file that cannot be
// written is an error box.
TSchemeOutcome ExportScheme(TProject &project,
                            const TWiresList &catalog,
                            const std::filesystem::path &path,
                            TMessages &messages,
                            TWaitScope *wait = nullptr);

// The steps DrawScheme makes for the project.
int SchemeSteps(const TProject &project);

} // namespace vartesk
