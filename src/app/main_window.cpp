// The main window's commands and refresh rules.
#include "app/main_window.h"

#include "app/about_text.h"
#include "base/file_io.h"
#include "base/number_text.h"
#include "base/text_format.h"
#include "cad/drawing.h"
#include "catalog/check_catalog.h"
#include "catalog/wires_list.h"
#include "l10n/folders.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/plausibility.h"
#include "model/projectfile/project_file.h"
#include "model/support_number.h"
#include "reports/all_outputs.h"
#include "reports/cad_command.h"
#include "reports/climate_import.h"
#include "reports/damper_report.h"
#include "reports/journal_report.h"
#include "reports/output_command.h"
#include "reports/sagging_report.h"
#include "reports/stringing_report.h"
#include "reports/support_import.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

namespace vartesk {

namespace {

constexpr const char *kApplicationTitle = "Vartesk";

// The dialogs' own titles and filters; the titles are the program's fixed Russian texts.
const TSaveRequest kOpenProject {
    "Открытие проекта - VarteskDamp", "*.vsk|*.vsk", "vsk", "*.vsk", {}};
const TSaveRequest kSaveProject {"Сохранение проекта - Ostrel", "*.vsk|*.vsk", "vsk", "", {}};
const TSaveRequest kImportWorkbook {
    "Импорт данных из файла XLS", "*.xls|*.xls", "xls", "*.xls", {}};
const TSaveRequest kImportClimate {"Импорт данных из Kembrin", "*.kbh|*.kbh", "kbh", "", {}};
const TSaveRequest kSaveReport {"", "*.xls|*.xls", "xls", "*.xls", {}};

// Doubtful values listed in the question before an output; a line of ten thousand supports
// with a slip in each would otherwise make a box taller than any screen.
constexpr size_t kDoubtfulShown = 20;

// An output counts as being written for as long as this lives.
class TOutputScope
{
public:
    explicit TOutputScope(int &running)
        : Running(running)
    {
        ++Running;
    }
    ~TOutputScope() { --Running; }
    TOutputScope(const TOutputScope &) = delete;
    TOutputScope &operator=(const TOutputScope &) = delete;

private:
    int &Running;
};

// The file's name without its folder and without everything from its first ".".
std::string BaseName(const std::filesystem::path &path)
{
    const std::string name = path.filename().string();
    return name.substr(0, name.find('.'));
}

} // namespace

TFormMain::TFormMain(TAppPort &port, TWiresList &catalog)
    : CatalogWindow(catalog)
    , SectionEditor(CatalogWindow)
    , Port(port)
    , Catalog(catalog)
{
    // Deleting or renaming a type warns when this project uses it.
    CatalogWindow.SetOpenProject(&Project);
}

// Every change of the project goes through here: the pages' values first (they are a step of
// their own when they changed), then the change, recorded when it changed anything.
template<class F>
void TFormMain::Change(F &&change)
{
    TakeScreens(true);
    auto before = Snapshot(Project);
    change();
    if (!Project.Equals(*before))
        History.Push(std::move(before));
    UpdateCommands();
}

void TFormMain::Start()
{
    ApplyLanguage();
    ProgramFolder = vartesk::ProgramFolder();
    std::error_code ec;
    ProjectsFolder = ProgramFolder / "Projects";
    if (!std::filesystem::is_directory(ProjectsFolder, ec)) {
        // An installed program's folder holds no projects; the home folder is where a
        // person's files are.
        const char *home = std::getenv("HOME");
        ProjectsFolder = home && *home ? std::filesystem::path(home) : std::filesystem::path();
    }
    Recent.Load();
    Project.Clear();
    SavedProject.Assign(Project);
    PillarClipboard.Clear();
    History.Clear();
    CurrentPage = TPage::Climate;
    ShowProject();
    Navigate(TPage::Climate);
    UpdateCommands();
}

void TFormMain::Run(TCommand command)
{
    const TCommandRow &row = CommandRow(command);
    if (IsEnabled(command) && row.Handler)
        Guard([&] { row.Handler(*this); });
}

// ---- refresh ----

void TFormMain::ShowProject()
{
    ClimatePage.Load(Project.Klimat);
    CoefficientPage.Load(Project.KlimatKoef);
    DamperPage.Load(Project);
    FillGrids();
}

void TFormMain::FillGrids()
{
    SectionRows.clear();
    for (const auto &p : Project.Parcels)
        SectionRows.push_back(p->Name);
    DamperPage.FillRows(Project.Parcels);
    VMIndex = std::clamp(VMIndex, 0, std::max(0, Project.Parcels.Count() - 1));
    ShowParcel(0);
}

void TFormMain::ShowParcel(int index)
{
    if (Project.Parcels.Count() == 0) {
        ParcelIndex = 0;
        RefillSupports(0);
    } else {
        ParcelIndex = std::clamp(index, 0, Project.Parcels.Count() - 1);
        RefillSupports(0);
    }
    UpdateCommands();
}

void TFormMain::RefillSupports(int current)
{
    SupportRows.clear();
    if (Project.Parcels.Count() > 0)
        for (const auto &p : Project.Parcels.Get(ParcelIndex).Pillars)
            SupportRows.push_back(SupportGridRow(*p));
    const int count = int(SupportRows.size());
    if (count == 0)
        SupportRows.push_back({});
    PillarIndex = std::clamp(current, 0, std::max(0, count - 1));
    SelectionFirst = SelectionLast = PillarIndex;
}

void TFormMain::ShowPillarRow(int parcel, int pillar)
{
    if (parcel != ParcelIndex || pillar < 0 || pillar >= int(SupportRows.size()))
        return;
    SupportRows[size_t(pillar)] = SupportGridRow(Project.Parcels.Get(parcel).Pillars.Get(pillar));
}

void TFormMain::TakeScreens(bool all)
{
    // The pages touch three small records: only a change of theirs costs a copy of the line.
    const TKlimat klimat = Project.Klimat;
    const TKlimatKoef koef = Project.KlimatKoef;
    const TVM_Data vm = Project.VMData;
    ClimatePage.Store(Project.Klimat);
    CoefficientPage.Store(Project.KlimatKoef);
    if (all)
        DamperPage.Store(Project.VMData);
    if (Project.Klimat.Equals(klimat) && Project.KlimatKoef.Equals(koef)
        && Project.VMData.Equals(vm))
        return;
    auto before = Snapshot(Project);
    before->Klimat.Assign(klimat);
    before->KlimatKoef.Assign(koef);
    before->VMData.Assign(vm);
    History.Push(std::move(before));
    UpdateCommands();
}

bool TFormMain::CheckModified()
{
    TakeScreens(true);
    if (!IsModified() || !Port.Dialogs.AskSaveProject())
        return true;
    // Cancelling the save dialog of an unnamed project, or a save that failed, keeps the
    // project: going on would lose the changes the person just asked to save.
    return ActProjectSave();
}

bool TFormMain::CheckCatalog()
{
    if (const auto missing = vartesk::CheckCatalog(Project, Catalog)) {
        Port.Messages.Tell(TMessageKind::Error, *missing);
        return false;
    }
    return true;
}

std::string TFormMain::WindowTitle() const
{
    const std::string name
        = FileName.empty() ? LocalString("Untitled") : FileName.filename().string();
    return name + (IsModified() ? "*" : "") + " - " + Captions.WindowTitle;
}

void TFormMain::ShowProjectName()
{
    ProjectName
        = FileName.empty() ? std::string() : LocalString("Project") + ": " + BaseName(FileName);
}

bool TFormMain::IsAvailable(TAvailable when) const
{
    const int sections = Project.Parcels.Count();
    const int supports = sections > 0 ? Project.Parcels.Get(ParcelIndex).Pillars.Count() : 0;
    switch (when) {
    case TAvailable::Always:
        return true;
    case TAvailable::HasSections:
        return sections > 0;
    case TAvailable::HasSupports:
        return supports > 0;
    case TAvailable::SupportsOrClipboard:
        return supports > 0 || (sections > 0 && PillarClipboard.Count() > 0);
    case TAvailable::CanUndo:
        return History.CanUndo();
    case TAvailable::CanRedo:
        return History.CanRedo();
    case TAvailable::OffDamperPage:
        return CurrentPage != TPage::Dampers;
    case TAvailable::OnDamperPage:
        return CurrentPage == TPage::Dampers;
    case TAvailable::HasRecent:
        return !Recent.Items().empty();
    }
    return false;
}

void TFormMain::UpdateCommands()
{
    for (const TCommandRow &row : CommandTable())
        Enabled[size_t(row.Id)] = IsAvailable(row.When);
}

void TFormMain::ApplyLanguage()
{
    TMainCaptions &c = Captions;
    c.WindowTitle
        = std::string(kApplicationTitle) + " - " + LocalString("Calculation_of_mounting_stresses");
    c.StatusLine = "   Lorvana - " + LocalString("designing_OHL");
    for (const TMenuRow &menu : MenuTable())
        c.Menus[size_t(menu.Menu)] = (menu.Caption ? LocalString(menu.Caption) : "") + menu.Text;
    for (const TCommandRow &row : CommandTable()) {
        std::string &caption = c.Commands[size_t(row.Id)];
        caption = (row.Caption ? LocalString(row.Caption) : "") + row.Text;
        c.Hints[size_t(row.Id)] = row.Hint ? LocalString(row.Hint) : caption;
    }
    c.Navigation = {LocalString("Climatic_conditions"),
                    LocalString("Climatic_parameters"),
                    LocalString("Vibration_dampers"),
                    LocalString("Mounting_tables_plus")};
    c.PageTitles = {c.Navigation[0],
                    LocalString("Climatic_param_title"),
                    c.Navigation[2],
                    LocalString("Mounting_tables")};
    c.Sectors = LocalString("Sectors");
    c.Supports = LocalString("Supports");
    for (const TSupportColumnRow &column : SupportColumns()) {
        c.SupportHeaders[size_t(column.Id)] = LocalString(column.Caption);
        c.SupportHeaderHints[size_t(column.Id)] = LocalString(column.Hint);
    }
    ++c.Version;
    // The grids' texts are in the language too.
    if (!SupportRows.empty())
        RefillSupports(PillarIndex);
    ShowProjectName();
}

// ---- selection ----

void TFormMain::Navigate(TPage page)
{
    if (page != CurrentPage) {
        // Leaving a page keeps what was typed on it.
        if (CurrentPage == TPage::Dampers)
            TakeScreens(true);
        else if (CurrentPage != TPage::Sections)
            TakeScreens(false);
    }
    CurrentPage = page;
    UpdateCommands();
}

void TFormMain::SelectParcel(int row)
{
    if (row >= 0 && row < Project.Parcels.Count())
        ShowParcel(row);
}

void TFormMain::SelectPillars(int first, int last)
{
    const int count
        = Project.Parcels.Count() > 0 ? Project.Parcels.Get(ParcelIndex).Pillars.Count() : 0;
    if (count == 0)
        return;
    first = std::clamp(first, 0, count - 1);
    last = std::clamp(last, 0, count - 1);
    PillarIndex = last;
    SelectionFirst = std::min(first, last);
    SelectionLast = std::max(first, last);
}

void TFormMain::SelectDamperRow(int row)
{
    if (row >= 0 && row < int(DamperPage.Rows.size()))
        VMIndex = row;
}

// ---- project commands ----

void TFormMain::ActProjectNew()
{
    if (!CheckModified())
        return;
    Project.Clear();
    FileName.clear();
    ProjectName.clear();
    PillarClipboard.Clear();
    History.Clear();
    ShowProject();
    UpdateCommands();
    SavedProject.Assign(Project);
}

void TFormMain::ActProjectOpen()
{
    if (!CheckModified())
        return;
    TSaveRequest request = kOpenProject;
    request.InitialFolder = ProjectsFolder;
    if (const auto path = Port.Open.ChooseOpen(request))
        OpenProjectFile(*path);
}

bool TFormMain::OpenProjectFile(const std::filesystem::path &path)
{
    // Read aside: a file that stops part-way leaves the current project and its name as they
    // were, so no later Save can put a half-read project over any file.
    TProject loaded;
    std::vector<std::string> warnings;
    try {
        warnings = LoadProjectFile(path, loaded);
    } catch (const EProjectFileError &e) {
        Port.Messages.Tell(TMessageKind::Error,
                           path.string() + ", line " + std::to_string(e.Line) + ": " + e.what());
        return false;
    } catch (const std::exception &e) {
        Port.Messages.Tell(TMessageKind::Error, e.what());
        return false;
    }
    Project.Assign(loaded);
    FileName = path;
    History.Clear();
    ShowProject();
    UpdateCommands();
    ShowProjectName();
    SavedProject.Assign(Project);
    PillarClipboard.Clear();
    UpdateCommands();
    if (path.has_parent_path())
        ProjectsFolder = path.parent_path();
    Recent.Add(path);
    UpdateCommands();
    if (!warnings.empty()) {
        std::string text = path.string() + ":";
        for (const auto &w : warnings)
            text += "\n" + w;
        Port.Messages.Tell(TMessageKind::Warning, text);
    }
    return true;
}

void TFormMain::OpenRecent(int index)
{
    if (index < 0 || index >= int(Recent.Items().size()))
        return;
    const std::filesystem::path path = Recent.Items()[size_t(index)];
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        Port.Messages.Tell(TMessageKind::Warning,
                           FormatText(LocalString("Recent_missing"), {path.string()}));
        Recent.Remove(path);
        UpdateCommands();
        return;
    }
    if (CheckModified())
        OpenProjectFile(path);
}

