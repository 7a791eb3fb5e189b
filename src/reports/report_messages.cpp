// The report frames' shared messages.
#include "reports/report_messages.h"

#include "l10n/language.h"
#include "l10n/string_table.h"
#include "model/project.h"
#include "reports/templates.h"
#include "xls/xls_error.h"

namespace vartesk {

std::string DataEntryError(const std::exception &e)
{
    std::string words = e.what();
    if (const auto *file = dynamic_cast<const xls::ECFileError *>(&e);
        file && !file->Detail().empty())
        words += " (" + file->Detail() + ")";
    return LocalString("Error_data_entry") + "\r\n" + words;
}

void TellMissingTemplate(TMessages &messages,
                         const std::filesystem::path &templatePath,
                         const std::exception &e)
{
    messages.Tell(TMessageKind::Plain,
                  LocalString("Check_files") + " " + TemplateDisplayName(templatePath) + ".");
    messages.Tell(TMessageKind::Error, DataEntryError(e));
}

std::string FillingStopped(const std::string &section, const std::exception &e)
{
    return (IsEnglish() ? "The filling stopped at the section \""
                        : "Заполнение остановлено на участке \"")
        + section + "\": " + e.what()
        + (IsEnglish() ? "; the workbook holds what was filled until then."
                       : "; книга содержит то, что было заполнено до этого.");
}

std::string SectionName(const TProject &project, int index)
{
    return index >= 0 && index < project.Parcels.Count() ? project.Parcels.Get(index).Name
                                                         : std::string();
}

} // namespace vartesk
