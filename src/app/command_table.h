// The main window's commands as one table: what each is called, what it does, when it can
// run, its key and its place in the menus and tool bars. The state runs and enables the
// commands from it, and the desktop program builds its menus and tool bars from it.
#pragma once

#include <span>

namespace vartesk {

class TFormMain;

// The commands' ids, in the order of the table's rows.
enum class TCommand {
    ProjectNew,
    ProjectOpen,
    ProjectSave,
    ProjectSaveAs,
    Undo,
    Redo,
    ImportFromXLS,
    ImportFromKembrin,
    WiresGuide,
    RecentProjects,
    Exit,
    ParcelCreate,
    ParcelEdit,
    ParcelInsert,
    ParcelDelete,
    PillarCreate,
    PillarEdit,
    PillarCopy,
    PillarInsert,
    PillarDelete,
    Calc1,
    Calc2,
    Calc3,
    CalcLoads,
    Journal,
    Sagging,
    Vibromuffles,
    ReportAll,
    Curves,
    Cad,
    SchemePreview,
    Language,
    Units,
    Help,
    About,
};
inline constexpr int kCommandCount = int(TCommand::About) + 1;

// The menus of the menu bar, left to right.
enum class TMenu {
    None,
    Project,
    Sector,
    Support,
    Calculation,
    Cad,
    Setting,
    Help,
};
inline constexpr int kMenuCount = int(TMenu::Help) + 1;

// A tool bar; its commands are also the context menu of the grid they act on.
enum class TToolBar {
    None,
    Sections,
    Supports,
};

// When a command can run.
enum class TAvailable {
    Always,
    HasSections,
    HasSupports,
    SupportsOrClipboard, // a support to copy, or copies to paste into a section
    CanUndo,
    CanRedo,
    OffDamperPage,
    OnDamperPage,
    HasRecent,
};

struct TCommandRow
{
    TCommand Id;
    const char *Caption; // string-table key, or nullptr when Text is the whole caption
    const char *Text; // fixed text after the caption
    const char *Hint; // string-table key, or nullptr when the hint is the caption
    // What the command does; nullptr for the submenu of recent projects, which the menu
    // fills with the projects as it opens.
    void (*Handler)(TFormMain &);
    TAvailable When;
    const char *Shortcut; // portable key text, as "Ctrl+Shift+S"; empty for none
    TMenu Menu;
    bool SeparatorBefore; // in its menu
    TToolBar Bar;
};

std::span<const TCommandRow> CommandTable();
const TCommandRow &CommandRow(TCommand command);

struct TMenuRow
{
    TMenu Menu;
    const char *Caption; // string-table key, or nullptr when Text is the caption
    const char *Text;
};
std::span<const TMenuRow> MenuTable(); // TMenu::None excluded, left to right

} // namespace vartesk
