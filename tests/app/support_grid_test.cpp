// The supports grid edited in place: what each column takes and refuses, rows copied as text
// and read back, typing on the new-support row, pasted blocks all or nothing, undo of each.
#include "app/main_window.h"
#include "app/support_grid.h"
#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "scripted_app.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace vartesk;

namespace {

using enum TSupportColumn;

TPillar Support()
{
    TPillar s;
    s.Nomer = "П12а";
    s.Shifr = kShifrAnchor;
    s.Prolet = 245.5;
    s.Ugol = "7";
    s.Ugol_grad = 12;
    s.Ugol_napr = 1;
    s.Picet1 = 17;
    s.Picet2 = 45.25;
    s.RezPic = true;
    s.Coment = "ВЛ \"Север\"";
    return s;
}

class SupportGrid : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", (Dir.Path() / "config").c_str(), 1);
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
        UseUnitSystem(TUnitSystem::DaN);
        Window.Start();
    }

    // A section of supports numbered 1..count, made current.
    void Section(int count)
    {
        auto section = std::make_unique<TParcel>();
        for (int i = 1; i <= count; ++i) {
            auto s = std::make_unique<TPillar>();
            s->Nomer = std::to_string(i);
            s->Prolet = 200 + i;
            section->Pillars.Add(std::move(s));
        }
        Window.Project.Parcels.Add(std::move(section));
        Window.ShowProject();
    }
    std::vector<std::string> Column(TSupportColumn column) const
    {
        std::vector<std::string> out;
        for (int i = 0; i < Window.SupportCount(); ++i)
            out.push_back(Window.SupportRows[size_t(i)].Cell(int(column)));
        return out;
    }

    test::TScratchDir Dir;
    test::TScriptedApp User;
    TAppPort Port = User.App();
    TWiresList Catalog;
    TFormMain Window {Port, Catalog};
};

} // namespace

TEST_F(SupportGrid, EachColumnTakesWhatTheSupportEditorTakesAndSaysWhyItRefusesTheRest)
{
    struct TCase
    {
        TSupportColumn Column;
        std::string Text;
        bool Taken;
        std::string Expected; // the cell as shown when taken, else the start of the reason
    };
    const TCase cases[] = {
        {Number, "П13", true, "П13"},
        {Number, "", false, "The number of support was not indicated"},
        {Number, "123456789", false, "At most 8 characters."},
        {Number, "12中", false, "'中' cannot be stored in a project file."},
        {Span, "245,5", true, "245.5 m"},
        {Span, "abc", false, "'a' is not taken here."},
        {Span, "245 m", false, "' ' is not taken here."},
        {Span, "", false, "Type digits with '.' or ','"},
        {Attested, "v", true, "V"},
        {Attested, "В", true, "V"},
        {Attested, "yes", false, "Type V for an attested span"},
        {Type, "i", true, "Intermediate"},
        {Type, "анк", true, "Strain"},
        {Type, "Dead-end", false, "Type Strain or Intermediate, or their first letters."},
        {Code, "2П10-1", true, "2П10-1"},
        {Code, "0", false, "The code of the support could not be 0"},
        {Code, std::string(21, 'K'), false, "At most 20 characters."},
        {Angle, "Ang.8;+10 20 30", true, "Ang.8;+10°20'30\""},
        {Angle, "-12°5'", true, "-12°5'0\""},
        {Angle, "Уг.3", true, "Уг.3"},
        {Angle, "12x", false, "Type the turning angle"},
        {Angle, "1001", false, "Enter a value from 0 to 1000."},
        {Angle, "Ang.123456789;+1", false, "At most 8 characters."},
        {Picket, "12+34,5", true, "12+34.5"},
        {Picket, "3-5", true, "3-5"},
        {Picket, "12+34,567", false, "At most 2 digits after the decimal separator."},
        {Picket, "PK12", false, "Type the picket as hundreds+metres"},
        {Picket, "1001+0", false, "Enter a value from 0 to 1000."},
        {Crossing, "П-4", true, "П-4"},
        {Crossing, "123456789", false, "At most 8 characters."},
        {Note, std::string(40, 'n'), true, std::string(40, 'n')},
        {Note, std::string(41, 'n'), false, "At most 40 characters."},
        {Note, "a\tb", false, "'U+0009' cannot be stored in a project file."},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(std::to_string(int(c.Column)) + " [" + c.Text + "]");
        TPillar support = Support();
        const std::string why = TakeSupportCell(support, int(c.Column), c.Text);
        if (c.Taken) {
            EXPECT_EQ(why, "");
            EXPECT_EQ(SupportGridRow(support).Cell(int(c.Column)), c.Expected);
        } else {
            EXPECT_EQ(why.substr(0, c.Expected.size()), c.Expected) << why;
            EXPECT_TRUE(support.Equals(Support()));
        }
    }

    // As the editor stores: the code that followed the type follows the new type, an angle
    // without a sign keeps its direction, an emptied picket keeps its values unticked.
    TPillar support = Support();
    ASSERT_EQ(TakeSupportCell(support, int(Type), "i"), "");
    EXPECT_EQ(support.Shifr.str(), kShifrIntermediate);
    ASSERT_EQ(TakeSupportCell(support, int(Angle), "5"), "");
    EXPECT_EQ(support.Ugol_napr, 1);
    EXPECT_EQ(support.Ugol.str(), "");
    ASSERT_EQ(TakeSupportCell(support, int(Picket), ""), "");
    EXPECT_FALSE(support.RezPic);
    EXPECT_EQ(support.Picet1, 17);
}

