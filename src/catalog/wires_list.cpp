// TWiresList: lookups, sorting, the binary file and the text export and import.
#include "catalog/wires_list.h"

#include "base/cp1251.h"
#include "base/file_io.h"
#include "base/file_limits.h"
#include "base/number_text.h"
#include "base/split_by_char.h"
#include "base/text_format.h"
#include "base/text_lines.h"
#include "l10n/language.h"

#include <algorithm>
#include <stdexcept>

namespace vartesk {

namespace {

bool IsBlank(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// The number fields of a text line, in the order they are written.
constexpr double TWireRecord::*kNumberFields[] = {
    &TWireRecord::Diameter,
    &TWireRecord::Section,
    &TWireRecord::Weight,
    &TWireRecord::Modulus,
    &TWireRecord::ThermalCoef,
};
constexpr size_t kRequiredFields = 1 + std::size(kNumberFields);

// Lines without a group field go to "Others".
constexpr std::int32_t kDefaultImportGroup = 7;

std::string LineMessage(const std::string &source, int line, const std::string &what)
{
    return FormatText(IsEnglish() ? "%s, line %d: %s" : "%s, строка %d: %s",
                      {source, std::to_string(line), what});
}

TWireRecord ParseWireLine(const std::vector<std::string> &fields)
{
    TWireRecord rec;
    rec.Name = fields[0];
    for (size_t i = 0; i < std::size(kNumberFields); ++i)
        rec.*kNumberFields[i] = ParseFloat(fields[1 + i]);
    rec.Group
        = fields.size() > kRequiredFields ? ParseInt(fields[kRequiredFields]) : kDefaultImportGroup;
    return rec;
}

template<class TKey>
void SortByKey(std::vector<TWireRecord> &items, TKey key)
{
    std::stable_sort(items.begin(), items.end(), [&](const TWireRecord &a, const TWireRecord &b) {
        return key(a) < key(b);
    });
}

void SortByNumber(std::vector<TWireRecord> &items, double TWireRecord::*field)
{
    SortByKey(items, [field](const TWireRecord &r) { return r.*field; });
}

} // namespace

std::vector<TWireRecord> ParseWireText(const std::string &bytes, const std::string &source)
{
    std::vector<TWireRecord> out;
    TTextReader reader(bytes);
    std::string line;
    while (reader.ReadLine(line)) {
        if (IsBlank(line))
            continue;
        const auto fields = SplitByChar(line, ';');
        if (fields.size() < kRequiredFields) {
            const std::string what = FormatText(
                IsEnglish() ? "%d fields where six are needed "
                              "(name;diameter;area;weight;modulus;coefficient[;group])"
                            : "полей %d, а нужно шесть "
                              "(марка;диаметр;сечение;вес;модуль;коэффициент[;группа])",
                {std::to_string(fields.size())});
            throw EConvertError(LineMessage(source, reader.LineNumber(), what));
        }
        try {
            out.push_back(ParseWireLine(fields));
        } catch (const EConvertError &e) {
            throw EConvertError(LineMessage(source, reader.LineNumber(), e.what()));
        }
    }
    return out;
}

int TWiresList::Add(const TWireRecord &rec)
{
    Items.push_back(rec);
    return Count() - 1;
}

void TWiresList::Delete(int i)
{
    if (i < 0 || i >= Count())
        throw std::out_of_range("wire catalog index " + std::to_string(i));
    Items.erase(Items.begin() + i);
}

int TWiresList::IndexOfName(std::string_view name) const
{
    for (size_t i = 0; i < Items.size(); ++i)
        if (Items[i].Name == name)
            return int(i);
    return -1;
}

TWireRecord TWiresList::FindByName(std::string_view name) const
{
    const int i = IndexOfName(name);
    if (i < 0)
        return TWireRecord {};
    return Items[size_t(i)];
}

int TWiresList::CountInGroup(int group) const
{
    return int(std::count_if(
        Items.begin(), Items.end(), [group](const TWireRecord &r) { return r.Group == group; }));
}

void TWiresList::SortBy(int column)
{
    switch (column) {
    case kWireColumnName: {
        // Windows-1251 order differs from UTF-8 order (Ё and ё sit below А), so compare
        // the file's bytes; convert each name once, not once per comparison.
        std::vector<std::pair<std::string, TWireRecord>> keyed;
        keyed.reserve(Items.size());
        for (auto &rec : Items)
            keyed.emplace_back(Utf8ToCp1251(rec.Name.str()), std::move(rec));
        std::stable_sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) {
            return a.first < b.first; // char_traits<char> compares as unsigned char
        });
        for (size_t i = 0; i < keyed.size(); ++i)
            Items[i] = std::move(keyed[i].second);
        break;
    }
    case kWireColumnDiameter:
        SortByNumber(Items, &TWireRecord::Diameter);
        break;
    case kWireColumnSection:
        SortByNumber(Items, &TWireRecord::Section);
        break;
    case kWireColumnWeight:
        SortByNumber(Items, &TWireRecord::Weight);
        break;
    case kWireColumnModulus:
        SortByNumber(Items, &TWireRecord::Modulus);
        break;
    case kWireColumnThermalCoef:
        SortByNumber(Items, &TWireRecord::ThermalCoef);
        break;
    default:
        break;
    }
}

std::optional<std::string> TWiresList::LoadFromFile(const std::filesystem::path &path)
{
    const std::string bytes = ReadFileBytes(path, kMaxCatalogFileBytes);
    const size_t whole = bytes.size() / kWireRecordSize;
    std::vector<TWireRecord> items;
    items.reserve(whole);
    for (size_t i = 0; i < whole; ++i)
        items.push_back(
            ReadWireRecord(std::string_view(bytes).substr(i * kWireRecordSize, kWireRecordSize)));
    Items = std::move(items);
    Path = path;
    ChangeCount = 0;
    const size_t rest = bytes.size() % kWireRecordSize;
    if (rest == 0)
        return std::nullopt;
    return FormatText(IsEnglish() ? "The catalog file %s ends with %d bytes that do not make a "
                                    "whole record; they were ignored."
                                  : "Файл справочника %s заканчивается %d байтами, не "
                                    "составляющими целой записи; они пропущены.",
                      {path.string(), std::to_string(rest)});
}

void TWiresList::SaveToFile(const std::filesystem::path &path) const
{
    std::string bytes;
    bytes.reserve(Items.size() * kWireRecordSize);
    for (const auto &rec : Items)
        WriteWireRecord(rec, bytes);
    WriteFileAtomic(path, bytes);
}

void TWiresList::ExportText(const std::filesystem::path &path) const
{
    TTextWriter writer;
    for (const auto &rec : Items) {
        std::string line = rec.Name.str();
        for (auto field : kNumberFields) {
            line += ';';
            line += FormatGeneral(rec.*field);
        }
        line += ';';
        line += std::to_string(rec.Group);
        writer.WriteLine(line);
    }
    WriteFileAtomic(path, writer.Bytes());
}

void TWiresList::ImportText(const std::filesystem::path &path)
{
    // Converted whole before the list is touched: a bad line must not cost the user the
    // catalog they had.
    Items = ParseWireText(ReadFileBytes(path, kMaxCatalogFileBytes), path.string());
    ChangeCount = 1;
}

void TWiresList::SaveIfChanged()
{
    if (ChangeCount <= 0 || Path.empty())
        return;
    SaveToFile(Path);
    ChangeCount = 0;
}

} // namespace vartesk
