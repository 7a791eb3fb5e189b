// What the person starts ends in the program's hands: an error a command lets out is told in
// an error box rather than crossing the window system's event loop, which cannot carry it.
#pragma once

#include "port/user_port.h"

#include <exception>
#include <string>

namespace vartesk {

// The error box of a failed command: the text of Command_failed with the error's own words
// (none known: an error of unknown kind), then `afterwards` on a line of its own when given.
void TellCommandFailure(TMessages &messages, const char *what, const std::string &afterwards = {});

// Runs `action`; an exception it lets out is told and gives false.
template<class F>
bool RunGuarded(TMessages &messages, F &&action, const std::string &afterwards = {})
{
    try {
        action();
        return true;
    } catch (const std::exception &e) {
        TellCommandFailure(messages, e.what(), afterwards);
    } catch (...) {
        TellCommandFailure(messages, nullptr, afterwards);
    }
    return false;
}

} // namespace vartesk