bool TFormMain::ActProjectSave()
{
    if (FileName.empty()) {
        TSaveRequest request = kSaveProject;
        request.InitialFolder = ProjectsFolder;
        const auto path = Port.Files.ChooseSave(request);
        if (!path)
            return false;
        return SaveToFile(*path);
    }
    return SaveToFile(FileName);
}

bool TFormMain::ActProjectSaveAs()
{
    TSaveRequest request = kSaveProject;
    request.InitialName = FileName.filename().string();
    request.InitialFolder = FileName.empty() ? ProjectsFolder : FileName.parent_path();
    const auto path = Port.Files.ChooseSave(request);
    return path && SaveToFile(*path);
}

bool TFormMain::SaveToFile(const std::filesystem::path &path)
{
    TakeScreens(true);
    try {
        SaveProjectFile(path, Project);
    } catch (const std::exception &e) {
        // The previous file stays as it was; the project stays modified.
        Port.Messages.Tell(TMessageKind::Error, e.what());
        return false;
    }
    // The name becomes current only once the file holds the project.
    FileName = path;
    ShowProjectName();
    SavedProject.Assign(Project);
    UpdateCommands();
    Recent.Add(path);
    UpdateCommands();
    Port.Messages.Tell(TMessageKind::Information, LocalString("File_saved"));
    return true;
}

