// The section editor: validation in order, the enabling and read-only rules, the stretching
// groups, unit conversion both ways, the catalog buttons and the captions.
#include "app/app_port.h"
#include "app/editors/section_editor.h"
#include "catalog/wire_record.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/parcel.h"
#include "scripted_user.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace vartesk;
using vartesk::test::TScriptedUser;

namespace {

// The editor only hands its catalog window on to the port, so any address stands in for it.
alignas(std::max_align_t) unsigned char gCatalogStand[1];
TFormWiresBase &CatalogStand()
{
    return *reinterpret_cast<TFormWiresBase *>(gCatalogStand);
}

// A port whose only window is the catalog in selection mode, answering from a script; any
// other window fails the test.
class TCatalogPicker : public TScriptedUser, public TOpenChooser, public TAppDialogs
{
public:
    std::deque<std::optional<std::string>> Choices; // nothing: Cancel
    int Opened = 0;

    std::optional<TWireRecord> SelectFromCatalog(TFormWiresBase &catalog) override
    {
        ++Opened;
        EXPECT_EQ(&catalog, &CatalogStand());
        if (Choices.empty()) {
            ADD_FAILURE() << "unexpected catalog window";
            return std::nullopt;
        }
        const std::optional<std::string> name = Choices.front();
        Choices.pop_front();
        if (!name)
            return std::nullopt;
        TWireRecord record;
        record.Name = *name;
        return record;
    }
    TAppPort App() { return {*this, *this, *this, *this, *this, *this}; }

    std::optional<std::filesystem::path> ChooseOpen(const TSaveRequest &) override
    {
        return Unexpected(std::optional<std::filesystem::path>());
    }
    bool AskSaveProject() override { return Unexpected(false); }
    bool ShowSectionEditor(TFormParcel &) override { return Unexpected(false); }
    bool ShowSupportEditor(TFormPillar &) override { return Unexpected(false); }
    bool ShowSectionDampers(TFormParcelVM &) override { return Unexpected(false); }
    void ShowCatalog(TFormWiresBase &) override { Unexpected(0); }
    bool ShowWireEntry(TFormWiresEdit &) override { return Unexpected(false); }
    std::optional<TLanguage> ChooseLanguage(TLanguage) override
    {
        return Unexpected(std::optional<TLanguage>());
    }
    std::optional<TUnitSystem> ChooseUnits(TUnitSystem) override
    {
        return Unexpected(std::optional<TUnitSystem>());
    }
    void ShowAbout() override { Unexpected(0); }

private:
    template<class T>
    static T Unexpected(T none)
    {
        ADD_FAILURE() << "unexpected window";
        return none;
    }
};

class SectionEditor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::Russian);
        UseUnitSystem(TUnitSystem::DaN);
    }
    void TearDown() override
    {
        UseLanguage(TLanguage::Russian);
        UseUnitSystem(TUnitSystem::DaN);
    }

    // An editor holding a section that passes every check.
    TFormParcel ValidEditor()
    {
        TParcel section;
        section.Name = "Участок 1";
        section.Provod = "АС 70/11";
        section.Napr_max = 9;
        section.Napr_srg = 6;
        TFormParcel editor(CatalogStand());
        editor.LoadParcel(section);
        return editor;
    }

    // The messages OK shows (none when it passes), checking that Accept agrees.
    std::vector<std::string> OkMessages(TFormParcel &editor)
    {
        TScriptedUser app;
        const bool accepted = editor.Accept(app);
        EXPECT_EQ(accepted, app.Told.empty());
        for (const std::string &line : app.Log)
            EXPECT_EQ(line.rfind("tell error: ", 0), 0u) << line;
        return app.Told;
    }

    std::string FirstMessage(TFormParcel &editor)
    {
        const std::vector<std::string> told = OkMessages(editor);
        EXPECT_LE(told.size(), 1u);
        return told.empty() ? std::string() : told.front();
    }
};

const std::string kNoWireType = "Выберите марку провода (кабеля)";
const std::string kNoCordType = "Выберите марку троса";
const std::string kNoName = "Введите название участка";
const std::string kNameTooLong = "Убедитесь что имя участка не содержит более 31 символа";
const std::string kNameForbidden = "Убедитесь что имя участка не включает символы \\ / ? * [  ]";
const std::string kNoWireMaterial = "Не выбран материал провода!";
const std::string kNoCordMaterial = "Не выбран материал троса!";
const std::string kAverageAboveMaximum
    = "Не верно введены данные: допустимое макс. напряжение, должно быть больше напряжения при "
      "среднегодовой температуре";

