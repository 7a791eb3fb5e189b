// The result blocks: every cell a stringing-table or loads call writes, read back from the sheet.
#include "reports/result_blocks.h"

#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"
#include "test_wires.h"
#include "xls/cell.h"
#include "xls/ranges.h"
#include "xls/sheet.h"
#include "xls/xls_file.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vartesk;

namespace {

constexpr double kWireArea = 136.8;

TWiresList Catalog()
{
    return test::TestCatalog();
}

// Supports as {type (0 anchor, 1 intermediate), span, attested}, numbered from 1.
struct TSupportEntry
{
    int Type;
    double Span;
    bool Attested;
};

std::unique_ptr<TParcel> Section(std::vector<TSupportEntry> supports)
{
    auto p = std::make_unique<TParcel>();
    p->Name = "S";
    p->Provod = "АС120/19";
    p->Napr_max = 13;
    p->Napr_srg = 9;
    p->IsTros = true;
    p->Tros = "ТК-9,1";
    p->Naprt_max = 32;
    p->Naprt_srg = 21;
    int n = 1;
    for (const TSupportEntry &entry : supports) {
        auto s = std::make_unique<TPillar>();
        s->Nomer = std::to_string(n++);
        s->Tip_Opor = TSupportType(entry.Type);
        s->Prolet = entry.Span;
        s->Visir = entry.Attested;
        p->Pillars.Add(std::move(s));
    }
    return p;
}

class Blocks : public ::testing::Test
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
        Project.Klimat.TMin = -40;
        Project.Klimat.TGsw = -5;
        Project.Klimat.Tgbw = -10;
        Project.Klimat.Tsrec = 3;
    }
    void TearDown() override { UseUnitSystem(TUnitSystem::DaN); }

    TParcel &Add(std::unique_ptr<TParcel> p)
    {
        Project.Parcels.Add(std::move(p));
        return Project.Parcels.Get(Project.Parcels.Count() - 1);
    }
    // One call with the cursors as a report frame sets them.
    TCalcResult Run(TCalcMode mode, TConductor conductor, int m, int o, int tableRow, int spanRow)
    {
        Project.TableRow = tableRow;
        Project.SpanRow = spanRow;
        const TCalcResult r = CalcSection(
            Project, List, mode, 0, conductor, {m, o}, ResultBlockHooks(mode, Sheet()));
        EXPECT_FALSE(r.Error) << *r.Error;
        return r;
    }

    xls::TSheet &Sheet() { return File.Sheets().Item(0); }
    xls::TCellValue Value(int row, int col) { return Sheet().Cells().Item(row, col).Value(); }
    bool Empty(int row, int col) { return Value(row, col).IsEmpty(); }
    std::string Text(int row, int col)
    {
        const xls::TCellValue v = Value(row, col);
        EXPECT_EQ(v.Kind(), xls::TCellValue::TKind::Text) << "row " << row << " col " << col;
        return v.Text();
    }
    // Numbers are compared exactly: they are written unrounded.
    void ExpectNumber(int row, int col, double expected)
    {
        const xls::TCellValue v = Value(row, col);
        ASSERT_EQ(v.Kind(), xls::TCellValue::TKind::Number) << "row " << row << " col " << col;
        EXPECT_EQ(v.Number(), expected) << "row " << row << " col " << col;
    }
    // grid[first..first+count-1] * factor from column col on.
    void ExpectGrid(int row, int col, const TGrid &grid, int first, int count, double factor = 1)
    {
        for (int k = 0; k < count; ++k)
            ExpectNumber(row, col + k, grid[size_t(first + k)] * factor);
    }
    bool Boxed(int row, int col)
    {
        const xls::TCell cell = Sheet().Cells().Item(row, col);
        if (!cell.Exists())
            return false;
        for (int side = 0; side < 4; ++side)
            if (cell.BorderStyle(side) != 2 || cell.BorderColor(side) != 1)
                return false;
        return true;
    }
    void ExpectBoxed(int row, int firstCol, int lastCol)
    {
        for (int col = firstCol; col <= lastCol; ++col)
            EXPECT_TRUE(Boxed(row, col)) << "row " << row << " col " << col;
    }
    void ExpectHeader(int col, const TWireRecord &rec)
    {
        ExpectNumber(13, col, rec.Diameter);
        ExpectNumber(14, col, rec.Section);
        ExpectNumber(15, col, rec.Weight);
        ExpectNumber(16, col, rec.Modulus);
        ExpectNumber(17, col, rec.ThermalCoef);
    }
    void ExpectLimits(const TCalcResult &r, int stressCol, int tensionCol)
    {
        ExpectNumber(21, stressCol, r.StressMax);
        ExpectNumber(22, stressCol, r.StressAvg);
        ExpectNumber(21, tensionCol, r.TensionMax);
        ExpectNumber(22, tensionCol, r.TensionAvg);
    }

    TProject Project;
    TWiresList List = Catalog();
    xls::TXLSFile File;
};

