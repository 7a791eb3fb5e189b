// The section editor: validation in order, the enabling and read-only rules, the stretching
// groups, unit conversion both ways, the catalog buttons and the captions.
#include "app/app_port.h"
#include "app/editors/catalog_window.h"
#include "app/editors/section_editor.h"
#include "cad/drawing.h"
#include "catalog/wire_record.h"
#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/parcel.h"
#include "scripted_user.h"

#include <gtest/gtest.h>

using namespace vartesk;
using vartesk::test::TScriptedUser;

namespace {

// The editor only hands its catalog window on to the port; an empty one will do.
TFormWiresBase &CatalogStand()
{
    static TWiresList list;
    static TFormWiresBase window(list);
    return window;
}

// A port whose only window is the catalog in selection mode: each opening takes the next name
// of the script (nothing: Cancel). Any other window fails the test.
class TCatalogPicker : public TScriptedUser, public TOpenChooser, public TAppDialogs
{
public:
    std::deque<std::optional<std::string>> Choices;
    int Opened = 0;

    TAppPort App() { return {*this, *this, *this, *this, *this, *this}; }
    std::optional<TWireRecord> SelectFromCatalog(TFormWiresBase &catalog) override
    {
        ++Opened;
        EXPECT_EQ(&catalog, &CatalogStand());
        if (Choices.empty() || !Choices.front()) {
            EXPECT_FALSE(Choices.empty()) << "unexpected catalog window";
            if (!Choices.empty())
                Choices.pop_front();
            return std::nullopt;
        }
        TWireRecord record;
        record.Name = *Choices.front();
        Choices.pop_front();
        return record;
    }

    using TPath = std::optional<std::filesystem::path>;
    TPath ChooseOpen(const TSaveRequest &) override { return Unexpected(TPath()); }
    bool AskSaveProject() override { return Unexpected(false); }
    bool ShowSectionEditor(TFormParcel &) override { return Unexpected(false); }
    bool ShowSupportEditor(TFormPillar &) override { return Unexpected(false); }
    bool ShowSectionDampers(TFormParcelVM &) override { return Unexpected(false); }
    void ShowCatalog(TFormWiresBase &) override { Unexpected(0); }
    bool ShowWireEntry(TFormWiresEdit &) override { return Unexpected(false); }
    std::optional<TLanguage> ChooseLanguage(TLanguage l) override { return Unexpected(l); }
    std::optional<TUnitSystem> ChooseUnits(TUnitSystem u) override { return Unexpected(u); }
    void ShowAbout() override { Unexpected(0); }
    void ShowScheme(TDrawing) override { Unexpected(0); }

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
    void TearDown() override { UseUnitSystem(TUnitSystem::DaN); }

    // An editor holding a section that passes every check.
    static TFormParcel ValidEditor()
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

