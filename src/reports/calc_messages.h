// The section calculation's messages as the outputs tell them: each with its place (the
// section, the conductor, the strain section), so that a person can find it among many, and
// the message that ended a call as that strain section left out.
#pragma once

#include "calc/calc_section.h"
#include "port/user_port.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vartesk {

class TPlacedCalcMessages
{
public:
    explicit TPlacedCalcMessages(TMessages &messages)
        : Messages(messages)
    { }

    // For TCalcHooks::Message and the damper rules: keeps what a call says until AfterCall.
    std::function<void(TCalcMessageKind, const std::string &)> Hook();

    // Tells what the call said, each text with its place. Gives false when the call left out
    // (did not calculate) a strain section of a conductor its section carries: the output is
    // then incomplete.
    bool AfterCall(const TProject &project, const TCalcResult &result);

private:
    TMessages &Messages;
    std::vector<std::pair<TCalcMessageKind, std::string>> Said;
};

} // namespace vartesk