// Three spans of which the first and the last are attested, then a one-span strain section.
std::vector<TSupportEntry> TwoStrainSections()
{
    return {{0, 200, true}, {1, 210, false}, {1, 220, true}, {0, 180, false}, {0, 0, false}};
}

} // namespace

TEST_F(Blocks, Form1WritesEveryCellOfBothConductorsAndNothingElse)
{
    Add(Section(TwoStrainSections()));
    const TCalcResult wire = Run(TCalcMode::Form1, TConductor::Wire, 1, 4, 27, 23);
    EXPECT_EQ(Project.SpanRow, 25); // one row per attested span

    ExpectHeader(6, List.FindByName("АС120/19"));
    ExpectLimits(wire, 7, 10);
    EXPECT_EQ(wire.StressMax, 13);
    EXPECT_EQ(wire.TensionMax, 13 * kWireArea);
    // Span lines: the attested spans 1-2 and 3-4 on rows 22 and 23, -30..+40 C.
    const TSpanResult *spans[] = {&wire.Spans[0], &wire.Spans[2]};
    for (int row : {22, 23}) {
        const TSpanResult &s = *spans[row - 22];
        EXPECT_EQ(Text(row, 21), "1-4");
        ExpectNumber(row, 22, 630);
        ExpectNumber(row, 23, wire.RulingSpan);
        ExpectNumber(row, 24, s.Length);
        EXPECT_EQ(Text(row, 25), s.From + "-" + s.To);
        ExpectGrid(row, 26, s.Sag, 1, 8);
        ExpectBoxed(row, 21, 33);
    }
    EXPECT_EQ(Text(23, 25), "3-4");
    EXPECT_TRUE(Empty(24, 21));
    // Anchor-section line on row TableRow-1.
    EXPECT_EQ(Text(26, 1), "1-4");
    ExpectNumber(26, 2, 630);
    ExpectNumber(26, 3, wire.RulingSpan);
    ExpectGrid(26, 4, wire.Tension, 1, 8);
    ExpectBoxed(26, 1, 11);

    // The cord pass starts from the same SpanRow: its sags land beside the wire's lines.
    const TCalcResult cord = Run(TCalcMode::Form1, TConductor::Cord, 1, 4, 27, 23);
    ExpectHeader(13, List.FindByName("ТК-9,1"));
    ExpectLimits(cord, 15, 18);
    EXPECT_EQ(cord.StressMax, 32);
    ExpectGrid(22, 34, cord.Spans[0].Sag, 1, 8);
    ExpectGrid(23, 34, cord.Spans[2].Sag, 1, 8);
    ExpectBoxed(22, 34, 41);
    ExpectGrid(26, 12, cord.Tension, 1, 8);
    ExpectBoxed(26, 12, 19);
    EXPECT_EQ(Text(22, 21), "1-4"); // the wire's line is left as it was
    ExpectGrid(22, 26, wire.Spans[0].Sag, 1, 8);

    // Header 5 + 4 and 5 + 4, span lines 2 x (13 + 8), anchor line 11 + 8.
    EXPECT_EQ(Sheet().Cells().Count(), 9u + 9u + 42u + 19u);

    // The next strain section: its own anchor row, the spans continuing below.
    const TCalcResult next = Run(TCalcMode::Form1, TConductor::Wire, 4, 5, 28, 25);
    EXPECT_EQ(Text(27, 1), "4-5");
    ExpectNumber(27, 2, 180);
    ExpectGrid(27, 4, next.Tension, 1, 8);
    EXPECT_TRUE(Empty(24, 21)); // support 4 is not attested
}

