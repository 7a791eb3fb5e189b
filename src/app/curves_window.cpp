// The curves window's state.
#include "app/curves_window.h"

#include "base/file_io.h"
#include "base/text_format.h"
#include "catalog/wires_list.h"
#include "l10n/string_table.h"
#include "reports/report_messages.h"

#include <algorithm>

namespace vartesk {

void TFormCurves::Open(const TProject &project,
                       const TWiresList &catalog,
                       const std::filesystem::path &projectFile,
                       int section)
{
    Project.Assign(project);
    ProjectFile = projectFile;
    Inputs = {{projectFile, TInputFile::Project}};
    for (TInputFile &c : CatalogInputs(catalog))
        Inputs.push_back(std::move(c));
    Sections = CalcSagging(Project, catalog);
    Select(
        std::clamp(section, 0, std::max(0, int(Sections.size()) - 1)), ShownConductor, ShownKind);
}

std::string TFormCurves::Caption() const
{
    return LocalString("Curves");
}

std::vector<std::string> TFormCurves::SectionRows() const
{
    std::vector<std::string> rows;
    for (const TSaggingSection &s : Sections)
        rows.push_back(std::to_string(s.Index + 1) + ". " + s.Name);
    return rows;
}

void TFormCurves::Select(int section, TConductor conductor, TCurveKind kind)
{
    Shown = section;
    ShownConductor = conductor;
    ShownKind = kind;
    if (section < 0 || size_t(section) >= Sections.size()) {
        Result = {};
        Result.Error = LocalString("Curve_no_section");
        return;
    }
    Result = BuildCurvePlot(Project, Sections[size_t(section)], conductor, kind);
}

std::string TFormCurves::ProposedName(TCurveFile file) const
{
    const std::string stem = ProjectFile.empty() ? "curves" : ProjectFile.stem().string();
    return stem + "-" + std::to_string(Shown + 1) + "-"
        + (ShownConductor == TConductor::Wire ? "wire" : "cord") + "-"
        + (ShownKind == TCurveKind::Sag ? "sag" : "tension")
        + (file == TCurveFile::Svg ? ".svg" : ".png");
}

std::optional<std::filesystem::path> TFormCurves::Export(TCurveFile file,
                                                         TMessages &messages,
                                                         TFileChooser &files,
                                                         const TCurveRasteriser &png)
{
    if (Result.Error) {
        messages.Tell(TMessageKind::Error, *Result.Error);
        return std::nullopt;
    }
    const bool svg = file == TCurveFile::Svg;
    TSaveRequest request;
    request.Title = LocalString(svg ? "Curve_export_svg_title" : "Curve_export_png_title");
    request.Filter = svg ? "*.svg|*.svg" : "*.png|*.png";
    request.DefaultExtension = svg ? "svg" : "png";
    request.InitialName = ProposedName(file);
    if (!ProjectFile.empty())
        request.InitialFolder = ProjectFile.parent_path();
    const auto target = files.ChooseSave(request);
    if (!target || !TargetIsFree(*target, Inputs, messages))
        return std::nullopt;
    try {
        if (svg)
            WriteCurveSvg(*target, Result.Plot);
        else
            WriteCurvePng(*target, Result.Plot, png);
    } catch (const std::exception &e) {
        messages.Tell(TMessageKind::Error, CannotWrite(*target, e));
        return std::nullopt;
    }
    return target;
}

} // namespace vartesk
