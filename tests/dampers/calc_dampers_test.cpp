// CalcDampers over one strain section: counts, types, distances and what it refuses.
#include "base/rounding.h"
#include "calc/calc_section.h"
#include "catalog/wires_list.h"
#include "dampers/calc_dampers.h"
#include "dampers/damper_rules.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "model/project.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace vartesk;

namespace {

using TCounts = std::array<int, 4>;

class Dampers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
        auto p = std::make_unique<TParcel>();
        p->Name = "S1";
        Project.Parcels.Add(std::move(p));
        // A steel-aluminium wire of 240 mm2, one per phase, outside the north.
        R.Section = 0;
        R.Conductor = TConductor::Wire;
        R.Type = "W";
        R.Diameter = 21.6;
        R.Area = 240;
        R.Weight = 1.0;
        SetTension(2500);
        Project.VMData.NumbCat = 1;
    }
    TParcel &Section() { return Project.Parcels.Get(0); }
    void SetTension(double t) { R.Tension.fill(t); }
    void Spans(std::initializer_list<double> lengths)
    {
        int n = 1;
        for (double l : lengths) {
            TSpanResult s;
            s.From = std::to_string(n);
            s.To = std::to_string(++n);
            s.Length = l;
            R.Spans.push_back(s);
        }
    }
    const TVM_SpanData &Run()
    {
        CalcDampers(Project, R, [this](TCalcMessageKind kind, const std::string &text) {
            EXPECT_EQ(kind, TCalcMessageKind::Warning);
            Messages.push_back(text);
        });
        return R.Conductor == TConductor::Wire ? Project.SpanDataProvod : Project.SpanDataTros;
    }
    double X() const { return R.Diameter * std::sqrt(10 * R.Tension[0] / R.Weight); }

    TProject Project;
    TCalcResult R;
    std::vector<std::string> Messages;
};

TEST_F(Dampers, LongSpanTakesThePairAndItsDistancesForTheRestOfTheSection)
{
    Spans({300, 620, 300});
    const TVM_SpanData &d = Run();
    EXPECT_TRUE(d.IsCalculated);
    EXPECT_FALSE(d.IsDielectric);
    EXPECT_DOUBLE_EQ(d.TensionAvg, 2500);
    ASSERT_EQ(d.Spans.Count(), 3);
    EXPECT_EQ(d.Spans.Get(0).Name, "1-2");
    EXPECT_EQ(d.Spans.Get(1).Name, "2-3");
    EXPECT_DOUBLE_EQ(d.Spans.Get(1).Length, 620);
    EXPECT_EQ(d.Spans.Get(0).Counts, (TCounts {1, 1, 0, 0}));
    EXPECT_EQ(d.Spans.Get(1).Counts, (TCounts {2, 2, 0, 0}));
    EXPECT_TRUE(d.Spans.Get(1).HasDampers);
    // Nmax = 4 stores all four positions; 3 and 4 were never set.
    EXPECT_DOUBLE_EQ(d.Distances[0], Round5(0.039 * X()));
    EXPECT_DOUBLE_EQ(d.Distances[1], Round5(0.066 * X()));
    EXPECT_DOUBLE_EQ(d.Distances[0], 135);
    EXPECT_DOUBLE_EQ(d.Distances[1], 225);
    EXPECT_DOUBLE_EQ(d.Distances[2], 0);
    // The short span after it copies its own type into position 2.
    EXPECT_EQ(d.DamperTypes[0], "ГВП-1,6-11-500");
    EXPECT_EQ(d.DamperTypes[1], "ГВП-1,6-11-500");
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Dampers, LongSpanAloneGivesTheTwoTypesOfThePair)
{
    // 600 m is long already.
    for (double length : {600.0, 620.0}) {
        Project.SpanDataProvod.Clear();
        R.Spans.clear();
        Spans({length});
        const TVM_SpanData &d = Run();
        EXPECT_EQ(d.DamperTypes[0], "ГВП-2,4-13-600") << length;
        EXPECT_EQ(d.DamperTypes[1], "ГВП-1,6-11-400") << length;
        EXPECT_EQ(d.DamperTypes[2], "") << length;
        EXPECT_EQ(d.Spans.Get(0).Counts, (TCounts {2, 2, 0, 0})) << length;
    }
}

