// The journal of supports around its rows: template and sheets, what it does to the project, a
// line without sections, a strain section that cannot be calculated, a filling that stops, and
// the picket texts. The rows themselves are checked cell by cell in journal_xlrd_test.cpp.
#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"
#include "reports/damper_report.h"
#include "reports/journal_report.h"
#include "reports/sagging_report.h"
#include "reports/stringing_report.h"
#include "scripted_user.h"
#include "test_sections.h"
#include "test_support.h"
#include "test_wires.h"
#include "xls/cell_ref.h"
#include "xls/xls_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

using namespace vartesk;
using vartesk::test::TScratchDir;
using vartesk::test::TScriptedUser;

namespace {

const std::filesystem::path kForms = VARTESK_BINARY_DIR "/bin/Forms";

TWiresList Catalog()
{
    return test::TestCatalog();
}

class Journal : public ::testing::Test
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

    TReportOutcome Write(const std::filesystem::path &forms = kForms)
    {
        TWaitScope wait(User, "Port to Excel", Project.Parcels.Count());
        return WriteJournal(Project, List, forms, Target, User, &wait);
    }

    std::string Text(int sheet, const char *a1)
    {
        const auto ref = xls::TCellRef::Parse(a1);
        return File.Sheets().Item(sheet).Cells().Item(ref.Row, ref.Col).Value().AsText();
    }
    xls::TCell Cell(int sheet, const char *a1)
    {
        const auto ref = xls::TCellRef::Parse(a1);
        return File.Sheets().Item(sheet).Cells().Item(ref.Row, ref.Col);
    }

    TProject Project;
    TWiresList List = Catalog();
    TScratchDir Out;
    std::filesystem::path Target = Out / "journal.xls";
    TScriptedUser User;
    xls::TXLSFile File;
};

} // namespace

TEST_F(Journal, OneSheetPerSectionWithTheTemplatesWidthsAndTheLastSpansSetToZero)
{
    test::AddTestSection(Project, "S1", {{0, 100}, {1, 120}, {0, 80}});
    test::AddTestSection(Project, "S2", {{0, 90}, {1, 70}});
    const TReportOutcome outcome = Write();
    ASSERT_TRUE(outcome.Written);
    EXPECT_TRUE(outcome.Complete);
    EXPECT_TRUE(User.Told.empty()) << User.Told.front();
    EXPECT_EQ(User.Steps, 2);
    // Only the last spans change, in memory: the caller decides whether that is saved.
    EXPECT_EQ(Project.Parcels.Get(0).Pillars.Get(1).Prolet, 120);
    EXPECT_EQ(Project.Parcels.Get(0).Pillars.Get(2).Prolet, 0);
    EXPECT_EQ(Project.Parcels.Get(1).Pillars.Get(0).Prolet, 90);
    EXPECT_EQ(Project.Parcels.Get(1).Pillars.Get(1).Prolet, 0);
    File.OpenFile(Target);
    ASSERT_EQ(File.Sheets().Count(), 2);
    for (int i = 0; i < 2; ++i) {
        xls::TSheet &sheet = File.Sheets().Item(i);
        EXPECT_EQ(sheet.Name(), "S" + std::to_string(i + 1));
        EXPECT_EQ(sheet.Rows().Item(0).Height(), 24.75);
        EXPECT_EQ(sheet.Columns().Item(3).Width(), 15.57);
        EXPECT_EQ(sheet.Columns().Item(0).Width(), 0.5);
        // The captions are copied with the sheet, and print at the top of every page.
        EXPECT_EQ(Text(i, "F1"), "Span, m");
        EXPECT_EQ(sheet.PageSetup.TitleRows, (std::pair {0, 1}));
    }
    // The span lengths take the number format of their column.
    EXPECT_EQ(Cell(0, "K3").NumberFormat(), "0.00");
    EXPECT_GT(Cell(0, "K3").Value().Number(), 100);
    EXPECT_LT(Cell(0, "K3").Value().Number(), 100.1);
    EXPECT_EQ(Text(0, "C6"), "On the sector:");
    EXPECT_EQ(Text(0, "C7"), ""); // the route footer is on the last sheet only
    EXPECT_EQ(Text(1, "C6"), "On the tracе:");
    EXPECT_EQ(Text(1, "D6"), "310");
}

