// Locating, seeding, loading and saving the working copy of the wire catalog.
#include "catalog/working_catalog.h"

#include "base/file_io.h"
#include "base/file_limits.h"
#include "base/text_format.h"
#include "l10n/folders.h"
#include "l10n/string_table.h"

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
    try {
        WriteFileAtomic(
            working, ReadFileBytes(shipped, kMaxCatalogFileBytes), TWriteMode::CreateNew);
    } catch (const EFileExists &) {
        // Another run seeded it first: that copy is as good, and it may already be edited.
    }
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
    const auto beside = ProgramFolder() / kCatalogFileName;
    const auto installed = InstalledDataFolder() / kCatalogFileName;
    std::error_code ec;
    if (!std::filesystem::exists(beside, ec) && std::filesystem::exists(installed, ec))
        return installed;
    return beside;
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
            warnings.push_back(FormatText(LocalString("Catalog_none_shipped"), {shipped.string()}));
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