std::string Repeat(const char *piece, int times)
{
    std::string s;
    for (int i = 0; i < times; ++i)
        s += piece;
    return s;
}

} // namespace

// --- Validation in order ---------------------------------------------------------------------

TEST_F(SectionEditor, AValidSectionPassesSilently)
{
    TFormParcel editor = ValidEditor();
    EXPECT_TRUE(OkMessages(editor).empty());
}

TEST_F(SectionEditor, TheMissingTypesComeBeforeTheName)
{
    TFormParcel editor = ValidEditor();
    editor.Name.clear();
    editor.Provod.clear();
    editor.IsTros = true;
    EXPECT_EQ(FirstMessage(editor), kNoWireType);
    editor.Provod = "АС 70/11";
    EXPECT_EQ(FirstMessage(editor), kNoCordType);
    editor.Tros = "ТК 50";
    EXPECT_EQ(FirstMessage(editor), kNoName);
    // Without the check boxes no type is asked for.
    editor.Name = "Участок";
    editor.Provod.clear();
    editor.Tros.clear();
    editor.ClickIsProvod(false);
    editor.ClickIsTros(false);
    EXPECT_EQ(FirstMessage(editor), "");
}

TEST_F(SectionEditor, TheNameLengthCountsCharactersAndComesBeforeForbiddenOnes)
{
    TFormParcel editor = ValidEditor();
    editor.Name = Repeat("Ж", 31); // 62 bytes
    EXPECT_EQ(FirstMessage(editor), "");
    editor.Name = Repeat("Ж", 32);
    EXPECT_EQ(FirstMessage(editor), kNameTooLong);
    editor.Name = Repeat("Ж", 30) + "/";
    EXPECT_EQ(FirstMessage(editor), kNameForbidden);
    editor.Name = Repeat("ж", 39) + "/";
    EXPECT_EQ(FirstMessage(editor), kNameTooLong);
}

TEST_F(SectionEditor, EachCharacterAWorkbookRefusesInASheetNameIsRefused)
{
    TFormParcel editor = ValidEditor();
    for (const char *c : {"\\", "/", "?", "*", "[", "]"}) {
        editor.Name = std::string("Уч") + c + "1";
        EXPECT_EQ(FirstMessage(editor), kNameForbidden) << c;
    }
    for (const char *allowed : {":", ".", "-", "(1)", "'"}) {
        editor.Name = std::string("Уч") + allowed;
        EXPECT_EQ(FirstMessage(editor), "") << allowed;
    }
}

TEST_F(SectionEditor, AMaterialIsRequiredOnlyForAConductorThatIsThere)
{
    TFormParcel editor = ValidEditor();
    editor.ClickIsVitygka(true);
    editor.ClickIsTros(true);
    editor.Tros = "ТК 50";
    ASSERT_EQ(editor.WireStretch.Material, 0);
    EXPECT_EQ(FirstMessage(editor), kNoWireMaterial);
    editor.ClickIsProvod(false);
    EXPECT_EQ(FirstMessage(editor), kNoCordMaterial);
    editor.ChooseCordMaterial(2);
    EXPECT_EQ(FirstMessage(editor), "");
    // Without stretching allowance neither material is asked for.
    editor.ClickIsProvod(true);
    editor.ClickIsVitygka(false);
    editor.CordStretch.Material = 0;
    EXPECT_EQ(FirstMessage(editor), "");
}

TEST_F(SectionEditor, TheMaterialsComeBeforeTheStressesAndAfterTheName)
{
    TFormParcel editor = ValidEditor();
    editor.ClickIsVitygka(true);
    editor.seNapr_srg = 10;
    editor.Name.clear();
    EXPECT_EQ(FirstMessage(editor), kNoName);
    editor.Name = "Уч";
    EXPECT_EQ(FirstMessage(editor), kNoWireMaterial);
    editor.ChooseWireMaterial(1);
    EXPECT_EQ(FirstMessage(editor), kAverageAboveMaximum);
}