TEST_F(Dampers, ANullPairLeavesTheSpanWithoutDampersAndTheRecordEmpty)
{
    SetTension(700);
    Spans({620, 50});
    const TVM_SpanData &d = Run();
    EXPECT_TRUE(d.IsCalculated);
    ASSERT_EQ(d.Spans.Count(), 2);
    EXPECT_FALSE(d.Spans.Get(0).HasDampers);
    EXPECT_EQ(d.Spans.Get(0).Counts, (TCounts {}));
    // Dampers were asked for there, none in the 50 m span.
    EXPECT_TRUE(d.Spans.Get(0).Unselected);
    EXPECT_FALSE(d.Spans.Get(1).Unselected);
    EXPECT_EQ(d.Distances, (std::array<double, 4> {}));
    EXPECT_EQ(d.DamperTypes[0], "");
}

TEST_F(Dampers, ShortSpansOutsideTheNorthUseTheBaseDecision)
{
    Project.VMData.NumbCat = 2;
    SetTension(2500);
    // 99: below the limit of 100; 140: one; 180: stress 10.4 reaches 8.0, two; 250: two.
    Spans({99, 140, 180, 250});
    const TVM_SpanData &d = Run();
    EXPECT_FALSE(d.Spans.Get(0).HasDampers);
    EXPECT_EQ(d.Spans.Get(1).Counts, (TCounts {1, 0, 0, 0}));
    EXPECT_EQ(d.Spans.Get(2).Counts, (TCounts {1, 1, 0, 0}));
    EXPECT_EQ(d.Spans.Get(3).Counts, (TCounts {1, 1, 0, 0}));
    EXPECT_DOUBLE_EQ(d.Distances[0], Round5(0.032 * X()));
    EXPECT_DOUBLE_EQ(d.Distances[1], Round5(0.039 * X()));
    EXPECT_DOUBLE_EQ(d.Distances[0], 110);
}

TEST_F(Dampers, SplitPhasesOfFourNeverGetDampersButCordsIgnoreTheCount)
{
    Section().CntWires = 4;
    Spans({300, 620});
    const TVM_SpanData &wire = Run();
    EXPECT_FALSE(wire.Spans.Get(0).HasDampers);
    EXPECT_FALSE(wire.Spans.Get(1).HasDampers);
    EXPECT_EQ(wire.Spans.Count(), 2);

    R.Conductor = TConductor::Cord;
    Section().MatTros = kMaterialSteelAluminium;
    const TVM_SpanData &cord = Run();
    EXPECT_TRUE(cord.Spans.Get(0).HasDampers);
    EXPECT_TRUE(cord.Spans.Get(1).HasDampers);
}

TEST_F(Dampers, TwoAndThreeWiresPerPhaseHaveTheirOwnLimits)
{
    Project.VMData.NumbCat = 1;
    Section().CntWires = 2;
    Spans({120, 121});
    const TVM_SpanData &two = Run();
    EXPECT_FALSE(two.Spans.Get(0).HasDampers);
    EXPECT_EQ(two.Spans.Get(1).Counts, (TCounts {1, 1, 0, 0}));

    Project.SpanDataProvod.Clear();
    Section().CntWires = 3;
    R.Spans.clear();
    Spans({500, 501});
    const TVM_SpanData &three = Run();
    EXPECT_FALSE(three.Spans.Get(0).HasDampers);
    EXPECT_EQ(three.Spans.Get(1).Counts, (TCounts {1, 1, 0, 0}));
}

