// The support import from a workbook: the sheet loop, the row reader and its messages.
#include "reports/support_import.h"

#include "base/cp1251.h"
#include "base/number_text.h"
#include "base/text_format.h"
#include "base/utf8.h"
#include "l10n/string_table.h"
#include "model/project.h"
#include "reports/report_messages.h"
#include "reports/workbook_file.h"
#include "xls/cell_ref.h"
#include "xls/xls_file.h"

#include <memory>
#include <optional>
#include <unordered_set>

namespace vartesk {

namespace {

using xls::Col;

constexpr xls::TCellRef kMarkerCell = "B2";
constexpr int kFirstRow = 2; // row 3 on screen
constexpr int kLastRow = 65535; // the last row a sheet has
constexpr int kNumber = Col("B");
constexpr int kAnchor = Col("C");
constexpr int kSpan = Col("D");
constexpr int kAttested = Col("E");
constexpr int kCode = Col("F");
constexpr const char *kYes = "1"; // anchor in C, attested span in E: exactly this text

std::string Quote(const std::string &text)
{
    return "\"" + text + "\"";
}

// The project keeps Windows-1251 texts: what cannot be stored there is "?" already in memory,
// so the screens show what a save will write.
std::string To1251(const std::string &text, bool &lossless)
{
    bool fits = true;
    std::string stored = Cp1251ToUtf8(Utf8ToCp1251(text, &fits));
    lossless = lossless && fits;
    return stored;
}

// The names of the sections read, apart without regard to case as the sheets they come from
// are: sheets that Windows-1251 turns into one text ("中文" and "日本" both "??") still give
// sections that a report can tell apart.
class TSectionNames
{
public:
    // The name, or the name followed by " (2)", " (3)", ... when a section read has it.
    std::string Apart(const std::string &name) const
    {
        std::string apart = name;
        for (int n = 2; Taken.contains(Utf8Lower(apart)); ++n)
            apart = name + " (" + std::to_string(n) + ")";
        return apart;
    }
    void Take(const std::string &name) { Taken.insert(Utf8Lower(name)); }

private:
    std::unordered_set<std::string> Taken;
};

// One sheet's list of supports.
class TSheetReader
{
public:
    TSheetReader(xls::TSheet &sheet, const TSectionNames &names, TMessages &messages)
        : Sheet(sheet)
        , Names(names)
        , Messages(messages)
    { }

    // The section of the sheet, with every row up to the first empty B; nothing when a span
    // is not a number (the import ends there, and says so).
    std::optional<std::unique_ptr<TParcel>> Read()
    {
        auto section = std::make_unique<TParcel>();
        bool nameFits = true;
        section->Name = Names.Apart(To1251(Sheet.Name(), nameFits));
        if (!nameFits)
            Messages.Tell(TMessageKind::Warning,
                          FormatText(LocalString("Import_sheet_name_lossy"),
                                     {Quote(Sheet.Name()), Quote(section->Name)}));
        int lossyRow = -1;
        for (int row = kFirstRow; row <= kLastRow; ++row) {
            const std::string number = Text(row, kNumber);
            if (number.empty())
                break;
            auto support = std::make_unique<TPillar>();
            bool fits = true;
            support->Nomer = To1251(number, fits);
            support->Tip_Opor
                = Text(row, kAnchor) == kYes ? TSupportType::Strain : TSupportType::Intermediate;
            const std::string span = Text(row, kSpan);
            if (!span.empty()) {
                const auto value = TryParseFloat(span);
                if (!value) {
                    TellStop(row, span);
                    return std::nullopt;
                }
                support->Prolet = *value;
            }
            support->Visir = Text(row, kAttested) == kYes;
            support->Shifr = To1251(Text(row, kCode), fits);
            if (!fits && lossyRow < 0)
                lossyRow = row;
            section->Pillars.Add(std::move(support));
        }
        if (lossyRow >= 0)
            Messages.Tell(TMessageKind::Warning,
                          FormatText(LocalString("Import_row_lossy"),
                                     {Quote(Sheet.Name()), std::to_string(lossyRow + 1)}));
        return section;
    }

private:
    // Every cell as text: a number in the general form, an empty cell as "".
    std::string Text(int row, int col) { return Sheet.Cells().Item(row, col).Value().AsText(); }

    void TellStop(int row, const std::string &span)
    {
        Messages.Tell(TMessageKind::Warning,
                      FormatText(LocalString("Import_span_not_number"),
                                 {Quote(Sheet.Name()), std::to_string(row + 1), Quote(span)}));
    }

    xls::TSheet &Sheet;
    const TSectionNames &Names;
    TMessages &Messages;
};

void TellUnchanged(TMessages &messages, const std::string &why)
{
    messages.Tell(TMessageKind::Warning, FormatText(LocalString("Import_unchanged"), {why}));
}

} // namespace

TSupportImport ImportSupports(TProject &project, xls::TWorkbook &book, TMessages &messages)
{
    TSupportImport result;
    // Built aside: the project's sections are replaced only by a list that holds something.
    TParcelList sections;
    TSectionNames names;
    int marked = 0;
    try {
        for (int s = 0; s < book.Sheets().Count(); ++s) {
            xls::TSheet &sheet = book.Sheets().Item(s);
            if (sheet.Cells().Item(kMarkerCell.Row, kMarkerCell.Col).Value().AsText()
                != kImportMarker)
                break;
            ++marked;
            auto section = TSheetReader(sheet, names, messages).Read();
            if (!section) {
                result.Stopped = true;
                break;
            }
            if ((*section)->Pillars.Count() > 1) {
                names.Take((*section)->Name);
                sections.Add(std::move(*section));
            }
        }
    } catch (const std::exception &e) {
        messages.Tell(TMessageKind::Error, DataEntryError(e));
        return result;
    }
    if (sections.Count() == 0) {
        if (marked == 0)
            TellUnchanged(messages,
                          FormatText(LocalString("Import_no_marker"), {Quote(kImportMarker)}));
        else if (!result.Stopped)
            TellUnchanged(messages, LocalString("Import_no_section"));
        else
            TellUnchanged(messages, LocalString("Import_nothing_before_stop"));
        return result;
    }
    result.Sections = sections.Count();
    for (const auto &p : sections)
        result.Supports += p->Pillars.Count();
    project.Parcels = std::move(sections);
    return result;
}

TSupportImport
ImportSupportsFromFile(TProject &project, const std::filesystem::path &path, TMessages &messages)
{
    xls::TXLSFile file;
    try {
        OpenWorkbookFile(file, path);
    } catch (const std::exception &e) {
        std::error_code ec;
        const std::filesystem::path full = std::filesystem::absolute(path, ec);
        messages.Tell(TMessageKind::Plain,
                      LocalString("Check_files") + " " + (ec ? path : full).string() + ".\r\n"
                          + ReadFailureReason(e));
        return {};
    }
    return ImportSupports(project, file.Workbook(), messages);
}

} // namespace vartesk
