// The damper page and the per-section damper dialog: enabling, model lists, kinds and counts,
// what OK stores.
#include "app/editors/damper_input.h"

#include "catalog/wires_list.h"
#include "dampers/damper_model_name.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"
#include "support/test_wires.h"

#include <gtest/gtest.h>

#include <memory>

using namespace vartesk;
using Names = std::vector<std::string>;

namespace {

class DamperInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
    }
    void TearDown() override
    {
        UseLanguage(TLanguage::Russian);
        UseUnitSystem(TUnitSystem::DaN);
    }

    TWiresList Catalog = test::TestCatalog();
};

TParcel &AddSection(TProject &project, const std::string &name, bool wireCalc, bool cordCalc)
{
    auto parcel = std::make_unique<TParcel>();
    parcel->Name = name;
    parcel->IsTros = true;
    parcel->IsVMCalcProvod = wireCalc;
    parcel->IsVMCalcTros = cordCalc;
    return project.Parcels.Get(project.Parcels.Add(std::move(parcel)));
}

// A section with both conductors and the damper calculation on for both.
TParcel BothCalculated()
{
    TParcel p;
    p.Name = "Section 1";
    p.IsProvod = true;
    p.Provod = "АС120/19";
    p.IsTros = true;
    p.Tros = "ТК-9,1";
    p.IsVMCalcProvod = true;
    p.IsVMCalcTros = true;
    return p;
}

} // namespace

// The page.

TEST_F(DamperInput, PageShowsTheProjectsInputsAndOneMarkedRowPerSection)
{
    TProject project;
    project.VMData.IsVibroMuffles = true;
    project.VMData.IsNord = true;
    project.VMData.NumbCat = 4;
    project.VMData.Tcold = -27.5;
    AddSection(project, "A", false, false);
    AddSection(project, "B", true, false);
    AddSection(project, "C", false, true);

    TFrameVibroMuffles page;
    page.Load(project);
    EXPECT_TRUE(page.IsVibroMuffles);
    EXPECT_TRUE(page.IsNord);
    EXPECT_EQ(page.NumbCat, 4);
    EXPECT_EQ(page.Tcold, -27.5);
    ASSERT_EQ(page.Rows.size(), 3u);
    EXPECT_EQ(page.Rows[0].Name, "A");
    EXPECT_FALSE(page.Rows[0].Marked);
    EXPECT_TRUE(page.Rows[1].Marked); // the wire's switch alone
    EXPECT_TRUE(page.Rows[2].Marked); // the cord's switch alone
    EXPECT_EQ(page.Rows[2].Name, "C");

    // Reloaded after a section was deleted: no row of it stays behind.
    project.Parcels.Delete(0);
    page.Load(project);
    ASSERT_EQ(page.Rows.size(), 2u);
    EXPECT_EQ(page.Rows[0].Name, "B");
}

TEST_F(DamperInput, PageStoresItsFourInputs)
{
    TFrameVibroMuffles page;
    page.IsVibroMuffles = true;
    page.IsNord = true;
    page.NumbCat = 2;
    page.Tcold = -31.5;
    TVM_Data vm;
    page.Store(vm);
    EXPECT_TRUE(vm.IsVibroMuffles);
    EXPECT_TRUE(vm.IsNord);
    EXPECT_EQ(vm.NumbCat, 2);
    EXPECT_EQ(vm.Tcold, -31.5);

    // Switched off again: the off state is stored too, not only the on state.
    page.IsVibroMuffles = false;
    page.IsNord = false;
    page.Store(vm);
    EXPECT_FALSE(vm.IsVibroMuffles);
    EXPECT_FALSE(vm.IsNord);
}

TEST_F(DamperInput, PageEnablingFollowsBothSwitches)
{
    TFrameVibroMuffles page;
    EXPECT_FALSE(page.CategoryEnabled());
    EXPECT_FALSE(page.NorthEnabled());
    EXPECT_FALSE(page.SectionListEnabled());
    EXPECT_FALSE(page.TemperatureEnabled());

    page.IsNord = true; // north on while the calculation is off: its group is still off
    EXPECT_FALSE(page.TemperatureEnabled());

    page.IsVibroMuffles = true;
    EXPECT_TRUE(page.CategoryEnabled());
    EXPECT_TRUE(page.NorthEnabled());
    EXPECT_TRUE(page.SectionListEnabled());
    EXPECT_TRUE(page.TemperatureEnabled());

    page.IsNord = false;
    EXPECT_FALSE(page.TemperatureEnabled());
    EXPECT_TRUE(page.CategoryEnabled());
}