TEST_F(Dampers, NorthernCountsAreDealtOverTheFourPositions)
{
    Project.VMData.IsNord = true;
    Project.VMData.Tcold = -20;
    Project.Klimat.Tsrec = 40; // outside the north only
    R.Tension = {0, 0, 1500, 0, 0, 0, 0, 0, 0};
    Spans({450});
    const TVM_SpanData &d = Run();
    EXPECT_DOUBLE_EQ(d.TensionAvg, 1500);
    EXPECT_EQ(d.Spans.Get(0).Counts, (TCounts {1, 1, 1, 1}));
    for (size_t q = 0; q < 4; ++q)
        EXPECT_EQ(d.DamperTypes[q], NorthDamperType(21.6, 1500));
    EXPECT_EQ(d.DamperTypes[0], "ГВУ-1,2-1,6");
    const double x = 21.6 * std::sqrt(15000);
    EXPECT_DOUBLE_EQ(d.Distances[0], Round5(0.02471 * x));
    EXPECT_DOUBLE_EQ(d.Distances[1], Round5(0.044125 * x));
    EXPECT_DOUBLE_EQ(d.Distances[2], Round5(0.075895 * x));
    EXPECT_DOUBLE_EQ(d.Distances[3], Round5(0.13061 * x));

    Project.SpanDataProvod.Clear();
    R.Spans.clear();
    Spans({1250, 1500});
    const TVM_SpanData &far = Run();
    EXPECT_EQ(far.Spans.Get(0).Counts, (TCounts {2, 2, 2, 1}));
    EXPECT_EQ(far.Spans.Get(1).Counts, (TCounts {1, 0, 0, 0}));
}

TEST_F(Dampers, DielectricCableTakesItsPrefixFromTheModel)
{
    Project.VMData.NumbCat = 3;
    Section().MatProvod = kMaterialDielectric;
    Section().ModelVM_Provod = 1;
    R.Diameter = 15;
    R.Area = 100;
    SetTension(1500);
    Spans({320});
    const TVM_SpanData &gvu = Run();
    EXPECT_TRUE(gvu.IsDielectric);
    EXPECT_EQ(gvu.Spans.Get(0).Counts, (TCounts {1, 1, 1, 0}));
    EXPECT_EQ(gvu.DamperTypes[0], "ГВУ-0,6-0,8");
    EXPECT_EQ(gvu.DamperTypes[2], "ГВУ-0,6-0,8");
    EXPECT_EQ(gvu.DamperTypes[3], "");
    EXPECT_TRUE(Messages.empty());

    Project.SpanDataProvod.Clear();
    Section().ModelVM_Provod = 2;
    EXPECT_EQ(Run().DamperTypes[0], "ГВС-0,6-0,8");

    // In the north the table's mark alone decides: marked cells are ГВУ, the others ГВС.
    Project.VMData.IsNord = true;
    Section().ModelVM_Provod = 1;
    for (const auto &[tension, type] :
         {std::pair {1500.0, "ГВУ-0,6-0,8"}, {700.0, "ГВС-0,4-0,6"}}) {
        Project.SpanDataProvod.Clear();
        SetTension(tension);
        EXPECT_EQ(Run().DamperTypes[0], type) << tension;
    }
}

TEST_F(Dampers, AModelWithoutTypeKeepsTheOldOneAndSaysWhichConductor)
{
    Project.VMData.NumbCat = 3;
    Section().MatProvod = kMaterialDielectric;
    Section().ModelVM_Provod = 0;
    R.Diameter = 15;
    R.Area = 100;
    SetTension(1500);
    Spans({320});
    const TVM_SpanData &d = Run();
    EXPECT_EQ(d.Spans.Get(0).Counts, (TCounts {1, 1, 1, 0}));
    EXPECT_EQ(d.DamperTypes[0], "");
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0],
              "The damper model ГВП has no type for the wire W of section \"S1\": choose another "
              "damper model.");
    // Russian names the conductor before the model.
    UseLanguage(TLanguage::Russian);
    Messages.clear();
    Project.SpanDataProvod.Clear();
    Run();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0],
              "Для провода W участка \"S1\" у модели гасителей ГВП нет марки: выберите другую "
              "модель гасителей.");
    UseLanguage(TLanguage::English);

    Messages.clear();
    Project.SpanDataProvod.Clear();
    Section().MatProvod = kMaterialSteelAluminium;
    Section().ModelVM_Provod = 2;
    R.Diameter = 21.6;
    R.Area = 240;
    SetTension(2500);
    EXPECT_TRUE(Run().Spans.Get(0).HasDampers);
    EXPECT_EQ(Messages.size(), 1u);
}