void TFormMain::ActImportFromXLS()
{
    if (!CheckModified())
        return;
    const auto path = Port.Open.ChooseOpen(kImportWorkbook);
    if (!path)
        return;
    bool imported = false;
    Change([&] {
        TWaitScope wait(Port.Wait, LocalString("Import_data"), 0);
        imported = ImportSupportsFromFile(Project, *path, Port.Messages).Sections > 0;
    });
    if (!imported)
        return;
    // The imported project has no file yet: Save asks for one, so the workbook can only be
    // replaced by a person who chooses it.
    FileName.clear();
    PillarClipboard.Clear();
    ShowProject();
    UpdateCommands();
    ShowProjectName();
}

void TFormMain::ActImportFromKembrin()
{
    const auto path = Port.Open.ChooseOpen(kImportClimate);
    if (!path)
        return;
    Change([&] { ImportClimate(Project, *path, Port.Messages); });
    const int current = ParcelIndex;
    ShowProject();
    ShowParcel(current);
}

void TFormMain::ActWiresGuide()
{
    CatalogWindow.Open(TCatalogMode::Editing);
    Port.Dialogs.ShowCatalog(CatalogWindow);
}

bool TFormMain::ActExit()
{
    if (Writing())
        return false;
    if (!CheckModified())
        return false;
    if (!Port.Messages.Ask(LocalString("quit_the_program")))
        return false;
    try {
        Catalog.SaveIfChanged();
    } catch (const std::exception &e) {
        Port.Messages.Tell(TMessageKind::Error, e.what());
    }
    return true;
}

