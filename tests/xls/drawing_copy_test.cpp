// Copied sheets keep their pictures and comments: checked on a LibreOffice-written workbook
// by an independent walker of the drawing records (drawing_check.py), and a drawing that
// does not add up leaves the copy without one instead of a workbook Excel would repair.
#include "input_trace.h"
#include "test_support.h"
#include "xls/biff_records.h"
#include "xls/xls_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using namespace vartesk::xls;
namespace fs = std::filesystem;

namespace {

const fs::path kPictures = fs::path(VARTESK_TEST_DATA) / "fixtures" / "lo_picture.xls";

void ExpectSoundDrawings(const fs::path &file, const std::string &pictures)
{
    std::string output;
    const int code
        = vartesk::test::RunCommand("/usr/bin/python3 " VARTESK_TEST_DATA "/drawing_check.py '"
                                        + file.string() + "' " + pictures,
                                    output);
    if (code == 77)
        GTEST_SKIP() << "python3-xlrd is not installed";
    EXPECT_EQ(code, 0) << output;
}

} // namespace

TEST(DrawingCopy, CopiesGetDrawingsOfTheirOwnThatExcelAccepts)
{
    vartesk::test::TScratchDir dir;
    TXLSFile f;
    f.OpenFile(kPictures);
    ASSERT_EQ(f.Sheets().Count(), 2);
    ASSERT_FALSE(f.Sheets().Item(0).Drawing.empty());
    const size_t notes = f.Sheets().Item(0).Notes.size();
    ASSERT_EQ(notes, 1u);
    // Форма, P_1, Лист2, P_2, Q_1: copies before and after the other drawing, and a copy
    // of the other sheet.
    f.Sheets().CopySheet(0, 1, "P_1");
    f.Sheets().CopySheet(0, 3, "P_2");
    f.Sheets().CopySheet(2, 4, "Q_1");
    EXPECT_EQ(f.Sheets().Item(1).Notes.size(), notes);
    EXPECT_EQ(f.Sheets().Item(4).Notes.size(), 0u);
    const fs::path once = dir / "once.xls";
    f.SaveAs(once);
    ExpectSoundDrawings(once, "1 1 1 1 1");

    // A workbook of copies is copied again after reading it back.
    TXLSFile g;
    g.OpenFile(once);
    g.Sheets().CopySheet(1, 5, "P_3");
    const fs::path twice = dir / "twice.xls";
    g.SaveAs(twice);
    ExpectSoundDrawings(twice, "1 1 1 1 1 1");
}

TEST(DrawingCopy, ManyCopiesKeepTheDrawingGroupWithinOneRecordChain)
{
    // The reports copy a template sheet once per strain section: the growing drawing group
    // must go on in CONTINUE records like any long record.
    vartesk::test::TScratchDir dir;
    TXLSFile f;
    f.OpenFile(kPictures);
    // Eight bytes a copy: past 8,224 bytes after about a thousand copies.
    const int copies = 1100;
    for (int i = 1; i <= copies; ++i)
        f.Sheets().CopySheet(0, i, "P_" + std::to_string(i));
    EXPECT_GT(f.Workbook().DrawingGroup.Body.size(), kMaxRecordBody);
    const fs::path out = dir / "many.xls";
    f.SaveAs(out);
    std::string pictures;
    for (int i = 0; i < copies + 2; ++i)
        pictures += "1 ";
    ExpectSoundDrawings(out, pictures);
    TXLSFile back;
    back.OpenFile(out);
    EXPECT_EQ(back.Sheets().Count(), copies + 2);
    EXPECT_EQ(back.Sheets().Item(copies).Notes.size(), 1u);
}

TEST(DrawingCopy, ADrawingThatDoesNotAddUpIsLeftOut)
{
    vartesk::test::TScratchDir dir;
    TXLSFile f;
    f.OpenFile(kPictures);
    TSheet &form = f.Sheets().Item(0);
    // The picture's shape atom (after its container header) claims more bytes than the
    // drawing holds.
    TRawRecord *last = nullptr;
    for (auto &r : form.Drawing)
        if (r.Id == rec::MsoDrawing)
            last = &r;
    ASSERT_NE(last, nullptr);
    ASSERT_GE(last->Body.size(), 24u);
    last->Body[12] = char(0xFF);
    last->Body[13] = char(0xFF);
    const std::string group = f.Workbook().DrawingGroup.Body;
    f.Sheets().CopySheet(0, 1, "P_1");
    TSheet &copy = f.Sheets().Item(1);
    EXPECT_TRUE(copy.Drawing.empty());
    EXPECT_TRUE(copy.Notes.empty()); // a NOTE without its drawing object is invalid
    EXPECT_EQ(copy.Cells().Item(0, 0).Value().Text(), "Монтажная таблица");
    EXPECT_EQ(f.Workbook().DrawingGroup.Body, group);

    // Without a drawing group there is nothing to number the copy in.
    TXLSFile g;
    g.OpenFile(kPictures);
    g.Workbook().DrawingGroup = {};
    g.Sheets().CopySheet(0, 1, "P_1");
    EXPECT_TRUE(g.Sheets().Item(1).Drawing.empty());
    EXPECT_FALSE(g.Sheets().Item(0).Drawing.empty());
}

TEST(DrawingCopy, MangledDrawingsNeverBreakTheCopy)
{
    TXLSFile f;
    f.OpenFile(kPictures);
    const std::vector<TRawRecord> drawing = f.Sheets().Item(0).Drawing;
    const TRawRecord group = f.Workbook().DrawingGroup;
    std::mt19937 random(20261209);
    for (int round = 0; round < 1500; ++round) {
        // The rounds share one generator: round N is replayed by running 0..N again.
        vartesk::test::TCrashNote note("mangled drawing, seed 20261209, round "
                                       + std::to_string(round));
        TXLSFile g;
        g.OpenFile(kPictures);
        auto &d = g.Sheets().Item(0).Drawing;
        auto &dg = g.Workbook().DrawingGroup;
        d = drawing;
        dg = group;
        for (int k = 0; k < 4; ++k) {
            std::string &body = random() % 3 == 0 ? dg.Body : d[random() % d.size()].Body;
            if (body.empty())
                continue;
            switch (random() % 3) {
            case 0:
                body[random() % body.size()] = char(random());
                break;
            case 1:
                body.resize(random() % body.size());
                break;
            default:
                body.insert(random() % body.size(), std::string(1 + random() % 9, char(0xFF)));
                break;
            }
        }
        g.Sheets().CopySheet(0, 1, "P_1");
        const TSheet &copy = g.Sheets().Item(1);
        // Comments go only with the drawing that holds their objects.
        EXPECT_TRUE(!copy.Drawing.empty() || copy.Notes.empty()) << "round " << round;
    }
}