TEST_F(Journal, WithoutSectionsTheTemplatesSheetCarriesTheRouteFooterBelowTheCaptions)
{
    const TReportOutcome outcome = Write();
    ASSERT_TRUE(outcome.Written);
    EXPECT_TRUE(outcome.Complete);
    File.OpenFile(Target);
    ASSERT_EQ(File.Sheets().Count(), 1);
    EXPECT_EQ(File.Sheets().Item(0).Name(), "Journal");
    EXPECT_EQ(Text(0, "C3"), "On the tracе:");
    EXPECT_EQ(Cell(0, "D3").Value().Number(), 0);
    EXPECT_EQ(Cell(0, "C3").BorderStyle(2), 2);
    // No section carries a wire or a cord: no totals of them.
    EXPECT_FALSE(Cell(0, "K3").Exists());
    EXPECT_FALSE(Cell(0, "M3").Exists());
}

TEST_F(Journal, AStrainSectionThatCannotBeCalculatedLeavesItsLengthsAndTheirTotalsBlank)
{
    // The first strain section has a span of 0 and no ruling span; the second is sound. The
    // cord's type is unknown to the catalog: one section, so the frame's check let it pass.
    // The workbook is written, but does not pass for a whole one, and each gap is told with
    // its place.
    test::AddTestSection(Project, "S", {{0, 0}, {0, 150}, {1, 160}, {0, 0}});
    Project.Parcels.Get(0).Tros = "Unknown";
    const TReportOutcome outcome = Write();
    ASSERT_TRUE(outcome.Written);
    EXPECT_FALSE(outcome.Complete);
    EXPECT_THAT(User.Told,
                ::testing::Contains("Section \"S\": the cord of the strain section 2-4 is not "
                                    "calculated: The cord Unknown is not found."));
    File.OpenFile(Target);
    EXPECT_TRUE(Cell(0, "K3").Value().IsEmpty());
    EXPECT_TRUE(Cell(0, "L4").Value().IsEmpty());
    EXPECT_GT(Cell(0, "K4").Value().Number(), 150);
    EXPECT_GT(Cell(0, "L6").Value().Number(), 310);
    EXPECT_EQ(Cell(0, "K3").BorderStyle(0), 1); // the table is boxed all the same
    // Neither the section's nor the route's wire total: a part must not pass for the whole.
    EXPECT_TRUE(Cell(0, "K7").Value().IsEmpty());
    EXPECT_EQ(Cell(0, "K7").BorderStyle(2), 0);
    EXPECT_TRUE(Cell(0, "K8").Value().IsEmpty());
    EXPECT_TRUE(Cell(0, "M4").Value().IsEmpty());
    EXPECT_TRUE(Cell(0, "N6").Value().IsEmpty());
    // The rest of the journal is whole.
    EXPECT_EQ(Text(0, "E6"), "3+10");
    EXPECT_EQ(Text(0, "D8"), "310");
    std::vector<std::string> warnings;
    for (const std::string &line : User.Log)
        if (line.find("are not calculated") != std::string::npos)
            warnings.push_back(line);
    EXPECT_EQ(warnings,
              (std::vector<std::string> {
                  "tell warning: The wire lengths of the strain sections 1-2 of the section "
                  "\"S\" are not calculated: they and the totals that include them are left "
                  "blank.",
                  "tell warning: The cord lengths of the strain sections 1-2, 2-4 of the "
                  "section \"S\" are not calculated: they and the totals that include them are "
                  "left blank."}));
}

TEST_F(Journal, AMissingTemplateNamesTheLanguagesFileAndWritesNothing)
{
    UseLanguage(TLanguage::Russian);
    UseUnitSystem(TUnitSystem::KN); // no unit variants: the same file
    test::AddTestSection(Project, "A", {{0, 100}, {0, 0}});
    TScratchDir empty;
    const TReportOutcome outcome = Write(empty.Path());
    EXPECT_FALSE(outcome.Written);
    EXPECT_FALSE(std::filesystem::exists(Target));
    ASSERT_EQ(User.Told.size(), 2u);
    EXPECT_NE(User.Told[0].find(LocalString("Check_files") + " "), std::string::npos);
    EXPECT_NE(User.Told[0].find("Journal_ru.xls."), std::string::npos) << User.Told[0];
    EXPECT_EQ(User.Told[1].rfind(LocalString("Error_data_entry"), 0), 0u);
    // Nothing was filled, so nothing of the project changed.
    EXPECT_EQ(Project.Parcels.Get(0).Pillars.Get(0).Prolet, 100);
}

