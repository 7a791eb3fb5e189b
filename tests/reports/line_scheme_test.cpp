// The line scheme: where each support, figure, table value and legend lands in the drawing, the
// calculation's sag and tension slots, and a drawing that stops on an error.
#include "reports/line_scheme.h"

#include "base/number_text.h"
#include "base/rounding.h"
#include "calc/calc_section.h"
#include "calc/strain_sections.h"
#include "catalog/wires_list.h"
#include "dxf_listing.h"
#include "ezdxf_reader.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"
#include "scripted_user.h"
#include "test_support.h"

#include "test_wires.h"
#include <gmock/gmock.h>

#include <gtest/gtest.h>

#include <algorithm>

using namespace vartesk;
using test::EzdxfLine;
using test::EzdxfText;
using ::testing::Contains;
using ::testing::Not;

namespace {

TWiresList Catalog()
{
    return test::TestCatalog();
}

struct TSupportEntry
{
    TSupportType Type;
    double Span;
    bool Attested = false;
};
constexpr TSupportType kAnchor = TSupportType::Strain;
constexpr TSupportType kInter = TSupportType::Intermediate;
constexpr TSupportType kDeadEnd = TSupportType::DeadEnd;

// A section carrying the catalog's wire (and, with `cord`, its cord), supports numbered from
// `first`.
std::unique_ptr<TParcel> Section(const std::string &name,
                                 std::vector<TSupportEntry> supports,
                                 bool cord = false,
                                 int first = 1)
{
    auto p = std::make_unique<TParcel>();
    p->Name = name;
    p->Provod = "АС120/19";
    p->Napr_max = 13;
    p->Napr_srg = 9;
    p->IsTros = cord;
    if (cord) {
        p->Tros = "ТК-9,1";
        p->Naprt_max = 32;
        p->Naprt_srg = 21;
    }
    int n = first;
    for (const TSupportEntry &entry : supports) {
        auto s = std::make_unique<TPillar>();
        s->Nomer = std::to_string(n++);
        s->Tip_Opor = entry.Type;
        s->Prolet = entry.Span;
        s->Visir = entry.Attested;
        p->Pillars.Add(std::move(s));
    }
    return p;
}

struct TDrawn
{
    TSchemeOutcome Outcome;
    std::string Bytes;
    std::vector<std::string> Listing;
    std::vector<std::string> Told;
};

class Scheme : public ::testing::Test
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
    void TearDown() override
    {
        UseUnitSystem(TUnitSystem::DaN);
        UseLanguage(TLanguage::English);
    }

    TParcel &Add(std::unique_ptr<TParcel> p)
    {
        Project.Parcels.Add(std::move(p));
        return Project.Parcels.Get(Project.Parcels.Count() - 1);
    }

    // Exports the project, reads the file back with our parser and with ezdxf.
    TDrawn Export()
    {
        test::TScriptedUser user;
        TDrawn d;
        d.Outcome = ExportScheme(Project, List, Dir / "scheme.dxf", user);
        d.Told = user.Told;
        if (d.Outcome.Written) {
            d.Bytes = test::ReadAll(Dir / "scheme.dxf");
            d.Listing = test::DxfListing(d.Bytes);
            test::ExpectEzdxfListing(Dir / "scheme.dxf", d.Listing);
        }
        return d;
    }

    // The one text at (x, y) of the listing, or "(none)".
    static std::string TextAt(const TDrawn &d, double x, double y)
    {
        const std::string prefix
            = "TEXT " + test::EzdxfNumber(x) + " " + test::EzdxfNumber(y) + " ";
        std::string found = "(none)";
        for (const std::string &line : d.Listing)
            if (line.rfind(prefix, 0) == 0) {
                EXPECT_EQ(found, "(none)") << "two texts at " << x << ", " << y;
                found = line.substr(line.find(' ', line.find("c=")) + 1);
            }
        return found;
    }

    static long Count(const TDrawn &d, const std::string &kind)
    {
        return std::count_if(d.Listing.begin(), d.Listing.end(), [&](const std::string &line) {
            return line.rfind(kind + " ", 0) == 0;
        });
    }

