// The section calculation: strain sections, ruling span, hooks, work fields and failures.
#include "calc/calc_section.h"
#include "calc/strain_sections.h"
#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "mechanics/state_equation.h"
#include "model/project.h"
#include "test_wires.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace vartesk;

namespace {

TWiresList Catalog()
{
    TWiresList list = test::TestCatalog();
    TWireRecord empty;
    empty.Name = "Пустой"; // entered without its figures
    list.Add(empty);
    return list;
}

// Types: 0 anchor, 1 intermediate, 2 dead-end.
std::unique_ptr<TParcel> Section(std::vector<std::pair<int, double>> supports)
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
    for (auto [type, span] : supports) {
        auto s = std::make_unique<TPillar>();
        s->Nomer = std::to_string(n++);
        s->Tip_Opor = TSupportType(type);
        s->Prolet = span;
        p->Pillars.Add(std::move(s));
    }
    return p;
}

class Calc : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
        Project.Klimat.Tols = 15;
        Project.Klimat.VMax = 29;
        Project.Klimat.Vwetsg = 15;
        Project.Klimat.TMin = -40;
        Project.Klimat.TGsw = -5;
        Project.Klimat.Tgbw = -10; // unlike TGsw, so that swapping the two shows
        Project.Klimat.Tsrec = 3;
    }
    TParcel &Add(std::unique_ptr<TParcel> p)
    {
        Project.Parcels.Add(std::move(p));
        return Project.Parcels.Get(Project.Parcels.Count() - 1);
    }
    TCalcResult Run(TConductor conductor,
                    int o,
                    int m,
                    TCalcMode mode = TCalcMode::Form1,
                    const TCalcHooks &h = {})
    {
        return CalcSection(Project, List, mode, 0, conductor, {m, o}, h);
    }
    TProject Project;
    TWiresList List = Catalog();
};

} // namespace

TEST(StrainSections, AnchorsEndWireSectionsAndDeadEndsOnlyCordSections)
{
    auto p = Section({{0, 100}, {1, 100}, {1, 100}, {0, 100}, {1, 100}, {0, 0}});
    EXPECT_EQ(WireStrainSections(*p), (std::vector<TStrainSection> {{1, 4}, {4, 6}}));
    EXPECT_EQ(CordStrainSections(*p), (std::vector<TStrainSection> {{1, 4}, {4, 6}}));

    // A last intermediate support closes the wire's last section but not the cord's.
    auto q = Section({{0, 100}, {1, 100}, {2, 100}, {1, 100}, {1, 0}});
    EXPECT_EQ(WireStrainSections(*q), (std::vector<TStrainSection> {{1, 5}}));
    EXPECT_EQ(CordStrainSections(*q), (std::vector<TStrainSection> {{1, 3}}));

    auto one = Section({{0, 0}});
    EXPECT_TRUE(WireStrainSections(*one).empty());
    EXPECT_TRUE(CordStrainSections(*one).empty());
}

TEST_F(Calc, RulingSpanAndSectionLengthGoToTheSupportsAndTheListsLast)
{
    Add(Section({{0, 100}, {1, 200}, {1, 300}, {0, 150}, {1, 0}}));
    const TCalcResult r = Run(TConductor::Wire, 4, 1);
    ASSERT_FALSE(r.Error) << *r.Error;
    EXPECT_NEAR(r.RulingSpan, 244.94897, 1e-5);
    EXPECT_EQ(r.Length, 600);
    const TPillarList &s = Project.Parcels.Get(0).Pillars;
    for (int i : {0, 1, 2, 4}) {
        EXPECT_EQ(s.Get(i).RulingSpan, r.RulingSpan) << i;
        EXPECT_EQ(s.Get(i).SectionLength, 600) << i;
    }
    EXPECT_EQ(s.Get(3).SectionLength, 0); // the anchor ending the section is not marked
    EXPECT_EQ(Project.CurRulingSpan, r.RulingSpan);
    EXPECT_EQ(Project.AnchorLabel, "1-4");

    const TCalcResult one = Run(TConductor::Wire, 5, 4);
    EXPECT_EQ(one.RulingSpan, 150);
    EXPECT_EQ(s.Get(4).SectionLength, 150); // the next call overwrites the list's last
}