TEST_F(SectionEditor, TheAverageStressMayEqualTheMaximumButNotExceedIt)
{
    TFormParcel editor = ValidEditor();
    editor.seNapr_max = 9;
    editor.seNapr_srg = 9;
    EXPECT_EQ(FirstMessage(editor), "");
    editor.seNapr_srg = 9.5;
    EXPECT_EQ(FirstMessage(editor), kAverageAboveMaximum);
    // Checked with the tensions tab shown and without a wire as well.
    editor.WireTab = 1;
    EXPECT_EQ(FirstMessage(editor), kAverageAboveMaximum);
    editor.ClickIsProvod(false);
    EXPECT_EQ(FirstMessage(editor), kAverageAboveMaximum);
    // The cord's stresses are not compared.
    editor.seNapr_srg = 0;
    editor.seNaprt_max = 1;
    editor.seNaprt_srg = 5;
    EXPECT_EQ(FirstMessage(editor), "");
}

TEST_F(SectionEditor, TheMessagesAreRussianInEnglishToo)
{
    UseLanguage(TLanguage::English);
    TFormParcel editor = ValidEditor();
    editor.Provod.clear();
    EXPECT_EQ(FirstMessage(editor), kNoWireType);
}

// --- Loading, storing and units --------------------------------------------------------------

TEST_F(SectionEditor, EveryInputGoesBackToItsOwnField)
{
    TParcel section;
    section.Name = "Переход через реку";
    section.IsProvod = false;
    section.Provod = "АС 120/19";
    section.Napr_max = 13.5;
    section.Napr_srg = 8.25;
    section.Tag_max = 1500;
    section.Tag_srg = 900;
    section.TagMode = 1;
    section.IsTros = true;
    section.Tros = "ТК 70";
    section.Naprt_max = 40;
    section.Naprt_srg = 25;
    section.Tagt_max = 2100;
    section.Tagt_srg = 1300;
    section.TagModet = 0;
    section.IsGis = true;
    section.Ves_Gis = 55.5;
    section.Dlina_Gis = 1.75;
    section.Raznost_H = -12.5;
    section.IsVitygka = true;
    section.Mp = 2;
    section.Pp = 6;
    section.Mt = 4;
    section.Pt = 11;

    TFormParcel editor(CatalogStand());
    editor.LoadParcel(section);
    EXPECT_EQ(editor.Name, section.Name);
    EXPECT_FALSE(editor.IsProvod);
    EXPECT_EQ(editor.Provod, "АС 120/19");
    EXPECT_EQ(editor.seTag_max, 1500);
    EXPECT_EQ(editor.seNaprt_srg, 25);
    EXPECT_EQ(editor.WireTab, 1);
    EXPECT_EQ(editor.CordTab, 0);
    EXPECT_EQ(editor.Raznost_H, -12.5);
    // The wire's material is not loaded without a wire.
    EXPECT_EQ(editor.WireStretch.Material, 0);
    EXPECT_EQ(editor.CordStretch.Material, 4);
    EXPECT_EQ(editor.CordStretch.Percent[3], 11);

    TParcel stored;
    stored.Mp = 3;
    stored.Pp = 7;
    editor.StoreParcel(stored);
    // Without a wire its material is not stored; the rest goes back as it came.
    EXPECT_EQ(stored.Mp, 3);
    EXPECT_EQ(stored.Pp, 7);
    stored.Mp = section.Mp;
    stored.Pp = section.Pp;
    EXPECT_TRUE(stored.Equals(section));
}

TEST_F(SectionEditor, StoringLeavesTheSupportsAndDamperFieldsAlone)
{
    TParcel section;
    section.Name = "Уч";
    section.KindP = 2;
    section.ModelVM_Tros = 5;
    section.CntWires = 3;
    section.Pillars.Add(std::make_unique<TPillar>());
    section.Pillars.Step = -1;
    TFormParcel editor(CatalogStand());
    editor.LoadParcel(section);
    editor.Name = "Новое";
    editor.StoreParcel(section);
    EXPECT_EQ(section.Name, "Новое");
    EXPECT_EQ(section.KindP, 2);
    EXPECT_EQ(section.ModelVM_Tros, 5);
    EXPECT_EQ(section.CntWires, 3);
    EXPECT_EQ(section.Pillars.Count(), 1);
    EXPECT_EQ(section.Pillars.Step, -1);
}

