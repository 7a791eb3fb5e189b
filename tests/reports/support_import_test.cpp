// The import of sections and supports from a workbook: which sheets and rows it reads, how
// each cell becomes a field, where it stops, and that a workbook it cannot use leaves the
// project as it was. Workbooks made by our engine, and one written by LibreOffice.
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "model/project.h"
#include "reports/support_import.h"
#include "scripted_user.h"
#include "test_support.h"
#include "xls/xls_file.h"

#include <gtest/gtest.h>

#include <variant>

using namespace vartesk;
using vartesk::test::TScratchDir;
using vartesk::test::TScriptedUser;

namespace {

const std::filesystem::path kFixtures = std::filesystem::path(VARTESK_TEST_DATA) / "fixtures";

// A cell of a row: nothing, a number, a text or a boolean.
using TCellIn = std::variant<std::monostate, double, std::string, bool>;
using TRowIn = std::vector<TCellIn>; // B, C, D, E, F

void Put(xls::TSheet &sheet, int row, int col, const TCellIn &value)
{
    if (const double *n = std::get_if<double>(&value))
        sheet.Cells().Item(row, col).SetNumber(*n);
    else if (const std::string *t = std::get_if<std::string>(&value))
        sheet.Cells().Item(row, col).SetText(*t);
    else if (const bool *b = std::get_if<bool>(&value))
        sheet.Cells().Item(row, col).SetValue(*b);
}

class SupportImport : public ::testing::Test
{
public:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
        // A project with a section of its own, which only a successful import replaces.
        auto p = std::make_unique<TParcel>();
        p->Name = "Before";
        p->Pillars.Add(std::make_unique<TPillar>());
        Project.Parcels.Add(std::move(p));
        Project.Klimat.Tols = 20;
    }

    // A sheet of the workbook, with the marker in B2 unless told otherwise.
    void AddSheet(const std::string &name,
                  const std::vector<TRowIn> &rows,
                  const std::string &marker = kImportMarker)
    {
        xls::TSheet &sheet
            = Sheets == 0 ? Book->Sheets().Item(0) : Book->Sheets().Item(Book->Sheets().Add(name));
        if (Sheets++ == 0)
            sheet.SetName(name);
        if (!marker.empty())
            Put(sheet, 1, 1, marker);
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t c = 0; c < rows[r].size(); ++c)
                Put(sheet, int(r) + 2, int(c) + 1, rows[r][c]);
    }

    TSupportImport Import() { return ImportSupports(Project, Book->Workbook(), User); }

    const TPillar &Support(int section, int k)
    {
        return Project.Parcels.Get(section).Pillars.Get(k);
    }

    bool Unchanged() const
    {
        return Project.Parcels.Count() == 1 && Project.Parcels.Get(0).Name == "Before";
    }

    TProject Project;
    std::unique_ptr<xls::TXLSFile> Book = std::make_unique<xls::TXLSFile>();
    int Sheets = 0;
    TScriptedUser User;
};

const TCellIn kNone = std::monostate {};

} // namespace

