// The frame the template reports share.
#include "reports/template_fill.h"

#include "reports/report_messages.h"
#include "xls/sheet_names.h"
#include "xls/xls_file.h"

namespace vartesk {

TReportOutcome FillTemplate(xls::TXLSFile &file,
                            const std::filesystem::path &templatePath,
                            const std::filesystem::path &target,
                            TMessages &messages,
                            const TTemplateFill &steps)
{
    TReportOutcome outcome;
    try {
        file.OpenFile(templatePath);
    } catch (const std::exception &e) {
        TellMissingTemplate(messages, templatePath, e);
        return outcome;
    }
    try {
        steps.Prepare(file);
    } catch (const std::exception &e) {
        messages.Tell(TMessageKind::Error, DataEntryError(e));
        return outcome;
    }
    try {
        steps.Fill();
        outcome.Complete = true;
    } catch (const std::exception &e) {
        if (!steps.StoppedAt) {
            messages.Tell(TMessageKind::Error, DataEntryError(e));
            return outcome;
        }
        messages.Tell(TMessageKind::Warning, FillingStopped(steps.StoppedAt(), e));
    }
    try {
        file.SaveAs(target);
    } catch (const std::exception &e) {
        messages.Tell(TMessageKind::Error, DataEntryError(e));
        return outcome;
    }
    outcome.Written = true;
    return outcome;
}

void MakeSectionSheets(xls::TXLSFile &file, const std::vector<std::string> &sections)
{
    if (sections.empty())
        return;
    xls::TSheets &sheets = file.Sheets();
    xls::TSheetNames names;
    for (int s = 1; s < sheets.Count(); ++s)
        names.Take(sheets.Item(s).Name());
    // The model takes the first section's name before it is copied, so that no copy's name
    // meets the template's own.
    xls::TSheet &model = sheets.Item(0);
    const std::string first = names.Give(sections[0]);
    if (model.Name() != first)
        model.SetName(first);
    for (size_t k = 1; k < sections.size(); ++k)
        sheets.CopySheet(0, int(k), names.Give(sections[k]));
}

} // namespace vartesk
