// The catalog window's rules: rows by group, sorting, the commands and their prompts.
#include "app/editors/catalog_window.h"

#include "base/file_io.h"

#include "app/app_port.h"
#include "base/number_text.h"
#include "base/text_format.h"
#include "catalog/modulus_units.h"
#include "catalog/wire_groups.h"
#include "catalog/wires_list.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"

#include <exception>
#include <filesystem>
#include <system_error>

namespace vartesk {

namespace {

constexpr int kNoEntry = -1;

const char *const kTextFilter = "*.txt|*.txt";
const char *const kTextExtension = "txt";

// The titles are the same Russian texts in either language.
TSaveRequest TextFileRequest(const char *titleKey)
{
    TSaveRequest request;
    request.Title = LocalString(titleKey);
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

// Section names as the data warnings quote them: "A", "B" in English, «A», «B» in Russian.
std::string SectionList(const std::vector<std::string> &names)
{
    const std::string quoted = LocalString("Quoted_name");
    std::string list;
    for (const auto &name : names)
        list += (list.empty() ? "" : ", ") + FormatText(quoted, {name});
    return list;
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

std::vector<std::string> TFormWiresBase::SectionsUsing(const std::string &name) const
{
    std::vector<std::string> names;
    if (!OpenProject)
        return names;
    // As the catalog check reads a section: a conductor it does not carry is not looked up.
    for (const auto &p : OpenProject->Parcels)
        if ((p->IsProvod && p->Provod == name) || (p->IsTros && p->Tros == name))
            names.push_back(p->Name);
    return names;
}

std::vector<std::string> TFormWiresBase::SectionsLosing(int index) const
{
    const std::string name = Catalog.Get(index).Name.str();
    for (int i = 0; i < Catalog.Count(); ++i)
        if (i != index && Catalog.Get(i).Name.str() == name)
            return {};
    return SectionsUsing(name);
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
    const TWireRecord old = Catalog.Get(index);
    Entry.Load(old);
    if (!port.Dialogs.ShowWireEntry(Entry))
        return false;
    const std::string renamed = Entry.Result().Name.str();
    if (renamed != old.Name.str()) {
        if (const auto losing = SectionsLosing(index); !losing.empty()
            && !port.Messages.Ask(FormatText(LocalString("Wire_used_rename"),
                                             {old.Name.str(), SectionList(losing), renamed})))
            return false;
    }
    Catalog.GetRef(index) = Entry.Result();
    Catalog.CountChange();
    // A new group can take the entry out of the rows listed.
    KeepSelectionInRows();
    return true;
}

bool TFormWiresBase::Delete(TAppPort &port)
{
    const int index = SelectedEntry();
    if (index == kNoEntry)
        return false;
    const auto losing = SectionsLosing(index);
    const std::string question = losing.empty()
        ? LocalString("delete_wire")
        : FormatText(LocalString("Wire_used_delete"),
                     {Catalog.Get(index).Name.str(), SectionList(losing)});
    if (!port.Messages.Ask(question))
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
    const auto target = port.Files.ChooseSave(TextFileRequest("Catalog_export_title"));
    if (!target)
        return;
    // Text over the binary catalog would leave nothing to load at the next start.
    if (!Catalog.FileName().empty() && SameFile(*target, Catalog.FileName())) {
        port.Messages.Tell(TMessageKind::Error, LocalString("Catalog_export_over_itself"));
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
    const auto source = port.Open.ChooseOpen(TextFileRequest("Catalog_import_title"));
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