TEST_F(SupportImport, MarkedSheetsBecomeSectionsOfTwoOrMoreSupportsUntilAnUnmarkedSheet)
{
    AddSheet("L1", {{1.0, 1.0, 120.0, 1.0, "У110-2"}, {2.0, kNone, 130.5}, {3.0, 1.0}});
    AddSheet("L2", {{1.0, 1.0, 100.0}});
    AddSheet("Notes", {{1.0, 1.0, 100.0}, {2.0, 1.0}}, "");
    AddSheet("L3", {{1.0, 1.0, 100.0}, {2.0, 1.0}});
    const TSupportImport result = Import();
    EXPECT_EQ(result.Sections, 1);
    EXPECT_EQ(result.Supports, 3);
    EXPECT_FALSE(result.Stopped);
    EXPECT_TRUE(User.Told.empty()) << User.Told.front();
    ASSERT_EQ(Project.Parcels.Count(), 1);
    const TParcel &p = Project.Parcels.Get(0);
    EXPECT_EQ(p.Name, "L1");
    ASSERT_EQ(p.Pillars.Count(), 3);
    EXPECT_EQ(Support(0, 0).Nomer.str(), "1");
    EXPECT_EQ(Support(0, 0).Tip_Opor, TSupportType::Strain);
    EXPECT_EQ(Support(0, 0).Prolet, 120);
    EXPECT_TRUE(Support(0, 0).Visir);
    EXPECT_EQ(Support(0, 0).Shifr.str(), "У110-2");
    EXPECT_EQ(Support(0, 1).Tip_Opor, TSupportType::Intermediate);
    EXPECT_EQ(Support(0, 1).Prolet, 130.5);
    EXPECT_FALSE(Support(0, 1).Visir);
    EXPECT_EQ(Support(0, 1).Shifr.str(), ""); // no code given: none made up
    EXPECT_EQ(Support(0, 2).Prolet, 0); // D empty: the default
    // Everything but the support list is the defaults; the project's climate stays.
    TParcel fresh;
    EXPECT_EQ(p.IsProvod, fresh.IsProvod);
    EXPECT_EQ(p.Provod, fresh.Provod);
    EXPECT_EQ(p.Napr_max, fresh.Napr_max);
    EXPECT_EQ(Project.Klimat.Tols, 20);
}

TEST_F(SupportImport, EachCellIsReadAsTextAndComparedExactly)
{
    AddSheet("S",
             {{"123456789", "1", "125.5", "1", "Шифр опоры длиной больше двадцати"},
              {"A 2", "1 ", 60.25, "1 ", kNone},
              {3.0, 1.0000000000000002, " 70 ", true},
              {"4", 2.0, 1e-5, 1.0}});
    ASSERT_EQ(Import().Sections, 1);
    EXPECT_EQ(Support(0, 0).Nomer.str(), "12345678"); // its first 8 characters
    EXPECT_EQ(Support(0, 0).Tip_Opor, TSupportType::Strain); // the text 1
    EXPECT_EQ(Support(0, 0).Shifr.str(), "Шифр опоры длиной бо"); // its first 20
    EXPECT_EQ(Support(0, 1).Nomer.str(), "A 2");
    EXPECT_EQ(Support(0, 1).Tip_Opor, TSupportType::Intermediate); // "1 " is not "1"
    EXPECT_FALSE(Support(0, 1).Visir);
    EXPECT_EQ(Support(0, 1).Prolet, 60.25);
    // The number 1 plus one unit in the last place is 1 in the general form.
    EXPECT_EQ(Support(0, 2).Tip_Opor, TSupportType::Strain);
    EXPECT_EQ(Support(0, 2).Prolet, 70); // blanks around a number are allowed
    EXPECT_FALSE(Support(0, 2).Visir); // TRUE is not "1"
    EXPECT_EQ(Support(0, 3).Tip_Opor, TSupportType::Intermediate); // 2: not "1"
    EXPECT_EQ(Support(0, 3).Prolet, 1e-5); // "1E-5" in the general form
    EXPECT_TRUE(Support(0, 3).Visir);
}

TEST_F(SupportImport, ASpanThatIsNotANumberStopsTheImportNamingTheSheetAndRow)
{
    AddSheet("L1", {{1.0, 1.0, 100.0}, {2.0, 1.0}});
    AddSheet("L2", {{1.0, 1.0, 100.0}, {2.0, kNone, "125,5"}, {3.0, 1.0}});
    AddSheet("L3", {{1.0, 1.0, 100.0}, {2.0, 1.0}});
    const TSupportImport result = Import();
    EXPECT_TRUE(result.Stopped);
    EXPECT_EQ(result.Sections, 1);
    ASSERT_EQ(Project.Parcels.Count(), 1);
    EXPECT_EQ(Project.Parcels.Get(0).Name, "L1"); // what was read before stays
    ASSERT_EQ(User.Told.size(), 1u);
    EXPECT_EQ(User.Told[0],
              "Sheet \"L2\", row 4: the span \"125,5\" is not a number (the decimal separator is "
              "\".\"); the import stopped there, without this sheet and the sheets after it.");
}