// ---- output commands ----

bool TFormMain::ConfirmDoubtfulValues()
{
    const std::vector<std::string> doubts = PlausibilityWarnings(Project);
    if (doubts.empty())
        return true;
    std::string text = LocalString("Doubtful_values");
    const size_t shown = std::min(doubts.size(), kDoubtfulShown);
    for (size_t i = 0; i < shown; ++i)
        text += "\r\n• " + doubts[i];
    if (doubts.size() > shown)
        text += "\r\n"
            + FormatText(LocalString("Doubtful_more"), {std::to_string(doubts.size() - shown)});
    return Port.Messages.Ask(text + "\r\n\r\n" + LocalString("Doubtful_go_on"));
}

void TFormMain::RunReport(TReport report)
{
    TakeScreens(report == TReport::Dampers);
    // A missing type stops the command before the question about values could matter.
    if ((report != TReport::Dampers && !CheckCatalog()) || !ConfirmDoubtfulValues())
        return;
    const TOutputScope writing(OutputsRunning);
    const std::filesystem::path forms = FormsFolder();
    TOutputCommand command;
    command.CheckTypes = report != TReport::Dampers;
    command.Save = kSaveReport;
    command.Save.InitialFolder = FileName.empty() ? ProjectsFolder : FileName.parent_path();
    command.WaitText = LocalString("Port_to_Excel");
    command.Steps
        = (report == TReport::Journal || report == TReport::Dampers || report == TReport::Sagging
               ? 1
               : 2)
        * Project.Parcels.Count();
    command.Inputs = {{FileName, TInputFile::Project}};
    TUserPort port = Port.User();
    // The writers set the last span of a section to 0 as they go; that is a change of the
    // project like any other, and can be undone.
    Change([&] {
        RunOutputCommand(
            Project, Catalog, port, command, [&](const auto &target, TWaitScope &wait) {
                const auto stringing = [&](TStringingReport kind) {
                    return WriteStringingReport(
                        kind, Project, Catalog, forms, target, port.Messages, &wait);
                };
                TReportOutcome outcome;
                switch (report) {
                case TReport::Form1:
                    outcome = stringing(TStringingReport::Form1);
                    break;
                case TReport::Form1Full:
                    outcome = stringing(TStringingReport::Form1Full);
                    break;
                case TReport::Form2:
                    outcome = stringing(TStringingReport::Form2);
                    break;
                case TReport::Loads:
                    outcome = stringing(TStringingReport::Loads);
                    break;
                case TReport::Journal:
                    outcome = WriteJournal(Project, Catalog, forms, target, port.Messages, &wait);
                    break;
                case TReport::Dampers:
                    outcome
                        = WriteDamperReport(Project, Catalog, forms, target, port.Messages, &wait);
                    break;
                case TReport::Sagging:
                    outcome
                        = WriteSaggingReport(Project, Catalog, forms, target, port.Messages, &wait);
                    break;
                }
                return outcome.Written;
            });
    });
}

