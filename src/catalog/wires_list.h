// The wire catalog: an ordered list of entries, its binary file and its text export.
#pragma once

#include "catalog/wire_record.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vartesk {

// Columns of SortBy, as numbered by the catalog window's headers.
enum TWireColumn {
    kWireColumnName = 1,
    kWireColumnDiameter = 2,
    kWireColumnSection = 3,
    kWireColumnWeight = 4,
    kWireColumnModulus = 5,
    kWireColumnThermalCoef = 6,
};

// Converts the lines of a text export into entries, all or nothing. source names the text in
// messages. Empty (or blank) lines are skipped; a line with fewer than six fields, a field
// that is not a number, or a seventh field that is not an integer raises EConvertError
// naming source and the line number.
std::vector<TWireRecord> ParseWireText(const std::string &bytes, const std::string &source);

class TWiresList
{
public:
    int Count() const { return int(Items.size()); }
    // Appends a copy; gives its index.
    int Add(const TWireRecord &rec);
    TWireRecord Get(int i) const { return Items.at(size_t(i)); }
    // The stored entry, for changing it in place.
    TWireRecord &GetRef(int i) { return Items.at(size_t(i)); }
    void Delete(int i);
    void Clear() { Items.clear(); }

    // First entry of that exact name (byte for byte), or -1.
    int IndexOfName(std::string_view name) const;
    // A copy of the first entry of that name; an entry with an empty Name when there is none.
    TWireRecord FindByName(std::string_view name) const;
    int CountInGroup(int group) const;
    // Ascending by one column (TWireColumn); other numbers do nothing. Names sort by their
    // Windows-1251 bytes. Stable, so entries with equal keys keep their order.
    void SortBy(int column);

    // Replaces the list by the records of a binary catalog and remembers the path. The file
    // is read whole before the list changes, so a read error leaves the list as it was. A
    // size that is not a multiple of 61 loads the complete records and gives a warning
    // naming the file and the bytes left over.
    [[nodiscard]] std::optional<std::string> LoadFromFile(const std::filesystem::path &path);
    // Writes every entry in list order, atomically: a failed write leaves the old file.
    void SaveToFile(const std::filesystem::path &path) const;
    // One line per entry: name;diameter;area;weight;modulus;coefficient;group, CR LF ended.
    void ExportText(const std::filesystem::path &path) const;
    // Replaces the list by a text export and counts one change. Every line is converted
    // before the list changes, so a file with a bad line leaves the catalog untouched.
    void ImportText(const std::filesystem::path &path);

    // The file the catalog was loaded from, written back by SaveIfChanged.
    const std::filesystem::path &FileName() const { return Path; }
    void SetFileName(const std::filesystem::path &path) { Path = path; }

    // Edits of the catalog window (create, edit, delete) count one change each; loading
    // sets the count to zero and importing to one. Sorting does not count.
    int Changes() const { return ChangeCount; }
    void CountChange() { ++ChangeCount; }
    // Writes the list to FileName when anything changed; then nothing is pending.
    void SaveIfChanged();

private:
    std::vector<TWireRecord> Items;
    std::filesystem::path Path;
    int ChangeCount = 0;
};

} // namespace vartesk
