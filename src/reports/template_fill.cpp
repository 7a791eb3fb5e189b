// The frame the template reports share.
#include "reports/template_fill.h"

#include "reports/report_messages.h"
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

} // namespace vartesk
