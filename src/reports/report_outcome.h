// What a report call ended with.
#pragma once

namespace vartesk {

struct TReportOutcome
{
    bool Written = false; // the workbook was saved to the target
    bool Complete = false; // every section was filled
};

} // namespace vartesk
