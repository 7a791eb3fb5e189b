// The support editor: validation in order with the span among the checks, the codes that
// follow the type, the cuts to the capacities, picket enabling and the captions.
#include "app/editors/support_editor.h"
#include "base/number_text.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "scripted_user.h"

#include <gtest/gtest.h>

using namespace vartesk;
using vartesk::test::TScriptedUser;

namespace {

class SupportEditor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
    }
    void TearDown() override { UseLanguage(TLanguage::Russian); }

    static TPillar Support()
    {
        TPillar s;
        s.Nomer = "П12а";
        s.Shifr = "У110-2";
        s.Prolet = 245.5;
        s.Picet1 = 17;
        s.Picet2 = 45.25;
        s.Ugol = "7";
        s.Ugol_grad = 12;
        s.Ugol_min = 30;
        s.Ugol_sec = 15;
        s.Ugol_napr = 1;
        s.pv = "3";
        s.Insect = "П-4";
        s.Coment = "переход через дорогу";
        s.Visir = true;
        s.RezPic = true;
        s.Tip_Opor = TSupportType::Intermediate;
        return s;
    }

    // What OK shows (empty when it passes), checking that Accept agrees.
    static std::string OkMessage(TFormPillar &editor)
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

} // namespace

// --- Validation ------------------------------------------------------------------------------

TEST_F(SupportEditor, TheCodeZeroComesFirstThenTheNumberThenTheSpan)
{
    TFormPillar editor;
    editor.LoadPillar(Support());
    EXPECT_EQ(OkMessage(editor), "");

    editor.Shifr = "0";
    editor.Nomer.clear();
    editor.Prolet = "x";
    EXPECT_EQ(OkMessage(editor), "The code of the support could not be 0");
    editor.Shifr = "У110";
    EXPECT_EQ(OkMessage(editor), "The number of support was not indicated");
    editor.Nomer = "1";
    EXPECT_EQ(OkMessage(editor), "'x' is not a valid floating point value");

    UseLanguage(TLanguage::Russian);
    editor.Shifr = "0";
    EXPECT_EQ(OkMessage(editor), "Шифр опоры не может быть = 0");
    editor.Shifr.clear();
    editor.Nomer.clear();
    EXPECT_EQ(OkMessage(editor), "Не введён номер опоры");
}

TEST_F(SupportEditor, OnlyTheCodeExactlyZeroIsRefused)
{
    TFormPillar editor;
    editor.LoadPillar(Support());
    for (const char *code : {"00", "0 ", " 0", "0а", "О"}) {
        editor.Shifr = code;
        EXPECT_EQ(OkMessage(editor), "") << code;
    }
}

TEST_F(SupportEditor, ASpanMustBeANumberWithAPoint)
{
    TFormPillar editor;
    editor.LoadPillar(Support());
    for (const char *span : {"250", "0", "-12.5", "1e3", "245.50"}) {
        editor.Prolet = span;
        EXPECT_EQ(OkMessage(editor), "") << span;
    }
    editor.Prolet = "245,5";
    EXPECT_EQ(OkMessage(editor), "'245,5' is not a valid floating point value");
    editor.Prolet = "";
    EXPECT_EQ(OkMessage(editor), "'' is not a valid floating point value");
    editor.Prolet = "250 м";
    EXPECT_EQ(OkMessage(editor), "'250 м' is not a valid floating point value");
}

TEST_F(SupportEditor, StoringABadSpanChangesNothingOfTheSupport)
{
    TFormPillar editor;
    editor.LoadPillar(Support());
    editor.Nomer = "99";
    editor.Shifr = "Новый";
    editor.Prolet = "2,5";
    TPillar support = Support();
    EXPECT_THROW(editor.StorePillar(support), EConvertError);
    EXPECT_TRUE(support.Equals(Support()));
}

// --- Loading and storing ---------------------------------------------------------------------

TEST_F(SupportEditor, EveryInputGoesBackToItsOwnFieldAndPvIsKept)
{
    TFormPillar editor;
    editor.LoadPillar(Support());
    EXPECT_EQ(editor.Nomer, "П12а");
    EXPECT_EQ(editor.Shifr, "У110-2");
    EXPECT_EQ(editor.Prolet, "245.5");
    EXPECT_EQ(editor.Tip_Opor, TSupportType::Intermediate);
    EXPECT_EQ(editor.Picet1, 17);
    EXPECT_EQ(editor.Ugol_napr, 1);
    EXPECT_EQ(editor.Ugol_min, 30);

    TPillar stored;
    stored.pv = "3";
    editor.StorePillar(stored);
    EXPECT_TRUE(stored.Equals(Support()));

    // pv has no input: whatever the target holds stays.
    stored.pv = "9";
    editor.StorePillar(stored);
    EXPECT_EQ(stored.pv.str(), "9");
}

TEST_F(SupportEditor, TheSpanIsShownInTheShortestGeneralForm)
{
    TFormPillar editor;
    TPillar s;
    for (const auto &[span, text] : {std::pair {250.0, "250"},
                                     {0.1, "0.1"},
                                     {123.45, "123.45"},
                                     {0.0, "0"},
                                     {-5.0, "-5"},
                                     {1e-5, "1E-5"}}) {
        s.Prolet = span;
        editor.LoadPillar(s);
        EXPECT_EQ(editor.Prolet, text);
        // Shown and stored again, the span keeps every bit.
        TPillar stored;
        editor.StorePillar(stored);
        EXPECT_EQ(stored.Prolet, span) << text;
    }
}