    TProject Project;
    TWiresList List = Catalog();
    test::TScratchDir Dir;
};

TEST_F(Scheme, FourSupportsOfOneSection)
{
    TParcel &p
        = Add(Section("Line", {{kAnchor, 200, true}, {kInter, 250}, {kInter, 300}, {kAnchor, 99}}));
    p.Pillars.Get(0).Shifr = "Анк.";
    p.Pillars.Get(1).Shifr = "Пром.";
    p.Pillars.Get(2).Shifr = "П110-3";
    const TDrawn d = Export();
    ASSERT_TRUE(d.Outcome.Written);
    EXPECT_TRUE(d.Outcome.Complete);
    EXPECT_TRUE(d.Told.empty()) << d.Told.front();
    // The supports at x = 60, 100, 140, 180: an anchor is three legs to an apex.
    for (const double x : {60.0, 180.0}) {
        EXPECT_THAT(d.Listing, Contains(EzdxfLine(x, 100, x + 2, 150, 7)));
        EXPECT_THAT(d.Listing, Contains(EzdxfLine(x + 2, 100, x + 2, 150, 7)));
        EXPECT_THAT(d.Listing, Contains(EzdxfLine(x + 4, 100, x + 2, 150, 7)));
    }
    EXPECT_THAT(d.Listing, Contains(EzdxfLine(100, 100, 100, 150, 7)));
    EXPECT_THAT(d.Listing, Contains(EzdxfLine(140, 100, 140, 150, 7)));
    // Numbers, codes (the generic ones in English) and spans above them.
    EXPECT_EQ(TextAt(d, 62, 157), "1");
    EXPECT_EQ(TextAt(d, 62, 153), "Str.");
    EXPECT_EQ(TextAt(d, 69, 115), "200");
    EXPECT_EQ(TextAt(d, 100, 157), "2");
    EXPECT_EQ(TextAt(d, 100, 153), "Int.");
    EXPECT_EQ(TextAt(d, 107, 115), "250");
    EXPECT_EQ(TextAt(d, 140, 153), "П110-3");
    EXPECT_EQ(TextAt(d, 147, 115), "300");
    EXPECT_EQ(TextAt(d, 182, 157), "4");
    // The last span is no span: left at 0 in the project, and drawn so.
    EXPECT_EQ(TextAt(d, 189, 115), "0");
    EXPECT_EQ(p.Pillars.Get(3).Prolet, 0);
    // The strain section's length and equivalent span at the closing anchor, none at the
    // opening one; the section's length below.
    EXPECT_EQ(TextAt(d, 178, 85), "750");
    EXPECT_EQ(TextAt(d, 178, 75), "260");
    EXPECT_EQ(TextAt(d, 58, 85), "(none)");
    EXPECT_THAT(d.Listing, Contains(EzdxfText(55, -62, 2, 7, "750")));
    // Pickets with no picket given.
    EXPECT_EQ(TextAt(d, 44, 142), "0+0");
    EXPECT_EQ(TextAt(d, 84, 142), "2+0");
    EXPECT_EQ(TextAt(d, 124, 142), "4+50");
    EXPECT_EQ(TextAt(d, 164, 142), "7+50");
    // The frame and the tables end at R = 210.
    EXPECT_THAT(d.Listing,
                Contains("POLYLINE closed=0 w=0.1000 c=7 -17.0000,100.0000 210.0000,100.0000 "
                         "210.0000,-78.0000 -17.0000,-78.0000 -17.0000,100.0000"));
    EXPECT_THAT(d.Listing, Contains(EzdxfLine(0, 100, 210, 100, 7)));
    EXPECT_THAT(d.Listing, Contains(EzdxfLine(35.5, 44.7, 210, 44.7, 7)));
    EXPECT_THAT(d.Listing, Contains(EzdxfLine(-17, -64.8, 210, -64.8, 7)));
    EXPECT_THAT(d.Listing, Contains(EzdxfLine(50, 100, 50, -78, 7)));
    EXPECT_THAT(d.Listing, Contains(EzdxfLine(35.5, 50, 35.5, -35, 7)));
    // One separator, eight support lines, 25 table lines, two verticals.
    EXPECT_EQ(Count(d, "LINE"), 1 + 8 + 25 + 2);
    EXPECT_EQ(Count(d, "POLYLINE"), 1);
}