TEST_F(DamperInput, CategoryDescriptionFollowsTheCategoryAndTheLanguage)
{
    TFrameVibroMuffles page;
    page.NumbCat = 3;
    EXPECT_EQ(page.CategoryDescription(),
              "Open terrain with few hills, separate trees and buildings");
    page.NumbCat = 1;
    EXPECT_EQ(page.CategoryDescription().rfind("Even open terrain with no obstacles", 0), 0u);
    page.NumbCat = 5;
    EXPECT_EQ(page.CategoryDescription().rfind("Mountain regions", 0), 0u);
    UseLanguage(TLanguage::Russian);
    EXPECT_EQ(page.CategoryDescription().rfind("Горные районы", 0), 0u);
    page.NumbCat = 2;
    EXPECT_EQ(page.CategoryDescription().rfind("Ровная открытая местность без снежного", 0), 0u);

    for (int cat = 1; cat <= 5; ++cat)
        for (int other = cat + 1; other <= 5; ++other)
            EXPECT_NE(CategoryDescription(cat), CategoryDescription(other));
    EXPECT_EQ(CategoryDescription(0), "");
    EXPECT_EQ(CategoryDescription(6), "");
}

TEST_F(DamperInput, CategoryOutsideTheFieldShowsAsItsNearestEnd)
{
    TProject project;
    TFrameVibroMuffles page;
    project.VMData.NumbCat = 9;
    page.Load(project);
    EXPECT_EQ(page.NumbCat, 5);
    EXPECT_FALSE(page.CategoryDescription().empty());
    project.VMData.NumbCat = 0;
    page.Load(project);
    EXPECT_EQ(page.NumbCat, 1);
}

TEST_F(DamperInput, RefreshRowRewritesOneRow)
{
    TProject project;
    AddSection(project, "A", false, false);
    TParcel &b = AddSection(project, "B", true, false);
    TFrameVibroMuffles page;
    page.Load(project);

    b.Name = "B2";
    b.IsVMCalcProvod = false;
    page.RefreshRow(1, b);
    EXPECT_EQ(page.Rows[1].Name, "B2");
    EXPECT_FALSE(page.Rows[1].Marked);
    EXPECT_EQ(page.Rows[0].Name, "A");

    b.IsVMCalcTros = true;
    page.RefreshRow(1, b);
    EXPECT_TRUE(page.Rows[1].Marked);

    page.RefreshRow(2, b);
    page.RefreshRow(-1, b);
    EXPECT_EQ(page.Rows.size(), 2u);
}

// The dialog.

TEST_F(DamperInput, InTheNorthBothListsOfferTheUniversalModelAndOkStoresIt)
{
    TParcel p = BothCalculated();
    p.ModelVM_Provod = kModelGvp;
    p.ModelVM_Tros = kModelGvs;
    p.MatProvod = 1;
    TFormParcelVM dialog;
    dialog.Load(p, true, Catalog);
    EXPECT_EQ(dialog.Wire.Models, Names {"ГВУ"});
    EXPECT_EQ(dialog.Cord.Models, Names {"ГВУ"});
    EXPECT_EQ(dialog.Wire.Model, "ГВУ");
    EXPECT_EQ(dialog.Cord.Model, "ГВУ");

    // A new material does not bring the lists of the south.
    dialog.ChooseWireMaterial(0);
    dialog.ChooseCordMaterial(1);
    EXPECT_EQ(dialog.Wire.Models, Names {"ГВУ"});
    EXPECT_EQ(dialog.Cord.Model, "ГВУ");

    dialog.Store(p);
    EXPECT_EQ(p.ModelVM_Provod, kModelGvu);
    EXPECT_EQ(p.ModelVM_Tros, kModelGvu);
}

