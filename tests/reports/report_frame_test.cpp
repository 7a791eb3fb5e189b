// The frame every output command shares, and the stringing and loads report frames around
// the calculation: templates, sheets, cursors, passes and every way they end.
#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"
#include "reports/output_command.h"
#include "reports/stringing_report.h"
#include "scripted_user.h"
#include "test_sections.h"
#include "test_support.h"
#include "test_wires.h"
#include "xls/cell_ref.h"
#include "xls/xls_file.h"

#include <gtest/gtest.h>

using namespace vartesk;
using vartesk::test::TScratchDir;
using vartesk::test::TScriptedUser;

namespace {

TWiresList Catalog()
{
    return test::TestCatalog();
}

// Every span that follows a support is attested.
void AddSection(TProject &project,
                const std::string &name,
                std::vector<std::pair<int, double>> supports,
                bool cord = true)
{
    for (auto &s : test::AddTestSection(project, name, supports, cord).Pillars)
        s->Visir = s->Prolet > 0;
}

class ReportFrame : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
        UseUnitSystem(TUnitSystem::DaN);
        Project.Klimat.Tols = 15;
        Project.Klimat.VMax = 29;
        Project.Klimat.Vwetsg = 15;
    }

    // A template of our own making: a model sheet that marks its rows, and one more sheet
    // that must stay behind the section sheets.
    void MakeTemplate(const std::string &name)
    {
        xls::TXLSFile file;
        file.Sheets().Item(0).SetName("Model");
        for (int row = 0; row < 40; ++row)
            for (int col : {0, 20})
                file.Sheets().Item(0).Cells().Item(row, col).SetNumber(row);
        file.Sheets().Add("Extra");
        file.SaveAs(Forms / name);
    }

    TReportOutcome Write(TStringingReport report)
    {
        return WriteStringingReport(report, Project, List, Forms.Path(), Target, User);
    }

    void Read(xls::TXLSFile &file) { file.OpenFile(Target); }

    TProject Project;
    TWiresList List = Catalog();
    TScratchDir Forms;
    TScratchDir Out;
    std::filesystem::path Target = Out / "report.xls";
    TScriptedUser User;
};

std::string Text(xls::TXLSFile &file, int sheet, const char *cell)
{
    const auto ref = xls::TCellRef::Parse(cell);
    return file.Sheets().Item(sheet).Cells().Item(ref.Row, ref.Col).Value().Text();
}

double Number(xls::TXLSFile &file, int sheet, const char *cell)
{
    const auto ref = xls::TCellRef::Parse(cell);
    return file.Sheets().Item(sheet).Cells().Item(ref.Row, ref.Col).Value().Number();
}

} // namespace

TEST_F(ReportFrame, TheFrameStopsWhereThePersonOrTheCatalogSays)
{
    auto run = [&](const TWiresList &catalog) {
        TScriptedUser user;
        user.Targets.push_back(Out / "x.xls");
        TOutputCommand command;
        command.WaitText = "Port to Excel";
        command.Steps = 4;
        int produced = 0;
        TUserPort port = user.Port();
        const auto done
            = RunOutputCommand(Project, catalog, port, command, [&](const auto &, TWaitScope &w) {
                  ++produced;
                  w.Step();
                  return true;
              });
        return std::tuple {done, produced, user};
    };
    AddSection(Project, "A", {{0, 100}, {0, 0}});
    AddSection(Project, "B", {{0, 100}, {0, 0}});

    // Everything in order: the target, the wait window, the writing, the desktop.
    auto [done, produced, user] = run(List);
    ASSERT_TRUE(done);
    EXPECT_EQ(produced, 1);
    EXPECT_EQ(user.Log,
              (std::vector<std::string> {
                  "save: ", "wait: Port to Excel/4", "end", "open: " + (Out / "x.xls").string()}));

    // A type the catalog lacks is an error box, and nothing more is asked.
    TWiresList partial;
    partial.Add(List.Get(0));
    auto [missing, missingProduced, missingUser] = run(partial);
    EXPECT_FALSE(missing);
    EXPECT_EQ(missingProduced, 0);
    ASSERT_EQ(missingUser.Log.size(), 1u);
    EXPECT_EQ(missingUser.Log[0].rfind("tell error: The cord ТК-9,1 is not found.", 0), 0u);
}

TEST_F(ReportFrame, CoefficientsThatLowerTheLoadsAskFirst)
{
    AddSection(Project, "A", {{0, 100}, {0, 0}});
    Project.KlimatKoef.V_Otv = 0.9;
    for (const bool yes : {false, true}) {
        TScriptedUser user;
        user.Answers.push_back(yes);
        user.Targets.push_back(Out / "x.xls");
        TUserPort port = user.Port();
        const auto done = RunOutputCommand(
            Project, List, port, {}, [](const auto &, TWaitScope &) { return true; });
        EXPECT_EQ(done.has_value(), yes);
        EXPECT_EQ(user.Log.front(), "ask: " + LocalString("Reference_loads"));
        EXPECT_EQ(user.Log.size(), yes ? 5u : 1u); // ask, save, wait, end, open
    }
    // A cancelled target ends without a word and without the wait window.
    Project.KlimatKoef.V_Otv = 1;
    TScriptedUser user;
    user.Targets.push_back(std::nullopt);
    TUserPort port = user.Port();
    bool produced = false;
    EXPECT_FALSE(RunOutputCommand(
        Project, List, port, {}, [&](const auto &, TWaitScope &) { return produced = true; }));
    EXPECT_FALSE(produced);
    EXPECT_EQ(user.Log.size(), 1u);
}