TEST_F(Scheme, SectionFrameNotesAndLimits)
{
    Add(Section("First", {{kAnchor, 100}, {kInter, 100}, {kAnchor, 0}}));
    TParcel &second = Add(Section("Second", {{kAnchor, 120}, {kAnchor, 0}}, true, 3));
    second.IsVitygka = true;
    second.Pp = 5;
    second.Pt = 5;
    const TDrawn d = Export();
    ASSERT_TRUE(d.Outcome.Complete);
    // The second section starts at support 3 of the line: x0 = 180.
    EXPECT_THAT(d.Listing, Contains(EzdxfLine(50, -78, 50, 100, 7)));
    EXPECT_THAT(d.Listing, Contains(EzdxfLine(170, -78, 170, 100, 7)));
    EXPECT_EQ(TextAt(d, 55, -72), "First");
    EXPECT_EQ(TextAt(d, 175, -72), "Second");
    EXPECT_EQ(TextAt(d, 55, 65), "АС120/19 13/9");
    EXPECT_EQ(TextAt(d, 55, 55), "(none)"); // no cord in the first section
    EXPECT_EQ(TextAt(d, 175, 65), "АС120/19 13/9");
    EXPECT_EQ(TextAt(d, 175, 55), "ТК-9,1 32/21");
    EXPECT_EQ(TextAt(d, 55, -62), "200");
    EXPECT_EQ(TextAt(d, 175, -62), "120");
    // Notes without the creep elongation: the third note of the second block 5 lower.
    EXPECT_THAT(d.Listing,
                Contains(EzdxfText(55, -87, 2, 7, "1. The tables of mounting stresses")));
    EXPECT_EQ(TextAt(d, 55, -103), "sagging by 5-10%.");
    EXPECT_EQ(TextAt(d, 55, -111), "at intermediate temperatures,");
    EXPECT_EQ(TextAt(d, 55, -116), "the mounting stresses and sag");
    EXPECT_EQ(TextAt(d, 55, -124), "of interpolation.");
    // With it: ten notes 4 apart.
    EXPECT_EQ(TextAt(d, 175, -91), "and sag take into account the");
    EXPECT_EQ(TextAt(d, 175, -103), "fixating them by the clamps.");
    EXPECT_EQ(TextAt(d, 175, -115), "the mounting stresses and sag");
    EXPECT_EQ(TextAt(d, 175, -123), "of interpolation.");
    // R = 50 + 40 * 5.
    EXPECT_THAT(d.Listing, Contains(EzdxfLine(0, 100, 250, 100, 7)));
    // The running picket goes on across sections; the first support of a section adds nothing.
    EXPECT_EQ(TextAt(d, 124, 142), "2+0");
    EXPECT_EQ(TextAt(d, 164, 142), "2+0");
    EXPECT_EQ(TextAt(d, 204, 142), "3+20");
}

