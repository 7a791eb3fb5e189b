// The main window's command that writes the line scheme for CAD (ActCad).
#pragma once

#include "port/user_port.h"
#include "reports/output_command.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vartesk {

class TProject;
class TWiresList;

struct TCadOutcome
{
    std::optional<std::filesystem::path> Written; // the file, when one was written
    bool Complete = false; // it holds the whole scheme
};

// What the save dialog proposes: the project file's name without its folder and without
// everything from its first "."; empty for a project never saved.
std::string SchemeProposedName(const std::filesystem::path &projectFile);

// The file written for the name chosen: that name, with ".dxf" added only when it has no
// extension. ("line.v2.dxf" stays itself; it never becomes "line.dxf", a file the dialog did
// not ask about.)
std::filesystem::path SchemeTarget(const std::filesystem::path &chosen);

// ActCad through the output-command frame: the catalog check, the "Reference_loads"
// question, the DXF save dialog proposing the project's base name, the wait window with
// "Port_to_Cad", ExportScheme, and the desktop opening the file. `projectFile` is the
// project's file name (may be empty), which the scheme never replaces, nor any of `inputs`.
TCadOutcome RunCadCommand(TProject &project,
                          const TWiresList &catalog,
                          TUserPort &port,
                          const std::filesystem::path &projectFile,
                          const std::vector<TInputFile> &inputs = {});

} // namespace vartesk
