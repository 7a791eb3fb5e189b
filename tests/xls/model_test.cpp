// The workbook interface: indexing, values, formats, names, block operations.
#include "xls/sheet_names.h"
#include "xls/workbook.h"
#include "xls/xls_error.h"
#include "xls/xls_file.h"

#include <gtest/gtest.h>

#include <random>

using namespace vartesk::xls;

namespace {

int XlsCode(const std::function<void()> &f)
{
    try {
        f();
    } catch (const EXLSError &e) {
        return e.Code();
    }
    return 0;
}

TSheet &First(TXLSFile &f)
{
    return f.Sheets().Item(0);
}

} // namespace

TEST(Model, NewFileHasOneSheetNamedSheet1)
{
    TXLSFile f;
    ASSERT_EQ(f.Sheets().Count(), 1);
    EXPECT_EQ(First(f).Name(), "Sheet1");
    EXPECT_EQ(First(f).Index(), 0);
}

TEST(Model, ErrorMessagesAreWordForWord)
{
    EXPECT_STREQ(EXLSError(1).what(), "Buffer size is too small.");
    EXPECT_STREQ(EXLSError(2, "Workbook").what(),
                 "Stream not found: Workbook. File format is not Excel 97 or higher.");
    EXPECT_STREQ(EXLSError(3).what(), "Invalid cell value or type.");
    EXPECT_STREQ(EXLSError(4).what(), "Invalid cell property value.");
    EXPECT_STREQ(EXLSError(5).what(), "Invalid row or column number.");
    EXPECT_STREQ(EXLSError(6).what(), "Invalid or duplicated sheet name.");
    EXPECT_STREQ(EXLSError(7).what(), "Sheet name must have a length 1..255.");
    EXPECT_STREQ(EXLSError(8).what(), "Invalid formula.");
    EXPECT_STREQ(EXLSError(9, "FOO").what(), "Invalid function in formula: FOO.");
    EXPECT_STREQ(EXLSError(10).what(), "String constants in formula must have a length 0..255.");
    EXPECT_STREQ(EXLSError(11, "X").what(), "Invalid range name: X.");
    EXPECT_STREQ(EXLSError(12).what(), "There are no sheets in the workbook.");
    EXPECT_STREQ(EXLSError(13).what(), "Formula not recognized.");
    EXPECT_STREQ(EXLSError(14).what(), "Invalid data. Error in link table.");
    EXPECT_STREQ(EXLSError(15).what(), "Invalid data. Error in drawing stream.");
    EXPECT_STREQ(EXLSError(16).what(), "Invalid data. Error in hyperlink.");
    EXPECT_STREQ(ECFileError(0).what(), "Can not create a file");
    EXPECT_STREQ(ECFileError(3).what(),
                 "Can not open a file (probably it is already opened or does not exist)");
    EXPECT_STREQ(ECFileError(7).what(), "Can not commit a storage");
}

TEST(Model, SheetItemOutOfBoundsSaysListIndex)
{
    TXLSFile f;
    try {
        f.Sheets().Item(5);
        FAIL();
    } catch (const std::out_of_range &e) {
        EXPECT_STREQ(e.what(), "List index (5) out of bounds !");
    }
    EXPECT_THROW(f.Sheets().Item(-1), EListIndexError);
}

TEST(Model, ReadingAnEmptyPositionCreatesNothing)
{
    TXLSFile f;
    TCell b2 = First(f).Cells().Item(1, 1);
    EXPECT_TRUE(b2.Value().IsEmpty());
    EXPECT_FALSE(b2.Exists());
    EXPECT_EQ(First(f).Cells().Count(), 0u);
    TXLSFile back;
    back.OpenBytes(f.SaveToBytes());
    EXPECT_EQ(back.Sheets().Item(0).Cells().Count(), 0u);
}

