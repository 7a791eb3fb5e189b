// The output-command frame.
#include "reports/output_command.h"

#include "catalog/check_catalog.h"
#include "l10n/string_table.h"
#include "model/project.h"

namespace vartesk {

std::optional<std::filesystem::path> RunOutputCommand(const TProject &project,
                                                      const TWiresList &catalog,
                                                      TUserPort &port,
                                                      const TOutputCommand &command,
                                                      const TProduce &produce)
{
    if (command.CheckTypes) {
        if (const auto missing = CheckCatalog(project, catalog)) {
            port.Messages.Tell(TMessageKind::Error, *missing);
            return std::nullopt;
        }
    }
    if (!project.KlimatKoef.CoefsValid() && !port.Messages.Ask(LocalString("Reference_loads")))
        return std::nullopt;
    const auto chosen = port.Files.ChooseSave(command.Save);
    if (!chosen)
        return std::nullopt;
    const std::filesystem::path target = command.TargetFor ? command.TargetFor(*chosen) : *chosen;
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