void TFormMain::ActProjectCalc1()
{
    RunReport(TReport::Form1);
}

void TFormMain::ActProjectCalc2()
{
    RunReport(TReport::Form1Full);
}

void TFormMain::ActProjectCalc3()
{
    RunReport(TReport::Form2);
}

void TFormMain::ActProjectCalcLoads()
{
    RunReport(TReport::Loads);
}

void TFormMain::ActProjectJournal()
{
    RunReport(TReport::Journal);
}

void TFormMain::ActProjectSagging()
{
    RunReport(TReport::Sagging);
}

void TFormMain::ActProjectVibromuffles()
{
    RunReport(TReport::Dampers);
}

void TFormMain::ActReportAll()
{
    TakeScreens(true);
    if (!CheckCatalog() || !ConfirmDoubtfulValues())
        return;
    const TOutputScope writing(OutputsRunning);
    TAllOutputsCommand command;
    command.Forms = FormsFolder();
    command.BaseName = OutputsBaseName(FileName);
    command.Folder.Title = LocalString("Report_all_title");
    command.Folder.InitialFolder = FileName.empty() ? ProjectsFolder : FileName.parent_path();
    command.Inputs = {{FileName, TInputFile::Project}};
    TUserPort port = Port.User();
    // Each output is written from a copy: the project itself stays as it is.
    const auto outcome = WriteAllOutputs(Project, Catalog, port, command);
    if (!outcome)
        return;
    Port.Messages.Tell(outcome->Complete() ? TMessageKind::Information : TMessageKind::Warning,
                       AllOutputsSummary(*outcome));
    if (outcome->WrittenCount() > 0)
        Port.Desktop.Open(outcome->Folder);
}

void TFormMain::ActCad()
{
    // The scheme is drawn from the values on the pages too, so they are taken first.
    TakeScreens(true);
    if (!CheckCatalog() || !ConfirmDoubtfulValues())
        return;
    const TOutputScope writing(OutputsRunning);
    TUserPort port = Port.User();
    Change([&] { RunCadCommand(Project, Catalog, port, FileName); });
}

void TFormMain::ActCurves()
{
    TakeScreens(true);
    if (Project.Parcels.Count() == 0 || !CheckCatalog())
        return;
    Port.Dialogs.ShowCurves(Project, Catalog, FileName, ParcelIndex);
}

void TFormMain::ActSchemePreview()
{
    TakeScreens(true);
    if (!CheckCatalog() || !ConfirmDoubtfulValues())
        return;
    TUserPort port = Port.User();
    if (std::optional<TDrawing> drawing = PreviewScheme(Project, Catalog, port))
        Port.Dialogs.ShowScheme(std::move(*drawing));
}

// ---- settings and help ----

void TFormMain::ActSettingLanguage()
{
    const auto language = Port.Dialogs.ChooseLanguage(CurrentLanguage());
    if (!language)
        return;
    TakeScreens(true);
    try {
        SetLanguage(*language);
    } catch (const std::exception &e) {
        Port.Messages.Tell(TMessageKind::Warning, e.what());
    }
    ApplyLanguage();
    const int current = ParcelIndex;
    ShowProject();
    ShowParcel(current);
}

