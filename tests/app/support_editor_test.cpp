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

TEST_F(SupportEditor, OnlyTheCodeExactlyZeroAndOnlyASpanThatIsNoNumberAreRefused)
{
    TFormPillar editor;
    editor.LoadPillar(Support());
    for (const char *code : {"00", " 0", "0а", "О"}) {
        editor.Shifr = code;
        EXPECT_EQ(OkMessage(editor), "") << code;
    }
    for (const char *span : {"250", "-12.5", "1e3", "245,5"}) {
        editor.Prolet = span;
        EXPECT_EQ(OkMessage(editor), "") << span;
    }
    for (const char *span : {"245.5,1", "", "250 м"}) {
        editor.Prolet = span;
        EXPECT_EQ(OkMessage(editor),
                  "'" + std::string(span) + "' is not a valid floating point value");
    }
    // Storing regardless raises before anything of the support has changed.
    editor.Nomer = "99";
    TPillar support = Support();
    EXPECT_THROW(editor.StorePillar(support), EConvertError);
    EXPECT_TRUE(support.Equals(Support()));
}

// --- Loading and storing ---------------------------------------------------------------------

TEST_F(SupportEditor, EveryInputGoesBackToItsOwnFieldAndPvIsKept)
{
    TFormPillar editor;
    editor.LoadPillar(Support());
    EXPECT_EQ(editor.Prolet, "245.5");
    TPillar stored;
    stored.pv = "3";
    editor.StorePillar(stored);
    EXPECT_TRUE(stored.Equals(Support()));
    // pv has no input: whatever the target holds stays.
    stored.pv = "9";
    editor.StorePillar(stored);
    EXPECT_EQ(stored.pv.str(), "9");
}

TEST_F(SupportEditor, TheSpanShowsInTheGeneralFormAndALeftAloneTextKeepsEveryBit)
{
    TFormPillar editor;
    TPillar s;
    TPillar stored;
    for (const auto &[span, text] :
         {std::pair {250.0, "250"}, {123.45, "123.45"}, {-5.0, "-5"}, {1e-5, "1E-5"}}) {
        s.Prolet = span;
        editor.LoadPillar(s);
        EXPECT_EQ(editor.Prolet, text);
    }
    // 1/3 shows with 15 digits, which read back as another number.
    s.Prolet = 1.0 / 3;
    editor.LoadPillar(s);
    ASSERT_EQ(editor.Prolet, "0.333333333333333");
    editor.StorePillar(stored);
    EXPECT_EQ(stored.Prolet, 1.0 / 3);
    editor.Prolet = "0.3333333333333330";
    editor.StorePillar(stored);
    EXPECT_EQ(stored.Prolet, 0.333333333333333);
}

TEST_F(SupportEditor, ACodeThatOnlyFollowsTheTypeShowsEmptyAndFollowsTheTypeChosen)
{
    TFormPillar editor;
    TPillar s = Support();
    s.Shifr = kShifrAnchor;
    editor.LoadPillar(s);
    EXPECT_EQ(editor.Shifr, "");
    editor.Tip_Opor = TSupportType::Intermediate;
    editor.StorePillar(s);
    EXPECT_EQ(s.Shifr.str(), "Пром.");
    editor.LoadPillar(s);
    EXPECT_EQ(editor.Shifr, "");
    editor.Tip_Opor = TSupportType::Strain;
    editor.StorePillar(s);
    EXPECT_EQ(s.Shifr.str(), "Анк.");
    // A dead-end support read from a file keeps its type, and no code of a type replaces the
    // one it had; a direction other than "+" and "-" is kept too.
    s.Tip_Opor = TSupportType::DeadEnd;
    s.Ugol_napr = 5;
    editor.LoadPillar(s);
    TPillar stored = Support();
    editor.StorePillar(stored);
    EXPECT_EQ(stored.Tip_Opor, TSupportType::DeadEnd);
    EXPECT_EQ(stored.Shifr.str(), "");
    EXPECT_EQ(stored.Ugol_napr, 5);
}

TEST_F(SupportEditor, TextsAreCutByCharactersAndPicketsStoredWhileReadOnly)
{
    TFormPillar editor;
    TPillar s = Support();
    s.RezPic = false;
    editor.LoadPillar(s);
    EXPECT_FALSE(editor.PicketEditable());
    editor.ClickRezPic(true);
    EXPECT_TRUE(editor.PicketEditable());
    editor.ClickRezPic(false);
    editor.Picet1 = 3;
    editor.Picet2 = -12.75;
    editor.Nomer = "П123456789";
    editor.Shifr = "ШифрШифрШифрШифрШифрШифр";
    editor.Ugol = "Угол12345";
    editor.Insect = "Пересечение";
    editor.Coment = "Примечание, которое длиннее сорока знаков на добрый десяток";
    TPillar stored;
    editor.StorePillar(stored);
    EXPECT_EQ(stored.Picet1, 3);
    EXPECT_EQ(stored.Picet2, -12.75);
    EXPECT_EQ(stored.Nomer.str(), "П1234567");
    EXPECT_EQ(stored.Shifr.str(), "ШифрШифрШифрШифрШифр");
    EXPECT_EQ(stored.Ugol.str(), "Угол1234");
    EXPECT_EQ(stored.Insect.str(), "Пересече");
    EXPECT_EQ(stored.Coment.str(), "Примечание, которое длиннее сорока знако");
}

TEST_F(SupportEditor, CaptionsFollowTheLanguage)
{
    TSupportEditorCaptions en = SupportEditorCaptions();
    EXPECT_EQ(en.Window, "Supports");
    EXPECT_EQ(en.Coment, "Note:");
    EXPECT_EQ(en.TurningAngle, "Turning angle (to the right-, to the left+)");
    EXPECT_EQ(en.Types, (std::array<std::string, 2> {"Strain", "Intermediate"}));
    UseLanguage(TLanguage::Russian);
    TSupportEditorCaptions ru = SupportEditorCaptions();
    EXPECT_EQ(ru.Coment, "Примечание:");
    EXPECT_EQ(ru.JournalGroup, "Журнал опор");
}
