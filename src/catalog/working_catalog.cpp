// Locating, seeding, loading and saving the working copy of the wire catalog.
#include "catalog/working_catalog.h"

#include "base/file_io.h"
#include "base/file_limits.h"
#include "base/text_format.h"
#include "l10n/folders.h"
#include "l10n/language.h"

#include <random>
#include <system_error>

namespace vartesk {

namespace {

bool UsingWorking = false;

std::string LowerAscii(std::string s)
{
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

void CreateFolder(const std::filesystem::path &folder)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec)
        throw EFileError("Cannot create folder \"" + folder.string() + "\". " + ec.message());
}

// Copies the shipped catalog to the working path without ever replacing a file that is
// there: the copy is completed under a private name and then linked in, and linking fails
// when another run has seeded first. A copy cut short therefore never poses as the
// working catalog.
void SeedWorkingCopy(const std::filesystem::path &shipped, const std::filesystem::path &working)
{
    std::random_device random;
    std::filesystem::path temp = working;
    temp += ".seed-" + std::to_string(random());
    std::error_code ec;
    std::filesystem::copy_file(
        shipped, temp, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        throw EFileError("Cannot copy file \"" + shipped.string() + "\" to \"" + working.string()
                         + "\". " + ec.message());
    }
    std::filesystem::create_hard_link(temp, working, ec);
    if (ec && ec != std::errc::file_exists) {
        // A file system without hard links: rename, which is safe unless a second run
        // seeds in the same instant.
        std::error_code exists;
        if (!std::filesystem::exists(working, exists))
            std::filesystem::rename(temp, working, ec);
    }
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
}

} // namespace

TWiresList &WireCatalog()
{
    static TWiresList catalog;
    return catalog;
}

std::filesystem::path WorkingCatalogPath()
{
    return CommonDataFolder() / kCatalogFileName;
}

std::filesystem::path ShippedCatalogPath()
{
    return ProgramFolder() / kCatalogFileName;
}

std::vector<std::string> LoadWorkingCatalog()
{
    const auto working = WorkingCatalogPath();
    CreateFolder(working.parent_path());
    std::vector<std::string> warnings;
    std::error_code ec;
    if (!std::filesystem::exists(working, ec)) {
        const auto shipped = ShippedCatalogPath();
        // Until the first change creates the working copy, every start says so: an empty
        // catalog is more likely a broken installation than a choice.
        if (std::filesystem::is_regular_file(shipped, ec))
            SeedWorkingCopy(shipped, working);
        else
            warnings.push_back(FormatText(
                IsEnglish() ? "No catalog was found beside the program (%s); the catalog "
                              "starts empty."
                            : "Рядом с программой не найден справочник (%s); справочник пуст.",
                {shipped.string()}));
    }
    TWiresList list;
    if (std::filesystem::exists(working, ec)) {
        auto loaded = list.LoadFromFile(working);
        warnings.insert(warnings.end(), loaded.begin(), loaded.end());
    } else {
        list.SetFileName(working);
    }
    list.SortBy(kWireColumnName);
    WireCatalog() = std::move(list);
    UsingWorking = true;
    return warnings;
}

void SaveWorkingCatalogIfChanged()
{
    if (UsingWorking)
        WireCatalog().SaveIfChanged();
}

std::vector<std::string> LoadCatalogFile(const std::filesystem::path &path)
{
    TWiresList list;
    std::vector<std::string> warnings;
    if (LowerAscii(path.extension().string()) == ".txt") {
        TWireText text = ParseWireText(ReadFileBytes(path, kMaxCatalogFileBytes), path.string());
        for (const auto &rec : text.Entries)
            list.Add(rec);
        warnings = std::move(text.Warnings);
    } else {
        warnings = list.LoadFromFile(path);
    }
    list.SortBy(kWireColumnName);
    WireCatalog() = std::move(list);
    UsingWorking = false;
    return warnings;
}

bool UsingWorkingCatalog()
{
    return UsingWorking;
}

} // namespace vartesk