void TFormMain::ActUnits()
{
    const auto units = Port.Dialogs.ChooseUnits(UnitSystem());
    if (!units)
        return;
    try {
        SetUnitSystem(*units);
    } catch (const std::exception &e) {
        Port.Messages.Tell(TMessageKind::Warning, e.what());
    }
}

void TFormMain::ActAbout()
{
    Port.Dialogs.ShowAbout();
}

void TFormMain::ActHelp()
{
    const std::filesystem::path document = HelpTarget();
    if (document.empty())
        return;
    // The help document is for the desktop's reader; the guide is plain Markdown, which the
    // program shows itself rather than leaving it to whatever opens text files.
    if (!IsUserGuide(document))
        return Port.Desktop.Open(document);
    constexpr std::uintmax_t kGuideLimit = 4 << 20;
    Port.Dialogs.ShowGuide(ReadFileBytes(document, kGuideLimit));
}

// ---- section commands ----

void TFormMain::ActParcelCreate()
{
    auto section = std::make_unique<TParcel>();
    SectionEditor.LoadParcel(*section);
    if (!Port.Dialogs.ShowSectionEditor(SectionEditor))
        return;
    Change([&] {
        SectionEditor.StoreParcel(*section);
        Project.Parcels.Add(std::move(section));
        ShowProject();
        ShowParcel(Project.Parcels.Count() - 1);
    });
}

void TFormMain::ActParcelEdit()
{
    if (Project.Parcels.Count() == 0)
        return;
    TParcel &section = Project.Parcels.Get(ParcelIndex);
    SectionEditor.LoadParcel(section);
    if (!Port.Dialogs.ShowSectionEditor(SectionEditor))
        return;
    Change([&] {
        SectionEditor.StoreParcel(section);
        SectionRows[size_t(ParcelIndex)] = section.Name;
        DamperPage.RefreshRow(ParcelIndex, section);
    });
}

void TFormMain::ActParcelInsert()
{
    if (Project.Parcels.Count() == 0)
        return;
    auto section = std::make_unique<TParcel>();
    section->Assign(Project.Parcels.Get(ParcelIndex));
    section->Name.clear();
    section->Pillars.Clear();
    SectionEditor.LoadParcel(*section);
    if (!Port.Dialogs.ShowSectionEditor(SectionEditor))
        return;
    Change([&] {
        SectionEditor.StoreParcel(*section);
        const int at = ParcelIndex;
        Project.Parcels.Insert(at, std::move(section));
        ShowProject();
        ShowParcel(at);
    });
}

void TFormMain::ActParcelDelete()
{
    if (Project.Parcels.Count() == 0 || !Port.Messages.Ask(LocalString("Deleting_sector")))
        return;
    Change([&] {
        Project.Parcels.Delete(ParcelIndex);
        ShowProject();
    });
}

// ---- support commands ----

void TFormMain::ActPillarCreate()
{
    if (Project.Parcels.Count() == 0)
        return;
    TPillarList &list = Project.Parcels.Get(ParcelIndex).Pillars;
    const bool follows = list.Count() > 0;
    auto support = ProposedSupport(follows ? &list.Get(list.Count() - 1) : nullptr, list.Step);
    SupportEditor.LoadPillar(*support);
    if (!Port.Dialogs.ShowSupportEditor(SupportEditor))
        return;
    Change([&] {
        SupportEditor.StorePillar(*support);
        if (follows)
            list.Step = CompareNumber(*support, list.Get(list.Count() - 1));
        list.Add(std::move(support));
        RefillSupports(list.Count() - 1);
    });
}

void TFormMain::ActPillarEdit()
{
    if (Project.Parcels.Count() == 0)
        return;
    TPillarList &list = Project.Parcels.Get(ParcelIndex).Pillars;
    if (list.Count() == 0)
        return;
    TPillar &support = list.Get(PillarIndex);
    SupportEditor.LoadPillar(support);
    if (!Port.Dialogs.ShowSupportEditor(SupportEditor))
        return;
    Change([&] {
        SupportEditor.StorePillar(support);
        ShowPillarRow(ParcelIndex, PillarIndex);
    });
}

void TFormMain::ActPillarCopy()
{
    if (Project.Parcels.Count() == 0)
        return;
    const TPillarList &list = Project.Parcels.Get(ParcelIndex).Pillars;
    if (list.Count() == 0)
        return;
    PillarClipboard.Clear();
    for (int i = SelectionFirst; i <= SelectionLast && i < list.Count(); ++i) {
        auto copy = std::make_unique<TPillar>();
        copy->Assign(list.Get(i));
        PillarClipboard.Add(std::move(copy));
    }
    UpdateCommands();
}

