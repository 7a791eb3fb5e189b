// The catalog entry dialog: what it shows, which keys it takes and what OK stores or refuses.
#include "app/editors/wire_entry_dialog.h"

#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "scripted_user.h"

#include <gtest/gtest.h>

using namespace vartesk;
using vartesk::test::TScriptedUser;
using TLog = std::vector<std::string>;

namespace {

TWireRecord Ac50()
{
    TWireRecord r;
    r.Group = 1;
    r.Name = "АС50/8";
    r.Diameter = 9.6;
    r.Section = 56.24;
    r.Weight = 0.195;
    r.Modulus = 8250;
    r.ThermalCoef = 1.92E-5;
    return r;
}

class WireEntryDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
        UseUnitSystem(TUnitSystem::KN);
    }
    void TearDown() override { UseUnitSystem(TUnitSystem::DaN); }

    TFormWiresEdit Dialog;
    TScriptedUser User;
};

} // namespace

TEST_F(WireEntryDialog, ShowsGeneralFormatTextsAndStoresThemBackWithTheModulusInKiloNewtons)
{
    Dialog.Load(Ac50());
    EXPECT_EQ(Dialog.GroupPosition, 0);
    EXPECT_EQ((TLog {Dialog.Name, Dialog.Diameter, Dialog.Section, Dialog.Weight, Dialog.Modulus}),
              (TLog {"АС50/8", "9.6", "56.24", "0.195", "82.5"}));
    EXPECT_EQ(Dialog.ThermalCoef, "1.92E-5");

    Dialog.Load(TWireRecord {});
    Dialog.Name = "АС50/8";
    Dialog.GroupPosition = 0;
    Dialog.Diameter = "9.6";
    Dialog.Section = "56.24";
    Dialog.Weight = "0.195";
    Dialog.Modulus = "82.5";
    Dialog.ThermalCoef = "0.0000192";
    ASSERT_TRUE(Dialog.Accept(User));
    EXPECT_TRUE(Dialog.Result().Equals(Ac50()));

    Dialog.Name = "АБВГДЕЖЗИКЛМНОПРСТУ"; // 19 characters
    ASSERT_TRUE(Dialog.Accept(User));
    EXPECT_EQ(Dialog.Result().Name.str(), "АБВГДЕЖЗИКЛМНОПР");
    EXPECT_TRUE(User.Log.empty());
}

TEST_F(WireEntryDialog, FieldsConfirmedUnchangedKeepTheStoredValueToTheLastBit)
{
    TWireRecord rec = Ac50();
    rec.Modulus = 6860; // shown as 68.6 kN/mm2, and 68.6 / 0.01 is 6859.999999999999
    rec.Diameter = 0.1 + 0.2; // more digits than the general format shows
    Dialog.Load(rec);
    ASSERT_EQ(Dialog.Modulus, "68.6");
    ASSERT_EQ(Dialog.Diameter, "0.3");
    ASSERT_TRUE(Dialog.Accept(User));
    EXPECT_TRUE(Dialog.Result().Equals(rec));

    // Typed again, even to the same number, a field stores what was typed.
    Dialog.Modulus = "68.60";
    ASSERT_TRUE(Dialog.Accept(User));
    EXPECT_EQ(Dialog.Result().Modulus, 68.6 / 0.01);
    EXPECT_EQ(Dialog.Result().Diameter, rec.Diameter);
}

TEST_F(WireEntryDialog, GroupsWithoutAPlaceInTheListShowAndStoreOthers)
{
    TWireRecord rec = Ac50();
    for (int group : {0, 8, -1}) {
        rec.Group = group;
        Dialog.Load(rec);
        EXPECT_EQ(Dialog.GroupPosition, TFormWiresEdit::kOthersPosition) << group;
        ASSERT_TRUE(Dialog.Accept(User));
        EXPECT_EQ(Dialog.Result().Group, 7) << group;
    }
    Dialog.GroupPosition = 2;
    ASSERT_TRUE(Dialog.Accept(User));
    EXPECT_EQ(Dialog.Result().Group, 3);
}

TEST_F(WireEntryDialog, KeysAndTheDiameterAreCheckedWhileTyping)
{
    // Either decimal separator, and the exponent the catalog shows its coefficients with.
    for (char32_t key : {U'0', U'9', U'-', U'.', U',', U'+', U'e', U'E', char32_t(0x08)})
        EXPECT_TRUE(TFormWiresEdit::KeyAccepted(key)) << int(key);
    for (char32_t key : {U'/', U':', U' ', U'з', char32_t(0x7F)})
        EXPECT_FALSE(TFormWiresEdit::KeyAccepted(key)) << int(key);

    for (const char *text : {"", "-", "9.", "-9,6", "1.92E-"})
        Dialog.DiameterEdited(text, User); // half-typed or whole numbers: silent
    Dialog.DiameterEdited("9.6.", User);
    EXPECT_EQ(Dialog.Diameter, "9.6."); // left for the person to mend
    Dialog.DiameterEdited("--", User);
    EXPECT_EQ(User.Log, (TLog {"tell error: Error data entry", "tell error: Error data entry"}));
}

TEST_F(WireEntryDialog, OkRefusesTheFirstBadFieldNameFirstAndKeepsTheLastResult)
{
    Dialog.Load(Ac50());
    ASSERT_TRUE(Dialog.Accept(User));
    const TWireRecord before = Dialog.Result();

    // Names the text export could not carry back, each with a number that is bad as well.
    for (const char *name : {"АС;50", "", "АС\r\n50"}) {
        Dialog.Name = name;
        Dialog.Diameter = "x";
        EXPECT_FALSE(Dialog.Accept(User)) << name;
        ASSERT_EQ(User.Log.size(), 1u) << name;
        EXPECT_EQ(User.Log[0].find("is not a valid"), std::string::npos) << User.Log[0];
        User.Log.clear();
    }

    Dialog.Name = "АС50/8";
    Dialog.Diameter = "9.6";
    Dialog.Weight = "0,1,95";
    Dialog.ThermalCoef = "";
    EXPECT_FALSE(Dialog.Accept(User));
    Dialog.Weight = "0,195";
    Dialog.Section = "1e400";
    EXPECT_FALSE(Dialog.Accept(User));
    Dialog.Section = "56.24";
    EXPECT_FALSE(Dialog.Accept(User));
    EXPECT_EQ(User.Log,
              (TLog {"tell error: '0,1,95' is not a valid floating point value",
                     "tell error: '1e400' is not a valid floating point value",
                     "tell error: '' is not a valid floating point value"}));
    EXPECT_TRUE(Dialog.Result().Equals(before));
}

TEST_F(WireEntryDialog, CaptionsFollowLanguageAndUnits)
{
    EXPECT_EQ(WireEntryCaptions().ModulusUnit, "kN/mm²");
    UseUnitSystem(TUnitSystem::DaN);
    UseLanguage(TLanguage::Russian);
    const auto c = WireEntryCaptions();
    UseLanguage(TLanguage::English);
    EXPECT_EQ(c.Title, "Добавление/Изменение");
    EXPECT_EQ(c.ModulusUnit, "даН/мм²");
    ASSERT_EQ(c.Groups.size(), 7u);
    EXPECT_EQ(c.Groups.back(), "Прочие");
}