TEST_F(ReportFrame, AMissingTemplateNamesItAndWritesNothing)
{
    UseLanguage(TLanguage::Russian);
    UseUnitSystem(TUnitSystem::KN);
    AddSection(Project, "A", {{0, 100}, {0, 0}});
    const TReportOutcome outcome = Write(TStringingReport::Form2);
    EXPECT_FALSE(outcome.Written);
    EXPECT_FALSE(std::filesystem::exists(Target));
    ASSERT_EQ(User.Told.size(), 2u);
    EXPECT_EQ(User.Log[0].rfind("tell plain: " + LocalString("Check_files") + " ", 0), 0u);
    EXPECT_NE(User.Told[0].find("FormMount2N_ru.xls."), std::string::npos) << User.Told[0];
    EXPECT_EQ(User.Log[1].rfind("tell error: " + LocalString("Error_data_entry"), 0), 0u);
}

TEST_F(ReportFrame, OneSheetPerSectionInOrderBeforeTheTemplatesOtherSheets)
{
    MakeTemplate("FormMount_en.xls");
    AddSection(Project, "S1", {{0, 100}, {1, 120}, {0, 0}});
    AddSection(Project, "S2", {{0, 90}, {0, 0}});
    AddSection(Project, "S3", {{0, 80}, {0, 0}}, false);
    Project.Klimat.TMin = -41.5;
    Project.KlimatKoef.TypeTer = 3;
    const TReportOutcome outcome = Write(TStringingReport::Form1);
    ASSERT_TRUE(outcome.Written);
    EXPECT_TRUE(outcome.Complete);
    xls::TXLSFile file;
    Read(file);
    ASSERT_EQ(file.Sheets().Count(), 4);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(file.Sheets().Item(i).Name(), "S" + std::to_string(i + 1));
        EXPECT_EQ(Text(file, i, "B20"), "S" + std::to_string(i + 1));
        EXPECT_EQ(Number(file, i, "G7"), -41.5); // unrounded
        EXPECT_EQ(Text(file, i, "T3"), "C");
        EXPECT_EQ(Number(file, i, "A40"), 39); // a copy of the model sheet
    }
    EXPECT_EQ(file.Sheets().Item(3).Name(), "Extra");
    EXPECT_EQ(Text(file, 0, "AA21"), "АС120/19");
    EXPECT_EQ(Text(file, 0, "AI21"), "ТК-9,1");
    EXPECT_EQ(Text(file, 2, "AI21"), ""); // no cord: no cord name
    EXPECT_EQ(Text(file, 0, "P11"), LocalString("m_3_3")); // creep not accounted
    EXPECT_EQ(file.Sheets().Item(0).Columns().Item(21).Width(), 10.57);
}

// Every spreadsheet program opens the workbook whatever the sections are called; the full
// name heads each sheet.
TEST_F(ReportFrame, SectionSheetsKeepToTheRulesOfSheetNames)
{
    MakeTemplate("FormMount2_en.xls");
    for (const char *name : {"a/b", "Line", "LINE", "Extra", "Model"})
        AddSection(Project, name, {{0, 100}, {0, 0}});
    ASSERT_TRUE(Write(TStringingReport::Form2).Complete);
    xls::TXLSFile file;
    Read(file);
    std::vector<std::string> names;
    for (int i = 0; i < file.Sheets().Count(); ++i)
        names.push_back(file.Sheets().Item(i).Name());
    EXPECT_EQ(
        names,
        (std::vector<std::string> {"a_b", "Line", "LINE (2)", "Extra (2)", "Model", "Extra"}));
    EXPECT_EQ(Text(file, 0, "B20"), "a/b");
    EXPECT_EQ(Text(file, 2, "L20"), "LINE");
}

TEST_F(ReportFrame, AFillingThatStopsSavesWhatWasFilledAndSaysWhere)
{
    MakeTemplate("FormMount_en.xls");
    AddSection(Project, "First", {{0, 100}, {0, 0}});
    AddSection(Project, std::string(70000, 'x'), {{0, 100}, {0, 0}}); // more than a cell takes
    const TReportOutcome outcome = Write(TStringingReport::Form1);
    EXPECT_TRUE(outcome.Written);
    EXPECT_FALSE(outcome.Complete);
    xls::TXLSFile file;
    Read(file);
    EXPECT_EQ(Text(file, 0, "AA21"), "АС120/19"); // the first wire pass was done
    EXPECT_EQ(Text(file, 0, "AI21"), ""); // the cord pass was not reached
    // Unlike a silent stop, the person learns that the table is not whole.
    ASSERT_FALSE(User.Told.empty());
    EXPECT_EQ(User.Told.back().rfind("The filling stopped at the section \"xxx", 0), 0u);
}