TEST_F(SupportGrid, RowsCopiedAsTextReadBackAsTheSameSupports)
{
    TPillarList list;
    for (int i = 0; i < 3; ++i) {
        auto s = std::make_unique<TPillar>(Support());
        s->Prolet = 100.5 * (i + 1);
        s->Visir = i == 1;
        s->Picet2 = -2.5 * i;
        s->Tip_Opor = i == 2 ? TSupportType::Intermediate : TSupportType::Strain;
        list.Add(std::move(s));
    }
    const auto rows = ReadTabText(SupportRowsText(list, 0, 2));
    ASSERT_EQ(rows.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(rows[size_t(i)].size(), size_t(kSupportColumnCount));
        TPillar read;
        for (int c = 0; c < kSupportColumnCount; ++c)
            EXPECT_EQ(TakeSupportCell(read, c, rows[size_t(i)][size_t(c)]), "") << i << "/" << c;
        TPillar expected;
        expected.Assign(list.Get(i));
        expected.Shifr = i == 2 ? kShifrIntermediate : kShifrAnchor;
        EXPECT_TRUE(read.Equals(expected)) << i;
    }

    // As spreadsheets write: CR LF, a quoted cell with a tab, a line break and a quote in it,
    // a trailing line break that starts no row.
    EXPECT_EQ(ReadTabText("1\t\"a\tb\nc\"\"d\"\r\n\t2\n"),
              (std::vector<std::vector<std::string>> {{"1", "a\tb\nc\"d"}, {"", "2"}}));
}