TEST_F(Journal, SectionSheetsStayApartIgnoringCaseBeforeTheTemplatesOtherSheets)
{
    // A template of our own with a further sheet, which stays behind the section sheets.
    TScratchDir forms;
    {
        xls::TXLSFile model;
        model.OpenFile(kForms / "Journal_en.xls");
        model.Sheets().Add("Extra");
        model.SaveAs(forms / "Journal_en.xls");
    }
    for (const char *name : {"Same", "Other", "same", "extra"})
        test::AddTestSection(Project, name, {{0, 100}, {0, 0}});
    const TReportOutcome outcome = Write(forms.Path());
    EXPECT_TRUE(outcome.Complete);
    File.OpenFile(Target);
    std::vector<std::string> names;
    for (int i = 0; i < File.Sheets().Count(); ++i)
        names.push_back(File.Sheets().Item(i).Name());
    EXPECT_EQ(names,
              (std::vector<std::string> {"Same", "Other", "same (2)", "extra (2)", "Extra"}));
    EXPECT_EQ(Text(3, "C5"), "On the sector:");
}

TEST(PicketText, HundredsPlusMetresToTwoDecimals)
{
    EXPECT_EQ(PicketText(12.345), "12+34.5");
    EXPECT_EQ(PicketText(12.345 + 1.5), "13+84.5");
    EXPECT_EQ(PicketText(12.345 + 1.5 + 0.6025), "14+44.75");
    EXPECT_EQ(PicketText(5), "5+0");
    EXPECT_EQ(PicketText(0), "0+0");
    // A sum a hair below a whole hundred is that hundred, not 12+100.
    EXPECT_EQ(PicketText(0.1 + 0.2 + 12.7 - 1e-13), "13+0");
    EXPECT_EQ(PicketText(2.999999999), "3+0");
    // The integer part and the fraction, each with its sign, as the rule has it.
    EXPECT_EQ(PicketText(-0.5), "0+-50");
    EXPECT_EQ(PicketText(-1.25), "-1+-25");
}

// Every report's section sheets print their caption rows on each page and name the section as
// written, not as its sheet is named, in the footer; a journal note wraps inside its column.
TEST_F(Journal, EveryReportRepeatsItsCaptionRowsAndNamesTheSectionInTheFooter)
{
    using TWrite = std::function<TReportOutcome()>;
    const auto stringing = [&](TStringingReport r) {
        return [=, this] {
            return WriteStringingReport(r, Project, List, kForms, Target, User);
        };
    };
    const std::tuple<TWrite, int, int> reports[] = {
        {stringing(TStringingReport::Form1), 20, 22},
        {stringing(TStringingReport::Form1Full), 20, 22},
        {stringing(TStringingReport::Form2), 24, 25},
        {stringing(TStringingReport::Loads), 24, 27},
        {[&] { return Write(); }, 1, 2},
        {[&] { return WriteDamperReport(Project, List, kForms, Target, User); }, 5, 5},
        {[&] { return WriteSaggingReport(Project, List, kForms, Target, User); }, 5, 6},
    };
    Project.VMData.IsVibroMuffles = true;
    for (const char *name : {"a/b", "R&D"}) {
        test::AddTestSection(Project, name, {{0, 250}, {1, 240}, {0, 0}}).IsVMCalcProvod = true;
        Project.Parcels.Get(0).Pillars.Get(0).Coment = "a note longer than its column";
    }
    for (const auto &[write, first, last] : reports) {
        SCOPED_TRACE(first);
        ASSERT_TRUE(write().Written);
        File.OpenFile(Target);
        for (int s : {0, 1}) {
            const xls::TPageSetup &ps = File.Sheets().Item(s).PageSetup;
            EXPECT_EQ(ps.TitleRows, std::make_optional(std::pair {first - 1, last - 1}));
            EXPECT_EQ(ps.Footer.Center,
                      std::string("Section ") + (s ? "R&&D" : "a/b") + " — page &P of &N");
        }
    }
    Write();
    File.OpenFile(Target);
    EXPECT_EQ(Text(0, "I3"), "a note longer than its column");
    EXPECT_EQ(xls::TXF::kWrap.Get(Cell(0, "I3").Format().Align), 1u);
    EXPECT_GE(File.Sheets().Item(0).Rows().Item(2).Height(), 3 * 12.75); // its three lines
}
