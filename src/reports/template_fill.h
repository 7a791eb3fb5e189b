// The frame the template reports share: open the template, prepare its model sheet, fill the
// sheets and save the workbook, each failure told the way the desktop tells it.
#pragma once

#include "port/user_port.h"
#include "reports/report_outcome.h"
#include "xls/sheet_names.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vartesk {

namespace xls {
class TXLSFile;
}

// Where a filling stopped: the section, and the strain section when one had begun.
struct TFillPlace
{
    std::string Section;
    std::string StrainSection;
};

struct TTemplateFill
{
    // The model sheet's column widths and heights; an error there writes nothing.
    std::function<void(xls::TXLSFile &)> Prepare;
    // The sheets; false when a strain section was left out (and told), so that the workbook
    // is saved but does not count as complete.
    std::function<bool()> Fill;
    // Where a stopped filling stopped. With it, an error while filling ends the filling with
    // a warning and what was filled is saved; without it, such an error is the data-entry
    // error and nothing is written.
    std::function<TFillPlace()> StoppedAt;
};

// A target that is the template itself is refused; a template that cannot be read is
// TellTemplateUnreadable; an error while preparing is the data-entry error, and a target that
// cannot be written "Cannot write". `file` is the workbook the steps fill.
TReportOutcome FillTemplate(xls::TXLSFile &file,
                            const std::filesystem::path &templatePath,
                            const std::filesystem::path &target,
                            TMessages &messages,
                            const TTemplateFill &steps);

// The template's first sheet and copies of it, one per section in positions 0.. of the
// workbook (the template's further sheets follow), each named after its section as the
// spreadsheet program takes sheet names (xls::TSheetNames). The full name stays for the
// sheet's cells. No section: the template as it is. Gives the names taken, for sheets added
// after the sections.
xls::TSheetNames MakeSectionSheets(xls::TXLSFile &file, const std::vector<std::string> &sections);

} // namespace vartesk
