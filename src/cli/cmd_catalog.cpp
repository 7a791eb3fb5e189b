// vartesk catalog: list, show, export and import the wire catalog.
#include "base/file_io.h"
#include "base/message_quote.h"
#include "base/number_text.h"
#include "base/text_format.h"
#include "base/text_formats.h"
#include "base/utf8.h"
#include "catalog/modulus_units.h"
#include "catalog/wire_groups.h"
#include "catalog/working_catalog.h"
#include "cli/catalog_option.h"
#include "cli/command.h"
#include "l10n/string_table.h"
#include "l10n/unit_labels.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>
#include <stdexcept>

namespace vartesk::cli {

namespace {

struct TSortName
{
    const char *Name;
    int Column;
};

constexpr TSortName kSortNames[] = {
    {"name", kWireColumnName},
    {"diameter", kWireColumnDiameter},
    {"area", kWireColumnSection},
    {"weight", kWireColumnWeight},
    {"modulus", kWireColumnModulus},
    {"alpha", kWireColumnThermalCoef},
};

int ParseSortName(const std::string &value)
{
    for (const auto &s : kSortNames)
        if (value == s.Name)
            return s.Column;
    throw EUsageError("--sort must be name, diameter, area, weight, modulus or alpha, not "
                      + QuoteForMessage(value));
}

// The grid of the catalog window as text: the group's name, then one row per entry.
int RunList(TCommandContext &c,
            const std::optional<std::string> &groupText,
            const std::optional<std::string> &sortText)
{
    int group = 0;
    if (groupText) {
        const auto value = TryParseInt(*groupText);
        if (!value || *value < 0 || *value >= kWireGroupCount)
            throw EUsageError("--group must be 0..7, not " + QuoteForMessage(*groupText));
        group = *value;
    }
    const int column = sortText ? ParseSortName(*sortText) : 0;

    UseCatalogFor(c.Global, c.Err);
    TWiresList &catalog = WireCatalog();
    // Sorting is not a change: the working copy is not written.
    if (column)
        catalog.SortBy(column);

    std::vector<std::vector<std::string>> rows;
    rows.push_back({LocalString("Type"),
                    LocalString("Diameter") + ", " + LocalString("mm"),
                    LocalString("Cli_area") + ", " + LocalString("mm") + "2",
                    LocalString("Cli_weight") + ", " + LocalString("kg_m"),
                    LocalString("Cli_modulus") + ", " + ModulusUnitLabel(),
                    LocalString("Cli_expansion") + ", 1/K",
                    LocalString("Group")});
    for (int i = 0; i < catalog.Count(); ++i) {
        const TWireRecord rec = catalog.Get(i);
        if (group != 0 && rec.Group != group)
            continue;
        rows.push_back({rec.Name,
                        FormatGeneral(rec.Diameter),
                        FormatGeneral(rec.Section),
                        FormatGeneral(rec.Weight),
                        FormatGeneral(ShownModulus(rec.Modulus)),
                        FormatGeneral(rec.ThermalCoef),
                        std::to_string(rec.Group)});
    }
    std::vector<size_t> widths(rows.front().size(), 0);
    for (const auto &row : rows)
        for (size_t k = 0; k < row.size(); ++k)
            widths[k] = std::max(widths[k], Utf8Length(row[k]));

    c.Out << WireGroupName(group) << "\n";
    for (const auto &row : rows) {
        std::string line;
        for (size_t k = 0; k < row.size(); ++k) {
            if (k)
                line += "  ";
            line += k != 0 ? PadLeft(row[k], widths[k]) : PadRight(row[k], widths[k]);
        }
        // The name column of a wide table pads the last column too; trim it.
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        c.Out << line << "\n";
    }
    return 0;
}

std::string Label(const char *key)
{
    std::string text = LocalString(key);
    for (size_t p; (p = text.find("\r\n")) != std::string::npos;)
        text.replace(p, 2, " ");
    return text;
}

int RunShow(TCommandContext &c, const std::string &name)
{
    UseCatalogFor(c.Global, c.Err);
    const TWiresList &catalog = WireCatalog();
    if (catalog.IndexOfName(name) < 0)
        throw std::runtime_error(FormatText(LocalString("Wire_not_found"), {name}));
    const TWireRecord rec = catalog.FindByName(name);
    const std::vector<std::pair<std::string, std::string>> lines = {
        {Label("Type"), rec.Name},
        {Label("Group"), std::to_string(rec.Group) + " " + WireGroupName(rec.Group)},
        {Label("Diameter"), FormatGeneral(rec.Diameter) + " " + LocalString("mm")},
        {Label("Sect_area"), FormatGeneral(rec.Section) + " " + LocalString("mm") + "2"},
        {Label("Weight_per"), FormatGeneral(rec.Weight) + " " + LocalString("kg_m")},
        {Label("Modulus"), FormatGeneral(ShownModulus(rec.Modulus)) + " " + ModulusUnitLabel()},
        {Label("Linear_coef"), FormatGeneral(rec.ThermalCoef) + " 1/K"},
    };
    size_t width = 0;
    for (const auto &[label, value] : lines)
        width = std::max(width, Utf8Length(label) + 1);
    for (const auto &[label, value] : lines) {
        std::string line = PadRight(label + ":", width) + "  " + value;
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        c.Out << line << "\n";
    }
    return 0;
}

int Run(TCommandContext &c)
{
    // Taken for every action so that Positional sees only words; only list accepts them.
    const auto groupText = c.Args.TakeOption("--group");
    const auto sortText = c.Args.TakeOption("--sort");
    const auto words = c.Args.Positional(1, 2);
    const std::string &action = words[0];
    auto operand = [&]() -> const std::string & {
        if (words.size() < 2)
            throw EUsageError("catalog " + action + " needs an argument");
        return words[1];
    };
    if (action != "list" && (groupText || sortText))
        throw EUsageError("--group and --sort belong to catalog list");
    if (action == "list") {
        if (words.size() > 1)
            throw EUsageError("unexpected argument " + words[1]);
        return RunList(c, groupText, sortText);
    }
    if (action == "show")
        return RunShow(c, operand());
    if (action == "export") {
        const std::string &file = operand();
        // The export is text: written over a catalog file it would leave nothing to load.
        if (SameFile(file, WorkingCatalogPath()))
            throw std::runtime_error("catalog export would overwrite the working catalog " + file
                                     + "; choose another file");
        if (c.Global.Catalog && SameFile(file, *c.Global.Catalog))
            throw std::runtime_error("catalog export would overwrite " + file
                                     + ", the catalog of this run; choose another file");
        UseCatalogFor(c.Global, c.Err);
        WireCatalog().ExportText(file);
        return 0;
    }
    if (action == "import") {
        const std::string &file = operand();
        if (c.Global.Catalog)
            throw EUsageError("catalog import replaces the working catalog; it does not take "
                              "--catalog");
        UseCatalogFor(c.Global, c.Err);
        ReportCatalogWarnings(WireCatalog().ImportText(file), c.Err);
        SaveWorkingCatalogIfChanged();
        return 0;
    }
    throw EUsageError("unknown catalog action " + QuoteForMessage(action));
}

const TCommandRegistrar kCatalog {{
    "catalog",
    "list, show, export or import the wire catalog",
    "Usage: vartesk catalog list [--group N] [--sort name|diameter|area|weight|modulus|alpha]\n"
    "       vartesk catalog show NAME\n"
    "       vartesk catalog export FILE.txt\n"
    "       vartesk catalog import FILE.txt\n\n"
    "list     the entries in catalog order, or of group N only (0 = all, the default), sorted\n"
    "         by one column for this listing only\n"
    "show     one entry; the first of that name when several share it\n"
    "export   writes the text export: name;diameter;area;weight;modulus;coefficient;group\n"
    "         (modulus in daN/mm2), one line per entry; never onto the catalog in use\n"
    "import   replaces the working catalog by a text export; the file is converted whole\n"
    "         first, so a bad line or a file without entries changes nothing. Every ';'\n"
    "         separates a field: an empty name or number is an error. A line without the\n"
    "         group field goes to group 7; empty lines are skipped.\n\n"
    "The working catalog is base_provod.dat in the shared data folder, seeded on the first\n"
    "run from the copy beside the program. With --catalog PATH, list, show and export use\n"
    "that binary catalog or .txt text export instead, and nothing is written back.\n"
    "The modulus is shown in daN/mm2, or in kN/mm2 with --units kN.\n",
    Run,
}};

} // namespace

} // namespace vartesk::cli