TEST_F(Scheme, LegendAndLabelsInBothLanguagesAndUnitSystems)
{
    TParcel &p = Add(Section("L", {{kAnchor, 100}, {kAnchor, 0}}));
    p.Pillars.Get(0).Shifr = "Анк.";
    p.Pillars.Get(1).Shifr = "Пром.";
    const TDrawn en = Export();
    EXPECT_EQ(TextAt(en, -15, 94), "Angles and straight lines, km");
    EXPECT_THAT(en.Listing, Contains(EzdxfText(-15, 61, 2, 7, "tension, daN/mm2, max./av. oper.")));
    EXPECT_EQ(TextAt(en, -15, -15), "daN");
    EXPECT_EQ(TextAt(en, -15, -72), "Name of sector");
    EXPECT_THAT(en.Listing, Contains(EzdxfText(40, 44.8, 2.5, 7, "40")));
    EXPECT_THAT(en.Listing, Contains(EzdxfText(40, 8.4, 2.5, 7, "-30")));
    EXPECT_THAT(en.Listing, Contains(EzdxfText(40, 2.8, 2.5, 7, "40")));
    EXPECT_THAT(en.Listing, Contains(EzdxfText(40, -33.6, 2.5, 7, "-30")));
    EXPECT_EQ(TextAt(en, 62, 153), "Str.");
    EXPECT_EQ(TextAt(en, 102, 153), "Int.");

    UseLanguage(TLanguage::Russian);
    UseUnitSystem(TUnitSystem::KN);
    const TDrawn ru = Export();
    EXPECT_EQ(TextAt(ru, -15, 94), "Углы и прямые, км");
    EXPECT_EQ(TextAt(ru, -15, 61), "проводе. Н/мм2, макс./ср.экспл");
    EXPECT_EQ(TextAt(ru, -15, 52), "тросе. Н/мм2, макс./ср.экспл");
    EXPECT_EQ(TextAt(ru, -15, -15), "кН");
    EXPECT_EQ(TextAt(ru, 62, 153), "Анк.");
    EXPECT_EQ(TextAt(ru, 102, 153), "Пром.");
    // Stresses in N/mm2.
    EXPECT_EQ(TextAt(ru, 55, 65), "АС120/19 130/90");
}

TEST_F(Scheme, DeadEndSupportKeepsItsColumnNotesAnglePicketOnly)
{
    TParcel &p = Add(Section("L", {{kAnchor, 100}, {kDeadEnd, 150}, {kAnchor, 0}}));
    TPillar &dead = p.Pillars.Get(1);
    dead.Coment = "портал";
    dead.Ugol = "1";
    dead.Ugol_grad = 12;
    dead.Ugol_min = 30;
    const TDrawn d = Export();
    ASSERT_TRUE(d.Outcome.Complete);
    EXPECT_EQ(TextAt(d, 100, 157), "(none)");
    EXPECT_EQ(TextAt(d, 102, 157), "(none)");
    EXPECT_EQ(TextAt(d, 107, 115), "(none)");
    EXPECT_EQ(TextAt(d, 109, 115), "(none)");
    EXPECT_EQ(TextAt(d, 110, -52), "портал");
    EXPECT_EQ(TextAt(d, 98, 93), "Ang.1;+12°30'0\"");
    EXPECT_EQ(TextAt(d, 84, 142), "1+0");
    // The next support still stands 40 further, and the dead-end's span counts in the
    // section's length but not in the strain section's.
    EXPECT_EQ(TextAt(d, 142, 157), "3");
    EXPECT_EQ(TextAt(d, 124, 142), "2+50");
    EXPECT_EQ(TextAt(d, 55, -62), "250");
    EXPECT_EQ(TextAt(d, 138, 85), "100");
    EXPECT_EQ(Count(d, "LINE"), 1 + 6 + 25 + 2);
}

TEST_F(Scheme, GivenPicketRestartsTheCount)
{
    TParcel &p = Add(Section(
        "L", {{kAnchor, 123.45}, {kInter, 76.55}, {kInter, 0.1}, {kInter, 0.2}, {kAnchor, 0}}));
    p.Pillars.Get(1).RezPic = true;
    p.Pillars.Get(1).Picet1 = 12;
    p.Pillars.Get(1).Picet2 = 35.5;
    const TDrawn d = Export();
    EXPECT_EQ(TextAt(d, 44, 142), "0+0");
    EXPECT_EQ(TextAt(d, 84, 142), "12+35.5");
    // 1235.5 + 76.55 + 0.1 + 0.2: sums that binary reals miss by a hair read as they should.
    EXPECT_EQ(TextAt(d, 124, 142), "13+12.05");
    EXPECT_EQ(TextAt(d, 164, 142), "13+12.15");
    EXPECT_EQ(TextAt(d, 204, 142), "13+12.35");
}

