// The climate and coefficient pages: what they show of a project, what they give back, captions.
#include "app/editors/climate_pages.h"

#include "l10n/language.h"
#include "l10n/string_table.h"
#include "model/project.h"

#include <gtest/gtest.h>

using namespace vartesk;

namespace {

class ClimatePages : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
    }
    void TearDown() override { UseLanguage(TLanguage::Russian); }
};

// Every field a different value, so that two fields mixed up show.
TKlimat DistinctKlimat()
{
    TKlimat k;
    k.Tols = 11;
    k.VMax = 12;
    k.Vwetsg = 13;
    k.TMin = -14;
    k.TMax = 15;
    k.Tgbw = -16;
    k.TGsw = -17;
    k.Tsrec = 18;
    return k;
}

TKlimatKoef DistinctKoef()
{
    TKlimatKoef k;
    k.V_Otv = 1.001;
    k.V_Reg = 1.002;
    k.V_Nad = 1.003;
    k.G_Otv = 1.004;
    k.G_Reg = 1.005;
    k.G_Nad = 1.006;
    k.G_Usl = 1.007;
    k.visotaPC = 21;
    k.visotaPC_tros = 22;
    k.TypeTer = 3;
    return k;
}

} // namespace

TEST_F(ClimatePages, NewProjectShowsTheDefaults)
{
    TProject project;
    TFrameKlimat climate;
    climate.Tols = 99; // a page that showed another project before
    climate.Load(project.Klimat);
    EXPECT_EQ(SpinText(climate.Tols), "5");
    EXPECT_EQ(SpinText(climate.TMin), "-55");
    EXPECT_EQ(SpinText(climate.TMax), "40");
    EXPECT_EQ(SpinText(climate.TGsw), "0");
    EXPECT_EQ(SpinText(climate.Tgbw), "-5");
    EXPECT_EQ(SpinText(climate.Tsrec), "0");
    EXPECT_EQ(SpinText(climate.VMax), "0");
    EXPECT_EQ(SpinText(climate.Vwetsg), "0");

    TFrameKlimatKoef2 coef;
    coef.TypeTer = 2;
    coef.Load(project.KlimatKoef);
    for (double v :
         {coef.V_Otv, coef.V_Reg, coef.V_Nad, coef.G_Otv, coef.G_Reg, coef.G_Nad, coef.G_Usl})
        EXPECT_EQ(SpinText(v), "1");
    EXPECT_EQ(coef.visotaPC, 15);
    EXPECT_EQ(coef.visotaPC_tros, 15);
    EXPECT_EQ(coef.TypeTer, 1);
}

TEST_F(ClimatePages, EachFieldShowsAndStoresItsOwnValue)
{
    TFrameKlimat climate;
    climate.Load(DistinctKlimat());
    EXPECT_EQ(climate.Tols, 11);
    EXPECT_EQ(climate.VMax, 12);
    EXPECT_EQ(climate.Vwetsg, 13);
    EXPECT_EQ(climate.TMin, -14);
    EXPECT_EQ(climate.TMax, 15);
    EXPECT_EQ(climate.Tgbw, -16);
    EXPECT_EQ(climate.TGsw, -17);
    EXPECT_EQ(climate.Tsrec, 18);
    TKlimat stored;
    climate.Store(stored);
    EXPECT_TRUE(stored.Equals(DistinctKlimat()));

    TFrameKlimatKoef2 coef;
    coef.Load(DistinctKoef());
    EXPECT_EQ(coef.V_Otv, 1.001);
    EXPECT_EQ(coef.V_Reg, 1.002);
    EXPECT_EQ(coef.V_Nad, 1.003);
    EXPECT_EQ(coef.G_Otv, 1.004);
    EXPECT_EQ(coef.G_Reg, 1.005);
    EXPECT_EQ(coef.G_Nad, 1.006);
    EXPECT_EQ(coef.G_Usl, 1.007);
    EXPECT_EQ(coef.visotaPC, 21);
    EXPECT_EQ(coef.visotaPC_tros, 22);
    EXPECT_EQ(coef.TypeTer, 3);
    TKlimatKoef storedKoef;
    coef.Store(storedKoef);
    EXPECT_TRUE(storedKoef.Equals(DistinctKoef()));
}

