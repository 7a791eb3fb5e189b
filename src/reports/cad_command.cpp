// ActCad and the preview: the frames around the line scheme.
#include "reports/cad_command.h"

#include "l10n/string_table.h"
#include "model/project.h"
#include "reports/line_scheme.h"
#include "reports/output_command.h"

namespace vartesk {

std::string SchemeProposedName(const std::filesystem::path &projectFile)
{
    const std::string name = projectFile.filename().string();
    return name.substr(0, name.find('.'));
}

std::filesystem::path SchemeTarget(const std::filesystem::path &chosen)
{
    // A folder (no file name at all) is left for the writer to refuse.
    if (chosen.has_extension() || !chosen.has_filename())
        return chosen;
    std::filesystem::path target = chosen;
    target += ".dxf";
    return target;
}

TCadOutcome RunCadCommand(TProject &project,
                          const TWiresList &catalog,
                          TUserPort &port,
                          const std::filesystem::path &projectFile,
                          const std::vector<TInputFile> &inputs)
{
    TOutputCommand command;
    command.Save = {LocalString("Cad_save_title"),
                    "CAD file(*.dxf)|*.dxf",
                    "dxf",
                    SchemeProposedName(projectFile),
                    {}};
    command.WaitText = LocalString("Port_to_Cad");
    command.Steps = SchemeSteps(project);
    command.TargetFor = SchemeTarget;
    command.Inputs = inputs;
    command.Inputs.push_back({projectFile, TInputFile::Project});
    TCadOutcome outcome;
    outcome.Written = RunOutputCommand(
        project, catalog, port, command, [&](const auto &target, TWaitScope &wait) {
            const TSchemeOutcome scheme
                = ExportScheme(project, catalog, target, port.Messages, &wait);
            outcome.Complete = scheme.Complete;
            return scheme.Written;
        });
    return outcome;
}

std::optional<TDrawing>
PreviewScheme(const TProject &project, const TWiresList &catalog, TUserPort &port)
{
    if (!OutputChecksPass(project, catalog, true, port.Messages))
        return std::nullopt;
    TProject copy;
    copy.Assign(project);
    TWaitScope wait(port.Wait, LocalString("Scheme_preview"), SchemeSteps(copy));
    TSchemeDrawing scheme = DrawScheme(copy, catalog, port.Messages, &wait);
    if (!scheme.Stopped.empty())
        port.Messages.Tell(TMessageKind::Warning,
                           scheme.Stopped + "; " + LocalString("Scheme_kept_in_preview") + ".");
    return std::move(scheme.Drawing);
}

} // namespace vartesk
