// The output-command frame.
#include "reports/output_command.h"

#include "base/file_io.h"
#include "base/text_format.h"
#include "catalog/check_catalog.h"
#include "catalog/wires_list.h"
#include "catalog/working_catalog.h"
#include "l10n/string_table.h"
#include "model/project.h"

namespace vartesk {

bool TargetIsFree(const std::filesystem::path &target,
                  const std::vector<TInputFile> &inputs,
                  TMessages &messages)
{
    static const char *const kKeys[]
        = {"Output_is_project", "Output_is_template", "Output_is_catalog", "Output_is_source"};
    for (const TInputFile &input : inputs) {
        if (input.Path.empty() || !SameFile(target, input.Path))
            continue;
        messages.Tell(
            TMessageKind::Error,
            FormatText(LocalString(kKeys[input.Kind]), {target.string(), input.Path.string()}));
        return false;
    }
    return true;
}

std::vector<TInputFile> CatalogInputs(const TWiresList &inUse)
{
    return {{WorkingCatalogPath(), TInputFile::Catalog}, {inUse.FileName(), TInputFile::Catalog}};
}

bool OutputChecksPass(const TProject &project,
                      const TWiresList &catalog,
                      bool checkTypes,
                      TMessages &messages)
{
    if (checkTypes) {
        if (const auto missing = CheckCatalog(project, catalog)) {
            messages.Tell(TMessageKind::Error, *missing);
            return false;
        }
    }
    return project.KlimatKoef.CoefsValid() || messages.Ask(LocalString("Reference_loads"));
}

std::optional<std::filesystem::path> RunOutputCommand(const TProject &project,
                                                      const TWiresList &catalog,
                                                      TUserPort &port,
                                                      const TOutputCommand &command,
                                                      const TProduce &produce)
{
    if (!OutputChecksPass(project, catalog, command.CheckTypes, port.Messages))
        return std::nullopt;
    const auto chosen = port.Files.ChooseSave(command.Save);
    if (!chosen)
        return std::nullopt;
    const std::filesystem::path target = command.TargetFor ? command.TargetFor(*chosen) : *chosen;
    std::vector<TInputFile> inputs = command.Inputs;
    for (TInputFile &c : CatalogInputs(catalog))
        inputs.push_back(std::move(c));
    if (!TargetIsFree(target, inputs, port.Messages))
        return std::nullopt;
    bool written = false;
    {
        TWaitScope wait(port.Wait, command.WaitText, command.Steps);
        written = produce(target, wait);
    }
    if (!written)
        return std::nullopt;
    port.Desktop.Open(target);
    return target;
}

} // namespace vartesk
