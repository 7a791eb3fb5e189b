// The catalog window: the wire catalog listed by group, sorted, edited, exported and imported,
// or offered for choosing one entry.
#pragma once

#include "app/editors/wire_entry_dialog.h"
#include "catalog/wire_record.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vartesk {

class TProject;
class TWiresList;
struct TAppPort;

enum class TCatalogMode {
    Editing, // modeless, from the main window: create, edit, delete, export, import
    Selection, // modal, from the section editor: choose one entry
};

inline constexpr int kCatalogColumns = 6;

// One listed row: the entry's six texts as the grid shows them.
struct TCatalogRow
{
    int Index = -1; // in the catalog; -1 for the empty row of a group without entries
    std::array<std::string, kCatalogColumns> Texts;
};

struct TCatalogCaptions
{
    std::string Title;
    std::string WireBox;
    std::string Group;
    std::vector<std::string> Groups; // the selector: 0 the whole catalog, then groups 1..7
    std::array<std::string, kCatalogColumns> Headers; // the modulus in the current unit system
    std::string Select, Cancel; // selection mode
    std::string Create, Edit, Delete, Export, Import, Close; // editing mode
    std::array<std::string, 3> ContextMenu; // new, edit, delete
};

TCatalogCaptions CatalogCaptions();

class TFormWiresBase
{
public:
    // Registers the window's own texts, as the window does when the program creates it.
    explicit TFormWiresBase(TWiresList &catalog);

    // The project open in the main window, whose sections Delete and Edit look at; null for
    // none. It must outlive this window or be unset first.
    void SetOpenProject(const TProject *project) { OpenProject = project; }
    // The names of the open project's sections whose wire or cord is of that type, in order.
    std::vector<std::string> SectionsUsing(const std::string &name) const;

    // Before each showing: the window that shows it (the port's catalog windows) sets the mode.
    // The group chosen last stays; the first row is selected.
    void Open(TCatalogMode mode);
    TCatalogMode Mode() const { return CurrentMode; }

    // The group selector: 0 lists the whole catalog, 1..7 that group alone. Choosing selects
    // the first row; a number outside 0..7 is ignored.
    void ChooseGroup(int group);
    int Group() const { return CurrentGroup; }

    // The grid's rows, in catalog order; never empty, as a group without entries shows one
    // empty row.
    std::vector<TCatalogRow> Rows() const;
    // The row the person selected (0-based); out of range means none.
    int SelectedRow = 0;

    // A click on header 1..6 sorts the whole catalog by that column; it is not a change.
    void SortByColumn(int column);

    // Select, Edit and Delete are off while the catalog has no entries at all.
    bool CanSelect() const;
    bool CanEdit() const;
    bool CanDelete() const;

    // The commands work on the entry named in the selected row: the first entry of that name,
    // as names need not be unique. The empty row names no entry, and they do nothing there.
    // Each gives true when the catalog changed.
    //
    // The entry dialog on an empty entry of the selector's group; OK appends it and selects
    // the last row.
    bool Create(TAppPort &port);
    // The entry dialog on the entry; OK stores its values into it. A new name for a type the
    // open project uses asks first (Wire_used_rename), naming its sections; No keeps the entry.
    bool Edit(TAppPort &port);
    // After the question delete_wire, or Wire_used_delete naming the sections of the open
    // project that use the type (Yes/No); the selection stays in place, or moves up to the
    // last row when it is now beyond it. The Delete key runs it in either mode.
    bool Delete(TAppPort &port);
    // The context menu of the grid: 0 new, 1 edit, 2 delete (like Delete).
    bool ClickContextMenu(int item, TAppPort &port);
    // Selects the row; in editing mode edits its entry. True in selection mode when the
    // window is to close with that entry as the choice (see Select).
    bool DoubleClick(int row, TAppPort &port);
    // Writes the text export to the file the person chooses. Failures are told; nothing is
    // thrown.
    void Export(TAppPort &port);
    // Replaces the catalog by a text export the person chooses, tells its warnings and
    // selects the first row. A file that fails is told and leaves the catalog as it was.
    bool Import(TAppPort &port);

    // Selection mode's Select: the entry named in the selected row, nothing without one.
    std::optional<TWireRecord> Select() const;

    // The entry dialog the commands open.
    TFormWiresEdit &EntryDialog() { return Entry; }

private:
    // Catalog index of the entry the selected row names, or -1.
    int SelectedEntry() const;
    void KeepSelectionInRows();
    // The sections that lose their type when the entry at `index` no longer bears its name:
    // none when another entry bears it too, as the lookups then reach that one.
    std::vector<std::string> SectionsLosing(int index) const;

    TWiresList &Catalog;
    const TProject *OpenProject = nullptr;
    TFormWiresEdit Entry;
    TCatalogMode CurrentMode = TCatalogMode::Editing;
    int CurrentGroup = 0;
};

} // namespace vartesk
