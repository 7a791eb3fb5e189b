// The main window's command table.
#include "app/command_table.h"

#include "app/main_window.h"

#include <array>
#include <cstddef>

namespace vartesk {

namespace {

using enum TAvailable;
using TF = TFormMain;

// The menus show the commands in the order of these rows.
constexpr TCommandRow kCommands[] = {
    // clang-format off
    // id                          caption                        text  hint       handler                                       when                 key             menu                 sep    bar
    {TCommand::ProjectNew,         "New_project",                 "", nullptr,     [](TF &f) { f.ActProjectNew(); },             Always,              "Ctrl+N",       TMenu::Project,     false, TToolBar::None},
    {TCommand::ProjectOpen,        "Open_project",                "", nullptr,     [](TF &f) { f.ActProjectOpen(); },            Always,              "Ctrl+O",       TMenu::Project,     false, TToolBar::None},
    {TCommand::ProjectSave,        "Save_project",                "", nullptr,     [](TF &f) { f.ActProjectSave(); },            Always,              "Ctrl+S",       TMenu::Project,     false, TToolBar::None},
    {TCommand::ProjectSaveAs,      "Save_project_as",             "", nullptr,     [](TF &f) { f.ActProjectSaveAs(); },          Always,              "Ctrl+Shift+S", TMenu::Project,     false, TToolBar::None},
    {TCommand::Undo,               "Undo",                        "", nullptr,     [](TF &f) { f.ActUndo(); },                   CanUndo,             "Ctrl+Z",       TMenu::Project,     true,  TToolBar::None},
    {TCommand::Redo,               "Redo",                        "", nullptr,     [](TF &f) { f.ActRedo(); },                   CanRedo,             "Ctrl+Shift+Z", TMenu::Project,     false, TToolBar::None},
    {TCommand::ImportFromXLS,      "Import_from_XLS",             "", nullptr,     [](TF &f) { f.ActImportFromXLS(); },          Always,              "",             TMenu::Project,     true,  TToolBar::None},
    {TCommand::ImportFromKembrin,  "Climatic_parameters_Kembrin", "", nullptr,     [](TF &f) { f.ActImportFromKembrin(); },      Always,              "",             TMenu::Project,     false, TToolBar::None},
    {TCommand::WiresGuide,         "Reference_catalog_on_wires",  "", nullptr,     [](TF &f) { f.ActWiresGuide(); },             Always,              "",             TMenu::Project,     true,  TToolBar::None},
    {TCommand::RecentProjects,     "Recent_projects",             "", nullptr,     nullptr,                                      HasRecent,           "",             TMenu::Project,     true,  TToolBar::None},
    {TCommand::Exit,               "Quit",                        "", nullptr,     [](TF &f) { f.ActExit(); },                   Always,              "Ctrl+Q",       TMenu::Project,     true,  TToolBar::None},
    {TCommand::ParcelCreate,       "Add",                         "", nullptr,     [](TF &f) { f.ActParcelCreate(); },           Always,              "",             TMenu::Sector,      false, TToolBar::Sections},
    {TCommand::ParcelEdit,         "Edit",                        "", nullptr,     [](TF &f) { f.ActParcelEdit(); },             HasSections,         "",             TMenu::Sector,      false, TToolBar::Sections},
    {TCommand::ParcelInsert,       "Paste",                       "", nullptr,     [](TF &f) { f.ActParcelInsert(); },           HasSections,         "",             TMenu::Sector,      false, TToolBar::Sections},
    {TCommand::ParcelDelete,       "Delete",                      "", nullptr,     [](TF &f) { f.ActParcelDelete(); },           HasSections,         "",             TMenu::Sector,      false, TToolBar::Sections},
    {TCommand::PillarCreate,       "Add",                         "", nullptr,     [](TF &f) { f.ActPillarCreate(); },           HasSections,         "",             TMenu::Support,     false, TToolBar::Supports},
    {TCommand::PillarEdit,         "Edit",                        "", nullptr,     [](TF &f) { f.ActPillarEdit(); },             HasSupports,         "",             TMenu::Support,     false, TToolBar::Supports},
    {TCommand::PillarCopy,         "Copy",                        "", nullptr,     [](TF &f) { f.ActPillarCopy(); },             HasSupports,         "",             TMenu::Support,     false, TToolBar::Supports},
    {TCommand::PillarInsert,       "Paste",                       "", nullptr,     [](TF &f) { f.ActPillarInsert(); },           SupportsOrClipboard, "",             TMenu::Support,     false, TToolBar::Supports},
    {TCommand::PillarDelete,       "Delete",                      "", nullptr,     [](TF &f) { f.ActPillarDelete(); },           HasSupports,         "",             TMenu::Support,     false, TToolBar::Supports},
    {TCommand::Calc1,              "Form",  " 1 (T = -30 .. +40)",    nullptr,     [](TF &f) { f.ActProjectCalc1(); },           OffDamperPage,       "",             TMenu::Calculation, false, TToolBar::None},
    {TCommand::Calc2,              "Form",  " 2 (T = -40 .. +40)",    nullptr,     [](TF &f) { f.ActProjectCalc2(); },           OffDamperPage,       "",             TMenu::Calculation, false, TToolBar::None},
    {TCommand::Calc3,              "Form",  " 3 (T = -30 .. +30)",    nullptr,     [](TF &f) { f.ActProjectCalc3(); },           OffDamperPage,       "",             TMenu::Calculation, false, TToolBar::None},
    {TCommand::CalcLoads,          "Loads",                       "", "Loads_h",   [](TF &f) { f.ActProjectCalcLoads(); },       OffDamperPage,       "",             TMenu::Calculation, false, TToolBar::None},
    {TCommand::Journal,            "Supports_catalog",            "", nullptr,     [](TF &f) { f.ActProjectJournal(); },         OffDamperPage,       "",             TMenu::Calculation, false, TToolBar::None},
    {TCommand::Sagging,            "Sagging",                     "", "Sagging_h", [](TF &f) { f.ActProjectSagging(); },         OffDamperPage,       "",             TMenu::Calculation, false, TToolBar::None},
    {TCommand::Vibromuffles,       "Vibration_dampers",           "", nullptr,     [](TF &f) { f.ActProjectVibromuffles(); },    OnDamperPage,        "",             TMenu::Calculation, false, TToolBar::None},
    {TCommand::ReportAll,          "Report_all",                  "", "Report_all_h", [](TF &f) { f.ActReportAll(); },           Always,              "",             TMenu::Calculation, true,  TToolBar::None},
    {TCommand::Curves,             "Curves",                      "", nullptr,     [](TF &f) { f.ActCurves(); },                 HasSections,         "",             TMenu::Calculation, true,  TToolBar::None},
    {TCommand::Cad,                "Supports_in_Cad",             "", nullptr,     [](TF &f) { f.ActCad(); },                    Always,              "",             TMenu::Cad,         false, TToolBar::None},
    {TCommand::SchemePreview,      "Scheme_preview",              "", nullptr,     [](TF &f) { f.ActSchemePreview(); },          Always,              "",             TMenu::Cad,         false, TToolBar::None},
    // The language's own name stays readable whichever language is on.
    {TCommand::Language,           nullptr,       "Language(Язык)",   nullptr,     [](TF &f) { f.ActSettingLanguage(); },        Always,              "",             TMenu::Setting,     false, TToolBar::None},
    {TCommand::Units,              "Units",                       "", nullptr,     [](TF &f) { f.ActUnits(); },                  Always,              "",             TMenu::Setting,     false, TToolBar::None},
    {TCommand::Help,               "Help",                        "", nullptr,     [](TF &f) { f.ActHelp(); },                   Always,              "F1",           TMenu::Help,        false, TToolBar::None},
    {TCommand::About,              "About",                       "", nullptr,     [](TF &f) { f.ActAbout(); },                  Always,              "",             TMenu::Help,        false, TToolBar::None},
    // clang-format on
};

// Every id has its row, at its own place, so a row is found by its id alone.
constexpr bool RowsInIdOrder()
{
    if (std::size(kCommands) != size_t(kCommandCount))
        return false;
    for (size_t i = 0; i < std::size(kCommands); ++i)
        if (kCommands[i].Id != TCommand(i))
            return false;
    return true;
}
static_assert(RowsInIdOrder(), "the command table has one row per command, in the ids' order");

constexpr TMenuRow kMenus[] = {
    {TMenu::Project, "Project", ""},
    {TMenu::Sector, "Sector", ""},
    {TMenu::Support, "Support", ""},
    {TMenu::Calculation, "Calculation", ""},
    {TMenu::Cad, nullptr, "CAD"},
    {TMenu::Setting, "Setting", ""},
    {TMenu::Help, "Help", ""},
};
static_assert(std::size(kMenus) == size_t(kMenuCount) - 1);

} // namespace

std::span<const TCommandRow> CommandTable()
{
    return kCommands;
}

const TCommandRow &CommandRow(TCommand command)
{
    return kCommands[size_t(command)];
}

std::span<const TMenuRow> MenuTable()
{
    return kMenus;
}

} // namespace vartesk