TEST_F(Calc, EverySpanSharesTheRulingSpansStressAndTensions)
{
    Add(Section({{0, 180}, {1, 240}, {1, 300}, {0, 0}}));
    const TCalcResult r = Run(TConductor::Wire, 4, 1);
    ASSERT_FALSE(r.Error);
    ASSERT_EQ(r.Spans.size(), 3u);
    EXPECT_NE(r.State, TGoverningState::None);
    for (const auto &span : r.Spans) {
        EXPECT_EQ(span.Stress, r.Spans[0].Stress);
        EXPECT_EQ(span.Tension, r.Tension);
        for (int k = 1; k < kGridSize; ++k)
            EXPECT_GT(span.Sag[size_t(k)], span.Sag[size_t(k - 1)]) << "sags grow with heat";
    }
    EXPECT_GT(r.Spans[2].Sag[4], r.Spans[0].Sag[4]); // longer span, deeper sag
    for (int k = 0; k < kGridSize; ++k)
        EXPECT_NEAR(r.Tension[size_t(k)], r.Spans[0].Stress[size_t(k)] * 136.8, 1e-9);
    EXPECT_EQ(Project.GridTension, r.Tension);
    EXPECT_EQ(Project.CurWeight, 0.471);
    EXPECT_EQ(Project.Parcels.Get(0).CalcProvod, "АС120/19");
    EXPECT_EQ(Project.Parcels.Get(0).CalcNapr_max, 13);
}

TEST_F(Calc, OverTensioningRaisesTensionsAndLowersSagsOfItsOwnConductor)
{
    TParcel &p = Add(Section({{0, 250}, {1, 250}, {0, 0}}));
    const TCalcResult plainWire = Run(TConductor::Wire, 3, 1);
    const TCalcResult plainCord = Run(TConductor::Cord, 3, 1);
    p.IsVitygka = true;
    p.Pp = 5;
    p.Pt = 3;
    const TCalcResult wire = Run(TConductor::Wire, 3, 1);
    const TCalcResult cord = Run(TConductor::Cord, 3, 1);
    for (size_t k = 0; k < kGridSize; ++k) {
        EXPECT_EQ(wire.Spans[0].Stress[k], plainWire.Spans[0].Stress[k]);
        EXPECT_NEAR(wire.Tension[k], 1.05 * plainWire.Tension[k], 1e-9);
        EXPECT_NEAR(wire.Spans[0].Sag[k], 0.95 * plainWire.Spans[0].Sag[k], 1e-12);
        EXPECT_NEAR(cord.Tension[k], 1.03 * plainCord.Tension[k], 1e-9);
        EXPECT_NEAR(cord.Spans[0].Sag[k], 0.97 * plainCord.Spans[0].Sag[k], 1e-12);
    }
    // The anchor load cases take no over-tensioning factor.
    const TCalcResult loads = Run(TConductor::Wire, 3, 1, TCalcMode::Loads);
    for (const auto &lc : loads.LoadCases)
        EXPECT_NEAR(lc.Tension, lc.Stress * 136.8, 1e-9);
    EXPECT_EQ(loads.LoadCases[0].IceShown, loads.Ice);
}

TEST_F(Calc, AnchorLoadCasesTakeTheirOwnTemperatureIceAndRoundedWind)
{
    Add(Section({{0, 250}, {1, 250}, {0, 0}}));
    // At 20 m over terrain A the wind coefficient is 1.25: 26 m/s gives 32.5, a tie that
    // rounds to the even 32, and 29 m/s gives 36.25.
    Project.KlimatKoef.visotaPC = 20;
    Project.Klimat.Vwetsg = 26;
    Project.Klimat.VMax = 29;
    const TCalcResult r = Run(TConductor::Wire, 3, 1, TCalcMode::Loads);
    ASSERT_FALSE(r.Error) << *r.Error;
    const auto &ice = r.LoadCases[0], &wind = r.LoadCases[1], &cold = r.LoadCases[2];
    EXPECT_EQ(ice.Temperature, Project.Klimat.TGsw);
    EXPECT_EQ(wind.Temperature, Project.Klimat.Tgbw);
    EXPECT_EQ(cold.Temperature, Project.Klimat.TMin);
    EXPECT_EQ(ice.IceShown, r.Ice);
    EXPECT_EQ(wind.IceShown, 0);
    EXPECT_EQ(cold.IceShown, 0);
    EXPECT_EQ(ice.WindShown, 32);
    EXPECT_EQ(wind.WindShown, 36);
    EXPECT_EQ(cold.WindShown, 0);

    // Each case's stress follows its own temperature and no other.
    Project.Klimat.Tgbw = 0;
    const TCalcResult warmer = Run(TConductor::Wire, 3, 1, TCalcMode::Loads);
    EXPECT_EQ(warmer.LoadCases[0].Stress, ice.Stress);
    EXPECT_LT(warmer.LoadCases[1].Stress, wind.Stress);
    EXPECT_EQ(warmer.LoadCases[2].Stress, cold.Stress);
}