TEST_F(Scheme, SpansAddingUpToNothingShowNoFiguresAndTheDrawingGoesOn)
{
    Add(Section("Zero", {{kAnchor, 0}, {kInter, 0}, {kAnchor, 0}}));
    Add(Section("Next", {{kAnchor, 100}, {kAnchor, 0}}, false, 4));
    const TDrawn d = Export();
    ASSERT_TRUE(d.Outcome.Written);
    EXPECT_EQ(TextAt(d, 138, 85), "(none)");
    EXPECT_EQ(TextAt(d, 138, 75), "(none)");
    // The calculation refused that strain section, which says so with its place, and the
    // scheme is not whole; the next section is drawn all the same.
    EXPECT_FALSE(d.Outcome.Complete);
    EXPECT_THAT(d.Told,
                Contains("Section \"Zero\": the wire of the strain section 1-3 is not calculated: "
                         "Error data entry"));
    EXPECT_EQ(TextAt(d, 218, 85), "100");
    EXPECT_EQ(Count(d, "POLYLINE"), 1);
}

TEST_F(Scheme, ErrorWhileDrawingSaysWhereAndTheFileIsStillWhole)
{
    Add(Section("Good", {{kAnchor, 100}, {kAnchor, 0}}));
    Add(Section("Bad", {{kAnchor, 100}, {kInter, 1e120}, {kAnchor, 0}}, false, 3));
    const TDrawn d = Export();
    ASSERT_TRUE(d.Outcome.Written);
    EXPECT_FALSE(d.Outcome.Complete);
    ASSERT_FALSE(d.Told.empty());
    EXPECT_EQ(d.Told.back(),
              "The drawing stopped at the section \"Bad\", strain section 3-5: Error data "
              "entry; the file holds what was drawn until then.");
    // What was drawn before the stop is there, and the file is properly ended.
    EXPECT_EQ(TextAt(d, 98, 85), "100");
    EXPECT_EQ(TextAt(d, 180, 157), "4");
    EXPECT_EQ(Count(d, "POLYLINE"), 0);
    EXPECT_TRUE(d.Bytes.ends_with("0\r\nENDSEC\r\n0\r\nEOF\r\n"));
}

TEST_F(Scheme, StopMessageInRussian)
{
    UseLanguage(TLanguage::Russian);
    Add(Section("Плохой", {{kAnchor, 100}, {kInter, 1e120}, {kAnchor, 0}}));
    const TDrawn d = Export();
    ASSERT_FALSE(d.Told.empty());
    EXPECT_EQ(d.Told.back(),
              "Чертёж остановлен на участке \"Плохой\", анкерный участок 1-3: Ошибка ввода "
              "данных; файл содержит то, что было начерчено до этого.");
}

// The calculation's own texts: the grids of a CalcSection call on a copy of the project,
// found at the slots of the drawing.
class SchemeSlots : public Scheme
{
protected:
    TCalcResult Reference(int section, TConductor conductor, TStrainSection ss)
    {
        TProject copy;
        copy.Assign(Project);
        return CalcSection(copy, List, TCalcMode::Cad, section, conductor, ss);
    }
    static std::string Sag(double f) { return FormatGeneral(Round2(f)); }
    static std::string Tension(double t) { return FormatGeneral(Round(t)); }
};

