// The vibration-damper report: per damper section a sheet of strain-section blocks with the
// damper positions, the spans that need dampers, and the tallies of dampers by type.
#pragma once

#include "port/user_port.h"
#include "reports/report_outcome.h"

#include <filesystem>

namespace vartesk {

class TProject;
class TWiresList;

inline constexpr const char *kDamperTemplate = "FormDamp";

// Opens the damper template for the current language and unit system from `formsFolder`,
// fills one sheet per section whose damper calculation is on and saves it as `target`. A
// project where no section has it on writes nothing and says so. A template that cannot be
// read or a target that cannot be written is said as for the other reports; any other
// failure while filling is "Error data entry" and no file. The calculation's own messages go
// to `messages` with their place; a strain section left out makes the outcome incomplete.
// The wait window steps once per section.
TReportOutcome WriteDamperReport(TProject &project,
                                 const TWiresList &catalog,
                                 const std::filesystem::path &formsFolder,
                                 const std::filesystem::path &target,
                                 TMessages &messages,
                                 TWaitScope *wait = nullptr);

} // namespace vartesk