TEST_F(Blocks, Form1FullShowsNineTemperaturesInItsOwnColumns)
{
    TParcel &p = Add(Section(TwoStrainSections()));
    p.Pillars.Get(2).Visir = false;
    const TCalcResult wire = Run(TCalcMode::Form1Full, TConductor::Wire, 1, 4, 27, 23);
    const TCalcResult cord = Run(TCalcMode::Form1Full, TConductor::Cord, 1, 4, 27, 23);
    ExpectHeader(6, List.FindByName("АС120/19"));
    ExpectHeader(13, List.FindByName("ТК-9,1"));
    ExpectLimits(wire, 7, 10);
    ExpectLimits(cord, 16, 19);

    EXPECT_EQ(Text(22, 23), "1-4");
    ExpectNumber(22, 24, 630);
    ExpectNumber(22, 25, wire.RulingSpan);
    ExpectNumber(22, 26, 200);
    EXPECT_EQ(Text(22, 27), "1-2");
    ExpectGrid(22, 28, wire.Spans[0].Sag, 0, 9);
    ExpectGrid(22, 37, cord.Spans[0].Sag, 0, 9);
    ExpectBoxed(22, 23, 45);

    EXPECT_EQ(Text(26, 1), "1-4");
    ExpectNumber(26, 2, 630);
    ExpectNumber(26, 3, wire.RulingSpan);
    ExpectGrid(26, 4, wire.Tension, 0, 9);
    ExpectGrid(26, 13, cord.Tension, 0, 9);
    ExpectBoxed(26, 1, 21);
    EXPECT_EQ(Sheet().Cells().Count(), 18u + 23u + 21u);
}

TEST_F(Blocks, Form2ThreeAttestedSpansOpenTwoRowsThatCopyTheLineAbove)
{
    Add(Section({{0, 200, true}, {1, 210, true}, {1, 220, true}, {0, 0, false}}));
    // The template's span line (row 28): formats and a merged B:C, and a row below it.
    for (int col = 1; col <= 20; ++col)
        Sheet().Cells().Item(28, col).SetNumberFormat("0.00");
    Sheet().Ranges().AddMerged({28, 1, 28, 2});
    Sheet().Cells().Item(28, 21).SetText("beside");
    Sheet().Cells().Item(29, 1).SetText("below");

    const TCalcResult wire = Run(TCalcMode::Form2, TConductor::Wire, 1, 4, 26, 29);
    EXPECT_EQ(Project.SpanRow, 32);
    ExpectLimits(wire, 5, 8);
    for (int i = 0; i < 3; ++i) {
        const int row = 28 + i; // the third line two rows below the first
        const TSpanResult &s = wire.Spans[size_t(i)];
        EXPECT_EQ(Text(row, 1), s.From + "-" + s.To);
        EXPECT_TRUE(Empty(row, 2));
        ExpectNumber(row, 3, s.Length);
        ExpectGrid(row, 4, s.Sag, 1, 7);
        EXPECT_EQ(Sheet().Cells().Item(row, 20).NumberFormat(), "0.00") << row;
        EXPECT_FALSE(Boxed(row, 1));
    }
    EXPECT_EQ(Text(31, 1), "below"); // moved down by the two rows opened
    EXPECT_EQ(Text(28, 21), "beside");
    EXPECT_TRUE(Empty(29, 21)); // the copy stops at column 20
    std::vector<xls::TRect> merged = Sheet().Ranges().MergedAreas();
    std::sort(
        merged.begin(), merged.end(), [](const auto &a, const auto &b) { return a.Row1 < b.Row1; });
    EXPECT_EQ(merged, (std::vector<xls::TRect> {{28, 1, 28, 2}, {29, 1, 29, 2}, {30, 1, 30, 2}}));

    // The anchor line: lr before S1, the tensions on the row below.
    EXPECT_EQ(Text(25, 1), "1-4");
    ExpectNumber(25, 2, wire.RulingSpan);
    ExpectNumber(25, 3, 630);
    EXPECT_TRUE(Empty(25, 4));
    ExpectGrid(26, 4, wire.Tension, 1, 7);
    EXPECT_FALSE(Boxed(25, 1));
    EXPECT_FALSE(Boxed(26, 4));

    // The cord inserts nothing: its lines go beside the wire's.
    const TCalcResult cord = Run(TCalcMode::Form2, TConductor::Cord, 1, 4, 26, 29);
    ExpectLimits(cord, 15, 18);
    for (int i = 0; i < 3; ++i) {
        const TSpanResult &s = cord.Spans[size_t(i)];
        EXPECT_EQ(Text(28 + i, 11), s.From + "-" + s.To);
        ExpectNumber(28 + i, 13, s.Length);
        ExpectGrid(28 + i, 14, s.Sag, 1, 7);
        EXPECT_EQ(Text(28 + i, 1), s.From + "-" + s.To);
    }
    EXPECT_EQ(Text(31, 1), "below");
    EXPECT_EQ(Text(25, 11), "1-4");
    ExpectNumber(25, 12, cord.RulingSpan);
    ExpectNumber(25, 13, 630);
    ExpectGrid(26, 14, cord.Tension, 1, 7);
}