TEST_F(DamperInput, OutsideTheNorthTheStoredModelShowsEvenWhenTheListLacksIt)
{
    TParcel p = BothCalculated();
    p.MatProvod = 1; // dielectric
    p.ModelVM_Provod = kModelGvp;
    p.MatTros = 2; // steel
    p.ModelVM_Tros = kModelGvu;
    TFormParcelVM dialog;
    dialog.Load(p, false, Catalog);
    EXPECT_EQ(dialog.Wire.Models, (Names {"ГВУ", "ГВС"}));
    EXPECT_EQ(dialog.Wire.Model, "ГВП");
    EXPECT_EQ(dialog.Cord.Models, (Names {"ГВП", "ГВУ"}));
    EXPECT_EQ(dialog.Cord.Model, "ГВУ");

    TParcel stored = BothCalculated();
    stored.ModelVM_Provod = kModelGvs;
    dialog.Store(stored);
    EXPECT_EQ(stored.ModelVM_Provod, kModelGvp);
    EXPECT_EQ(stored.ModelVM_Tros, kModelGvu);

    dialog.ChooseWireModel(1);
    EXPECT_EQ(dialog.Wire.Model, "ГВС");
    dialog.ChooseWireModel(2); // past the list: nothing chosen
    EXPECT_EQ(dialog.Wire.Model, "ГВС");
    dialog.Store(stored);
    EXPECT_EQ(stored.ModelVM_Provod, kModelGvs);
}

TEST_F(DamperInput, ModelListsByMaterial)
{
    EXPECT_EQ(DamperModelList(0, false), (Names {"ГВП", "ГВУ"}));
    EXPECT_EQ(DamperModelList(1, false), (Names {"ГВУ", "ГВС"}));
    EXPECT_EQ(DamperModelList(2, false), (Names {"ГВП", "ГВУ"}));
    for (int m : {0, 1, 2})
        EXPECT_EQ(DamperModelList(m, true), Names {"ГВУ"});
}

TEST_F(DamperInput, NewMaterialRefillsItsHalfsModelsAndRatioVisibility)
{
    TParcel p = BothCalculated();
    p.MatProvod = 0;
    p.ModelVM_Provod = kModelGvu;
    p.MatTros = 2;
    TFormParcelVM dialog;
    dialog.Load(p, false, Catalog);
    EXPECT_TRUE(dialog.WireRatioVisible());
    EXPECT_FALSE(dialog.CordRatioVisible()); // steel

    dialog.ChooseWireMaterial(1);
    EXPECT_EQ(dialog.Wire.Models, (Names {"ГВУ", "ГВС"}));
    EXPECT_EQ(dialog.Wire.Model, "ГВУ");
    EXPECT_FALSE(dialog.WireRatioVisible());
    EXPECT_EQ(dialog.Cord.Models, (Names {"ГВП", "ГВУ"})); // the other half stays

    dialog.ChooseCordMaterial(0);
    EXPECT_TRUE(dialog.CordRatioVisible());
    dialog.ChooseCordMaterial(3); // no such material
    EXPECT_EQ(dialog.Cord.Material, 0);
    dialog.ChooseWireMaterial(2); // the wire has two
    EXPECT_EQ(dialog.Wire.Material, 1);

    dialog.Store(p);
    EXPECT_EQ(p.MatProvod, 1);
    EXPECT_EQ(p.MatTros, 0);
    EXPECT_EQ(p.ModelVM_Provod, kModelGvu);
    EXPECT_EQ(p.ModelVM_Tros, kModelGvp);
}

