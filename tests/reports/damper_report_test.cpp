// The damper report: sheets of the damper sections only, the blocks and span lines, the
// tallies with their multipliers, the dielectric distance text and a line without sections.
#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"
#include "reports/damper_report.h"
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

const std::filesystem::path kForms = VARTESK_BINARY_DIR "/bin/Forms";

TWiresList Catalog()
{
    return test::TestCatalog(false);
}

// Without a cord; the wire's damper calculation on unless told otherwise.
TParcel &AddSection(TProject &project,
                    const std::string &name,
                    std::vector<std::pair<int, double>> supports,
                    bool dampers = true)
{
    TParcel &p = test::AddTestSection(project, name, supports, false);
    p.IsVMCalcProvod = dampers;
    return p;
}

class DamperReport : public ::testing::Test
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
        Project.VMData.IsVibroMuffles = true;
    }

    TReportOutcome Write()
    {
        TWaitScope wait(User, "Port to Excel", Project.Parcels.Count());
        const TReportOutcome outcome
            = WriteDamperReport(Project, List, kForms, Target, User, &wait);
        if (outcome.Written)
            File.OpenFile(Target);
        return outcome;
    }
    xls::TCell Cell(int sheet, const char *a1)
    {
        const auto ref = xls::TCellRef::Parse(a1);
        return File.Sheets().Item(sheet).Cells().Item(ref.Row, ref.Col);
    }
    std::string Text(int sheet, const char *a1) { return Cell(sheet, a1).Value().AsText(); }

    TProject Project;
    TWiresList List = Catalog();
    TScratchDir Out;
    std::filesystem::path Target = Out / "dampers.xls";
    TScriptedUser User;
    xls::TXLSFile File;
};

TEST_F(DamperReport, OnlySectionsWithTheCalculationGetSheetsInTheirOrder)
{
    AddSection(Project, "A", {{0, 250}, {0, 0}}, false);
    AddSection(Project, "B", {{0, 250}, {0, 0}});
    AddSection(Project, "b:c", {{0, 250}, {0, 0}}); // the sheet-name rules hold here too
    ASSERT_TRUE(Write().Written);
    ASSERT_EQ(File.Sheets().Count(), 3);
    EXPECT_EQ(File.Sheets().Item(0).Name(), "B");
    EXPECT_EQ(File.Sheets().Item(1).Name(), "b_c");
    EXPECT_EQ(File.Sheets().Item(2).Name(), "Total");
    EXPECT_EQ(Text(1, "B2"), "b:c");
    EXPECT_EQ(Text(1, "J2"), "b:c");
    EXPECT_EQ(Text(1, "F3"), "АС120/19");
}

TEST_F(DamperReport, BlocksFollowEachOtherAndTheTallyCountsWithItsMultiplier)
{
    // Two strain sections: three spans that need dampers, then one.
    TParcel &p = AddSection(Project, "S", {{0, 250}, {1, 250}, {1, 250}, {0, 250}, {0, 0}});
    p.CntCircuitry = 2;
    p.CntWires = 1;
    ASSERT_TRUE(Write().Written);
    // Rows 6..12: header, distances, types, caption, three span lines.
    EXPECT_EQ(Text(0, "B6"), "1-4");
    EXPECT_DOUBLE_EQ(Cell(0, "D6").Value().Number(), 750);
    EXPECT_EQ(Text(0, "B10"), "1-2");
    EXPECT_EQ(Text(0, "B11"), "2-3");
    EXPECT_EQ(Text(0, "B12"), "3-4");
    EXPECT_DOUBLE_EQ(Cell(0, "D12").Value().Number(), 250);
    EXPECT_DOUBLE_EQ(Cell(0, "F12").Value().Number(), 1);
    // The second block starts right below, from its copy of the model.
    EXPECT_EQ(Text(0, "B13"), "4-5");
    EXPECT_EQ(Text(0, "B16"), "Span");
    EXPECT_EQ(Text(0, "B17"), "4-5");
    EXPECT_NE(Text(0, "F14"), "");
    // Eight dampers in all, times 2 circuits x 1 wire x 3 phases.
    EXPECT_EQ(Text(0, "B21"), "Dampers by type, pcs.");
    double total = 0;
    for (const char *row : {"E22", "E23"})
        total += Cell(0, row).Value().Number();
    EXPECT_DOUBLE_EQ(total, 48);
    EXPECT_NE(Text(0, "B22"), "");
    // The tally model has left the sheet.
    EXPECT_EQ(Text(0, "S2"), "");
}

TEST_F(DamperReport, ADielectricWireShowsItsFirstDistanceOverFive)
{
    TParcel &p = AddSection(Project, "S", {{0, 250}, {0, 0}});
    p.MatProvod = 1;
    p.ModelVM_Provod = 1;
    ASSERT_TRUE(Write().Written);
    const std::string first = Text(0, "F7");
    ASSERT_GT(first.size(), 2u);
    EXPECT_EQ(first.substr(first.size() - 2), "/5");
    EXPECT_EQ(Text(0, "G7").find('/'), std::string::npos);
    // An unmarked cell (d 15.2 mm below 1000 daN) takes the spiral damper whatever the model.
    EXPECT_EQ(Text(0, "F8"), "ГВС-0,4-0,6");
}

TEST_F(DamperReport, ASpanNeedingDampersWithoutAFittingTypeIsListedInTheBill)
{
    // A long span under a low tension: below the pair table, so no type fits. A section named
    // like the bill keeps its name and pushes the bill aside.
    AddSection(Project, "Total", {{0, 620}, {0, 0}}).Napr_srg = 4;
    ASSERT_TRUE(Write().Written);
    ASSERT_EQ(File.Sheets().Count(), 2);
    EXPECT_EQ(File.Sheets().Item(0).Name(), "Total");
    EXPECT_EQ(File.Sheets().Item(1).Name(), "Total (2)");
    EXPECT_EQ(Text(1, "A4"), ""); // no damper type in the bill
    EXPECT_EQ(Text(1, "A5"), "Spans that need dampers but no damper type fits");
    EXPECT_EQ(Text(1, "A7"), "Total");
    EXPECT_EQ(Text(1, "C7"), "1-2");
    EXPECT_EQ(Text(1, "D7"), "wire АС120/19");
    EXPECT_LT(Cell(1, "E7").Value().Number(), 800);
    EXPECT_EQ(Text(1, "F7"), "not selected — special design");
    EXPECT_EQ(Text(1, "A8"), "");
}

TEST_F(DamperReport, AProjectWithoutSectionsWritesNothing)
{
    const TReportOutcome outcome = Write();
    EXPECT_FALSE(outcome.Written);
    EXPECT_FALSE(std::filesystem::exists(Target));
}

} // namespace
