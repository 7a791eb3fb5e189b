// The frame every output command shares: the catalog check, the coefficients question, the
// target, the wait window, the writing and the desktop's open.
#pragma once

#include "reports/user_port.h"

#include <filesystem>
#include <functional>
#include <string>

namespace vartesk {

class TProject;
class TWiresList;

struct TOutputCommand
{
    bool CheckTypes = true; // the damper report omits the catalog check
    TSaveRequest Save; // the target's dialog
    std::string WaitText; // the wait window's line
    int Steps = 0; // the progress bar's length
    // The file written for the chosen path; empty: the chosen path itself.
    std::function<std::filesystem::path(const std::filesystem::path &)> TargetFor;
};

// Writes the output to the chosen target and gives whether a file was written; it reports
// its own failures through the port and steps the wait window as it goes.
using TProduce = std::function<bool(const std::filesystem::path &target, TWaitScope &wait)>;

// Runs the frame: a missing type of the catalog is an error box and the end; coefficients
// that lower the loads ask "Reference_loads" (No ends); a cancelled target ends without a
// word; then the wait window shows while `produce` writes, and a written file is handed to
// the desktop. Gives the file when one was written. The screens' values must already be
// in the project.
std::optional<std::filesystem::path> RunOutputCommand(const TProject &project,
                                                      const TWiresList &catalog,
                                                      TUserPort &port,
                                                      const TOutputCommand &command,
                                                      const TProduce &produce);

} // namespace vartesk