TEST_F(SupportImport, AWorkbookThatGivesNoSectionLeavesTheProjectAsItWasAndSaysWhy)
{
    struct TCase
    {
        const char *What;
        std::function<void(SupportImport &)> Build;
        const char *Message;
    };
    const std::vector<TCase> cases {
        {"a marker that differs in one character",
         [](SupportImport &t) {
             t.AddSheet("L1", {{1.0, 1.0, 100.0}, {2.0, 1.0}}, "No опор (до 5 символов)");
         },
         "No sheet carries the marker \"№№ опор (до 5 символов)\" in B2 (the sheets are read "
         "from the first one while they carry it). The sections of the project are left as "
         "they were."},
        // Only the first sheets count: a marked sheet after an unmarked one is not read.
        {"a first sheet without the marker",
         [](SupportImport &t) {
             t.AddSheet("Title", {}, "");
             t.AddSheet("L1", {{1.0, 1.0, 100.0}, {2.0, 1.0}});
         },
         "No sheet carries the marker"},
        {"sections of one support",
         [](SupportImport &t) {
             t.AddSheet("L1", {{1.0, 1.0, 100.0}});
             t.AddSheet("L2", {});
         },
         "No sheet holds a section of two or more supports. The sections of the project are "
         "left as they were."},
        {"a span that is not a number on the first sheet",
         [](SupportImport &t) {
             t.AddSheet("L1", {{1.0, 1.0, "abc"}, {2.0, 1.0}});
         },
         "No section was read before the stop. The sections of the project are left as they "
         "were."},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.What);
        SupportImport &t = *this;
        Book = std::make_unique<xls::TXLSFile>();
        Sheets = 0;
        User = {};
        c.Build(t);
        EXPECT_EQ(Import().Sections, 0);
        EXPECT_TRUE(Unchanged());
        ASSERT_FALSE(User.Told.empty());
        EXPECT_EQ(User.Told.back().rfind(c.Message, 0), 0u) << User.Told.back();
    }
}

TEST_F(SupportImport, AWorkbookThatCannotBeOpenedNamesItsFullPathAndChangesNothing)
{
    TScratchDir dir;
    const auto path = dir / "book.xls";
    test::WriteAll(path, "not a workbook");
    EXPECT_EQ(ImportSupportsFromFile(Project, path, User).Sections, 0);
    EXPECT_TRUE(Unchanged());
    ASSERT_EQ(User.Log.size(), 1u);
    EXPECT_EQ(User.Log[0].rfind(
                  "tell plain: Check for the presence of the files " + path.string() + ".\r\n", 0),
              0u)
        << User.Log[0];
    User = {};
    EXPECT_EQ(ImportSupportsFromFile(Project, dir / "none.xls", User).Sections, 0);
    EXPECT_TRUE(Unchanged());
    EXPECT_NE(User.Told.at(0).find((dir / "none.xls").string() + "."), std::string::npos);
}

TEST_F(SupportImport, ASheetNameOutsideWindows1251GetsQuestionMarksAndAWarning)
{
    AddSheet("Участок ✓ 中", {{1.0, 1.0, 100.0}, {2.0, 1.0, kNone, kNone, "П✓"}});
    ASSERT_EQ(Import().Sections, 1);
    EXPECT_EQ(Project.Parcels.Get(0).Name, "Участок ? ?");
    EXPECT_EQ(Support(0, 1).Shifr.str(), "П?");
    ASSERT_EQ(User.Told.size(), 2u);
    EXPECT_EQ(User.Told[0],
              "The name of the sheet \"Участок ✓ 中\" holds characters that Windows-1251 cannot "
              "store; the section is named \"Участок ? ?\".");
    EXPECT_EQ(User.Told[1],
              "Sheet \"Участок ✓ 中\", row 4: characters that Windows-1251 cannot store became "
              "\"?\".");
}

