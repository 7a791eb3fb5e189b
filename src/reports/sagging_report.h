// The field sagging sheet: per section a sheet with, for every strain section of the wire and
// of the cord, its tensions and, span by span, the sags and the times of three return waves at
// -40..+40 C in steps of 5 C.
#pragma once

#include "port/user_port.h"
#include "reports/report_outcome.h"

#include <filesystem>
#include <string>

namespace vartesk {

class TProject;
struct TSaggingSection;
class TWiresList;

inline constexpr const char *kSaggingTemplate = "FormSag";

// The text a sheet and the text output give for a strain section's governing state.
std::string SaggingStateText(bool usesStrings, int state);

// Opens the template for the current language and unit system from `formsFolder`, fills one
// sheet per section (named after it, as the stringing tables name theirs) and saves it as
// `target`. Failures are told as the stringing tables tell them: a missing template, then
// "Error data entry"; an error while filling ends the filling, says where, and still saves
// what was filled. The calculation's messages go to `messages`. The wait window steps once
// per section.
TReportOutcome WriteSaggingReport(TProject &project,
                                  const TWiresList &catalog,
                                  const std::filesystem::path &formsFolder,
                                  const std::filesystem::path &target,
                                  TMessages &messages,
                                  TWaitScope *wait = nullptr);

} // namespace vartesk