TEST(Model, ColumnAbove255IsError5AndTheLastCellIsValid)
{
    TXLSFile f;
    EXPECT_EQ(XlsCode([&] { First(f).Cells().Item(0, 256); }), 5);
    EXPECT_EQ(XlsCode([&] { First(f).Cells().Item(65536, 0); }), 5);
    EXPECT_EQ(XlsCode([&] { First(f).Cells().Item(65535, 255).SetValue(1); }), 0);
    EXPECT_EQ(First(f).Cells().Item(65535, 255).Value().Number(), 1.0);
}

TEST(Model, ValueKindsAreStoredAsNumbersTextsAndBooleans)
{
    TXLSFile f;
    auto &c = First(f).Cells();
    c.Item(0, 0).SetValue(std::int8_t(-5));
    c.Item(0, 1).SetValue(std::uint64_t(1) << 40);
    c.Item(0, 2).SetValue(1.25f);
    c.Item(0, 3).SetValue(TCurrency {12345});
    c.Item(0, 4).SetValue(TDate::FromCivil(2024, 3, 1));
    c.Item(0, 5).SetValue(true);
    c.Item(0, 6).SetValue(TAnsiText {"\xCF\xF0\xE8"}); // "При" in Windows-1251
    c.Item(0, 7).SetValue(std::u16string(u"Опора"));
    EXPECT_EQ(c.Item(0, 0).Value().Number(), -5.0);
    EXPECT_EQ(c.Item(0, 1).Value().Number(), 1099511627776.0);
    EXPECT_EQ(c.Item(0, 2).Value().Number(), 1.25);
    EXPECT_EQ(c.Item(0, 3).Value().Number(), 1.2345);
    EXPECT_EQ(c.Item(0, 4).Value().Number(), 45352.0);
    EXPECT_EQ(c.Item(0, 5).Value().Kind(), TCellValue::TKind::Boolean);
    EXPECT_EQ(c.Item(0, 6).Value().Text(), "При");
    EXPECT_EQ(c.Item(0, 7).Value().Text(), "Опора");
}

TEST(Model, EmptyValueAndOverlongTextAreError3)
{
    TXLSFile f;
    auto cell = First(f).Cells().Item(0, 0);
    EXPECT_EQ(XlsCode([&] { cell.SetValue(TCellValue()); }), 3);
    EXPECT_EQ(XlsCode([&] { cell.SetValue(std::string(65536, 'a')); }), 3);
    EXPECT_EQ(XlsCode([&] { cell.SetValue(std::string(65535, 'a')); }), 0);
    EXPECT_FALSE(First(f).Cells().Item(1, 0).Exists());
}

TEST(Model, NumberKeepsItsTemplateFormatAndItsExactValue)
{
    TXLSFile f;
    auto cell = First(f).Cells().Item(3, 6);
    cell.SetNumberFormat("0.00");
    const auto xf = cell.FormatIndex();
    cell.SetValue(1.43);
    EXPECT_EQ(cell.FormatIndex(), xf);
    TXLSFile back;
    back.OpenBytes(f.SaveToBytes());
    auto read = back.Sheets().Item(0).Cells().Item(3, 6);
    EXPECT_EQ(read.Value().Number(), 1.43);
    EXPECT_EQ(read.NumberFormat(), "0.00");
}

TEST(Model, EqualFormatsAreStoredOnce)
{
    TXLSFile f;
    auto &c = First(f).Cells();
    const size_t before = f.Workbook().XFs.size();
    for (int r = 0; r < 50; ++r) {
        c.Item(r, 0).SetBorderColor(4, 1);
        c.Item(r, 0).SetBorderStyle(4, 2);
    }
    EXPECT_EQ(f.Workbook().XFs.size(), before + 2);
    EXPECT_EQ(c.Item(7, 0).BorderStyle(3), 2);
    EXPECT_EQ(c.Item(7, 0).BorderColor(0), 1);
}

