// Every output into one folder.
#include "reports/all_outputs.h"

#include "base/text_format.h"
#include "l10n/string_table.h"
#include "model/project.h"
#include "reports/cad_command.h"
#include "reports/damper_report.h"
#include "reports/journal_report.h"
#include "reports/line_scheme.h"
#include "reports/sagging_report.h"
#include "reports/stringing_report.h"

#include <algorithm>
#include <system_error>

namespace vartesk {

namespace {

template<TStringingReport Kind>
TReportOutcome Stringing(TProject &project,
                         const TWiresList &catalog,
                         const std::filesystem::path &forms,
                         const std::filesystem::path &target,
                         TMessages &messages,
                         TWaitScope *wait)
{
    return WriteStringingReport(Kind, project, catalog, forms, target, messages, wait);
}

// clang-format off
constexpr TWorkbookOutput kWorkbooks[] = {
    {"mount1",  Stringing<TStringingReport::Form1>,     2, false},
    {"mount2",  Stringing<TStringingReport::Form1Full>, 2, false},
    {"mount3",  Stringing<TStringingReport::Form2>,     2, false},
    {"loads",   Stringing<TStringingReport::Loads>,     2, false},
    {"journal", WriteJournal,                           1, false},
    {"dampers", WriteDamperReport,                      1, true},
    {"sagging", WriteSaggingReport,                     1, false},
};
// clang-format on

// Each output in the folder: its file and how it is written.
struct TPlanned
{
    std::string File;
    std::function<TReportOutcome(TProject &, const std::filesystem::path &, TWaitScope &)> Write;
};

} // namespace

std::span<const TWorkbookOutput> WorkbookOutputs()
{
    return kWorkbooks;
}

const TWorkbookOutput *FindWorkbookOutput(std::string_view name)
{
    for (const TWorkbookOutput &w : kWorkbooks)
        if (name == w.Name)
            return &w;
    return nullptr;
}

std::string OutputsBaseName(const std::filesystem::path &projectFile)
{
    const std::string base = SchemeProposedName(projectFile);
    return base.empty() ? "project" : base;
}

int TAllOutputsOutcome::WrittenCount() const
{
    return int(std::count_if(
        Outputs.begin(), Outputs.end(), [](const TOutputResult &o) { return o.Written; }));
}

bool TAllOutputsOutcome::Complete() const
{
    return std::all_of(Outputs.begin(), Outputs.end(), [](const TOutputResult &o) {
        return o.Written && o.Complete;
    });
}

std::optional<TAllOutputsOutcome> WriteAllOutputs(const TProject &project,
                                                  const TWiresList &catalog,
                                                  TUserPort &port,
                                                  const TAllOutputsCommand &command)
{
    if (!OutputChecksPass(project, catalog, true, port.Messages))
        return std::nullopt;
    const auto folder = port.Files.ChooseFolder(command.Folder);
    if (!folder)
        return std::nullopt;
    std::error_code ec;
    if (!std::filesystem::is_directory(*folder, ec)) {
        port.Messages.Tell(TMessageKind::Error,
                           FormatText(LocalString("Folder_missing"), {folder->string()}));
        return std::nullopt;
    }

    std::vector<TPlanned> planned;
    int steps = 0;
    for (const TWorkbookOutput &w : kWorkbooks) {
        if (w.IsDampers && !project.VMData.IsVibroMuffles)
            continue;
        planned.push_back({command.BaseName + "-" + w.Name + ".xls",
                           [&](TProject &p, const auto &target, TWaitScope &wait) {
                               return w.Write(
                                   p, catalog, command.Forms, target, port.Messages, &wait);
                           }});
        steps += w.StepsPerSection * project.Parcels.Count();
    }
    planned.push_back(
        {command.BaseName + ".dxf", [&](TProject &p, const auto &target, TWaitScope &wait) {
             const TSchemeOutcome scheme = ExportScheme(p, catalog, target, port.Messages, &wait);
             return TReportOutcome {scheme.Written, scheme.Complete};
         }});
    steps += SchemeSteps(project);

    std::vector<TInputFile> inputs = command.Inputs;
    for (TInputFile &c : CatalogInputs(catalog))
        inputs.push_back(std::move(c));
    TAllOutputsOutcome outcome;
    outcome.Folder = *folder;
    TWaitScope wait(port.Wait, LocalString("Port_to_Excel"), steps);
    for (const TPlanned &o : planned) {
        TProject copy;
        copy.Assign(project);
        const auto target = *folder / o.File;
        // A project named like an output ("demo.dxf") stays the project.
        const TReportOutcome written = TargetIsFree(target, inputs, port.Messages)
            ? o.Write(copy, target, wait)
            : TReportOutcome {};
        outcome.Outputs.push_back({o.File, written.Written, written.Complete});
        if (written.Written && command.OnWritten)
            command.OnWritten(target);
    }
    return outcome;
}

std::string AllOutputsSummary(const TAllOutputsOutcome &outcome)
{
    std::string written, incomplete, failed;
    for (const TOutputResult &o : outcome.Outputs) {
        std::string &list = !o.Written ? failed : o.Complete ? written : incomplete;
        list += "\r\n• " + o.File;
    }
    std::string text = FormatText(LocalString("All_folder"), {outcome.Folder.string()});
    for (const auto &[key, list] : {std::pair {"All_written", &written},
                                    std::pair {"All_incomplete", &incomplete},
                                    std::pair {"All_not_written", &failed}})
        if (!list->empty())
            text += "\r\n\r\n" + LocalString(key) + *list;
    return text;
}

} // namespace vartesk
