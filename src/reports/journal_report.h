// The journal of supports: every support of the line section by section, with its code, angle,
// picket, span, the equivalent span of each strain section, crossings and notes, and the
// lengths of wire and cord with their totals per strain section, section and route.
#pragma once

#include "port/user_port.h"
#include "reports/report_outcome.h"

#include <filesystem>
#include <string>

namespace vartesk {

class TProject;
class TWiresList;

// The journal's template has no unit variants: "Journal_en.xls" and "Journal_ru.xls".
inline constexpr const char *kJournalTemplate = "Journal";

// Opens the journal's template for the current language from `formsFolder`, fills one sheet
// per section and saves it as `target`. The project is changed as the journal always changed
// it: the last support of every section gets a span of 0, and the calculation's work fields
// keep what the last call left. Failures are told through `messages` as for the stringing
// tables: a missing template, then "Error data entry"; an error while filling ends the filling,
// says so, and still saves what was filled. A strain section whose conductor could not be
// calculated leaves its lengths, and every total they belong to, blank, and says so. The wait
// window steps once per section.
TReportOutcome WriteJournal(TProject &project,
                            const TWiresList &catalog,
                            const std::filesystem::path &formsFolder,
                            const std::filesystem::path &target,
                            TMessages &messages,
                            TWaitScope *wait = nullptr);

// A running picket of P hundreds of metres as the journal shows it: the hundreds, "+", the
// metres to two decimals (halves to even), both in the general number form: 12.345 gives
// "12+34.5", 5 gives "5+0". The metres are rounded before they are split off, so a sum of
// spans a hair below a whole hundred reads "13+0", not "12+100".
std::string PicketText(double hundreds);

} // namespace vartesk
