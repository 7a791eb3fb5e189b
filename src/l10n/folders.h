// Folders the program uses: shared data, the program's own, templates, help documents.
#pragma once

#include <filesystem>

namespace vartesk {

// $XDG_DATA_HOME/Morvik/Lorvana/ (~/.local/share when unset), with a trailing separator;
// just /Morvik/Lorvana/ when neither the variable nor HOME names a folder.
std::filesystem::path CommonDataFolder();
// Folder of the running executable, with a trailing separator.
std::filesystem::path ProgramFolder();
// The shared files of an installed program: ../share/vartesk/ from the program's folder.
std::filesystem::path InstalledDataFolder();
// Report templates: Forms/ beside the program, or ../share/vartesk/Forms after install.
std::filesystem::path FormsFolder();
// The help document of the current language: Qorven_en.pdf or Qorven_ru.pdf beside the
// program. The caller hands it to the desktop; nothing is reported when it is missing.
std::filesystem::path HelpDocument();
// The user guide shipped with the program, ../share/doc/vartesk/user-guide.md from the
// program's folder (the build folder copies it there too); for when the help document is
// missing.
std::filesystem::path UserGuide();

} // namespace vartesk