TEST_F(Calc, HooksFollowTheStepsAndOnlyAttestedSpansGetLines)
{
    TParcel &p = Add(Section({{0, 200}, {1, 210}, {1, 220}, {0, 0}}));
    p.Pillars.Get(1).Visir = true;
    std::vector<std::string> calls;
    TCalcHooks hooks;
    hooks.Header = [&](TProject &, const TCalcResult &r) {
        calls.push_back("header " + std::to_string(r.StressMax));
    };
    hooks.SpanLine = [&](TProject &, const TCalcResult &, const TSpanResult &s) {
        calls.push_back("span " + s.From + "-" + s.To);
    };
    hooks.Dampers = [&](TProject &, const TCalcResult &) {
        calls.push_back("dampers");
    };
    hooks.LoadCases = [&](TProject &, const TCalcResult &) {
        calls.push_back("loads");
    };
    hooks.AnchorLine = [&](TProject &, const TCalcResult &r) {
        calls.push_back("anchor " + r.Label);
    };
    Run(TConductor::Wire, 4, 1, TCalcMode::Form1, hooks);
    EXPECT_EQ(calls, (std::vector<std::string> {"header 13.000000", "span 2-3", "anchor 1-4"}));
    calls.clear();
    Run(TConductor::Wire, 4, 1, TCalcMode::Dampers, hooks);
    EXPECT_EQ(calls[2], "dampers");
    calls.clear();
    Run(TConductor::Wire, 4, 1, TCalcMode::Loads, hooks);
    EXPECT_EQ(calls[2], "loads");
}

TEST_F(Calc, EqualStressesStopAfterTheWarningWithOnlyTheHeaderWritten)
{
    TParcel &p = Add(Section({{0, 200}, {0, 0}}));
    p.Napr_srg = 13;
    p.Pillars.Get(0).Visir = true;
    std::vector<std::string> calls;
    TCalcHooks hooks;
    hooks.Message = [&](TCalcMessageKind kind, const std::string &text) {
        calls.push_back((kind == TCalcMessageKind::Warning ? "warning " : "error ") + text);
    };
    hooks.Header = [&](TProject &, const TCalcResult &) {
        calls.push_back("header");
    };
    hooks.SpanLine = [&](TProject &, const TCalcResult &, const TSpanResult &) {
        calls.push_back("span");
    };
    hooks.AnchorLine = [&](TProject &, const TCalcResult &) {
        calls.push_back("anchor");
    };
    const TCalcResult r = Run(TConductor::Wire, 2, 1, TCalcMode::Form1, hooks);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], "header");
    EXPECT_EQ(calls[1].rfind("warning Tension at average annual temperature equals maximum", 0),
              0u);
    ASSERT_TRUE(r.Error);
    EXPECT_FALSE(r.Critical);
    EXPECT_TRUE(r.Spans.empty());
    EXPECT_EQ(r.RulingSpan, 200); // computed before the failure, kept
}

