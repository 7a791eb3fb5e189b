// The frame the template reports share: open the template, prepare its model sheet, fill the
// sheets and save the workbook, each failure told the way the desktop tells it.
#pragma once

#include "reports/report_outcome.h"
#include "reports/user_port.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vartesk {

namespace xls {
class TXLSFile;
}

struct TTemplateFill
{
    // The model sheet's column widths and heights; an error there writes nothing.
    std::function<void(xls::TXLSFile &)> Prepare;
    // The sheets.
    std::function<void()> Fill;
    // The section a stopped filling names. With it, an error while filling ends the filling
    // with a warning and what was filled is saved; without it, such an error is the
    // data-entry error and nothing is written.
    std::function<std::string()> StoppedAt;
};

// A missing template is TellMissingTemplate; an error while preparing or saving is the
// data-entry error. `file` is the workbook the steps fill.
TReportOutcome FillTemplate(xls::TXLSFile &file,
                            const std::filesystem::path &templatePath,
                            const std::filesystem::path &target,
                            TMessages &messages,
                            const TTemplateFill &steps);

// The template's first sheet and copies of it, one per section in positions 0.. of the
// workbook (the template's further sheets follow), each named after its section as the
// spreadsheet program takes sheet names (xls::TSheetNames). The full name stays for the
// sheet's cells. No section: the template as it is.
void MakeSectionSheets(xls::TXLSFile &file, const std::vector<std::string> &sections);

} // namespace vartesk