TEST_F(Blocks, Form2FirstAttestedSpanOfEachCallWritesIntoTheTemplateRow)
{
    // Only the second span is attested: it is the call's first, so nothing is inserted even
    // though an unattested span came before it.
    Add(Section({{0, 200, false}, {1, 210, true}, {0, 0, false}}));
    Sheet().Cells().Item(29, 1).SetText("below");
    Run(TCalcMode::Form2, TConductor::Wire, 1, 3, 26, 29);
    EXPECT_EQ(Text(28, 1), "2-3");
    EXPECT_EQ(Text(29, 1), "below");
}

TEST_F(Blocks, LoadsWriteTheLoadCaseTableOnlyForTheFirstStrainSection)
{
    Add(Section(TwoStrainSections()));
    const TCalcResult wire = Run(TCalcMode::Loads, TConductor::Wire, 1, 4, 31, 23);
    EXPECT_EQ(Project.SpanRow, 23); // no span lines in this report
    EXPECT_TRUE(Empty(22, 21));
    ExpectHeader(6, List.FindByName("АС120/19"));
    ExpectLimits(wire, 4, 7);
    const double temperatures[] = {-5, -10, -40};
    for (int j = 0; j < 3; ++j) {
        const TLoadCase &lc = wire.LoadCases[size_t(j)];
        EXPECT_EQ(lc.Temperature, temperatures[j]);
        ExpectNumber(27, 3 + j, lc.Temperature);
        ExpectNumber(28, 3 + j, lc.IceShown);
        ExpectNumber(29, 3 + j, lc.WindShown);
        EXPECT_GT(lc.Tension, 0);
        ExpectNumber(30, 3 + j, lc.Tension);
    }
    EXPECT_GT(wire.LoadCases[0].IceShown, 0);
    EXPECT_EQ(Text(30, 1), "1-4");
    ExpectNumber(30, 2, wire.RulingSpan);
    EXPECT_TRUE(Empty(30, 6));
    EXPECT_FALSE(Boxed(30, 1));

    // A later strain section writes only its own line.
    Sheet().ClearBlock(27, 29, 3, 5);
    const TCalcResult next = Run(TCalcMode::Loads, TConductor::Wire, 4, 5, 32, 23);
    EXPECT_EQ(Text(31, 1), "4-5");
    ExpectNumber(31, 2, 180);
    ExpectNumber(31, 3, next.LoadCases[0].Tension);
    for (int col = 3; col <= 5; ++col)
        EXPECT_TRUE(Empty(27, col));

    // The cord's line takes the same row; its label and lr overwrite the wire's.
    const TCalcResult cord = Run(TCalcMode::Loads, TConductor::Cord, 1, 4, 31, 23);
    ExpectHeader(13, List.FindByName("ТК-9,1"));
    ExpectLimits(cord, 12, 15);
    for (int j = 0; j < 3; ++j) {
        const TLoadCase &lc = cord.LoadCases[size_t(j)];
        ExpectNumber(27, 6 + j, lc.Temperature);
        ExpectNumber(28, 6 + j, lc.IceShown);
        ExpectNumber(29, 6 + j, lc.WindShown);
        ExpectNumber(30, 6 + j, lc.Tension);
    }
    ExpectNumber(30, 2, cord.RulingSpan);
    ExpectNumber(30, 3, wire.LoadCases[0].Tension);
}