TEST_F(Calc, ArithmeticFailuresEndTheCallWithTheDataEntryMessage)
{
    TParcel &p = Add(Section({{0, 0}, {1, 0}, {0, 0}}));
    TCalcResult r = Run(TConductor::Wire, 3, 1); // spans of zero length: no ruling span
    ASSERT_TRUE(r.Error);
    EXPECT_EQ(*r.Error, "Error data entry");
    EXPECT_GT(r.Ice, 0); // computed before the failure, kept
    EXPECT_TRUE(r.Spans.empty());
    p.Pillars.Get(0).Prolet = 200;

    p.Provod = "Пустой"; // an entry without figures: zero area and modulus
    r = Run(TConductor::Wire, 3, 1);
    ASSERT_TRUE(r.Error);
    EXPECT_EQ(*r.Error, "Error data entry");

    Project.Klimat.VMax = 0; // neither ice nor wind: gamma max equals gamma 1
    Project.Klimat.Vwetsg = 0;
    Project.Klimat.Tols = 0;
    p.Provod = "АС120/19";
    r = Run(TConductor::Wire, 3, 1);
    ASSERT_TRUE(r.Error);
    EXPECT_EQ(*r.Error, "Error data entry");
    EXPECT_EQ(Run(TConductor::Wire, 3, 0).Error, "Error data entry"); // m out of range
    EXPECT_EQ(Run(TConductor::Wire, 9, 1).Error, "Error data entry");
}

TEST_F(Calc, AMissingTypeEndsOnlyItsOwnConductor)
{
    TParcel &p = Add(Section({{0, 200}, {0, 0}}));
    p.Provod = "";
    std::vector<std::string> messages;
    TCalcHooks hooks;
    hooks.Message = [&](TCalcMessageKind, const std::string &t) {
        messages.push_back(t);
    };
    const TCalcResult wire = Run(TConductor::Wire, 2, 1, TCalcMode::Form1, hooks);
    EXPECT_EQ(wire.Error, "The type of wire (cable) is not indicated.");
    EXPECT_TRUE(wire.Spans.empty());
    const TCalcResult cord = Run(TConductor::Cord, 2, 1, TCalcMode::Form1, hooks);
    EXPECT_FALSE(cord.Error);
    EXPECT_EQ(messages.size(), 2u); // the box is shown for the cord call as well
    EXPECT_GT(cord.Ice, 0); // and the cord still carries its ice
    EXPECT_FALSE(cord.Spans.empty());

    p.Provod = "АС999/1";
    const TCalcResult unknown = Run(TConductor::Wire, 2, 1, TCalcMode::Form1, hooks);
    EXPECT_EQ(unknown.Error, "The wire АС999/1 is not found.");
    EXPECT_FALSE(unknown.TypeFound);
    p.IsProvod = false; // a section without a wire: no message for its wire call
    messages.clear();
    // Its lines still come, without figures, so that the cord's values have a row to go to.
    p.Pillars.Get(0).Visir = true;
    std::vector<std::string> calls;
    hooks.Header = [&](TProject &, const TCalcResult &) {
        calls.push_back("header");
    };
    hooks.SpanLine = [&](TProject &, const TCalcResult &, const TSpanResult &s) {
        calls.push_back("span " + s.From + "-" + s.To + " " + std::to_string(s.Sag[4]));
    };
    hooks.AnchorLine = [&](TProject &, const TCalcResult &r) {
        calls.push_back("anchor " + r.Label);
    };
    Project.GridTension.fill(123); // left over from an earlier call
    const TCalcResult without = Run(TConductor::Wire, 2, 1, TCalcMode::Form1, hooks);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(without.Error);
    EXPECT_FALSE(without.TypeFound);
    EXPECT_EQ(without.RulingSpan, 200);
    EXPECT_EQ(calls, (std::vector<std::string> {"span 1-2 0.000000", "anchor 1-2"}));
    EXPECT_EQ(Project.GridTension, TGrid {});
}

TEST_F(Calc, InsulatorStringsChangeOnlyTheWireCall)
{
    TParcel &p = Add(Section({{0, 120}, {0, 0}}));
    const TCalcResult plain = Run(TConductor::Wire, 2, 1);
    const TCalcResult plainCord = Run(TConductor::Cord, 2, 1);
    p.IsGis = true;
    p.Ves_Gis = 50;
    p.Dlina_Gis = 1.5;
    const TCalcResult strings = Run(TConductor::Wire, 2, 1);
    ASSERT_FALSE(strings.Error);
    EXPECT_TRUE(strings.UsesStrings);
    EXPECT_EQ(strings.Spans[0].Stress, TGrid {});
    EXPECT_NE(strings.Spans[0].Sag, plain.Spans[0].Sag);
    EXPECT_GT(strings.Tension[0], 0);
    const TCalcResult cord = Run(TConductor::Cord, 2, 1);
    EXPECT_EQ(cord.Spans[0].Sag, plainCord.Spans[0].Sag);
}

