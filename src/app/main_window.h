// The main window's state and every command of the program, without a widget: the desktop
// program shows this state and forwards the person's actions to it.
#pragma once

#include "app/app_port.h"
#include "app/command_guard.h"
#include "app/command_table.h"
#include "app/editors/catalog_window.h"
#include "app/editors/climate_pages.h"
#include "app/editors/damper_input.h"
#include "app/editors/section_editor.h"
#include "app/editors/support_editor.h"
#include "app/recent_projects.h"
#include "app/results_model.h"
#include "app/support_grid.h"
#include "app/undo_history.h"
#include "l10n/string_table.h"
#include "model/project.h"

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace vartesk {

class TWiresList;

// The four navigation items, in order.
enum class TPage {
    Climate = 1,
    Coefficients = 2,
    Dampers = 3,
    Sections = 4,
};

// The main window's own captions in the current language.
struct TMainCaptions
{
    // Counts the times the captions were made: a window re-applies them when it changes,
    // that is after a change of language, and not on every refresh.
    int Version = 0;
    std::string WindowTitle;
    std::string StatusLine;
    std::array<std::string, kMenuCount> Menus; // by TMenu
    std::array<std::string, kCommandCount> Commands;
    std::array<std::string, kCommandCount> Hints;
    std::array<std::string, 4> Navigation; // the items, in order
    std::array<std::string, 4> PageTitles; // the title each page shows
    std::string Sectors, Supports; // the panel titles
    std::array<std::string, kSupportColumnCount> SupportHeaders, SupportHeaderHints;
};

// The main window. Its members are the state the screens show; the commands are its
// methods. Every change of the project is one step of the undo history.
class TFormMain
{
public:
    TFormMain(TAppPort &port, TWiresList &catalog);

    TProject Project;
    TProject SavedProject; // as last saved, loaded or created
    std::filesystem::path FileName; // empty for an unnamed project
    std::filesystem::path ProgramFolder;
    std::filesystem::path ProjectsFolder; // where the open dialog starts
    int ParcelIndex = 0;
    int PillarIndex = 0;
    int VMIndex = 0;
    TPillarList PillarClipboard; // copies taken by Copy
    TPage CurrentPage = TPage::Climate;

    // The pages and the modal windows.
    TFrameKlimat ClimatePage;
    TFrameKlimatKoef2 CoefficientPage;
    TFrameVibroMuffles DamperPage;
    TFormWiresBase CatalogWindow;
    TFormParcel SectionEditor;
    TFormPillar SupportEditor;
    TFormParcelVM SectionDampers;

    // What the grids and panels show.
    std::vector<std::string> SectionRows;
    std::vector<TSupportGridRow> SupportRows; // one empty row for a section without supports
    int SelectionFirst = 0; // the selected support rows, top to bottom
    int SelectionLast = 0;
    // The damper grid is DamperPage.Rows.
    std::string ProjectName; // the project-name panel
    std::array<bool, kCommandCount> Enabled {};
    TMainCaptions Captions;
    TRecentProjects Recent;

    // The results panel's calculations, kept per section until their inputs change.
    TResultsModel Results;
    // The current section's results, calculated again only when the section, its supports,
    // the climate, the coefficients, the catalog, the language or the units changed; null
    // without sections. The screens ask for them whenever they show the project again.
    const TSectionResults *CurrentResults();

    // When the window is first shown: captions, folders, a new project on page 1.
    void Start();
    bool IsModified() const { return !Project.Equals(SavedProject); }
    bool IsEnabled(TCommand command) const { return Enabled[size_t(command)]; }
    // Runs a command by its id, as the menus do; nothing when it is unavailable. It runs
    // guarded, as everything the desktop program forwards does.
    void Run(TCommand command);

    // Runs what the person started. An error it lets out is told, and the project and its
    // file name are put back as they were before it, with the screens showing them: no error
    // leaves a half-made change behind. False when it failed.
    template<class F>
    bool Guard(F &&action);

    // While an output is being written: its wait window lets the window system's events in,
    // and closing the window must wait until the file is complete.
    bool Writing() const { return OutputsRunning > 0; }

    void ShowProject();
    void FillGrids();
    void ShowParcel(int index);
    void ShowPillarRow(int parcel, int pillar);
    // Copies the climate and coefficient pages into the project, with `all` the damper page
    // too; a change becomes a step of the undo history.
    void TakeScreens(bool all);
    // The save prompt when the project is modified. False when the command must not go on:
    // the person cancelled the save dialog the prompt opened, or the save failed.
    bool CheckModified();
    // The catalog check before a calculation; false after its error box.
    bool CheckCatalog();
    void ShowProjectName();
    // The window's title: the project's file name, '*' while it holds unsaved changes, and
    // the program's caption.
    std::string WindowTitle() const;
    void UpdateCommands();
    void ApplyLanguage();

    // What the person selects.
    void Navigate(TPage page);
    void SelectParcel(int row);
    void SelectPillars(int first, int last); // rows of the supports grid, in any order
    void SelectDamperRow(int row);

    // Project commands.
    void ActProjectNew();
    void ActProjectOpen();
    // Opens a file without the open dialog (the command line, a recent project). True when
    // it became the current project.
    bool OpenProjectFile(const std::filesystem::path &path);
    void OpenRecent(int index);
    bool ActProjectSave();
    bool ActProjectSaveAs();
    void ActImportFromXLS();
    void ActImportFromKembrin();
    void ActImportFromVartesk() { } // kept for the menu; there is nothing to import yet
    void ActWiresGuide();
    // The window's close button and Exit: true when the window closes (the catalog is then
    // saved when it was changed). Refused without a question while an output is written.
    bool ActExit();

    // Calculation and output commands.
    void ActProjectCalc1();
    void ActProjectCalc2();
    void ActProjectCalc3();
    void ActProjectCalcLoads();
    void ActProjectJournal();
    void ActProjectSagging();
    void ActProjectVibromuffles();
    // Every output into one folder, then a summary of what was written.
    void ActReportAll();
    void ActCad();
    // The sag and tension curves of the current section, in a window.
    void ActCurves();
    // The scheme the CAD output would write, in a window.
    void ActSchemePreview();

    // Settings and help.
    void ActSettingLanguage();
    void ActUnits();
    void ActAbout();
    void ActHelp();

    // Section commands.
    void ActParcelCreate();
    void ActParcelEdit();
    void ActParcelInsert();
    void ActParcelDelete();

    // Support commands.
    void ActPillarCreate();
    void ActPillarEdit();
    void ActPillarCopy();
    void ActPillarInsert();
    void ActPillarDelete();
    void DeleteKey(); // the support delete when available, else the section delete

    // The supports grid edited in place. Its rows are the current section's supports and,
    // below them, the new-support row (row SupportCount()), where typing adds a support.
    int SupportCount() const;
    // What an edit of the cell starts from; on the new-support row, the proposal's.
    std::string SupportCellText(int row, int column) const;
    // Why the text would not go into the cell, or empty when it would.
    std::string SupportCellError(int row, int column, const std::string &text) const;
    // Takes the text into the cell as one step of the undo history; on the new-support row
    // the support that Add proposes is appended with the text in that cell. A refused text
    // is told and changes nothing. False when nothing was taken.
    bool EditSupportCell(int row, int column, const std::string &text);
    // Before the row's support, a copy of it; on the new-support row, the proposal appended.
    bool InsertSupportAt(int row);
    // Rows of tab-separated cells, as copied from a spreadsheet, columns in the grid's order,
    // inserted as new supports before the row (appended from the new-support row); cells
    // left out take the proposal's values. All or nothing: the first cell that is refused
    // is told with its row and column, and no support is added.
    bool PasteSupportRows(const std::string &text, int row);
    // The selected supports as tab-separated rows, as Copy puts them on the clipboard.
    std::string SelectedSupportsText() const;

    // Double click on the damper grid.
    void DamperRowActivated(int row);

    void ActUndo();
    void ActRedo();

private:
    template<class F>
    void Change(F &&change);
    void RefillSupports(int current);
    // The row's support as the text in that cell would make it (on the new-support row, the
    // support it would add), or why not; null when there is no such cell.
    std::unique_ptr<TPillar>
    SupportFromCell(int row, int column, const std::string &text, std::string &why) const;
    // The proposal of the new-support row.
    std::unique_ptr<TPillar> NewRowSupport() const;
    bool SaveToFile(const std::filesystem::path &path);
    bool IsAvailable(TAvailable when) const;
    enum class TReport { Form1, Form1Full, Form2, Loads, Journal, Dampers, Sagging };
    void RunReport(TReport report);
    // Before an output: the project's doubtful values in one question; true to go on.
    bool ConfirmDoubtfulValues();

    TAppPort &Port;
    TWiresList &Catalog;
    TUndoHistory History;
    int OutputsRunning = 0;
};

template<class F>
bool TFormMain::Guard(F &&action)
{
    // Copied whole: a failure can come at any point of any command, after the project, its
    // file name or only the grids have changed.
    const std::unique_ptr<TProject> before = Snapshot(Project);
    const std::filesystem::path file = FileName;
    const int current = ParcelIndex;
    if (RunGuarded(Port.Messages, action, LocalString("Project_unchanged")))
        return true;
    Project.Assign(*before);
    FileName = file;
    ShowProjectName();
    ShowProject();
    ShowParcel(current);
    return false;
}

} // namespace vartesk
