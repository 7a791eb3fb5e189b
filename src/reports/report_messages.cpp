// The report frames' shared messages.
#include "reports/report_messages.h"

#include "base/file_io.h"
#include "base/text_format.h"
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

std::string ReadFailureReason(const std::exception &e)
{
    if (const auto *file = dynamic_cast<const EFileError *>(&e); file && !file->Reason().empty())
        return file->Reason();
    if (const auto *file = dynamic_cast<const xls::ECFileError *>(&e)) {
        // The fixed words of a failed open only guess; the detail knows.
        if (file->Detail().empty())
            return e.what();
        if (e.what() == xls::ECFileError::MessageOf(file->Code()))
            return file->Detail();
        return std::string(e.what()) + " (" + file->Detail() + ")";
    }
    return e.what();
}

std::string CannotWrite(const std::filesystem::path &path, const std::exception &e)
{
    const auto *file = dynamic_cast<const EFileError *>(&e);
    return FormatText(LocalString("Cannot_write"),
                      {path.string(), file && !file->Reason().empty() ? file->Reason() : e.what()});
}

void TellTemplateUnreadable(TMessages &messages,
                            const std::filesystem::path &templatePath,
                            const std::exception &e)
{
    std::error_code ec;
    if (std::filesystem::exists(templatePath, ec)) {
        messages.Tell(TMessageKind::Error,
                      FormatText(LocalString("Cannot_read_template"),
                                 {templatePath.string(), ReadFailureReason(e)}));
        return;
    }
    messages.Tell(TMessageKind::Plain,
                  LocalString("Check_files") + " " + TemplateDisplayName(templatePath) + ".");
    messages.Tell(TMessageKind::Error, DataEntryError(e));
}

std::string FillingStopped(const std::string &section,
                           const std::string &strainSection,
                           const std::exception &e)
{
    const std::string where = strainSection.empty()
        ? std::string()
        : FormatText(LocalString("At_strain_section"), {strainSection});
    return FormatText(LocalString("Filling_stopped"), {section, where, e.what()});
}

std::string SectionName(const TProject &project, int index)
{
    return index >= 0 && index < project.Parcels.Count() ? project.Parcels.Get(index).Name
                                                         : std::string();
}

} // namespace vartesk