TEST_F(DamperInput, SectionWithoutCordHasItsCordHalfOffAndStoresNoCordCalculation)
{
    TParcel p = BothCalculated();
    p.IsTros = false;
    p.IsVMCalcTros = true; // left over from before the cord was taken off
    p.Naprt_srg = 9;
    TFormParcelVM dialog;
    dialog.Load(p, false, Catalog);
    EXPECT_FALSE(dialog.CordSwitchEnabled());
    EXPECT_FALSE(dialog.Cord.Calc);
    EXPECT_FALSE(dialog.CordFieldsEnabled());
    EXPECT_EQ(dialog.Cord.AvgStressText(), "0");
    EXPECT_TRUE(dialog.WireFieldsEnabled());

    dialog.ClickCordCalc(true);
    EXPECT_FALSE(dialog.Cord.Calc);
    dialog.ChooseCordKind(2);
    EXPECT_EQ(dialog.Cord.Kind, 0);
    dialog.ChooseCordModel(1);
    EXPECT_EQ(dialog.Cord.Model, "ГВП");
    dialog.Store(p);
    EXPECT_FALSE(p.IsVMCalcTros);
    EXPECT_TRUE(p.IsVMCalcProvod);

    // And the same for a section without a wire.
    TParcel noWire = BothCalculated();
    noWire.IsProvod = false;
    dialog.Load(noWire, false, Catalog);
    EXPECT_FALSE(dialog.WireSwitchEnabled());
    EXPECT_FALSE(dialog.WireCountsEnabled());
    EXPECT_TRUE(dialog.CordFieldsEnabled());
    dialog.Store(noWire);
    EXPECT_FALSE(noWire.IsVMCalcProvod);
    EXPECT_TRUE(noWire.IsVMCalcTros);
}

TEST_F(DamperInput, CalculationSwitchEnablesTheRestOfItsHalf)
{
    TParcel p = BothCalculated();
    p.IsVMCalcProvod = false;
    TFormParcelVM dialog;
    dialog.Load(p, false, Catalog);
    EXPECT_TRUE(dialog.WireSwitchEnabled());
    EXPECT_FALSE(dialog.WireFieldsEnabled());
    EXPECT_FALSE(dialog.WireCountsEnabled());
    EXPECT_TRUE(dialog.CordFieldsEnabled());

    dialog.ChooseWireMaterial(1); // disabled: no effect
    dialog.ChooseWireKind(1);
    dialog.ChooseWireModel(1);
    EXPECT_EQ(dialog.Wire.Material, 0);
    EXPECT_EQ(dialog.Wire.Kind, 0);
    EXPECT_EQ(dialog.Wire.Model, "ГВП");

    dialog.ClickWireCalc(true);
    EXPECT_TRUE(dialog.WireFieldsEnabled());
    EXPECT_TRUE(dialog.WireCountsEnabled());
    dialog.ClickCordCalc(false);
    EXPECT_FALSE(dialog.CordFieldsEnabled());
    EXPECT_FALSE(dialog.CordCountEnabled());
    dialog.Store(p);
    EXPECT_TRUE(p.IsVMCalcProvod);
    EXPECT_FALSE(p.IsVMCalcTros);
}

TEST_F(DamperInput, OpticalKindsFixTheirCountsAtOne)
{
    TParcel p = BothCalculated();
    p.CntCircuitry = 2;
    p.CntWires = 3;
    p.CntRopes = 2;
    TFormParcelVM dialog;
    dialog.Load(p, false, Catalog);
    EXPECT_TRUE(dialog.WireCountsEnabled());
    EXPECT_TRUE(dialog.CordCountEnabled());

    dialog.ChooseWireKind(kKindGroundWire);
    EXPECT_EQ(dialog.CntCircuitry, 1);
    EXPECT_EQ(dialog.CntWires, 1);
    EXPECT_EQ(dialog.CntRopes, 2); // the cord's count is the cord's kind's business
    EXPECT_FALSE(dialog.WireCountsEnabled());
    dialog.ChooseWireKind(kKindPlain);
    EXPECT_TRUE(dialog.WireCountsEnabled());
    EXPECT_EQ(dialog.CntWires, 1); // enabled again, not restored

    dialog.ChooseCordKind(kKindSelfSupporting);
    EXPECT_EQ(dialog.CntRopes, 1);
    EXPECT_FALSE(dialog.CordCountEnabled());
    EXPECT_TRUE(dialog.WireCountsEnabled());
    dialog.ChooseCordKind(3); // no such tab
    EXPECT_EQ(dialog.Cord.Kind, kKindSelfSupporting);

    dialog.CntWires = 4;
    dialog.Store(p);
    EXPECT_EQ(p.KindP, kKindPlain);
    EXPECT_EQ(p.KindT, kKindSelfSupporting);
    EXPECT_EQ(p.CntCircuitry, 1);
    EXPECT_EQ(p.CntWires, 4);
    EXPECT_EQ(p.CntRopes, 1);
}

