// Folder names of the program on Linux.
#include "l10n/folders.h"

#include "l10n/language.h"

#include <cstdlib>
#include <system_error>

namespace vartesk {

std::filesystem::path CommonDataFolder()
{
    std::filesystem::path base;
    if (const char *xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char *home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".local" / "share";
    else
        base = "/";
    return base / "Morvik" / "Lorvana" / "";
}

std::filesystem::path ProgramFolder()
{
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::filesystem::current_path(ec) / "";
    return exe.parent_path() / "";
}

std::filesystem::path InstalledDataFolder()
{
    return (ProgramFolder() / ".." / "share" / "vartesk").lexically_normal() / "";
}

std::filesystem::path FormsFolder()
{
    const auto beside = ProgramFolder() / "Forms";
    std::error_code ec;
    if (std::filesystem::is_directory(beside, ec))
        return beside / "";
    return InstalledDataFolder() / "Forms" / "";
}

std::filesystem::path HelpDocument()
{
    return ProgramFolder() / (IsEnglish() ? "Qorven_en.pdf" : "Qorven_ru.pdf");
}

std::filesystem::path UserGuide()
{
    return (ProgramFolder() / ".." / "share" / "doc" / "vartesk" / "user-guide.md")
        .lexically_normal();
}

} // namespace vartesk