TEST(Model, BadPropertyValuesAreError4)
{
    TXLSFile f;
    auto cell = First(f).Cells().Item(0, 0);
    EXPECT_EQ(XlsCode([&] { cell.SetBorderStyle(5, 1); }), 4);
    EXPECT_EQ(XlsCode([&] { cell.SetBorderStyle(0, 14); }), 4);
    EXPECT_EQ(XlsCode([&] { cell.SetBorderColor(0, 0); }), 4);
    EXPECT_EQ(XlsCode([&] { cell.SetBorderColor(0, 57); }), 4);
    EXPECT_EQ(XlsCode([&] { First(f).Columns().Item(0).SetWidth(-1); }), 4);
    EXPECT_FALSE(cell.Exists());
}

TEST(Model, NewCellTakesTheFormatOfItsRowOrColumn)
{
    TXLSFile f;
    TSheet &s = First(f);
    s.Columns().Item(2).SetNumberFormat("0.000");
    s.Rows().Item(5).SetBold(true);
    s.Cells().Item(1, 2).SetValue(1.0);
    EXPECT_EQ(s.Cells().Item(1, 2).NumberFormat(), "0.000");
    s.Cells().Item(5, 0).SetValue(2.0);
    EXPECT_EQ(s.Cells().Item(5, 0).Font().Weight, 700);
    // Both: the row's bold and the column's number format.
    s.Cells().Item(5, 2).SetValue(3.0);
    EXPECT_EQ(s.Cells().Item(5, 2).Font().Weight, 700);
    EXPECT_EQ(s.Cells().Item(5, 2).NumberFormat(), "0.000");
    // An existing cell keeps its own format when its value is set.
    s.Cells().Item(7, 7).SetNumberFormat("0.0");
    s.Columns().Item(7).SetNumberFormat("0.00000");
    s.Cells().Item(7, 7).SetValue(4.0);
    EXPECT_EQ(s.Cells().Item(7, 7).NumberFormat(), "0.0");
}

TEST(Model, SheetNamesAreChecked)
{
    TXLSFile f;
    First(f).SetName("P_1");
    EXPECT_EQ(XlsCode([&] { First(f).SetName("P_1"); }), 6);
    EXPECT_EQ(XlsCode([&] { First(f).SetName("P_9"); }), 0);
    EXPECT_EQ(First(f).Name(), "P_9");
    EXPECT_EQ(XlsCode([&] { f.Sheets().Add(""); }), 7);
    EXPECT_EQ(XlsCode([&] { f.Sheets().Add(std::string(256, 'x')); }), 7);
    EXPECT_EQ(XlsCode([&] { f.Sheets().Add(std::string(255, 'x')); }), 0);
    EXPECT_EQ(XlsCode([&] { f.Sheets().Add("   "); }), 6);
    EXPECT_EQ(XlsCode([&] { f.Sheets().CopySheet(0, 1, "P_9"); }), 6);
    EXPECT_EQ(f.Sheets().FindByName("P_9"), &First(f));
    EXPECT_EQ(f.Sheets().FindByName("p_9"), nullptr);
}

TEST(Model, CopySheetInsertsACopyWithWidthsMergesAndPageSetup)
{
    TXLSFile f;
    TSheet &form = First(f);
    form.SetName("Form");
    f.Sheets().Add("X");
    form.Columns().Item(1).SetWidth(10.57);
    form.Ranges().AddMerged({2, 1, 3, 4});
    form.PageSetup.Options = TPageSetup::kPortrait;
    form.PageSetup.LeftMargin = 0.3;
    form.PageSetup.Header.Center = "Form &P";
    form.Cells().Item(19, 1).SetValue("Section");
    form.Cells().Item(20, 1).SetBorderStyle(4, 2);
    f.Sheets().CopySheet(0, 1, "P_1");
    ASSERT_EQ(f.Sheets().Count(), 3);
    EXPECT_EQ(f.Sheets().Item(0).Name(), "Form");
    EXPECT_EQ(f.Sheets().Item(1).Name(), "P_1");
    EXPECT_EQ(f.Sheets().Item(2).Name(), "X");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(f.Sheets().Item(i).Index(), i);
    TXLSFile back;
    back.OpenBytes(f.SaveToBytes());
    TSheet &copy = back.Sheets().Item(1);
    EXPECT_EQ(copy.Name(), "P_1");
    EXPECT_EQ(copy.Columns().Item(1).Width(), 10.57);
    ASSERT_EQ(copy.Ranges().MergedAreas().size(), 1u);
    EXPECT_EQ(copy.Ranges().MergedAreas()[0], (TRect {2, 1, 3, 4}));
    EXPECT_EQ(copy.PageSetup.Options, TPageSetup::kPortrait);
    EXPECT_EQ(copy.PageSetup.LeftMargin, 0.3);
    EXPECT_EQ(copy.PageSetup.Header.Center, "Form &P");
    EXPECT_EQ(copy.Cells().Item(19, 1).Value().Text(), "Section");
    EXPECT_EQ(copy.Cells().Item(20, 1).BorderStyle(2), 2);
    // The copy is independent of its source.
    f.Sheets().Item(1).Cells().Item(19, 1).SetValue("Other");
    EXPECT_EQ(f.Sheets().Item(0).Cells().Item(19, 1).Value().Text(), "Section");
}

