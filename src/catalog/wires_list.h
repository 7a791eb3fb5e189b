// The wire catalog: an ordered list of entries, its binary file and its text export.
#pragma once

#include "catalog/wire_record.h"

#include <filesystem>
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

// The entries of a text export and what the reader noticed about them.
struct TWireText
{
    std::vector<TWireRecord> Entries;
    std::vector<std::string> Warnings;
};

// Converts the lines of a text export into entries, all or nothing. source names the text in
// messages. Fields are taken by position: every ';' separates, and one empty last field (a
// line ending in ';') is dropped, so that a line has six fields or seven with the group.
// Blank lines are skipped. Another count of fields, an empty name or number, a number that
// does not convert (nan, inf and numbers beyond a double included) or a group that is not an
// integer raises EConvertError naming source and the line. An empty group means group 7.
// Names longer than 16 characters are cut, and a diameter, area, weight or modulus of zero
// or less is kept; each gives a warning naming the line.
TWireText ParseWireText(const std::string &bytes, const std::string &source);

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

    // Replaces the list by the records of a binary catalog, remembers the path and gives the
    // warnings. The file is read whole before the list changes, so a read error leaves the
    // list as it was. A size that is not a multiple of 61 loads the complete records and
    // warns about the bytes left over; an entry with a field that is not a finite number is
    // loaded as it is and warned about.
    [[nodiscard]] std::vector<std::string> LoadFromFile(const std::filesystem::path &path);
    // The same over bytes already read; `path` only names them in the warnings and is not
    // remembered for saving.
    [[nodiscard]] std::vector<std::string> LoadFromBytes(const std::string &bytes,
                                                         const std::filesystem::path &path);
    // Writes every entry in list order, atomically: a failed write leaves the old file.
    void SaveToFile(const std::filesystem::path &path) const;
    // One line per entry: name;diameter;area;weight;modulus;coefficient;group, CR LF ended.
    // An entry that would not import again as it is (an empty name, a name holding ';' or a
    // line break, a number that is not finite) raises EConvertError naming it before
    // anything is written.
    void ExportText(const std::filesystem::path &path) const;
    // Replaces the list by a text export, counts one change and gives the warnings of
    // ParseWireText. Every line is converted before the list changes, so a file with a bad
    // line, or one without any entry, leaves the catalog untouched (EConvertError).
    [[nodiscard]] std::vector<std::string> ImportText(const std::filesystem::path &path);

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