// Sheets that Windows-1251 turns into one text stay sections of their own names: a report
// then gives each a sheet instead of stopping at the second.
TEST_F(SupportImport, SheetNamesThatBecomeOneTextStayApart)
{
    for (const char *name : {"中文", "日本", "ab", "AB", "AB✓", "AB?"})
        AddSheet(name, {{1.0, 1.0, 100.0}, {2.0, 1.0}});
    ASSERT_EQ(Import().Sections, 6);
    std::vector<std::string> names;
    for (const auto &p : Project.Parcels)
        names.push_back(p->Name);
    EXPECT_EQ(names, (std::vector<std::string> {"??", "?? (2)", "ab", "AB (2)", "AB?", "AB? (2)"}));
    EXPECT_EQ(User.Told[1],
              "The name of the sheet \"日本\" holds characters that Windows-1251 cannot store; "
              "the section is named \"?? (2)\".");
}

// A workbook as LibreOffice Calc writes one (fixtures/lo_import.fods, converted once by
// `soffice --headless --convert-to 'xls:MS Excel 97'`): text and number cells, a span with
// a number format, an empty row ending the list, a second marked sheet, a third without.
TEST_F(SupportImport, AWorkbookWrittenByLibreOfficeImports)
{
    const TSupportImport result
        = ImportSupportsFromFile(Project, kFixtures / "lo_import.xls", User);
    EXPECT_TRUE(User.Told.empty()) << User.Told.front();
    ASSERT_EQ(result.Sections, 2);
    EXPECT_EQ(result.Supports, 7);
    const TParcel &a = Project.Parcels.Get(0);
    EXPECT_EQ(a.Name, "ПС Северная - оп. 5");
    ASSERT_EQ(a.Pillars.Count(), 5);
    EXPECT_EQ(a.Pillars.Get(0).Nomer.str(), "1");
    EXPECT_EQ(a.Pillars.Get(0).Tip_Opor, TSupportType::Strain);
    EXPECT_EQ(a.Pillars.Get(0).Shifr.str(), "ПС");
    EXPECT_EQ(a.Pillars.Get(1).Nomer.str(), "2а");
    EXPECT_EQ(a.Pillars.Get(1).Prolet, 215.75);
    EXPECT_TRUE(a.Pillars.Get(1).Visir);
    EXPECT_EQ(a.Pillars.Get(2).Tip_Opor, TSupportType::Intermediate);
    EXPECT_EQ(a.Pillars.Get(3).Prolet, 238);
    EXPECT_EQ(a.Pillars.Get(4).Prolet, 0);
    const TParcel &b = Project.Parcels.Get(1);
    EXPECT_EQ(b.Name, "Переход");
    ASSERT_EQ(b.Pillars.Count(), 2);
    EXPECT_EQ(b.Pillars.Get(0).Nomer.str(), "5");
    EXPECT_EQ(b.Pillars.Get(0).Prolet, 640);
    EXPECT_EQ(b.Pillars.Get(1).Shifr.str(), "А110-1+5");
}

// The shipped starting workbook imports as it is: its examples are a sound section.
TEST_F(SupportImport, TheShippedStartingWorkbookImports)
{
    const TSupportImport result = ImportSupportsFromFile(
        Project, std::filesystem::path(VARTESK_BINARY_DIR) / "bin/Forms/Import_supports.xls", User);
    EXPECT_TRUE(User.Told.empty()) << User.Told.front();
    ASSERT_EQ(result.Sections, 1);
    EXPECT_EQ(result.Supports, 5);
    EXPECT_EQ(Project.Parcels.Get(0).Name, "Участок 1");
    EXPECT_EQ(Support(0, 2).Prolet, 245.5);
}
