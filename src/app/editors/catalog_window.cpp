// The catalog window's rules: rows by group, sorting, the commands and their prompts.
#include "app/editors/catalog_window.h"

#include "base/file_io.h"

#include "app/app_port.h"
#include "base/number_text.h"
#include "catalog/modulus_units.h"
#include "catalog/wire_groups.h"
#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"

#include <exception>
#include <filesystem>
#include <system_error>

namespace vartesk {

namespace {

constexpr int kNoEntry = -1;

// The file dialogs' titles are fixed texts, not entries of the string table.
const char *const kExportTitle = "Экспорт в текстовый файл";
const char *const kImportTitle = "Импорт из текстового файла";
const char *const kTextFilter = "*.txt|*.txt";
const char *const kTextExtension = "txt";

TSaveRequest TextFileRequest(const char *title)
{
    TSaveRequest request;
    request.Title = title;
    request.Filter = kTextFilter;
    request.DefaultExtension = kTextExtension;
    return request;
}

TCatalogRow RowOf(const TWireRecord &rec, int index)
{
    return {index,
            {rec.Name.str(),
             FormatGeneral(rec.Diameter),
             FormatGeneral(rec.Section),
             FormatGeneral(rec.Weight),
             FormatGeneral(ShownModulus(rec.Modulus)),
             FormatGeneral(rec.ThermalCoef)}};
}

} // namespace

TCatalogCaptions CatalogCaptions()
{
    TCatalogCaptions c;
    c.Title = LocalString("Reference_catalog_on_wires");
    c.WireBox = LocalString("Wire");
    c.Group = LocalString("Group");
    for (int g = 0; g < kWireGroupCount; ++g)
        c.Groups.push_back(WireGroupName(g));
    c.Headers = {LocalString("Type"),
                 LocalString("Diameter_"),
                 LocalString("Sect_area_"),
                 LocalString("Weight_per_"),
                 LocalString(UnitSystem() == TUnitSystem::DaN ? "Modulus_" : "Modulus_N"),
                 LocalString("Linear_coef_")};
    c.Select = LocalString("Select");
    c.Cancel = LocalString("Cancel");
    c.Create = LocalString("Create");
    c.Edit = LocalString("Edit");
    c.Delete = LocalString("Delete");
    c.Export = LocalString("Export");
    c.Import = LocalString("Import");
    c.Close = LocalString("Close");
    c.ContextMenu = {c.Create, c.Edit, c.Delete};
    return c;
}

TFormWiresBase::TFormWiresBase(TWiresList &catalog)
    : Catalog(catalog)
{
    RegisterStringGroup(kCatalog);
}

void TFormWiresBase::Open(TCatalogMode mode)
{
    CurrentMode = mode;
    SelectedRow = 0;
}

void TFormWiresBase::ChooseGroup(int group)
{
    if (group < 0 || group >= kWireGroupCount)
        return;
    CurrentGroup = group;
    SelectedRow = 0;
}

std::vector<TCatalogRow> TFormWiresBase::Rows() const
{
    std::vector<TCatalogRow> rows;
    for (int i = 0; i < Catalog.Count(); ++i) {
        const TWireRecord rec = Catalog.Get(i);
        if (CurrentGroup == 0 || rec.Group == CurrentGroup)
            rows.push_back(RowOf(rec, i));
    }
    if (rows.empty())
        rows.emplace_back();
    return rows;
}

void TFormWiresBase::SortByColumn(int column)
{
    // The selection stays on its row, as a refilled grid keeps it.
    Catalog.SortBy(column);
}

bool TFormWiresBase::CanSelect() const
{
    return Catalog.Count() > 0;
}

bool TFormWiresBase::CanEdit() const
{
    return Catalog.Count() > 0;
}

bool TFormWiresBase::CanDelete() const
{
    return Catalog.Count() > 0;
}

int TFormWiresBase::SelectedEntry() const
{
    const auto rows = Rows();
    if (SelectedRow < 0 || SelectedRow >= int(rows.size()) || rows[size_t(SelectedRow)].Index < 0)
        return kNoEntry;
    // By name, as the grid holds texts: of two entries named alike the first is reached.
    return Catalog.IndexOfName(rows[size_t(SelectedRow)].Texts[0]);
}

void TFormWiresBase::KeepSelectionInRows()
{
    const int last = int(Rows().size()) - 1;
    if (SelectedRow > last)
        SelectedRow = last;
    if (SelectedRow < 0)
        SelectedRow = 0;
}

bool TFormWiresBase::Create(TAppPort &port)
{
    TWireRecord blank;
    blank.Group = CurrentGroup;
    Entry.Load(blank);
    if (!port.Dialogs.ShowWireEntry(Entry))
        return false;
    Catalog.Add(Entry.Result());
    Catalog.CountChange();
    SelectedRow = int(Rows().size()) - 1;
    return true;
}

bool TFormWiresBase::Edit(TAppPort &port)
{
    const int index = SelectedEntry();
    if (index == kNoEntry)
        return false;
    Entry.Load(Catalog.Get(index));
    if (!port.Dialogs.ShowWireEntry(Entry))
        return false;
    Catalog.GetRef(index) = Entry.Result();
    Catalog.CountChange();
    // A new group can take the entry out of the rows listed.
    KeepSelectionInRows();
    return true;
}

bool TFormWiresBase::Delete(TAppPort &port)
{
    const int index = SelectedEntry();
    if (index == kNoEntry || !port.Messages.Ask(LocalString("delete_wire")))
        return false;
    Catalog.Delete(index);
    Catalog.CountChange();
    KeepSelectionInRows();
    return true;
}

bool TFormWiresBase::ClickContextMenu(int item, TAppPort &port)
{
    switch (item) {
    case 0:
        return Create(port);
    case 1:
        return Edit(port);
    case 2:
        return Delete(port);
    default:
        return false;
    }
}

bool TFormWiresBase::DoubleClick(int row, TAppPort &port)
{
    SelectedRow = row;
    if (CurrentMode == TCatalogMode::Selection)
        return Select().has_value();
    Edit(port);
    return false;
}

void TFormWiresBase::Export(TAppPort &port)
{
    const auto target = port.Files.ChooseSave(TextFileRequest(kExportTitle));
    if (!target)
        return;
    // Text over the binary catalog would leave nothing to load at the next start.
    if (!Catalog.FileName().empty() && SameFile(*target, Catalog.FileName())) {
        port.Messages.Tell(TMessageKind::Error,
                           IsEnglish() ? "The export would overwrite the catalog file itself; "
                                         "choose another file."
                                       : "Экспорт записал бы поверх самого файла справочника; "
                                         "выберите другой файл.");
        return;
    }
    try {
        Catalog.ExportText(*target);
    } catch (const std::exception &e) {
        port.Messages.Tell(TMessageKind::Error, e.what());
    }
}

bool TFormWiresBase::Import(TAppPort &port)
{
    const auto source = port.Open.ChooseOpen(TextFileRequest(kImportTitle));
    if (!source)
        return false;
    std::vector<std::string> warnings;
    try {
        warnings = Catalog.ImportText(*source);
    } catch (const std::exception &e) {
        port.Messages.Tell(TMessageKind::Error, e.what());
        return false;
    }
    SelectedRow = 0;
    if (!warnings.empty()) {
        std::string text;
        for (const auto &w : warnings)
            text += (text.empty() ? "" : "\r\n") + w;
        port.Messages.Tell(TMessageKind::Warning, text);
    }
    return true;
}

std::optional<TWireRecord> TFormWiresBase::Select() const
{
    const int index = SelectedEntry();
    if (index == kNoEntry)
        return std::nullopt;
    return Catalog.Get(index);
}

} // namespace vartesk