TEST_F(SchemeSlots, SagsAndTensionsStandInTheirSupportsColumns)
{
    Add(Section("A", {{kAnchor, 200}, {kInter, 250, true}, {kInter, 300}, {kAnchor, 0}}, true));
    Add(Section("B", {{kAnchor, 180}, {kInter, 220}, {kAnchor, 260, true}, {kAnchor, 0}}, true, 4));
    const TCalcResult wireA = Reference(0, TConductor::Wire, {1, 4});
    const TCalcResult cordA = Reference(0, TConductor::Cord, {1, 4});
    const TCalcResult wireB2 = Reference(1, TConductor::Wire, {3, 4});
    const TCalcResult cordB2 = Reference(1, TConductor::Cord, {3, 4});
    ASSERT_FALSE(wireA.Error || cordA.Error || wireB2.Error || cordB2.Error);
    const TDrawn d = Export();
    ASSERT_TRUE(d.Outcome.Complete);
    for (int k = 0; k < 8; ++k) {
        const size_t at = size_t(k + 1); // -30 C is grid index 1
        const double sagY = 9.6 + 5.3 * k;
        const double tensionY = -34.4 + 5.3 * k;
        // First section: the span from support 2 at 40 * 1 + 60 (cord + 70); the tensions of
        // the strain section from support 1 at 60 and 70. Texts before any line: no colour.
        EXPECT_THAT(d.Listing,
                    Contains(EzdxfText(100, sagY, 2.5, 256, Sag(wireA.Spans[1].Sag[at]))));
        EXPECT_THAT(
            d.Listing,
            Contains(EzdxfText(110, sagY, 2.5, 256, "(" + Sag(cordA.Spans[1].Sag[at]) + ")")));
        EXPECT_THAT(d.Listing,
                    Contains(EzdxfText(60, tensionY, 2.5, 256, Tension(wireA.Tension[at]))));
        EXPECT_THAT(
            d.Listing,
            Contains(EzdxfText(70, tensionY, 2.5, 256, "(" + Tension(cordA.Tension[at]) + ")")));
        // Second section (N = 4 supports before it): support 3 at 40 * (2 + 4) + 70 and + 82.
        EXPECT_THAT(d.Listing,
                    Contains(EzdxfText(310, sagY, 2.5, 256, Sag(wireB2.Spans[0].Sag[at]))));
        EXPECT_THAT(
            d.Listing,
            Contains(EzdxfText(322, sagY, 2.5, 256, "(" + Sag(cordB2.Spans[0].Sag[at]) + ")")));
        EXPECT_THAT(d.Listing,
                    Contains(EzdxfText(310, tensionY, 2.5, 256, Tension(wireB2.Tension[at]))));
    }
    // Only attested spans have sags: 8 per conductor and span, and 8 tensions per conductor and
    // strain section (one in A, two in B).
    const long uncoloured
        = std::count_if(d.Listing.begin(), d.Listing.end(), [](const std::string &line) {
              return line.find(" c=256 ") != std::string::npos;
          });
    EXPECT_EQ(uncoloured, 2 * 8 * 2 + 2 * 8 * 3);
}

TEST_F(SchemeSlots, TensionsInKilonewtonsToTwoDecimals)
{
    UseUnitSystem(TUnitSystem::KN);
    Add(Section("A", {{kAnchor, 200}, {kInter, 250}, {kAnchor, 0}}));
    const TCalcResult wire = Reference(0, TConductor::Wire, {1, 3});
    const TDrawn d = Export();
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(TextAt(d, 60, -34.4 + 5.3 * k),
                  FormatGeneral(Round2(wire.Tension[size_t(k + 1)] * 0.01)));
}

TEST_F(SchemeSlots, AConductorTheSectionDoesNotCarryWritesNothing)
{
    TParcel &p = Add(Section("A", {{kAnchor, 200, true}, {kAnchor, 0}}, true));
    p.IsProvod = false;
    const TDrawn d = Export();
    EXPECT_TRUE(d.Told.empty());
    EXPECT_EQ(TextAt(d, 60, 9.6), "(none)");
    EXPECT_EQ(TextAt(d, 60, -34.4), "(none)");
    EXPECT_EQ(TextAt(d, 55, 65), "(none)");
    EXPECT_NE(TextAt(d, 70, 9.6), "(none)");
    EXPECT_NE(TextAt(d, 70, -34.4), "(none)");
}

TEST_F(SchemeSlots, RepeatedSupportNumberTakesTheFirstColumnOfTheStrainSection)
{
    TParcel &p
        = Add(Section("A", {{kAnchor, 200}, {kInter, 250}, {kInter, 300, true}, {kAnchor, 0}}));
    p.Pillars.Get(2).Nomer = "2";
    const TDrawn d = Export();
    EXPECT_NE(TextAt(d, 100, 9.6), "(none)");
    EXPECT_EQ(TextAt(d, 140, 9.6), "(none)");
}

} // namespace
