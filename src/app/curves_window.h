// The curves window's state: the project as it was when the window opened, calculated once;
// which section, conductor and kind of curve it shows; and the export of that plot.
#pragma once

#include "app/curve_svg.h"
#include "calc/sagging_grid.h"
#include "model/project.h"
#include "port/user_port.h"
#include "reports/output_command.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vartesk {

class TWiresList;

class TFormCurves
{
public:
    // Calculates every section of a copy of the project, so that edits made while the window
    // is open change nothing in it; `projectFile` (empty for an unnamed project) names the
    // exports and is never written. Shows section `section` (0-based; clamped).
    void Open(const TProject &project,
              const TWiresList &catalog,
              const std::filesystem::path &projectFile,
              int section);

    // The window's texts in the current language.
    std::string Caption() const;
    std::vector<std::string> SectionRows() const; // "1. name"

    int Section() const { return Shown; }
    TConductor Conductor() const { return ShownConductor; }
    TCurveKind Kind() const { return ShownKind; }
    // Shows another choice; a section outside the project shows nothing.
    void Select(int section, TConductor conductor, TCurveKind kind);
    // The plot of the choice, or why there is none.
    const TCurveResult &Current() const { return Result; }

    // "demo-1-wire-sag.svg": the project's name (or "curves"), the section's number, the
    // conductor and the kind.
    std::string ProposedName(TCurveFile file) const;
    // Asks for the target and writes the plot there: PNG through `rasteriser`. A target that
    // is the project or a catalog is refused, a failed write told; the file written, if any.
    std::optional<std::filesystem::path>
    Export(TCurveFile file, TMessages &messages, TFileChooser &files, const TCurveRasteriser &png);

private:
    TProject Project;
    std::filesystem::path ProjectFile;
    std::vector<TInputFile> Inputs; // what an export must leave alone
    std::vector<TSaggingSection> Sections;
    int Shown = 0;
    TConductor ShownConductor = TConductor::Wire;
    TCurveKind ShownKind = TCurveKind::Sag;
    TCurveResult Result;
};

} // namespace vartesk