TEST(Model, CopyBlockDuplicatesFourRowsBelowThemselvesWithMerges)
{
    TXLSFile f;
    TSheet &s = First(f);
    for (int r = 22; r <= 25; ++r)
        for (int c = 1; c <= 20; ++c)
            s.Cells().Item(r, c).SetValue(r * 100 + c);
    s.Cells().Item(23, 3).SetBorderStyle(4, 1);
    s.Ranges().AddMerged({22, 1, 23, 2});
    s.Ranges().AddMerged({25, 5, 25, 9});
    s.Ranges().AddMerged({24, 0, 24, 1}); // reaches outside the block: not copied
    s.CopyBlock(22, 25, 1, 20, 26, 1);
    for (int r = 26; r <= 29; ++r)
        for (int c = 1; c <= 20; ++c)
            EXPECT_EQ(s.Cells().Item(r, c).Value().Number(), (r - 4) * 100 + c);
    EXPECT_EQ(s.Cells().Item(27, 3).BorderStyle(0), 1);
    const auto merged = s.Ranges().MergedAreas();
    EXPECT_NE(std::find(merged.begin(), merged.end(), TRect {26, 1, 27, 2}), merged.end());
    EXPECT_NE(std::find(merged.begin(), merged.end(), TRect {29, 5, 29, 9}), merged.end());
    EXPECT_EQ(std::find(merged.begin(), merged.end(), TRect {28, 0, 28, 1}), merged.end());
    EXPECT_EQ(merged.size(), 5u);
}

TEST(Model, CopyBlockReplacesTheMergedAreasItsTargetMeets)
{
    // A header line copied onto a span line: the span line's merged areas would hide the
    // header's values.
    TXLSFile f;
    TSheet &s = First(f);
    s.Ranges().AddMerged({9, 1, 9, 2});
    s.Ranges().AddMerged({9, 3, 10, 4}); // reaches below the target
    s.Ranges().AddMerged({9, 6, 9, 7}); // beside it
    s.Ranges().AddMerged({5, 3, 5, 4});
    s.CopyBlock(5, 5, 1, 5, 9, 1);
    EXPECT_EQ(s.Ranges().MergedAreas(),
              (std::vector<TRect> {{9, 6, 9, 7}, {5, 3, 5, 4}, {9, 3, 9, 4}}));
}