TEST_F(Dampers, DesignTemperatureOutsideTheGridRefusesTheConductor)
{
    Project.Klimat.Tsrec = 41;
    Spans({300});
    const TVM_SpanData &d = Run();
    EXPECT_FALSE(d.IsCalculated);
    EXPECT_EQ(d.Spans.Count(), 0);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].find("41"), std::string::npos);
}

TEST_F(Dampers, DesignTemperatureBetweenGridPointsIsInterpolated)
{
    Project.Klimat.Tsrec = 3;
    R.Tension = {0, 0, 0, 0, 1000, 2000, 0, 0, 0};
    Spans({300});
    EXPECT_DOUBLE_EQ(Run().TensionAvg, 1300);
}

TEST_F(Dampers, CategoryOrAreaOffTheTablesListSpansWithoutDampers)
{
    Project.VMData.NumbCat = 6;
    Spans({300, 620});
    const TVM_SpanData &d = Run();
    EXPECT_TRUE(d.IsCalculated);
    EXPECT_EQ(d.Spans.Count(), 2);
    EXPECT_FALSE(d.Spans.Get(1).HasDampers);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].find("6"), std::string::npos);

    Messages.clear();
    Project.SpanDataProvod.Clear();
    Project.VMData.NumbCat = 1;
    R.Area = 5000;
    EXPECT_FALSE(Run().Spans.Get(1).HasDampers);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].find("5000"), std::string::npos);
}

// The hook through the section calculation: only the damper mode fills the record.
TEST(DampersHook, TheDamperModeOfTheCalculationFillsTheWireRecord)
{
    RegisterAllStrings();
    UseLanguage(TLanguage::English);
    TWiresList list;
    TWireRecord wire;
    wire.Group = 1;
    wire.Name = "АС120/19";
    wire.Diameter = 15.2;
    wire.Section = 136.8;
    wire.Weight = 0.471;
    wire.Modulus = 8250;
    wire.ThermalCoef = 1.92e-5;
    list.Add(wire);
    TProject project;
    project.Klimat.Tols = 15;
    project.Klimat.VMax = 29;
    project.Klimat.Vwetsg = 15;
    project.Klimat.TMin = -40;
    project.Klimat.TGsw = -5;
    project.Klimat.Tsrec = 5;
    auto p = std::make_unique<TParcel>();
    p->Name = "S";
    p->Provod = "АС120/19";
    p->Napr_max = 13;
    p->Napr_srg = 9;
    p->IsVMCalcProvod = true;
    for (int i = 1; i <= 3; ++i) {
        auto s = std::make_unique<TPillar>();
        s->Nomer = std::to_string(i);
        s->Tip_Opor = TSupportType(i == 2 ? 1 : 0);
        s->Prolet = i < 3 ? 250 : 0;
        p->Pillars.Add(std::move(s));
    }
    project.Parcels.Add(std::move(p));
    TCalcHooks hooks;
    hooks.Dampers = DampersHook({});
    CalcSection(project, list, TCalcMode::Form1, 0, TConductor::Wire, {1, 3}, hooks);
    EXPECT_FALSE(project.SpanDataProvod.IsCalculated);
    const TCalcResult r
        = CalcSection(project, list, TCalcMode::Dampers, 0, TConductor::Wire, {1, 3}, hooks);
    ASSERT_FALSE(r.Error);
    const TVM_SpanData &d = project.SpanDataProvod;
    EXPECT_TRUE(d.IsCalculated);
    EXPECT_DOUBLE_EQ(d.TensionAvg, (r.Tension[4] + r.Tension[5]) / 2);
    ASSERT_EQ(d.Spans.Count(), 2);
    EXPECT_EQ(d.Spans.Get(1).Name, "2-3");
    EXPECT_TRUE(d.Spans.Get(0).HasDampers);
    EXPECT_FALSE(project.SpanDataTros.IsCalculated);
}

} // namespace