TEST_F(Blocks, KilonewtonsScaleTensionsModuliAndStressesButNotLengthsOrSags)
{
    UseUnitSystem(TUnitSystem::KN);
    TParcel &p = Add(Section(TwoStrainSections()));
    p.Napr_max = 9;
    p.Napr_srg = 6;
    p.TagModet = 1; // the cord's limits given as tensions
    p.Tagt_max = 1500;
    p.Tagt_srg = 1000;
    const TCalcResult wire = Run(TCalcMode::Form1, TConductor::Wire, 1, 4, 27, 23);
    const TCalcResult cord = Run(TCalcMode::Form1, TConductor::Cord, 1, 4, 27, 23);
    ExpectNumber(21, 7, 90);
    ExpectNumber(22, 7, 60);
    ExpectNumber(16, 6, 82.5);
    ExpectNumber(21, 18, 15);
    ExpectNumber(22, 18, 10);
    ExpectNumber(21, 15, cord.StressMax * 10);
    ExpectNumber(13, 6, 15.2);
    ExpectGrid(26, 4, wire.Tension, 1, 8, 0.01);
    ExpectGrid(26, 12, cord.Tension, 1, 8, 0.01);
    ExpectNumber(22, 22, 630);
    ExpectGrid(22, 26, wire.Spans[0].Sag, 1, 8);

    const TCalcResult loads = Run(TCalcMode::Loads, TConductor::Wire, 1, 4, 31, 23);
    ExpectNumber(30, 3, loads.LoadCases[0].Tension * 0.01);
    ExpectNumber(27, 3, -5); // temperatures, ice and wind unscaled
    ExpectNumber(28, 3, loads.LoadCases[0].IceShown);
}

TEST_F(Blocks, NoAttestedSpanWritesOnlyTheHeaderAndTheAnchorLine)
{
    Add(Section({{0, 200, false}, {1, 210, false}, {0, 0, false}}));
    Run(TCalcMode::Form1, TConductor::Wire, 1, 3, 27, 23);
    EXPECT_EQ(Project.SpanRow, 23);
    EXPECT_EQ(Sheet().Cells().Count(), 5u + 4u + 11u);
    EXPECT_EQ(Text(26, 1), "1-3");
}

TEST_F(Blocks, ASectionWithoutWireKeepsItsLabelsLengthsAndEmptyBoxes)
{
    TParcel &p = Add(Section(TwoStrainSections()));
    p.IsProvod = false; // its type is still in the catalog
    Run(TCalcMode::Form1, TConductor::Wire, 1, 4, 27, 23);
    ExpectHeader(6, List.FindByName("АС120/19"));
    EXPECT_TRUE(Empty(21, 7));
    EXPECT_TRUE(Empty(21, 10));
    EXPECT_EQ(Text(22, 21), "1-4");
    ExpectNumber(22, 24, 200);
    EXPECT_EQ(Text(22, 25), "1-2");
    ExpectBoxed(22, 21, 33);
    for (int col = 26; col <= 33; ++col)
        EXPECT_TRUE(Empty(22, col)) << col;
    EXPECT_EQ(Text(26, 1), "1-4");
    ExpectNumber(26, 2, 630);
    ExpectBoxed(26, 1, 11);
    for (int col = 4; col <= 11; ++col)
        EXPECT_TRUE(Empty(26, col)) << col;
    EXPECT_EQ(Project.SpanRow, 25);

    // The cord's limits do not depend on the wire.
    const TCalcResult cord = Run(TCalcMode::Form1, TConductor::Cord, 1, 4, 27, 23);
    ExpectLimits(cord, 15, 18);
    ExpectGrid(22, 34, cord.Spans[0].Sag, 1, 8);
}

