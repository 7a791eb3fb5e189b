// The frame every output command shares: the catalog check, the coefficients question, the
// target, the wait window, the writing and the desktop's open.
#pragma once

#include "port/user_port.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vartesk {

class TProject;
class TWiresList;

// A file an output is made from, which the output must never replace.
struct TInputFile
{
    enum TKind {
        Project, // the project the output is made from
        Template, // the template a report is filled from
        Catalog, // the wire catalog
        Source, // the file an import reads
    };
    std::filesystem::path Path; // empty: none
    TKind Kind = Project;
};

// Whether `target` may be written: not when it is one of `inputs` (the same file, reached
// through a link or another spelling too). A refusal is an error box that names both files.
bool TargetIsFree(const std::filesystem::path &target,
                  const std::vector<TInputFile> &inputs,
                  TMessages &messages);

// The catalogs an output must leave alone: the working copy, and the file `inUse` came from.
std::vector<TInputFile> CatalogInputs(const TWiresList &inUse);

struct TOutputCommand
{
    bool CheckTypes = true; // the damper report omits the catalog check
    TSaveRequest Save; // the target's dialog
    std::string WaitText; // the wait window's line
    int Steps = 0; // the progress bar's length
    // The file written for the chosen path; empty: the chosen path itself.
    std::function<std::filesystem::path(const std::filesystem::path &)> TargetFor;
    // What the output is made from besides the catalogs (the project's file, when it has
    // one); the target may be none of them.
    std::vector<TInputFile> Inputs;
};

// Writes the output to the chosen target and gives whether a file was written; it reports
// its own failures through the port and steps the wait window as it goes.
using TProduce = std::function<bool(const std::filesystem::path &target, TWaitScope &wait)>;

// The frame's checks before anything is asked or made: a missing type of the catalog (when
// `checkTypes`) is an error box and false; coefficients that lower the loads ask
// "Reference_loads", and No is false.
bool OutputChecksPass(const TProject &project,
                      const TWiresList &catalog,
                      bool checkTypes,
                      TMessages &messages);

// Runs the frame: OutputChecksPass (false ends); a cancelled target ends without a
// word, and a target that is one of the inputs or catalogs ends with TargetIsFree's box;
// then the wait window shows while `produce` writes, and a written file is handed to the
// desktop. Gives the file when one was written. The screens' values must already be in the
// project.
std::optional<std::filesystem::path> RunOutputCommand(const TProject &project,
                                                      const TWiresList &catalog,
                                                      TUserPort &port,
                                                      const TOutputCommand &command,
                                                      const TProduce &produce);

} // namespace vartesk