// Loading the kind tabs changes no count: the stored ones show, disabled under an optical kind.
TEST_F(DamperInput, LoadedOpticalKindShowsStoredCountsDisabled)
{
    TParcel p = BothCalculated();
    p.KindP = kKindSelfSupporting;
    p.CntCircuitry = 2;
    p.CntWires = 3;
    p.KindT = kKindGroundWire;
    p.CntRopes = 2;
    TFormParcelVM dialog;
    dialog.Load(p, false, Catalog);
    EXPECT_EQ(dialog.Wire.Kind, kKindSelfSupporting);
    EXPECT_EQ(dialog.CntCircuitry, 2);
    EXPECT_EQ(dialog.CntWires, 3);
    EXPECT_EQ(dialog.CntRopes, 2);
    EXPECT_FALSE(dialog.WireCountsEnabled());
    EXPECT_FALSE(dialog.CordCountEnabled());

    TParcel stored;
    stored.Assign(p);
    dialog.Store(stored);
    EXPECT_TRUE(stored.Equals(p));
}

TEST_F(DamperInput, OkStoresEveryFieldIntoItsOwnPlace)
{
    TParcel p = BothCalculated();
    p.KindP = 1;
    p.KindT = 2;
    p.CntCircuitry = 2;
    p.CntWires = 7;
    p.CntRopes = 2;
    p.MatProvod = 1;
    p.MatTros = 0;
    p.ModelVM_Provod = kModelGvs;
    p.ModelVM_Tros = kModelGvu;
    p.RngAC_P = 5;
    p.RngAC_T = 3;
    TFormParcelVM dialog;
    dialog.Load(p, false, Catalog);

    TParcel fresh;
    fresh.Assign(p);
    fresh.KindP = fresh.KindT = 0;
    fresh.IsVMCalcProvod = fresh.IsVMCalcTros = false;
    fresh.CntCircuitry = fresh.CntWires = fresh.CntRopes = 1;
    fresh.MatProvod = 0;
    fresh.MatTros = 2;
    fresh.ModelVM_Provod = fresh.ModelVM_Tros = 0;
    fresh.RngAC_P = fresh.RngAC_T = 0;
    dialog.Store(fresh);
    EXPECT_TRUE(fresh.Equals(p));
    EXPECT_EQ(fresh.RngAC_P, 5);
    EXPECT_EQ(fresh.RngAC_T, 3);
    EXPECT_EQ(fresh.CntWires, 7);
}

TEST_F(DamperInput, StoredValuesOutsideTheFieldsShowAsTheirNearestEnd)
{
    TParcel p = BothCalculated();
    p.KindP = 5;
    p.KindT = -1;
    p.CntCircuitry = 0;
    p.CntWires = 60;
    p.CntRopes = 3;
    p.MatProvod = 2; // the wire has no steel
    p.MatTros = 9;
    p.RngAC_P = 7;
    p.RngAC_T = -2;
    TFormParcelVM dialog;
    dialog.Load(p, false, Catalog);
    EXPECT_EQ(dialog.Wire.Kind, 2);
    EXPECT_EQ(dialog.Cord.Kind, 0);
    EXPECT_EQ(dialog.CntCircuitry, 1);
    EXPECT_EQ(dialog.CntWires, 50);
    EXPECT_EQ(dialog.CntRopes, 2);
    EXPECT_EQ(dialog.Wire.Material, 1);
    EXPECT_EQ(dialog.Cord.Material, 2);
    EXPECT_EQ(dialog.Wire.Ratio, 6);
    EXPECT_EQ(dialog.Cord.Ratio, 0);
}