void TFormMain::ActPillarInsert()
{
    if (Project.Parcels.Count() == 0)
        return;
    TPillarList &list = Project.Parcels.Get(ParcelIndex).Pillars;
    if (PillarClipboard.Count() > 0) {
        Change([&] {
            for (int i = 0; i < PillarClipboard.Count(); ++i) {
                auto copy = std::make_unique<TPillar>();
                copy->Assign(PillarClipboard.Get(i));
                if (list.Count() == 0)
                    list.Add(std::move(copy));
                else
                    list.Insert(PillarIndex + i, std::move(copy));
            }
            PillarClipboard.Clear();
            RefillSupports(PillarIndex);
        });
        return;
    }
    if (list.Count() == 0)
        return;
    auto support = std::make_unique<TPillar>();
    support->Assign(list.Get(PillarIndex));
    SupportEditor.LoadPillar(*support);
    if (!Port.Dialogs.ShowSupportEditor(SupportEditor))
        return;
    Change([&] {
        SupportEditor.StorePillar(*support);
        list.Insert(PillarIndex, std::move(support));
        RefillSupports(PillarIndex);
    });
}

void TFormMain::ActPillarDelete()
{
    if (Project.Parcels.Count() == 0)
        return;
    TPillarList &list = Project.Parcels.Get(ParcelIndex).Pillars;
    if (list.Count() == 0 || !Port.Messages.Ask(LocalString("delete_support")))
        return;
    Change([&] {
        const int last = std::min(SelectionLast, list.Count() - 1);
        for (int i = last; i >= SelectionFirst; --i)
            list.Delete(i);
        RefillSupports(PillarIndex);
    });
}

void TFormMain::DeleteKey()
{
    if (IsEnabled(TCommand::PillarDelete))
        ActPillarDelete();
    else if (IsEnabled(TCommand::ParcelDelete))
        ActParcelDelete();
}

// ---- the supports grid edited in place ----

int TFormMain::SupportCount() const
{
    return Project.Parcels.Count() > 0 ? Project.Parcels.Get(ParcelIndex).Pillars.Count() : 0;
}

std::unique_ptr<TPillar> TFormMain::NewRowSupport() const
{
    const TPillarList &list = Project.Parcels.Get(ParcelIndex).Pillars;
    return GridProposal(list.Count() > 0 ? &list.Get(list.Count() - 1) : nullptr, list.Step);
}

std::unique_ptr<TPillar>
TFormMain::SupportFromCell(int row, int column, const std::string &text, std::string &why) const
{
    why.clear();
    if (Project.Parcels.Count() == 0 || column < 0 || column >= kSupportColumnCount || row < 0
        || row > SupportCount())
        return nullptr;
    const TPillarList &list = Project.Parcels.Get(ParcelIndex).Pillars;
    std::unique_ptr<TPillar> support;
    if (row < list.Count()) {
        support = std::make_unique<TPillar>();
        support->Assign(list.Get(row));
        // The text the cell started from leaves the support as it is, even where the editor
        // would not take it (a dead-end support's type).
        if (text == SupportColumn(column).Text(*support))
            return support;
    } else {
        support = NewRowSupport();
    }
    why = TakeSupportCell(*support, column, text);
    return support;
}

std::string TFormMain::SupportCellText(int row, int column) const
{
    if (Project.Parcels.Count() == 0 || column < 0 || column >= kSupportColumnCount || row < 0
        || row > SupportCount())
        return {};
    const TPillarList &list = Project.Parcels.Get(ParcelIndex).Pillars;
    return SupportColumn(column).Text(row < list.Count() ? list.Get(row) : *NewRowSupport());
}

std::string TFormMain::SupportCellError(int row, int column, const std::string &text) const
{
    std::string why;
    SupportFromCell(row, column, text, why);
    return why;
}

bool TFormMain::EditSupportCell(int row, int column, const std::string &text)
{
    std::string why;
    std::unique_ptr<TPillar> support = SupportFromCell(row, column, text, why);
    if (!support)
        return false;
    if (!why.empty()) {
        Port.Messages.Tell(
            TMessageKind::Error,
            FormatText(LocalString("Cell_refused"),
                       {std::to_string(row + 1), LocalString(SupportColumn(column).Caption), why}));
        return false;
    }
    TPillarList &list = Project.Parcels.Get(ParcelIndex).Pillars;
    Change([&] {
        if (row < list.Count()) {
            list.Get(row).Assign(*support);
            ShowPillarRow(ParcelIndex, row);
            PillarIndex = SelectionFirst = SelectionLast = row;
            return;
        }
        // As Add: the direction of numbering follows the number entered.
        if (list.Count() > 0)
            list.Step = CompareNumber(*support, list.Get(list.Count() - 1));
        list.Add(std::move(support));
        RefillSupports(row);
    });
    return true;
}

