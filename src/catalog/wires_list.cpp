// TWiresList: lookups, sorting, the binary file and the text export and import.
#include "catalog/wires_list.h"

#include "base/cp1251.h"
#include "base/file_io.h"
#include "base/file_limits.h"
#include "base/number_text.h"
#include "base/text_format.h"
#include "base/text_lines.h"
#include "base/utf8.h"
#include "l10n/string_table.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

namespace vartesk {

namespace {

bool IsBlank(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// The number fields of a text line, in the order they are written.
struct TNumberField
{
    double TWireRecord::*Member;
    const char *Key; // of its name in messages
    // Zero or less makes no sense here, but existing catalogs hold such entries and the
    // calculation answers them with its own error: they are kept, with a warning.
    bool Positive;
};

// clang-format off
constexpr TNumberField kNumberFields[] = {
    {&TWireRecord::Diameter,    "Catalog_field_diameter",    true},
    {&TWireRecord::Section,     "Catalog_field_area",        true},
    {&TWireRecord::Weight,      "Catalog_field_weight",      true},
    {&TWireRecord::Modulus,     "Catalog_field_modulus",     true},
    {&TWireRecord::ThermalCoef, "Catalog_field_coefficient", false},
};
// clang-format on
constexpr size_t kRequiredFields = 1 + std::size(kNumberFields);
constexpr size_t kAllFields = kRequiredFields + 1;

// Lines without a group field go to "Others".
constexpr std::int32_t kDefaultImportGroup = 7;

// A hostile file must not turn into a flood of warnings on the terminal.
constexpr size_t kMaxWarnings = 20;

std::string FieldName(const TNumberField &field)
{
    return LocalString(field.Key);
}

// A name in double quotes with its control characters escaped, so that a line break or a
// terminal control in a name cannot garble the message.
std::string QuotedName(std::string_view name)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else
            out += c;
    }
    out += '"';
    return out;
}

std::string LineMessage(const std::string &source, int line, const std::string &what)
{
    return FormatText(LocalString("File_line"), {source, std::to_string(line), what});
}

// Keeps the first kMaxWarnings and counts the rest.
class TWarningList
{
public:
    void Add(std::string text)
    {
        if (Items.size() < kMaxWarnings)
            Items.push_back(std::move(text));
        else
            ++Dropped;
    }
    std::vector<std::string> Take(const std::string &source)
    {
        if (Dropped > 0)
            Items.push_back(FormatText(LocalString("Catalog_more_warnings"),
                                       {source, std::to_string(Dropped)}));
        return std::move(Items);
    }

private:
    std::vector<std::string> Items;
    size_t Dropped = 0;
};

// Every ';' separates: an empty field keeps its place instead of shifting the later ones
// into the wrong columns. One empty last field (a line ending in ';') does not count.
// Counted before splitting, so that a line of a million separators is refused unsplit.
size_t FieldCount(std::string_view line)
{
    const size_t separators = size_t(std::count(line.begin(), line.end(), ';'));
    return separators + 1 - (separators > 0 && line.back() == ';' ? 1 : 0);
}

// The fields of a line whose count was checked; a dropped empty last field is still there.
std::vector<std::string> SplitFields(std::string_view line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t end = line.find(';', start);
        fields.emplace_back(line.substr(start, end - start));
        if (end == std::string_view::npos)
            return fields;
        start = end + 1;
    }
}

std::string FieldCountMessage(size_t count)
{
    return FormatText(
        LocalString(count < kRequiredFields ? "Catalog_too_few_fields" : "Catalog_too_many_fields"),
        {std::to_string(count), LocalString("Catalog_line_fields")});
}

std::string EmptyFieldMessage(const char *fieldKey)
{
    return FormatText(LocalString("Catalog_field_empty"), {LocalString(fieldKey)});
}

// One line of a text export; warnings go to warnings, errors raise the bare message.
TWireRecord
ParseWireLine(std::string_view line, const std::string &source, int number, TWarningList &warnings)
{
    const size_t count = FieldCount(line);
    if (count < kRequiredFields || count > kAllFields)
        throw EConvertError(FieldCountMessage(count));
    const auto fields = SplitFields(line);

    TWireRecord rec;
    if (fields[0].empty())
        throw EConvertError(EmptyFieldMessage("Catalog_field_name"));
    rec.Name = fields[0];
    if (Utf8Length(fields[0]) > kWireNameLength)
        warnings.Add(
            LineMessage(source,
                        number,
                        FormatText(LocalString("Catalog_name_cut"),
                                   {std::to_string(kWireNameLength), QuotedName(rec.Name.str())})));

    for (size_t i = 0; i < std::size(kNumberFields); ++i) {
        const TNumberField &field = kNumberFields[i];
        const std::string &text = fields[1 + i];
        if (IsBlank(text))
            throw EConvertError(EmptyFieldMessage(field.Key));
        const double value = ParseFloat(text);
        rec.*field.Member = value;
        if (field.Positive && !(value > 0))
            warnings.Add(LineMessage(source,
                                     number,
                                     FormatText(LocalString("Catalog_not_positive"),
                                                {FieldName(field), FormatGeneral(value)})));
    }
    rec.Group = fields.size() > kRequiredFields && !IsBlank(fields[kRequiredFields])
        ? ParseInt(fields[kRequiredFields])
        : kDefaultImportGroup;
    return rec;
}