TEST_F(SupportGrid, TypingOnTheNewRowAddsTheProposalAndEachCellIsOneUndoStep)
{
    Section(0);
    std::vector<std::vector<TSupportGridRow>> states {{{}}};
    const auto edit = [&](int row, TSupportColumn column, const char *text) {
        ASSERT_TRUE(Window.EditSupportCell(row, int(column), text)) << text;
        states.push_back(Window.SupportRows);
    };
    edit(0, Number, "П12а");
    edit(0, Span, "245,5");
    edit(0, Note, "переход");
    edit(1, Span, "250"); // the new-support row: П13а
    EXPECT_EQ(Column(Number), (std::vector<std::string> {"П12а", "П13а"}));
    // What belongs to one place is not carried into the next support.
    EXPECT_EQ(Column(Note), (std::vector<std::string> {"переход", ""}));
    // A number typed there sets the direction of the next proposal, as Add does.
    edit(2, Number, "П10а");
    EXPECT_EQ(Window.SupportCellText(3, int(Number)), "П9а");
    EXPECT_EQ(Column(Span), (std::vector<std::string> {"245.5 m", "250 m", "250 m"}));

    // A refused text is told with its cell and changes nothing; the text a cell shows changes
    // nothing either.
    EXPECT_FALSE(Window.EditSupportCell(1, int(Span), "2x"));
    ASSERT_FALSE(User.Told.empty());
    EXPECT_EQ(User.Told.back(),
              "Row 2, column \"Span\": 'x' is not taken here. Type digits with "
              "'.' or ',' as the decimal separator.");
    EXPECT_TRUE(Window.EditSupportCell(0, int(Span), Window.SupportCellText(0, int(Span))));
    EXPECT_EQ(Window.SupportRows, states.back());

    for (size_t step = states.size() - 1; step > 0; --step) {
        ASSERT_TRUE(Window.IsEnabled(TCommand::Undo)) << step;
        Window.ActUndo();
        std::vector<TSupportGridRow> shown = Window.SupportRows;
        EXPECT_EQ(shown, states[step - 1]) << step;
    }
    EXPECT_FALSE(Window.IsEnabled(TCommand::Undo));
}

TEST_F(SupportGrid, APastedBlockAddsAllItsRowsOrNoneAndNamesTheCellItRefuses)
{
    Section(3);
    EXPECT_FALSE(Window.PasteSupportRows("10\t200\n11\tabc\n", 3));
    ASSERT_EQ(User.Told.size(), 1u);
    EXPECT_EQ(User.Told.back(),
              "Nothing was pasted. Row 2 of the pasted text, column \"Span\": 'a' is not taken "
              "here. Type digits with '.' or ',' as the decimal separator.");
    EXPECT_FALSE(Window.PasteSupportRows("1\t2\t\t\t\t\t\t\t\t10\n", 3));
    EXPECT_EQ(User.Told.back(),
              "Nothing was pasted. Row 1 of the pasted text has 10 cells, and the grid has 9 "
              "columns.");
    EXPECT_EQ(Window.SupportCount(), 3);
    EXPECT_FALSE(Window.IsEnabled(TCommand::Undo));

    // Before the second support: blank rows and a selection wider than its cells are passed
    // over, cells left out are the proposal's.
    ASSERT_TRUE(
        Window.PasteSupportRows("\"П4\"\t245,5\tV\ti\r\n\r\n\t\t\n5\t250\t\tStrain\t\t\t\n", 1));
    EXPECT_EQ(Column(Number), (std::vector<std::string> {"1", "П4", "5", "2", "3"}));
    EXPECT_EQ(Column(Type),
              (std::vector<std::string> {"Strain", "Intermediate", "Strain", "Strain", "Strain"}));
    EXPECT_EQ(Column(Attested), (std::vector<std::string> {"", "V", "", "", ""}));
    EXPECT_EQ(Window.SelectionFirst, 1);
    EXPECT_EQ(Window.SelectionLast, 2);
    Window.ActUndo();
    EXPECT_EQ(Column(Number), (std::vector<std::string> {"1", "2", "3"}));

    // From the new-support row: appended, and the numbering follows the last one pasted.
    ASSERT_TRUE(Window.PasteSupportRows("9\t300\n8\t300\n", 3));
    EXPECT_EQ(Column(Number), (std::vector<std::string> {"1", "2", "3", "9", "8"}));
    EXPECT_EQ(Window.SupportCellText(5, int(Number)), "7");
}

TEST_F(SupportGrid, InsertPutsACopyOfTheSupportBeforeItOrTheProposalAtTheEnd)
{
    Section(2);
    ASSERT_TRUE(Window.InsertSupportAt(1));
    EXPECT_EQ(Column(Number), (std::vector<std::string> {"1", "2", "2"}));
    EXPECT_EQ(Window.PillarIndex, 1);
    ASSERT_TRUE(Window.InsertSupportAt(3));
    EXPECT_EQ(Column(Number), (std::vector<std::string> {"1", "2", "2", "3"}));
    Window.ActUndo();
    Window.ActUndo();
    EXPECT_EQ(Column(Number), (std::vector<std::string> {"1", "2"}));
}