// Leaving a page stores it; a value with more digits than the field shows must not come back
// rounded, or merely looking at a page would make the project modified.
TEST_F(ClimatePages, UntouchedPagesGiveBackTheProjectUnchanged)
{
    TProject project;
    project.Klimat.Tols = 5.123456789123;
    project.KlimatKoef.V_Reg = 1.0000000001;
    TFrameKlimat climate;
    TFrameKlimatKoef2 coef;
    climate.Load(project.Klimat);
    coef.Load(project.KlimatKoef);
    EXPECT_EQ(SpinText(climate.Tols), "5.12345679");
    EXPECT_EQ(SpinText(coef.V_Reg), "1");

    TProject snapshot;
    snapshot.Assign(project);
    climate.Store(project.Klimat);
    coef.Store(project.KlimatKoef);
    EXPECT_TRUE(project.Equals(snapshot));
}

TEST_F(ClimatePages, TerrainOutsideTheThreeLettersKeepsTheLetterShown)
{
    TFrameKlimatKoef2 coef;
    TKlimatKoef koef;
    koef.TypeTer = 2;
    coef.Load(koef);
    for (int odd : {4, 0, -1}) {
        koef.TypeTer = odd;
        coef.Load(koef);
        EXPECT_EQ(coef.TypeTer, 2) << odd;
    }
    coef.Store(koef);
    EXPECT_EQ(koef.TypeTer, 2); // the letter shown, not the 4 of the file
    EXPECT_EQ(koef.TypeTerText(), "B");

    coef.ChooseTerrain(3);
    EXPECT_EQ(coef.TypeTer, 3);
    coef.ChooseTerrain(7);
    EXPECT_EQ(coef.TypeTer, 3);
    coef.ChooseTerrain(1);
    coef.Store(koef);
    EXPECT_EQ(koef.TypeTer, 1);
}

TEST_F(ClimatePages, NegativeValuesAreTakenAsEntered)
{
    TFrameKlimat climate;
    climate.VMax = -10;
    climate.Vwetsg = -0.5;
    climate.Tols = -1;
    TKlimat klimat;
    climate.Store(klimat);
    EXPECT_EQ(klimat.VMax, -10);
    EXPECT_EQ(klimat.Vwetsg, -0.5);
    EXPECT_EQ(klimat.Tols, -1);

    TFrameKlimatKoef2 coef;
    coef.visotaPC = -3;
    coef.visotaPC_tros = -4;
    coef.G_Usl = -0.001;
    TKlimatKoef koef;
    coef.Store(koef);
    EXPECT_EQ(koef.visotaPC, -3);
    EXPECT_EQ(koef.visotaPC_tros, -4);
    EXPECT_EQ(koef.G_Usl, -0.001);
}

// Steps add up in binary; the field must still show the decimal the person clicked to.
TEST_F(ClimatePages, ClickedStepsShowAsDecimals)
{
    double coefficient = 1;
    for (int i = 0; i < 7; ++i)
        coefficient -= TFrameKlimatKoef2::kCoefStep;
    EXPECT_EQ(SpinText(coefficient), "0.993");
    double temperature = -55;
    for (int i = 0; i < 3; ++i)
        temperature += TFrameKlimat::kStep;
    EXPECT_EQ(SpinText(temperature), "-53.5");
}

// The two "Maximum:" rows share a key, the two ice rows must not.
TEST_F(ClimatePages, CaptionsFollowTheLanguage)
{
    TClimatePageCaptions climate = ClimatePageCaptions();
    EXPECT_EQ(climate.WindMax, "Maximum:");
    EXPECT_EQ(climate.IceWithWind, "Ice with wind:");
    EXPECT_EQ(climate.IceWithoutWind, "Ice without wind:");
    EXPECT_EQ(climate.UnitMs, "m/s");
    TCoefficientPageCaptions coef = CoefficientPageCaptions();
    EXPECT_EQ(coef.ForWire, "for the wire under:");
    EXPECT_EQ(coef.ForCord, "for the cord under:");
    EXPECT_EQ(coef.TerrainA + coef.TerrainB + coef.TerrainC, "ABC");

    UseLanguage(TLanguage::Russian);
    EXPECT_EQ(ClimatePageCaptions().IceGroup, "Гололед");
    EXPECT_EQ(CoefficientPageCaptions().Operating, "Условий работы");
    EXPECT_EQ(CoefficientPageCaptions().TerrainC, "C");
}