TEST_F(SectionEditor, NewtonsShowTenTimesTheStressAndAHundredthOfTheTension)
{
    UseUnitSystem(TUnitSystem::KN);
    TParcel section;
    section.Napr_max = 9;
    section.Napr_srg = 6;
    section.Tag_max = 2700;
    section.Naprt_max = 30;
    section.Tagt_srg = 500;
    TFormParcel editor(CatalogStand());
    editor.LoadParcel(section);
    EXPECT_DOUBLE_EQ(editor.seNapr_max, 90);
    EXPECT_DOUBLE_EQ(editor.seNapr_srg, 60);
    EXPECT_DOUBLE_EQ(editor.seTag_max, 27);
    EXPECT_DOUBLE_EQ(editor.seNaprt_max, 300);
    EXPECT_DOUBLE_EQ(editor.seTagt_srg, 5);

    editor.seNapr_max = 100;
    editor.seTag_srg = 27;
    editor.seNaprt_srg = 150;
    editor.seTagt_max = 12;
    editor.StoreParcel(section);
    EXPECT_DOUBLE_EQ(section.Napr_max, 10);
    EXPECT_DOUBLE_EQ(section.Tag_srg, 2700);
    EXPECT_DOUBLE_EQ(section.Naprt_srg, 15);
    EXPECT_DOUBLE_EQ(section.Tagt_max, 1200);
    EXPECT_DOUBLE_EQ(section.Napr_srg, 6);
}

TEST_F(SectionEditor, ALimitShownInNewtonsAndLeftAloneKeepsItsLastBit)
{
    UseUnitSystem(TUnitSystem::KN);
    // 1000.1 * 0.01 / 0.01 is not 1000.1 in binary: storing by conversion alone would make an
    // OK without a change count as a change to the project.
    TParcel section;
    section.Tag_max = 1000.1;
    section.Tagt_srg = 1000.1;
    section.Napr_srg = 0.11; // likewise with the factor 10
    TFormParcel editor(CatalogStand());
    editor.LoadParcel(section);
    TParcel stored;
    editor.StoreParcel(stored);
    EXPECT_TRUE(stored.Equals(section));
    // A changed value is converted, even when it is the old one's neighbour.
    editor.seTag_max = 10.002;
    editor.StoreParcel(stored);
    EXPECT_DOUBLE_EQ(stored.Tag_max, 1000.2);
}

TEST_F(SectionEditor, TheLimitsTabShownBecomesTheMode)
{
    TFormParcel editor = ValidEditor();
    editor.WireTab = 1;
    editor.seTag_max = 1200;
    editor.CordTab = 1;
    TParcel section;
    editor.StoreParcel(section);
    EXPECT_EQ(section.TagMode, 1);
    EXPECT_EQ(section.Tag_max, 1200);
    EXPECT_EQ(section.TagModet, 1);
}

TEST_F(SectionEditor, ATypeIsStoredEvenWhileItsCheckBoxIsCleared)
{
    TFormParcel editor = ValidEditor();
    editor.ClickIsProvod(false);
    editor.ClickIsGis(false);
    editor.Ves_Gis = 40;
    TParcel section;
    editor.StoreParcel(section);
    EXPECT_FALSE(section.IsProvod);
    EXPECT_EQ(section.Provod, "АС 70/11");
    EXPECT_EQ(section.Ves_Gis, 40);
}

// --- Enabling and the stretching groups ------------------------------------------------------

TEST_F(SectionEditor, InputsFollowTheirCheckBoxes)
{
    TFormParcel editor(CatalogStand());
    editor.LoadParcel(TParcel());
    EXPECT_TRUE(editor.WireEditable());
    EXPECT_FALSE(editor.CordEditable());
    EXPECT_FALSE(editor.InsulatorEditable());
    EXPECT_FALSE(editor.WireMaterialEditable());
    EXPECT_FALSE(editor.CordMaterialEditable());

    editor.ClickIsTros(true);
    editor.ClickIsGis(true);
    EXPECT_TRUE(editor.CordEditable());
    EXPECT_TRUE(editor.InsulatorEditable());
    EXPECT_FALSE(editor.CordMaterialEditable());
    editor.ClickIsVitygka(true);
    EXPECT_TRUE(editor.WireMaterialEditable());
    EXPECT_TRUE(editor.CordMaterialEditable());
    editor.ClickIsProvod(false);
    EXPECT_FALSE(editor.WireEditable());
    EXPECT_FALSE(editor.WireMaterialEditable());
    EXPECT_TRUE(editor.CordMaterialEditable());
}