TEST_F(Blocks, ASectionWithoutWireShowsNoWireLoads)
{
    TParcel &p = Add(Section(TwoStrainSections()));
    p.IsProvod = false; // its type is still in the catalog, so the loads are calculated
    const TCalcResult wire = Run(TCalcMode::Loads, TConductor::Wire, 1, 4, 31, 23);
    ASSERT_GT(wire.LoadCases[0].Tension, 0);
    EXPECT_EQ(Text(30, 1), "1-4");
    for (int col = 3; col <= 5; ++col)
        EXPECT_TRUE(Empty(30, col)) << col;
    const TCalcResult cord = Run(TCalcMode::Loads, TConductor::Cord, 1, 4, 31, 23);
    ExpectNumber(30, 6, cord.LoadCases[0].Tension);
}

TEST_F(Blocks, ASectionWithoutWireTypeStillGetsItsRowsForTheCord)
{
    TParcel &p = Add(Section(TwoStrainSections()));
    p.IsProvod = false;
    p.Provod.clear(); // nothing to look up: no figures, no values, the row skeleton only
    Project.TableRow = 27;
    Project.SpanRow = 23;
    const TCalcResult r = CalcSection(Project,
                                      List,
                                      TCalcMode::Form1,
                                      0,
                                      TConductor::Wire,
                                      {1, 4},
                                      ResultBlockHooks(TCalcMode::Form1, Sheet()));
    EXPECT_FALSE(r.TypeFound);
    EXPECT_TRUE(Empty(13, 6));
    EXPECT_EQ(Text(22, 21), "1-4");
    ExpectNumber(22, 22, 630);
    ExpectNumber(22, 23, r.RulingSpan);
    EXPECT_EQ(Text(23, 25), "3-4");
    ExpectBoxed(23, 21, 33);
    EXPECT_TRUE(Empty(23, 26));
    EXPECT_EQ(Text(26, 1), "1-4");
    ExpectBoxed(26, 1, 11);
    EXPECT_TRUE(Empty(26, 4));
    EXPECT_EQ(Project.SpanRow, 25);
    EXPECT_EQ(Sheet().Cells().Count(), 2u * 13u + 11u);
}

TEST_F(Blocks, UncalculatedGridsLeaveTheirCellsBlank)
{
    // Light wind, no ice and low limits: no governing state, so no sags or tensions.
    Project.Klimat.Tols = 0;
    Project.Klimat.VMax = 10;
    Project.Klimat.Vwetsg = 5;
    Project.Klimat.Tsrec = 5;
    TParcel &p = Add(Section({{0, 100, true}, {0, 0, false}}));
    p.Napr_max = 4;
    p.Napr_srg = 3;
    const TCalcResult r = Run(TCalcMode::Form1, TConductor::Wire, 1, 2, 27, 23);
    ASSERT_EQ(r.State, TGoverningState::None);
    ExpectLimits(r, 7, 10);
    EXPECT_EQ(Text(22, 25), "1-2");
    EXPECT_TRUE(Empty(22, 26));
    ExpectBoxed(22, 26, 33);
    EXPECT_TRUE(Empty(26, 4));
    ExpectBoxed(26, 4, 11);
    Run(TCalcMode::Loads, TConductor::Wire, 1, 2, 31, 23);
    ExpectNumber(27, 3, -5);
    EXPECT_TRUE(Empty(30, 3));
}

TEST(BlockHooks, ModesWithoutBlocksKeepOnlyTheMessageHook)
{
    xls::TXLSFile file;
    TCalcHooks base;
    int said = 0;
    base.Message = [&](TCalcMessageKind, const std::string &) {
        ++said;
    };
    base.Header = [](TProject &, const TCalcResult &) {
    };
    for (TCalcMode mode : {TCalcMode::Journal, TCalcMode::Dampers, TCalcMode::Cad}) {
        const TCalcHooks h = ResultBlockHooks(mode, file.Sheets().Item(0), base);
        EXPECT_FALSE(h.Header || h.SpanLine || h.AnchorLine || h.LoadCases || h.Dampers);
        ASSERT_TRUE(h.Message);
        h.Message(TCalcMessageKind::Error, "x");
    }
    EXPECT_EQ(said, 3);
    const TCalcHooks loads = ResultBlockHooks(TCalcMode::Loads, file.Sheets().Item(0), base);
    EXPECT_FALSE(loads.SpanLine);
    EXPECT_TRUE(loads.LoadCases);
}
