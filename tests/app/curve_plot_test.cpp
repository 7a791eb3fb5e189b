// The curves' description: the scales, and what a section shows instead of curves it cannot
// have.
#include "app/curve_plot.h"
#include "catalog/wires_list.h"
#include "l10n/folders.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"
#include "model/projectfile/project_file.h"

#include <gtest/gtest.h>

using namespace vartesk;

TEST(CurvePlot, ScalesEndOnTicksOfOneTwoTwoAndAHalfOrFive)
{
    struct TCase
    {
        double Lo, Hi, Min, Max, Step;
        int Decimals;
    };
    const TCase cases[] = {
        {0, 6.7, 0, 7, 1, 0},
        {0, 1850, 0, 2000, 250, 0},
        {39.7, 42.7, 39.5, 43, 0.5, 1},
        {0, 0.2, 0, 0.2, 0.025, 3},
        {0, 0.9, 0, 1, 0.2, 1},
        {0, 0.72, 0, 0.8, 0.1, 1},
        {-12, 31, -20, 40, 10, 0},
        {5, 5, 5, 6, 0.2, 1},
    };
    for (const TCase &c : cases) {
        const TPlotAxis a = NiceAxis(c.Lo, c.Hi, 8);
        EXPECT_NEAR(a.Min, c.Min, 1e-12) << c.Lo << ".." << c.Hi;
        EXPECT_NEAR(a.Max, c.Max, 1e-12) << c.Lo << ".." << c.Hi;
        EXPECT_NEAR(a.Step, c.Step, 1e-12) << c.Lo << ".." << c.Hi;
        EXPECT_EQ(a.Decimals, c.Decimals) << c.Lo << ".." << c.Hi;
    }
}

TEST(CurvePlot, ASectionWithoutCurvesSaysWhyAndTheTensionMarksItsLimits)
{
    RegisterAllStrings();
    UseLanguage(TLanguage::English);
    UseUnitSystem(TUnitSystem::KN);
    TWiresList catalog;
    (void)catalog.LoadFromFile(ProgramFolder() / "base_provod.dat");
    TProject demo;
    (void)LoadProjectFile(std::filesystem::path(VARTESK_SOURCE_DIR) / "examples/demo.vsk", demo);

    TProject project;
    project.Assign(demo);
    for (int i = 0; i < project.Parcels.Get(0).Pillars.Count(); ++i)
        project.Parcels.Get(0).Pillars.Get(i).Visir = false;
    project.Parcels.Get(0).IsTros = false;
    struct TCase
    {
        TConductor Conductor;
        TCurveKind Kind;
        const char *Error;
    };
    const TCase cases[] = {
        {TConductor::Wire,
         TCurveKind::Sag,
         "The section has no attested span of the wire: sag curves are drawn for the attested "
         "spans, as the stringing tables give them."},
        {TConductor::Cord, TCurveKind::Tension, "The section carries no cord."},
        {TConductor::Wire, TCurveKind::Tension, nullptr},
    };
    for (const TCase &c : cases) {
        const TCurveResult r = CalcCurvePlot(project, catalog, 0, c.Conductor, c.Kind);
        EXPECT_EQ(r.Error.value_or(""), c.Error ? c.Error : "");
    }
    const TCurvePlot plot
        = CalcCurvePlot(project, catalog, 0, TConductor::Wire, TCurveKind::Tension).Plot;
    ASSERT_EQ(plot.Marks.size(), 4u);
    EXPECT_EQ(plot.Marks[0].Label, "Maximum permissible tension, 17.78 kN");
    EXPECT_EQ(plot.Marks[1].Label,
              "Permissible tension at the average annual temperature +3 °C, 12.31 kN");
    EXPECT_EQ(plot.Marks[2].Label, "Governing state of 1-2: minimum temperature, −40 °C");
    EXPECT_EQ(plot.Marks[3].Label, "Governing state of 2-6, 6-10, 10-14: maximum load, −5 °C");
    const double at[] = {17.78, 12.31, -40, -5}; // kN, kN, C, C
    for (size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(plot.Marks[i].Value, at[i], 0.005) << plot.Marks[i].Label;
    EXPECT_EQ(CurvePointText(plot, 1, 10),
              "Strain section 2-6, ruling span 238.70 m\n+10 °C: 7.96 kN");
    UseUnitSystem(TUnitSystem::DaN);
    UseLanguage(TLanguage::Russian);
}