TEST_F(SupportEditor, ASpanTextLeftAloneKeepsTheSpanToTheLastBit)
{
    // 1/3 shows with 15 digits, which read back as another number.
    TPillar s;
    s.Prolet = 1.0 / 3;
    TFormPillar editor;
    editor.LoadPillar(s);
    ASSERT_EQ(editor.Prolet, "0.333333333333333");
    TPillar stored;
    editor.StorePillar(stored);
    EXPECT_EQ(stored.Prolet, 1.0 / 3);
    // A text typed over is read as typed.
    editor.Prolet = "0.3333333333333330";
    editor.StorePillar(stored);
    EXPECT_EQ(stored.Prolet, 0.333333333333333);
    // The remembered span is that of the last support loaded.
    s.Prolet = 250;
    editor.LoadPillar(s);
    editor.StorePillar(stored);
    EXPECT_EQ(stored.Prolet, 250);
}

TEST_F(SupportEditor, ACodeThatOnlyFollowsTheTypeShowsEmptyAndFollowsTheTypeChosen)
{
    TFormPillar editor;
    TPillar s = Support();
    s.Shifr = kShifrAnchor;
    s.Tip_Opor = TSupportType::Strain;
    editor.LoadPillar(s);
    EXPECT_EQ(editor.Shifr, "");
    editor.Tip_Opor = TSupportType::Intermediate;
    editor.StorePillar(s);
    EXPECT_EQ(s.Shifr.str(), "Пром.");
    EXPECT_EQ(s.Tip_Opor, TSupportType::Intermediate);

    editor.LoadPillar(s);
    EXPECT_EQ(editor.Shifr, "");
    editor.Tip_Opor = TSupportType::Strain;
    editor.StorePillar(s);
    EXPECT_EQ(s.Shifr.str(), "Анк.");

    // A code of its own stays whatever the type.
    editor.Shifr = "У110-2";
    editor.Tip_Opor = TSupportType::Intermediate;
    editor.StorePillar(s);
    EXPECT_EQ(s.Shifr.str(), "У110-2");
}

TEST_F(SupportEditor, ADeadEndSupportKeepsItsTypeAndGetsNoCodeOfAType)
{
    TFormPillar editor;
    TPillar s = Support();
    s.Tip_Opor = TSupportType::DeadEnd;
    s.Shifr = kShifrAnchor;
    s.Ugol_napr = 5;
    editor.LoadPillar(s);
    TPillar stored;
    editor.StorePillar(stored);
    EXPECT_EQ(stored.Tip_Opor, TSupportType::DeadEnd);
    EXPECT_EQ(stored.Shifr.str(), "");
    EXPECT_EQ(stored.Ugol_napr, 5);
}

TEST_F(SupportEditor, TextsAreCutToTheirCapacitiesInCharacters)
{
    TFormPillar editor;
    editor.LoadPillar(Support());
    editor.Nomer = "П123456789"; // 10 characters
    editor.Shifr = "ШифрШифрШифрШифрШифрШифр"; // 24 characters
    editor.Ugol = "Угол12345";
    editor.Insect = "Пересечение";
    editor.Coment = "Примечание, которое длиннее сорока знаков на добрый десяток";
    TPillar stored;
    editor.StorePillar(stored);
    EXPECT_EQ(stored.Nomer.str(), "П1234567");
    EXPECT_EQ(stored.Shifr.str(), "ШифрШифрШифрШифрШифр");
    EXPECT_EQ(stored.Ugol.str(), "Угол1234");
    EXPECT_EQ(stored.Insect.str(), "Пересече");
    EXPECT_EQ(stored.Coment.str(), "Примечание, которое длиннее сорока знако");
    // The checks see what was typed, not what would be stored.
    editor.Shifr = "0";
    EXPECT_NE(OkMessage(editor), "");
}

TEST_F(SupportEditor, PicketInputsFollowTheirCheckBoxAndAreStoredEitherWay)
{
    TFormPillar editor;
    TPillar s = Support();
    s.RezPic = false;
    editor.LoadPillar(s);
    EXPECT_FALSE(editor.PicketEditable());
    editor.ClickRezPic(true);
    EXPECT_TRUE(editor.PicketEditable());
    editor.ClickRezPic(false);
    EXPECT_FALSE(editor.PicketEditable());

    editor.Picet1 = 3;
    editor.Picet2 = -12.75;
    TPillar stored;
    editor.StorePillar(stored);
    EXPECT_FALSE(stored.RezPic);
    EXPECT_EQ(stored.Picet1, 3);
    EXPECT_EQ(stored.Picet2, -12.75);

    s.RezPic = true;
    editor.LoadPillar(s);
    EXPECT_TRUE(editor.PicketEditable());
}

// --- Captions --------------------------------------------------------------------------------

TEST_F(SupportEditor, CaptionsFollowTheLanguage)
{
    TSupportEditorCaptions en = SupportEditorCaptions();
    EXPECT_EQ(en.Window, "Supports");
    EXPECT_EQ(en.Coment, "Note:");
    EXPECT_EQ(en.JournalNote, "(could be left unfilled)");
    EXPECT_EQ(en.TurningAngle, "Turning angle (to the right-, to the left+)");
    EXPECT_EQ(en.Types, (std::array<std::string, 2> {"Strain", "Intermediate"}));
    EXPECT_EQ(en.Signs, (std::array<std::string, 2> {"+", "-"}));

    UseLanguage(TLanguage::Russian);
    TSupportEditorCaptions ru = SupportEditorCaptions();
    EXPECT_EQ(ru.Cancel, "Отмена");
    EXPECT_EQ(ru.Coment, "Примечание:");
    EXPECT_EQ(ru.Types[0], "Анкерная");
    EXPECT_EQ(ru.JournalGroup, "Журнал опор");
}
