// The stringing-table reports (three forms) and the anchor-support loads report: one sheet
// per section, filled by the section calculation over every strain section.
#pragma once

#include "port/user_port.h"
#include "reports/report_outcome.h"

#include <filesystem>
#include <string>

namespace vartesk {

class TProject;
class TWiresList;

enum class TStringingReport {
    Form1, // wide table, -30..+40 C
    Form1Full, // wide table, -40..+40 C
    Form2, // compact table, -30..+30 C
    Loads, // loads on the anchor supports
};

// "FormMount", "FormMount1", "FormMount2" or "FormLoads".
std::string TemplateBase(TStringingReport report);

// Opens the report's template from `formsFolder` (for the current language and unit system),
// fills it from the project and saves it as `target`. Failures are told through `messages`
// as the desktop shows them: a missing template, then "Error data entry"; an error while
// filling ends the filling, says so, and still saves what was filled. The wait window steps
// once per section of each pass.
TReportOutcome WriteStringingReport(TStringingReport report,
                                    TProject &project,
                                    const TWiresList &catalog,
                                    const std::filesystem::path &formsFolder,
                                    const std::filesystem::path &target,
                                    TMessages &messages,
                                    TWaitScope *wait = nullptr);

} // namespace vartesk