// The merged areas found through the index are those of the list, in its order, whatever
// block operations came before; a new one leaves no other that it meets.
TEST(Model, MergedAreasFoundNearRowsAreThoseOfTheList)
{
    TXLSFile f;
    TSheet &s = First(f);
    std::mt19937 rng(7);
    auto pick = [&](int n) {
        return int(rng() % unsigned(n));
    };
    auto meets = [](const TRect &a, const TRect &b) {
        return !(a.Row2 < b.Row1 || b.Row2 < a.Row1 || a.Col2 < b.Col1 || b.Col2 < a.Col1);
    };
    for (int step = 0; step < 400; ++step) {
        const int row = pick(60), col = pick(12);
        switch (pick(5)) {
        case 0:
        case 1: {
            const TRect added {row, col, row + pick(3), col + pick(3)};
            s.Ranges().AddMerged(added);
            for (const TRect &a : s.Ranges().MergedAreas())
                ASSERT_TRUE(a == added || !meets(a, added)) << "step " << step;
            break;
        }
        case 2:
            s.CopyBlock(row, row + pick(5), col, col + pick(6), pick(60), pick(12));
            break;
        case 3:
            s.InsertRows(row, 1 + pick(3));
            break;
        default:
            if (s.Ranges().Count() > 0)
                s.Ranges()
                    .Item(size_t(pick(int(s.Ranges().Count()))))
                    .SetRect({row, col, row + pick(4), col});
        }
        const TRect area {row, col, row + pick(8), col + pick(6)};
        std::vector<TRect> inside;
        for (const TRect &a : s.Ranges().MergedAreas())
            if (a.Row1 >= area.Row1 && a.Row2 <= area.Row2 && a.Col1 >= area.Col1
                && a.Col2 <= area.Col2)
                inside.push_back(a);
        ASSERT_EQ(s.Ranges().MergedAreasInside(area), inside) << "step " << step;
    }
}

TEST(Model, SheetNamesEveryProgramAccepts)
{
    const std::string forty(40, 'x');
    const struct
    {
        const char *Wanted;
        std::string Given;
    } cases[] = {
        {"a/b", "a_b"},
        {"[h]:i*?\\", "_h__i___"},
        {"'quoted'", "quoted"},
        {"''", "_"},
        {forty.c_str(), std::string(31, 'x')},
        {"Line", "Line"},
        {"LINE", "LINE (2)"}, // apart without regard to case
        {"линия", "линия"},
        {"ЛИНИЯ", "ЛИНИЯ (2)"},
        {forty.c_str(), std::string(27, 'x') + " (2)"}, // the suffix still fits 31
        {"Extra", "Extra (2)"}, // a sheet of the workbook
        {"Участок 12345678901234567890123'x", "Участок 12345678901234567890123"},
        {"中文", "中文"},
    };
    TSheetNames names;
    names.Take("EXTRA");
    for (const auto &c : cases)
        EXPECT_EQ(names.Give(c.Wanted), c.Given) << c.Wanted;
    // The engine takes each of them.
    TXLSFile f;
    for (const auto &c : cases)
        f.Sheets().Add(c.Given);
}

TEST(Model, CopyBlockSkipsCellsBeyondTheSheetAndKeepsUntouchedTargets)
{
    TXLSFile f;
    TSheet &s = First(f);
    s.Cells().Item(0, 250).SetValue(1);
    s.Cells().Item(0, 251).SetValue(2);
    s.Cells().Item(10, 11).SetValue(99);
    s.CopyBlock(0, 0, 250, 255, 10, 5);
    EXPECT_EQ(s.Cells().Item(10, 5).Value().Number(), 1);
    EXPECT_EQ(s.Cells().Item(10, 11).Value().Number(), 99); // no source cell there
    s.CopyBlock(0, 0, 250, 251, 65535, 255);
    EXPECT_EQ(s.Cells().Item(65535, 255).Value().Number(), 1);
}

TEST(Model, ClearBlockDeletesCellsAndFormats)
{
    TXLSFile f;
    TSheet &s = First(f);
    s.Cells().Item(1, 18).SetValue("tally");
    s.Cells().Item(2, 19).SetBorderStyle(4, 1);
    s.Cells().Item(3, 18).SetValue(5);
    s.ClearBlock(1, 2, 18, 22);
    EXPECT_FALSE(s.Cells().Item(1, 18).Exists());
    EXPECT_FALSE(s.Cells().Item(2, 19).Exists());
    EXPECT_TRUE(s.Cells().Item(3, 18).Exists());
}