TEST_F(SectionEditor, ALoadedMaterialShowsItsPercentageReadOnlyUntilAMaterialIsClicked)
{
    TParcel section;
    section.IsTros = true;
    section.IsVitygka = true;
    section.Mt = 3;
    section.Pt = 9;
    TFormParcel editor(CatalogStand());
    editor.LoadParcel(section);
    EXPECT_EQ(editor.CordStretch.Material, 3);
    EXPECT_EQ(editor.CordStretch.Percent, (std::array<int, 5> {3, 5, 9, 10, 12}));
    for (int k = 1; k <= 5; ++k)
        EXPECT_FALSE(editor.CordPercentEditable(k)) << k;

    editor.ChooseCordMaterial(3);
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(editor.CordPercentEditable(k), k == 3) << k;
    editor.ChooseCordMaterial(5);
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(editor.CordPercentEditable(k), k == 5) << k;
    EXPECT_FALSE(editor.WirePercentEditable(5));
    EXPECT_FALSE(editor.CordPercentEditable(0));
    EXPECT_FALSE(editor.CordPercentEditable(6));
}

TEST_F(SectionEditor, ClickingACheckBoxMakesItsGroupsPercentagesReadOnly)
{
    TParcel section;
    section.IsTros = true;
    section.IsVitygka = true;
    TFormParcel editor(CatalogStand());
    editor.LoadParcel(section);
    editor.ChooseWireMaterial(1);
    editor.ChooseCordMaterial(2);

    editor.ClickIsProvod(true);
    EXPECT_FALSE(editor.WirePercentEditable(1));
    EXPECT_TRUE(editor.CordPercentEditable(2));
    editor.ChooseWireMaterial(1);
    editor.ClickIsTros(true);
    EXPECT_TRUE(editor.WirePercentEditable(1));
    EXPECT_FALSE(editor.CordPercentEditable(2));
    editor.ChooseCordMaterial(2);
    editor.ClickIsVitygka(true);
    EXPECT_FALSE(editor.WirePercentEditable(1));
    EXPECT_FALSE(editor.CordPercentEditable(2));
    // A click on the insulator box touches neither group.
    editor.ChooseWireMaterial(4);
    editor.ClickIsGis(true);
    EXPECT_TRUE(editor.WirePercentEditable(4));
    // Loading makes them all read-only again.
    editor.LoadParcel(section);
    EXPECT_FALSE(editor.WirePercentEditable(4));
}

TEST_F(SectionEditor, AMaterialCannotBeChosenWhileItsGroupIsDisabled)
{
    TFormParcel editor(CatalogStand());
    editor.LoadParcel(TParcel());
    editor.ChooseWireMaterial(2);
    EXPECT_EQ(editor.WireStretch.Material, 0);
    EXPECT_FALSE(editor.WirePercentEditable(2));
    editor.ClickIsVitygka(true);
    editor.ChooseCordMaterial(2); // no cord
    EXPECT_EQ(editor.CordStretch.Material, 0);
    editor.ChooseWireMaterial(6);
    EXPECT_EQ(editor.WireStretch.Material, 0);
}

TEST_F(SectionEditor, PercentagesStartAtTheirDefaultsAndOutliveASectionWithoutStretching)
{
    TFormParcel editor(CatalogStand());
    EXPECT_EQ(editor.WireStretch.Percent, (std::array<int, 5> {3, 5, 7, 10, 12}));
    EXPECT_EQ(editor.CordStretch.Percent, (std::array<int, 5> {3, 5, 7, 10, 12}));

    TParcel stretched;
    stretched.IsVitygka = true;
    stretched.Mp = 2;
    stretched.Pp = 8;
    editor.LoadParcel(stretched);
    editor.LoadParcel(TParcel());
    EXPECT_EQ(editor.WireStretch.Material, 2);
    EXPECT_EQ(editor.WireStretch.Percent[1], 8);
    // A stored material outside 1..5 shows none chosen, and its percentage goes nowhere.
    stretched.Mp = 9;
    stretched.Pp = 40;
    editor.LoadParcel(stretched);
    EXPECT_EQ(editor.WireStretch.Material, 0);
    EXPECT_EQ(editor.WireStretch.Percent, (std::array<int, 5> {3, 8, 7, 10, 12}));
}

