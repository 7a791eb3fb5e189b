// The frame the template reports share.
#include "reports/template_fill.h"

#include "base/file_io.h"
#include "base/text_format.h"
#include "base/utf8.h"
#include "l10n/string_table.h"
#include "reports/output_command.h"
#include "reports/report_messages.h"
#include "reports/workbook_file.h"
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
    if (!TargetIsFree(target, {{templatePath, TInputFile::Template}}, messages))
        return outcome;
    try {
        OpenWorkbookFile(file, templatePath);
    } catch (const std::exception &e) {
        TellTemplateUnreadable(messages, templatePath, e);
        return outcome;
    }
    try {
        steps.Prepare(file);
    } catch (const std::exception &e) {
        messages.Tell(TMessageKind::Error, DataEntryError(e));
        return outcome;
    }
    try {
        outcome.Complete = steps.Fill();
    } catch (const std::exception &e) {
        if (!steps.StoppedAt) {
            messages.Tell(TMessageKind::Error, DataEntryError(e));
            return outcome;
        }
        const TFillPlace place = steps.StoppedAt();
        messages.Tell(TMessageKind::Warning, FillingStopped(place.Section, place.StrainSection, e));
    }
    try {
        SaveWorkbookFile(file, target);
    } catch (const EFileError &e) {
        messages.Tell(TMessageKind::Error, CannotWrite(target, e));
        return outcome;
    } catch (const std::exception &e) {
        messages.Tell(TMessageKind::Error, DataEntryError(e));
        return outcome;
    }
    outcome.Written = true;
    return outcome;
}

namespace {

// The footer names the section itself: the sheet name is a shortened, sanitised form of it. A
// footer holds at most 255 characters: a very long name is cut to 100 (200 with every '&'
// doubled).
xls::THeaderFooter SectionFooter(const std::string &section)
{
    std::string name;
    for (char c : Utf8Prefix(section, 100)) {
        name += c;
        if (c == '&')
            name += '&';
    }
    return xls::THeaderFooter::Parse(FormatText(LocalString("Footer_section"), {name}));
}

} // namespace

xls::TSheetNames MakeSectionSheets(xls::TXLSFile &file, const std::vector<std::string> &sections)
{
    xls::TSheets &sheets = file.Sheets();
    xls::TSheetNames names;
    for (int s = sections.empty() ? 0 : 1; s < sheets.Count(); ++s)
        names.Take(sheets.Item(s).Name());
    if (sections.empty())
        return names;
    // The model takes the first section's name before it is copied, so that no copy's name
    // meets the template's own.
    xls::TSheet &model = sheets.Item(0);
    const std::string first = names.Give(sections[0]);
    if (model.Name() != first)
        model.SetName(first);
    for (size_t k = 1; k < sections.size(); ++k)
        sheets.CopySheet(0, int(k), names.Give(sections[k]));
    for (size_t k = 0; k < sections.size(); ++k)
        sheets.Item(int(k)).PageSetup.Footer = SectionFooter(sections[k]);
    return names;
}

} // namespace vartesk