    // The one error box OK shows, empty when it passes; Accept must agree.
    static std::string OkMessage(TFormParcel &editor)
    {
        TScriptedUser user;
        const bool accepted = editor.Accept(user);
        EXPECT_EQ(accepted, user.Log.empty());
        EXPECT_LE(user.Log.size(), 1u);
        if (user.Log.empty())
            return {};
        EXPECT_EQ(user.Log.front().rfind("tell error: ", 0), 0u) << user.Log.front();
        return user.Told.front();
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

// --- Validation ------------------------------------------------------------------------------

TEST_F(SectionEditor, OkShowsTheFirstFailingCheckInOrderInRussianWhateverTheLanguage)
{
    UseLanguage(TLanguage::English);
    TFormParcel editor = ValidEditor();
    // Everything wrong at once; mending one fault at a time shows the next.
    editor.Provod.clear();
    editor.ClickIsTros(true);
    editor.Name.clear();
    editor.ClickIsVitygka(true);
    editor.seNapr_srg = 10;
    EXPECT_EQ(OkMessage(editor), kNoWireType);
    editor.Provod = "АС 70/11";
    EXPECT_EQ(OkMessage(editor), kNoCordType);
    editor.Tros = "ТК 50";
    EXPECT_EQ(OkMessage(editor), kNoName);
    editor.Name = Repeat("ж", 39) + "/";
    EXPECT_EQ(OkMessage(editor), kNameTooLong);
    editor.Name = "Уч/1";
    EXPECT_EQ(OkMessage(editor), kNameForbidden);
    editor.Name = "Уч 1";
    EXPECT_EQ(OkMessage(editor), kNoWireMaterial);
    editor.ChooseWireMaterial(1);
    EXPECT_EQ(OkMessage(editor), kNoCordMaterial);
    editor.ChooseCordMaterial(5);
    EXPECT_EQ(OkMessage(editor), kAverageAboveMaximum);
    editor.seNapr_srg = 9;
    EXPECT_EQ(OkMessage(editor), "");
}

TEST_F(SectionEditor, TheNameCountsCharactersAndRefusesWhatASheetNameCannotHold)
{
    TFormParcel editor = ValidEditor();
    editor.Name = Repeat("Ж", 31); // 62 bytes
    EXPECT_EQ(OkMessage(editor), "");
    editor.Name = Repeat("Ж", 32);
    EXPECT_EQ(OkMessage(editor), kNameTooLong);
    for (const char *c : {"\\", "/", "?", "*", "[", "]"}) {
        editor.Name = std::string("Уч") + c;
        EXPECT_EQ(OkMessage(editor), kNameForbidden) << c;
    }
    editor.Name = "Уч. 1-2 (Ж:А)";
    EXPECT_EQ(OkMessage(editor), "");
}

TEST_F(SectionEditor, OnlyAConductorThatIsThereNeedsItsTypeAndMaterialButStressesAlwaysCount)
{
    TFormParcel editor = ValidEditor();
    editor.ClickIsVitygka(true);
    editor.ClickIsTros(true);
    editor.Tros = "ТК 50";
    editor.ChooseCordMaterial(2);
    editor.Provod.clear();
    editor.ClickIsProvod(false);
    EXPECT_EQ(OkMessage(editor), "");
    // The wire's stresses are compared on either tab and without a wire; the cord's are not.
    editor.seNapr_srg = 9.5;
    editor.WireTab = 1;
    EXPECT_EQ(OkMessage(editor), kAverageAboveMaximum);
    editor.seNapr_srg = 0;
    editor.seNaprt_srg = 5;
    EXPECT_EQ(OkMessage(editor), "");
    // Without stretching allowance no material is asked for.
    editor.ClickIsProvod(true);
    editor.Provod = "АС 70/11";
    editor.ClickIsVitygka(false);
    editor.CordStretch.Material = 0;
    EXPECT_EQ(OkMessage(editor), "");
    // Nor for a cord that is not there.
    editor.ClickIsTros(false);
    editor.ClickIsVitygka(true);
    editor.ChooseWireMaterial(1);
    EXPECT_EQ(OkMessage(editor), "");
}

// --- Loading, storing and units --------------------------------------------------------------

TEST_F(SectionEditor, EveryInputGoesBackToItsOwnFieldEditableOrNot)
{
    TParcel section;
    section.Name = "Переход через реку";
    section.IsProvod = false; // its type and limits are still stored
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
    section.IsGis = false;
    section.Ves_Gis = 55.5;
    section.Dlina_Gis = 1.75;
    section.Raznost_H = -12.5;
    section.IsVitygka = true;
    section.Mt = 4;
    section.Pt = 11;
    section.Mp = 3; // without a wire, neither loaded nor stored
    section.Pp = 7;
    section.KindP = 2;
    section.Pillars.Add(std::make_unique<TPillar>());

    TFormParcel editor(CatalogStand());
    editor.LoadParcel(section);
    EXPECT_EQ(editor.WireTab, 1);
    EXPECT_EQ(editor.seTag_max, 1500);
    EXPECT_EQ(editor.CordStretch.Material, 4);
    EXPECT_EQ(editor.CordStretch.Percent[3], 11);
    EXPECT_EQ(editor.WireStretch.Material, 0);
    TParcel stored;
    stored.Mp = 3;
    stored.Pp = 7;
    stored.KindP = 2;
    stored.Pillars.Add(std::make_unique<TPillar>());
    editor.StoreParcel(stored);
    EXPECT_TRUE(stored.Equals(section));

    // The shown tab becomes the mode; damper fields and supports are not the editor's.
    editor.CordTab = 1;
    editor.seTagt_max = 1200;
    stored.ModelVM_Tros = 5;
    editor.StoreParcel(stored);
    EXPECT_EQ(stored.TagModet, 1);
    EXPECT_EQ(stored.Tagt_max, 1200);
    EXPECT_EQ(stored.ModelVM_Tros, 5);
    EXPECT_EQ(stored.Pillars.Count(), 1);
}

TEST_F(SectionEditor, NewtonsShowTenTimesTheStressAndAHundredthOfTheTension)
{
    UseUnitSystem(TUnitSystem::KN);
    TParcel section;
    section.Napr_max = 9;
    section.Tag_max = 2700;
    section.Naprt_srg = 30;
    section.Tagt_srg = 500;
    TFormParcel editor(CatalogStand());
    editor.LoadParcel(section);
    EXPECT_DOUBLE_EQ(editor.seNapr_max, 90);
    EXPECT_DOUBLE_EQ(editor.seTag_max, 27);
    EXPECT_DOUBLE_EQ(editor.seNaprt_srg, 300);
    EXPECT_DOUBLE_EQ(editor.seTagt_srg, 5);
    editor.seNapr_max = 100;
    editor.seTag_srg = 27;
    editor.seNaprt_max = 150;
    editor.seTagt_max = 12;
    editor.StoreParcel(section);
    EXPECT_DOUBLE_EQ(section.Napr_max, 10);
    EXPECT_DOUBLE_EQ(section.Tag_srg, 2700);
    EXPECT_DOUBLE_EQ(section.Naprt_max, 15);
    EXPECT_DOUBLE_EQ(section.Tagt_max, 1200);

    // 1000.1 * 0.01 / 0.01 is not 1000.1 in binary (nor 0.11 * 10 / 10 0.11): converting back
    // alone would make an OK without a change count as a change to the project.
    section.Tag_max = 1000.1;
    section.Tagt_srg = 1000.1;
    section.Napr_srg = 0.11;
    editor.LoadParcel(section);
    TParcel stored;
    editor.StoreParcel(stored);
    EXPECT_TRUE(stored.Equals(section));
}

// --- Enabling and the stretching groups ------------------------------------------------------

TEST_F(SectionEditor, InputsFollowTheirCheckBoxes)
{
    TFormParcel editor(CatalogStand());
    editor.LoadParcel(TParcel());
    EXPECT_TRUE(editor.WireEditable());
    EXPECT_FALSE(editor.CordEditable() || editor.InsulatorEditable());
    EXPECT_FALSE(editor.WireMaterialEditable() || editor.CordMaterialEditable());
    editor.ClickIsTros(true);
    editor.ClickIsGis(true);
    EXPECT_TRUE(editor.CordEditable() && editor.InsulatorEditable());
    EXPECT_FALSE(editor.CordMaterialEditable());
    editor.ClickIsVitygka(true);
    EXPECT_TRUE(editor.WireMaterialEditable() && editor.CordMaterialEditable());
    editor.ClickIsProvod(false);
    EXPECT_FALSE(editor.WireEditable() || editor.WireMaterialEditable());
    EXPECT_TRUE(editor.CordMaterialEditable());
    // A disabled group takes no click, nor does a material outside 1..5.
    editor.ChooseWireMaterial(2);
    editor.ChooseCordMaterial(6);
    EXPECT_EQ(editor.WireStretch.Material, 0);
    EXPECT_EQ(editor.CordStretch.Material, 0);
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
    const auto editable = [&editor](bool cord) {
        std::string ks;
        for (int k = 0; k <= 6; ++k)
            if (cord ? editor.CordPercentEditable(k) : editor.WirePercentEditable(k))
                ks += std::to_string(k);
        return ks;
    };
    EXPECT_EQ(editable(true), "");
    editor.ChooseCordMaterial(3);
    EXPECT_EQ(editable(true), "3");
    editor.ChooseCordMaterial(5);
    editor.ChooseWireMaterial(1);
    EXPECT_EQ(editable(true), "5");
    EXPECT_EQ(editable(false), "1");

    // The insulator box touches neither group; the other boxes make their groups read-only.
    editor.ClickIsGis(true);
    EXPECT_EQ(editable(false) + "|" + editable(true), "1|5");
    editor.ClickIsProvod(true);
    EXPECT_EQ(editable(false) + "|" + editable(true), "|5");
    editor.ChooseWireMaterial(1);
    editor.ClickIsTros(true);
    EXPECT_EQ(editable(false) + "|" + editable(true), "1|");
    editor.ChooseCordMaterial(2);
    editor.ClickIsVitygka(true);
    EXPECT_EQ(editable(false) + "|" + editable(true), "|");
    editor.ChooseWireMaterial(4);
    editor.LoadParcel(section);
    EXPECT_EQ(editable(false), "");
}

TEST_F(SectionEditor, ChoicesOutliveASectionWithoutStretchingAndTheChosenPercentageIsStored)
{
    TFormParcel editor(CatalogStand());
    EXPECT_EQ(editor.WireStretch.Percent, (std::array<int, 5> {3, 5, 7, 10, 12}));
    TParcel section;
    section.IsVitygka = true;
    section.Mp = 2;
    section.Pp = 8;
    editor.LoadParcel(section);
    editor.LoadParcel(TParcel());
    EXPECT_EQ(editor.WireStretch.Material, 2);
    EXPECT_EQ(editor.WireStretch.Percent[1], 8);
    // A stored material outside 1..5 shows none, and its percentage goes nowhere.
    section.Mp = 9;
    section.Pp = 40;
    editor.LoadParcel(section);
    EXPECT_EQ(editor.WireStretch.Material, 0);
    EXPECT_EQ(editor.WireStretch.Percent, (std::array<int, 5> {3, 8, 7, 10, 12}));

    editor.ChooseWireMaterial(4);
    editor.WireStretch.Percent[3] = 6;
    editor.StoreParcel(section);
    EXPECT_EQ(section.Mp, 4);
    EXPECT_EQ(section.Pp, 6);
    // Without stretching allowance the stored material stays.
    editor.ClickIsVitygka(false);
    editor.WireStretch.Material = 1;
    editor.StoreParcel(section);
    EXPECT_FALSE(section.IsVitygka);
    EXPECT_EQ(section.Mp, 4);
    EXPECT_EQ(section.Pp, 6);
}

// --- Catalog buttons and captions ------------------------------------------------------------

TEST_F(SectionEditor, TheCatalogButtonsTakeOnlyANamedChoiceAndOnlyWhileEnabled)
{
    TCatalogPicker app;
    TAppPort port = app.App();
    TFormParcel editor = ValidEditor();
    editor.ClickIsTros(true);
    app.Choices = {"АС 95/16", "ТК 50", "", std::nullopt};
    editor.ChooseWire(port);
    editor.ChooseCord(port);
    EXPECT_EQ(editor.Provod, "АС 95/16");
    EXPECT_EQ(editor.Tros, "ТК 50");
    // A record without a name, and Cancel, change nothing.
    editor.ChooseWire(port);
    editor.ChooseCord(port);
    EXPECT_EQ(editor.Provod, "АС 95/16");
    EXPECT_EQ(editor.Tros, "ТК 50");
    editor.ClickIsProvod(false);
    editor.ClickIsTros(false);
    editor.ChooseWire(port);
    editor.ChooseCord(port);
    EXPECT_EQ(app.Opened, 4);
}

TEST_F(SectionEditor, CaptionsFollowTheLanguageAndTheUnitSystem)
{
    TSectionEditorCaptions ru = SectionEditorCaptions();
    EXPECT_EQ(ru.Name, "Наименование участка:");
    EXPECT_EQ(ru.StressUnit + " " + ru.ForceUnit, "даН/мм² даН");

    UseLanguage(TLanguage::English);
    UseUnitSystem(TUnitSystem::KN);
    TSectionEditorCaptions en = SectionEditorCaptions();
    // The stresses tab is keyed "Tension" and the tensions tab "Stress".
    EXPECT_EQ(en.StressTab + "|" + en.TensionTab, "Stress|Tension");
    EXPECT_EQ(en.StressUnit + " " + en.ForceUnit, "N/mm² kN");
    EXPECT_EQ(en.Materials,
              (std::array<std::string, 5> {
                  "Steel", "Steel+Aluminum", "Aluminum", "Kevlar-49, fiberglass", "Kevlar-29"}));
    UseLanguage(TLanguage::Russian);
}