TEST_F(SectionEditor, TheChosenMaterialAndItsOwnPercentageAreStored)
{
    TParcel section;
    section.IsTros = true;
    section.Tros = "ТК 50";
    TFormParcel editor(CatalogStand());
    editor.LoadParcel(section);
    editor.ClickIsVitygka(true);
    editor.ChooseWireMaterial(2);
    editor.WireStretch.Percent[1] = 6;
    editor.ChooseCordMaterial(4);
    editor.StoreParcel(section);
    EXPECT_TRUE(section.IsVitygka);
    EXPECT_EQ(section.Mp, 2);
    EXPECT_EQ(section.Pp, 6);
    EXPECT_EQ(section.Mt, 4);
    EXPECT_EQ(section.Pt, 10);

    // Without stretching allowance the stored materials are kept.
    editor.ClickIsVitygka(false);
    editor.ChooseWireMaterial(5);
    editor.StoreParcel(section);
    EXPECT_FALSE(section.IsVitygka);
    EXPECT_EQ(section.Mp, 2);
    EXPECT_EQ(section.Pp, 6);
    EXPECT_EQ(section.Mt, 4);
}

// --- The catalog buttons ---------------------------------------------------------------------

TEST_F(SectionEditor, TheCatalogButtonsTakeOnlyANamedChoice)
{
    TCatalogPicker app;
    TAppPort port = app.App();
    TFormParcel editor = ValidEditor();
    editor.ClickIsTros(true);
    app.Choices = {"АС 95/16", "ТК 50", "", std::nullopt};
    editor.ChooseWire(port);
    EXPECT_EQ(editor.Provod, "АС 95/16");
    editor.ChooseCord(port);
    EXPECT_EQ(editor.Tros, "ТК 50");
    EXPECT_EQ(editor.Provod, "АС 95/16");
    // A record without a name, and Cancel, change nothing.
    editor.ChooseWire(port);
    EXPECT_EQ(editor.Provod, "АС 95/16");
    editor.ChooseCord(port);
    EXPECT_EQ(editor.Tros, "ТК 50");
    EXPECT_EQ(app.Opened, 4);
}

TEST_F(SectionEditor, ADisabledCatalogButtonOpensNothing)
{
    TCatalogPicker app; // fails the test on any catalog window
    TAppPort port = app.App();
    TFormParcel editor = ValidEditor();
    editor.ClickIsProvod(false);
    editor.ChooseWire(port);
    editor.ChooseCord(port);
    EXPECT_EQ(app.Opened, 0);
}

// --- Captions --------------------------------------------------------------------------------

TEST_F(SectionEditor, CaptionsFollowTheLanguageAndTheUnitSystem)
{
    TSectionEditorCaptions ru = SectionEditorCaptions();
    EXPECT_EQ(ru.Window, "Участок");
    EXPECT_EQ(ru.Name, "Наименование участка:");
    EXPECT_EQ(ru.StressUnit, "даН/мм²");
    EXPECT_EQ(ru.ForceUnit, "даН");
    EXPECT_EQ(ru.Materials[1], "Сталь+Алюминий");
    EXPECT_EQ(ru.Materials[3], "Кевлар-49, стеклопластик");

    UseLanguage(TLanguage::English);
    UseUnitSystem(TUnitSystem::KN);
    TSectionEditorCaptions en = SectionEditorCaptions();
    EXPECT_EQ(en.Cancel, "Cancel");
    // The stresses tab is keyed "Tension" and the tensions tab "Stress".
    EXPECT_EQ(en.StressTab, "Stress");
    EXPECT_EQ(en.TensionTab, "Tension");
    EXPECT_EQ(en.StressUnit, "N/mm²");
    EXPECT_EQ(en.ForceUnit, "kN");
    EXPECT_EQ(en.Materials,
              (std::array<std::string, 5> {
                  "Steel", "Steel+Aluminum", "Aluminum", "Kevlar-49, fiberglass", "Kevlar-29"}));
    EXPECT_EQ(en.WireGroup, "Wire (cable)");
    EXPECT_EQ(en.CordGroup, "Cord (cable)");
}
