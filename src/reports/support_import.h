// Import of the sections and supports of a project from a workbook: one sheet per section,
// marked in B2, one row per support.
#pragma once

#include "port/user_port.h"

#include <filesystem>

namespace vartesk {

class TProject;

namespace xls {
class TWorkbook;
}

// The text a sheet must hold in B2, exactly, to be read.
inline constexpr const char *kImportMarker = "№№ опор (до 5 символов)";

// What an import ended with.
struct TSupportImport
{
    int Sections = 0; // sections that replaced the project's; 0: the project is as it was
    int Supports = 0; // supports of those sections
    bool Stopped = false; // a span that is not a number ended the import early
};

// Reads the sheets from the first while B2 holds the marker: each becomes a section named
// after the sheet (in Windows-1251, a character it cannot store becoming "?"), each row from
// row 3 on a support (B number, C "1" for an anchor, D span, E "1" for an attested span, F
// code) until B is empty; a section of fewer than two supports is dropped. A span that is not
// a number ends the import: the sections of the sheets before stay, the sheet's own and the
// later ones are not read, and a warning names the sheet and the row. The project's section
// list is replaced only when at least one section was read; otherwise the project is as it
// was and a message says why. Every message goes through `messages`.
TSupportImport ImportSupports(TProject &project, xls::TWorkbook &book, TMessages &messages);

// Opens the workbook first: one that cannot be opened is "Check for the presence of the
// files" with its full path and the reason in the file system's or the engine's words (a
// folder, a file too large, one cut short...), and the project is as it was.
TSupportImport
ImportSupportsFromFile(TProject &project, const std::filesystem::path &path, TMessages &messages);

} // namespace vartesk