TEST(Model, InsertRowsMovesRowsBelowWithSettingsAndMerges)
{
    TXLSFile f;
    TSheet &s = First(f);
    s.Cells().Item(28, 1).SetValue("span");
    s.Cells().Item(29, 1).SetValue("notes");
    s.Rows().Item(29).SetHeight(30);
    s.Ranges().AddMerged({29, 1, 29, 4});
    s.InsertRows(28, 1);
    EXPECT_EQ(s.Cells().Item(28, 1).Value().Text(), "span");
    EXPECT_FALSE(s.Cells().Item(29, 1).Exists());
    EXPECT_EQ(s.Cells().Item(30, 1).Value().Text(), "notes");
    EXPECT_EQ(s.Rows().Item(30).Height(), 30);
    EXPECT_EQ(s.Ranges().MergedAreas()[0], (TRect {30, 1, 30, 4}));
    s.Cells().Item(65535, 0).SetValue(1);
    s.InsertRows(100, 5);
    EXPECT_FALSE(s.Cells().Item(65535, 0).Exists()); // moved beyond the last row: dropped
}

TEST(Model, CopyRowsCopiesSettingsCellsAndMerges)
{
    TXLSFile f;
    TSheet &s = First(f);
    s.Rows().Item(29).SetHeight(25.5);
    s.Cells().Item(29, 3).SetValue(7);
    s.Cells().Item(29, 200).SetValue(8);
    s.Ranges().AddMerged({29, 1, 29, 2});
    s.CopyRows(29, 29, 30);
    EXPECT_EQ(s.Rows().Item(30).Height(), 25.5);
    EXPECT_EQ(s.Cells().Item(30, 3).Value().Number(), 7);
    EXPECT_EQ(s.Cells().Item(30, 200).Value().Number(), 8);
    EXPECT_EQ(s.Ranges().MergedAreas().size(), 2u);
}

TEST(Model, RangesAndBorderAround)
{
    TXLSFile f;
    TSheet &s = First(f);
    TRange &r = s.Ranges().Add("B5:I6");
    ASSERT_TRUE(r.Valid());
    EXPECT_EQ(r.Rect(), (TRect {4, 1, 5, 8}));
    EXPECT_FALSE(r.Merged());
    EXPECT_TRUE(r.Name().empty());
    r.BorderAround(1, 2);
    EXPECT_EQ(s.Cells().Item(4, 1).BorderStyle(2), 2);
    EXPECT_EQ(s.Cells().Item(4, 1).BorderStyle(0), 2);
    EXPECT_EQ(s.Cells().Item(4, 1).BorderStyle(3), 0);
    EXPECT_EQ(s.Cells().Item(5, 8).BorderStyle(3), 2);
    EXPECT_EQ(s.Cells().Item(5, 8).BorderStyle(1), 2);
    EXPECT_EQ(s.Cells().Item(5, 8).BorderColor(1), 1);
    EXPECT_FALSE(s.Cells().Item(4, 4).Exists() && s.Cells().Item(4, 4).BorderStyle(3) != 0);
    const size_t cells = s.Cells().Count();
    TRange &bad = s.Ranges().Add("B5:");
    EXPECT_FALSE(bad.Valid());
    bad.BorderAround(1, 2);
    EXPECT_EQ(s.Cells().Count(), cells);
    EXPECT_FALSE(ParseA1Range("IW1"));
    EXPECT_FALSE(ParseA1Range("A0"));
    EXPECT_EQ(ParseA1Range("$A$1:$IV$65536"), (TRect {0, 0, 65535, 255}));
}

TEST(Model, ColumnWidthsConvertBothWays)
{
    for (double w : {1.43, 7.0, 8.43, 9.14, 10.57, 11.43, 8.0, 0.5, 100.0})
        EXPECT_EQ(UnitsToWidth(WidthToUnits(w)), w) << w;
    EXPECT_EQ(WidthToUnits(8.43), 2340);
    EXPECT_EQ(WidthToUnits(0), 0);
}

TEST(Model, SaveWithoutSheetsIsError12)
{
    TXLSFile f;
    f.Workbook().Sheets().Clear();
    EXPECT_EQ(XlsCode([&] { f.SaveToBytes(); }), 12);
}