// A section whose table would run past the last row of a sheet is refused before anything is
// written; one that ends on the last row is written whole.
TEST_F(ReportFrame, ASectionPastTheLastRowOfASheetIsRefusedBeforeWriting)
{
    const struct
    {
        TStringingReport Report;
        const char *Template;
        int Supports; // one strain section, every span attested
        const char *LastLabel; // the last span line's label on row 65536, when written
    } cases[] = {
        // Span lines from row 23, one row each.
        {TStringingReport::Form1, "FormMount_en.xls", 65515, "Z65536"},
        {TStringingReport::Form1, "FormMount_en.xls", 65516, nullptr},
        // The block from row 26, its span lines from its fourth row, each after the first
        // opening a row.
        {TStringingReport::Form2, "FormMount2_en.xls", 65509, "B65536"},
        {TStringingReport::Form2, "FormMount2_en.xls", 65510, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Supports);
        Project.Parcels.Clear();
        User.Told.clear();
        std::filesystem::remove(Target);
        MakeTemplate(c.Template);
        std::vector<std::pair<int, double>> supports(size_t(c.Supports), {1, 100});
        supports.front().first = 0;
        supports.back() = {0, 0};
        AddSection(Project, "Long", supports, false);
        const TReportOutcome outcome = Write(c.Report);
        if (c.LastLabel) {
            ASSERT_TRUE(outcome.Complete);
            xls::TXLSFile file;
            Read(file);
            EXPECT_EQ(Text(file, 0, c.LastLabel),
                      std::to_string(c.Supports - 1) + "-" + std::to_string(c.Supports));
            continue;
        }
        EXPECT_FALSE(outcome.Written);
        EXPECT_FALSE(std::filesystem::exists(Target));
        EXPECT_EQ(User.Told,
                  (std::vector<std::string> {"The section \"Long\" needs 65537 rows of its "
                                             "sheet, and a sheet holds at most 65,536: split "
                                             "the section into shorter ones."}));
    }
}

TEST_F(ReportFrame, CursorsWalkTheStrainSectionsOfEachLayout)
{
    // Anchor, intermediate, intermediate, anchor, intermediate, anchor, intermediate, anchor:
    // wire sections 1..4, 4..6 and 6..8, on TableRow 27, 28 and 29 of the wide table.
    AddSection(Project,
               "S",
               {{0, 100}, {1, 110}, {1, 120}, {0, 130}, {1, 140}, {0, 150}, {1, 160}, {0, 0}});
    MakeTemplate("FormMount_en.xls");
    ASSERT_TRUE(Write(TStringingReport::Form1).Written);
    xls::TXLSFile wide;
    Read(wide);
    EXPECT_EQ(Text(wide, 0, "B27"), "1-4");
    EXPECT_EQ(Text(wide, 0, "B28"), "4-6");
    EXPECT_EQ(Text(wide, 0, "B29"), "6-8");

    // Form 2 lays out the block of rows 25..28 (columns 1..20) twice below itself before any
    // calculation, to rows 29..32 and 33..36. Without attested spans no row is inserted, and
    // the block's third row is never written.
    for (const auto &support : Project.Parcels.Get(0).Pillars)
        support->Visir = false;
    MakeTemplate("FormMount2_en.xls");
    ASSERT_TRUE(Write(TStringingReport::Form2).Written);
    xls::TXLSFile compact;
    Read(compact);
    EXPECT_EQ(Number(compact, 0, "U32"), 27);
    EXPECT_EQ(Number(compact, 0, "U36"), 27);
    EXPECT_EQ(Number(compact, 0, "U37"), 28); // the third block copies the second
    EXPECT_EQ(Number(compact, 0, "A32"), 31); // column 0 lies outside the block
    EXPECT_EQ(Text(compact, 0, "B30"), "4-6"); // the blocks' anchor lines
    EXPECT_EQ(Text(compact, 0, "B34"), "6-8");

    // The loads report writes rows 30, 31 and 32, each further one first receiving a copy of
    // the row above it.
    MakeTemplate("FormLoads_en.xls");
    ASSERT_TRUE(Write(TStringingReport::Loads).Written);
    xls::TXLSFile loads;
    Read(loads);
    EXPECT_EQ(Text(loads, 0, "B31"), "1-4");
    EXPECT_EQ(Text(loads, 0, "B32"), "4-6");
    EXPECT_EQ(Text(loads, 0, "B33"), "6-8");
    EXPECT_EQ(Number(loads, 0, "A32"), 30); // row 31 (0-based) holds a copy of row 30
    EXPECT_EQ(Number(loads, 0, "A33"), 30); // and row 32 a copy of that
    EXPECT_EQ(Text(loads, 0, "D25"), "АС120/19");
}