bool TFormMain::InsertSupportAt(int row)
{
    if (Project.Parcels.Count() == 0 || row < 0 || row > SupportCount())
        return false;
    TPillarList &list = Project.Parcels.Get(ParcelIndex).Pillars;
    if (row == list.Count())
        return EditSupportCell(row, 0, SupportCellText(row, 0));
    auto support = std::make_unique<TPillar>();
    support->Assign(list.Get(row));
    Change([&] {
        list.Insert(row, std::move(support));
        RefillSupports(row);
    });
    return true;
}

bool TFormMain::PasteSupportRows(const std::string &text, int row)
{
    if (Project.Parcels.Count() == 0)
        return false;
    TPillarList &list = Project.Parcels.Get(ParcelIndex).Pillars;
    row = std::clamp(row, 0, list.Count());
    const bool appending = row == list.Count();
    const auto refuse = [&](const std::string &message) {
        Port.Messages.Tell(TMessageKind::Error, message);
        return false;
    };
    // Made aside first: each row's proposal follows the row before it, and a refused cell
    // leaves the section untouched.
    std::vector<std::unique_ptr<TPillar>> made;
    const TPillar *before = row > 0 ? &list.Get(row - 1) : nullptr;
    int step = list.Step;
    const std::vector<std::vector<std::string>> rows = ReadTabText(text);
    for (size_t r = 0; r < rows.size(); ++r) {
        const std::vector<std::string> &cells = rows[r];
        size_t count = cells.size();
        // A spreadsheet's selection may be wider than what it holds.
        while (count > 0 && cells[count - 1].empty())
            --count;
        if (count == 0)
            continue;
        const std::string line = std::to_string(r + 1);
        if (count > size_t(kSupportColumnCount))
            return refuse(
                FormatText(LocalString("Paste_too_many_cells"),
                           {line, std::to_string(count), std::to_string(kSupportColumnCount)}));
        auto support = GridProposal(before, step);
        for (size_t c = 0; c < count; ++c)
            if (std::string why = TakeSupportCell(*support, int(c), cells[c]); !why.empty())
                return refuse(FormatText(LocalString("Paste_refused"),
                                         {line, LocalString(SupportColumn(int(c)).Caption), why}));
        if (appending && before)
            step = CompareNumber(*support, *before);
        before = support.get();
        made.push_back(std::move(support));
    }
    if (made.empty())
        return false;
    Change([&] {
        for (size_t i = 0; i < made.size(); ++i)
            list.Insert(row + int(i), std::move(made[i]));
        if (appending)
            list.Step = step;
        RefillSupports(row);
        SelectionLast = row + int(made.size()) - 1;
    });
    return true;
}

std::string TFormMain::SelectedSupportsText() const
{
    if (Project.Parcels.Count() == 0)
        return {};
    return SupportRowsText(Project.Parcels.Get(ParcelIndex).Pillars, SelectionFirst, SelectionLast);
}

void TFormMain::DamperRowActivated(int row)
{
    TakeScreens(true);
    if (Project.Parcels.Count() == 0)
        return;
    SelectDamperRow(row);
    TParcel &section = Project.Parcels.Get(VMIndex);
    SectionDampers.Load(section, Project.VMData.IsNord, Catalog);
    if (!Port.Dialogs.ShowSectionDampers(SectionDampers))
        return;
    Change([&] {
        SectionDampers.Store(section);
        DamperPage.RefreshRow(VMIndex, section);
    });
}

// ---- results ----

const TSectionResults *TFormMain::CurrentResults()
{
    if (Project.Parcels.Count() == 0)
        return nullptr;
    return &Results.Section(
        Project, Catalog, std::clamp(ParcelIndex, 0, Project.Parcels.Count() - 1));
}

// ---- undo ----

void TFormMain::ActUndo()
{
    TakeScreens(true);
    const int current = ParcelIndex;
    if (!History.Undo(Project))
        return;
    ShowProject();
    ShowParcel(current);
}

void TFormMain::ActRedo()
{
    TakeScreens(true);
    const int current = ParcelIndex;
    if (!History.Redo(Project))
        return;
    ShowProject();
    ShowParcel(current);
}

} // namespace vartesk