TEST_F(Calc, SpanEqualToTheRulingSpanReturnsItsInitialStress)
{
    // At the governing state's own temperature and load the equation gives back the
    // state's stress: sigma max at -40 C (grid index 0) or sigma avg at 0 C (index 4).
    Project.Klimat.Tsrec = 0;
    Add(Section({{0, 90}, {0, 0}}));
    Add(Section({{0, 160}, {0, 0}}));
    std::set<TGoverningState> seen;
    for (int section : {0, 1}) {
        const TCalcResult r
            = CalcSection(Project, List, TCalcMode::Form1, section, TConductor::Wire, {1, 2});
        ASSERT_FALSE(r.Error);
        seen.insert(r.State);
        if (r.State == TGoverningState::MinimumTemperature) {
            EXPECT_NEAR(r.Spans[0].Stress[0], 13, kStateTolerance);
        }
        if (r.State == TGoverningState::AverageTemperature) {
            EXPECT_NEAR(r.Spans[0].Stress[4], 9, kStateTolerance);
        }
    }
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(Calc, SharedStressGivesTheSameNumbersAsSolvingEverySpan)
{
    Add(Section({{0, 150}, {1, 310}, {1, 95}, {0, 0}}));
    const TCalcResult r = Run(TConductor::Wire, 4, 1);
    ASSERT_FALSE(r.Error);
    ASSERT_NE(r.State, TGoverningState::None);
    for (const auto &span : r.Spans) {
        for (size_t k = 0; k < kGridSize; ++k) {
            TSpanStateInput in;
            in.Gamma = r.Loads.gamma1;
            in.RulingSpan = r.RulingSpan;
            in.Modulus = r.Modulus;
            TDesignConditions d;
            d.AvgStress = r.StressAvg;
            d.MaxStress = r.StressMax;
            d.TAvg = Project.Klimat.Tsrec;
            d.TMin = Project.Klimat.TMin;
            d.TIce = Project.Klimat.TGsw;
            d.Gamma1 = r.Loads.gamma1;
            d.GammaMax = r.Loads.gammaMax;
            const TInitialState init = InitialState(r.State, d);
            in.InitialTerm = StateTerm(init.Gamma, r.RulingSpan, r.Modulus);
            in.Span = span.Length;
            in.Stress0 = init.Stress;
            in.Alpha = r.ThermalCoef;
            in.Temperature = kTemperatureGrid[k];
            in.Temperature0 = init.Temperature;
            in.Section = r.Area;
            double stress = 0, sag = 0, tension = 0;
            SpanState(in, stress, sag, tension);
            EXPECT_EQ(span.Stress[k], stress);
            EXPECT_EQ(span.Sag[k], sag);
            EXPECT_EQ(span.Tension[k], tension);
        }
    }
}

TEST_F(Calc, NoGoverningStateIsSaidAndLeavesTheGridsEmpty)
{
    // Light wind, no ice and low limits: an ordering of the critical spans no rule covers.
    Project.Klimat.Tols = 0;
    Project.Klimat.VMax = 10;
    Project.Klimat.Vwetsg = 5;
    Project.Klimat.Tsrec = 5;
    TParcel &p = Add(Section({{0, 100}, {0, 0}}));
    p.Napr_max = 4;
    p.Napr_srg = 3;
    Project.GridTension.fill(123); // left over from an earlier call
    std::vector<std::string> messages;
    TCalcHooks hooks;
    hooks.Message = [&](TCalcMessageKind, const std::string &t) {
        messages.push_back(t);
    };
    const TCalcResult r = Run(TConductor::Wire, 2, 1, TCalcMode::Form1, hooks);
    EXPECT_FALSE(r.Error);
    EXPECT_EQ(r.State, TGoverningState::None);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0],
              "No governing state was found for the strain section 1-2: its sags and tensions "
              "are not calculated.");
    ASSERT_EQ(r.Spans.size(), 1u);
    EXPECT_EQ(r.Spans[0].Sag, TGrid {});
    EXPECT_EQ(r.Tension, TGrid {});
    EXPECT_EQ(Project.GridTension, TGrid {});
}