TEST_F(DamperInput, PermissibleStressAtTheAverageTemperature)
{
    TParcel p = BothCalculated();
    p.Napr_srg = 7.5;
    p.TagModet = 1;
    p.Tagt_srg = 1000; // over the rope's 48.64 mm2 of the catalog
    TFormParcelVM dialog;
    dialog.Load(p, false, Catalog);
    EXPECT_EQ(dialog.Wire.AvgStressText(), "7.5");
    EXPECT_EQ(dialog.Cord.AvgStressText(), "20.56");

    // Stresses given as such need no catalog entry.
    p.Provod = "missing";
    dialog.Load(p, false, Catalog);
    EXPECT_EQ(dialog.Wire.AvgStressText(), "7.5");

    // Tensions without an area give no stress, rather than an infinite one.
    p.Tros = "missing";
    dialog.Load(p, false, Catalog);
    EXPECT_FALSE(dialog.Cord.AvgStress.has_value());
    EXPECT_EQ(dialog.Cord.AvgStressText(), "");
    EXPECT_EQ(dialog.Cord.Type, "missing");
    for (double area : {0.0, -48.64}) {
        TWiresList odd;
        odd.Add(test::MakeWire("ТК-9,1", 9.1, area, 0.417, 20000, 1.2e-5, 5));
        p.Tros = "ТК-9,1";
        dialog.Load(p, false, odd);
        EXPECT_EQ(dialog.Cord.AvgStressText(), "") << area;
    }

    // The figure is never converted: the caption names daN/mm2 in both unit systems.
    UseUnitSystem(TUnitSystem::KN);
    dialog.Load(BothCalculated(), false, Catalog);
    EXPECT_EQ(dialog.Wire.AvgStressText(), "0");
    p.Tros = "ТК-9,1";
    dialog.Load(p, false, Catalog);
    EXPECT_EQ(dialog.Cord.AvgStressText(), "20.56");
    UseUnitSystem(TUnitSystem::DaN);
    const std::string caption = SectionDampersCaptions().PermissibleStress;
    EXPECT_TRUE(caption.ends_with("daN/mm²")) << caption;
}

TEST_F(DamperInput, DialogLoadShowsNameTypesAndReplacesTheLastSection)
{
    TFormParcelVM dialog;
    TParcel north = BothCalculated();
    dialog.Load(north, true, Catalog);
    TParcel p = BothCalculated();
    p.Name = "Другой";
    p.ModelVM_Provod = kModelGvs;
    dialog.Load(p, false, Catalog);
    EXPECT_EQ(dialog.Name, "Другой");
    EXPECT_FALSE(dialog.IsNord);
    EXPECT_EQ(dialog.Wire.Type, "АС120/19");
    EXPECT_EQ(dialog.Cord.Type, "ТК-9,1");
    EXPECT_EQ(dialog.Wire.Models, (Names {"ГВП", "ГВУ"}));
    EXPECT_EQ(dialog.Wire.Model, "ГВС");
}

TEST_F(DamperInput, CaptionsFollowTheLanguage)
{
    TDamperPageCaptions page = DamperPageCaptions();
    EXPECT_EQ(page.NumberCategory, "Number of category:");
    EXPECT_EQ(page.AverageTemperature, "Average 24-hour temperature\r\nof the coldest month:");

    TSectionDampersCaptions dialog = SectionDampersCaptions();
    EXPECT_EQ(dialog.NameSector, "Name of sector:");
    EXPECT_EQ(dialog.CordKinds, (Names {"Cord", "OSSС", "GWOC"}));
    EXPECT_EQ(dialog.CordMaterials, (Names {"Steel-aluminum", "Dielectric", "Steel"}));
    ASSERT_EQ(dialog.Ratios.size(), size_t(kRatioRanges));
    EXPECT_EQ(dialog.Ratios.front(), "less than 0.65");
    EXPECT_EQ(dialog.Ratios[3], "1.6 .. 4.4");
    EXPECT_EQ(dialog.Ratios.back(), "11.5 and more");

    UseLanguage(TLanguage::Russian);
    dialog = SectionDampersCaptions();
    EXPECT_EQ(dialog.WireKinds, (Names {"Провод", "ОКСН", "ОКГТ"}));
    EXPECT_EQ(dialog.Ratios.front(), "менее 0.65");
    EXPECT_EQ(dialog.Ratios.back(), "11.5 и более");
    EXPECT_EQ(DamperPageCaptions().CategoryGroup, "Категории местности");
}
