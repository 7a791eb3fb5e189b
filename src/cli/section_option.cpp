// --section and --conductor.
#include "cli/section_option.h"

#include "base/message_quote.h"
#include "base/number_text.h"
#include "model/project.h"

#include <stdexcept>

namespace vartesk::cli {

std::optional<int> TakeSectionOption(TArgs &args)
{
    const auto value = args.TakeOption("--section");
    if (!value)
        return std::nullopt;
    const auto number = TryParseInt(*value);
    if (!number || *number < 1 || value->find_first_not_of("0123456789") != std::string::npos)
        throw EUsageError("--section must be a section number from 1 on, not "
                          + QuoteForMessage(*value));
    return *number;
}

int SectionIndex(const TProject &project, int number)
{
    const int count = project.Parcels.Count();
    if (number > count)
        throw std::runtime_error("there is no section " + std::to_string(number)
                                 + ": the project has "
                                 + (count == 0       ? std::string("no sections")
                                        : count == 1 ? std::string("one section")
                                                     : "sections 1 to " + std::to_string(count)));
    return number - 1;
}

TConductor TakeConductorOption(TArgs &args)
{
    const auto value = args.TakeOption("--conductor");
    if (!value || *value == "wire")
        return TConductor::Wire;
    if (*value == "cord")
        return TConductor::Cord;
    throw EUsageError("--conductor must be wire or cord, not " + QuoteForMessage(*value));
}

} // namespace vartesk::cli
