// The main window's commands of the line scheme: written for CAD (ActCad), and previewed.
#pragma once

#include "cad/drawing.h"
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

// The scheme as ActCad would write it, for the screen: the same checks (catalog, then
// "Reference_loads"), then the wait window with "Scheme_preview" while the scheme is drawn
// from a copy of the project, which stays as it was. The calculation's boxes go to the port;
// a drawing that stopped early says where and why, and its part is given all the same.
// Nothing when a check stopped the command.
std::optional<TDrawing>
PreviewScheme(const TProject &project, const TWiresList &catalog, TUserPort &port);

} // namespace vartesk