// Why an entry would not come back from its own export, or nothing.
std::optional<std::string> NotExportable(const TWireRecord &rec)
{
    const std::string &name = rec.Name.str();
    if (name.empty())
        return LocalString("Catalog_name_empty");
    if (name.find_first_of(";\r\n") != std::string::npos)
        return LocalString("Catalog_name_separator");
    for (const auto &field : kNumberFields)
        if (!std::isfinite(rec.*field.Member))
            return FormatText(LocalString("Catalog_not_finite"), {FieldName(field)});
    return std::nullopt;
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

TWireText ParseWireText(const std::string &bytes, const std::string &source)
{
    TWireText out;
    TWarningList warnings;
    TTextReader reader(bytes);
    std::string line;
    while (reader.ReadLine(line)) {
        if (IsBlank(line))
            continue;
        try {
            out.Entries.push_back(ParseWireLine(line, source, reader.LineNumber(), warnings));
        } catch (const EConvertError &e) {
            throw EConvertError(LineMessage(source, reader.LineNumber(), e.what()));
        }
    }
    out.Warnings = warnings.Take(source);
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

std::vector<std::string> TWiresList::LoadFromFile(const std::filesystem::path &path)
{
    auto warnings = LoadFromBytes(ReadFileBytes(path, kMaxCatalogFileBytes), path);
    Path = path;
    return warnings;
}

std::vector<std::string> TWiresList::LoadFromBytes(const std::string &bytes,
                                                   const std::filesystem::path &path)
{
    const size_t whole = bytes.size() / kWireRecordSize;
    TWarningList warnings;
    const size_t rest = bytes.size() % kWireRecordSize;
    if (rest != 0)
        warnings.Add(
            FormatText(LocalString("Catalog_file_tail"), {path.string(), std::to_string(rest)}));
    std::vector<TWireRecord> items;
    items.reserve(whole);
    for (size_t i = 0; i < whole; ++i) {
        items.push_back(
            ReadWireRecord(std::string_view(bytes).substr(i * kWireRecordSize, kWireRecordSize)));
        std::string fields;
        for (const auto &field : kNumberFields) {
            if (std::isfinite(items.back().*field.Member))
                continue;
            if (!fields.empty())
                fields += ", ";
            fields += FieldName(field);
        }
        if (!fields.empty())
            warnings.Add(FormatText(LocalString("Catalog_file_not_finite"),
                                    {path.string(),
                                     std::to_string(i + 1),
                                     QuotedName(items.back().Name.str()),
                                     fields}));
    }
    Items = std::move(items);
    ChangeCount = 0;
    return warnings.Take(path.string());
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
    // Checked before anything is written, so that every export imports again as it is.
    for (size_t i = 0; i < Items.size(); ++i)
        if (const auto why = NotExportable(Items[i]))
            throw EConvertError(
                FormatText(LocalString("Catalog_not_exportable"),
                           {std::to_string(i + 1), QuotedName(Items[i].Name.str()), *why}));
    TTextWriter writer;
    for (const auto &rec : Items) {
        std::string line = rec.Name.str();
        for (const auto &field : kNumberFields) {
            line += ';';
            line += FormatGeneral(rec.*field.Member);
        }
        line += ';';
        line += std::to_string(rec.Group);
        writer.WriteLine(line);
    }
    WriteFileAtomic(path, writer.Bytes());
}

std::vector<std::string> TWiresList::ImportText(const std::filesystem::path &path)
{
    // Converted whole before the list is touched: a bad line must not cost the user the
    // catalog they had.
    TWireText text = ParseWireText(ReadFileBytes(path, kMaxCatalogFileBytes), path.string());
    if (text.Entries.empty())
        throw EConvertError(FormatText(LocalString("Catalog_import_empty"), {path.string()}));
    Items = std::move(text.Entries);
    ChangeCount = 1;
    return std::move(text.Warnings);
}

void TWiresList::SaveIfChanged()
{
    if (ChangeCount <= 0 || Path.empty())
        return;
    SaveToFile(Path);
    ChangeCount = 0;
}

} // namespace vartesk
