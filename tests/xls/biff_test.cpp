// BIFF8 records and streams: per-record round trips, the writer's order and limits, the
// reader's edge cases.
#include "xls/biff_records.h"
#include "xls/biff_stream.h"
#include "xls/compound_file_writer.h"
#include "xls/xls_error.h"
#include "xls/xls_file.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vartesk::xls;

namespace {

struct TRec
{
    std::uint16_t Id;
    std::string Body;
};

// The records of a stream as written, CONTINUE records kept apart.
std::vector<TRec> Records(const std::string &stream)
{
    std::vector<TRec> out;
    size_t at = 0;
    while (stream.size() - at >= 4) {
        const unsigned id = std::uint8_t(stream[at]) | (std::uint8_t(stream[at + 1]) << 8);
        const size_t n = std::uint8_t(stream[at + 2]) | (std::uint8_t(stream[at + 3]) << 8);
        if (id == 0 && n == 0)
            break; // padding
        out.push_back({std::uint16_t(id), stream.substr(at + 4, n)});
        at += 4 + n;
    }
    return out;
}

std::string Bytes(std::initializer_list<int> b)
{
    std::string s;
    for (int c : b)
        s.push_back(char(c));
    return s;
}

template<class R>
std::string Encode(const R &r)
{
    std::string out;
    TByteWriter w(out);
    r.Write(w);
    return out;
}

template<class R>
void ExpectRoundTrip(const std::string &bytes)
{
    R r;
    TByteReader in(bytes);
    r.Read(in);
    EXPECT_TRUE(in.AtEnd()) << "bytes left over";
    EXPECT_EQ(Encode(r), bytes);
}

std::string StreamOf(const std::string &bytes, const char *name = "Workbook")
{
    TCompoundFileWriter w;
    w.AddStream(name, bytes);
    return w.Build();
}

} // namespace

// Byte arrays taken from a workbook written by LibreOffice Calc 7.4 (tests/xls/fixtures).
TEST(BiffRecords, FontDecodesAndEncodesTheSameBytes)
{
    // height 200, options 0, colour 0x7FFF, weight 400, escapement 0, underline 0,
    // family 0, charset 1, reserved, name "Arial" as 8-bit characters.
    const std::string bytes
        = Bytes({0xC8, 0x00, 0x00, 0x00, 0xFF, 0x7F, 0x90, 0x01, 0x00, 0x00, 0x00,
                 0x00, 0x01, 0x00, 0x05, 0x00, 'A',  'r',  'i',  'a',  'l'});
    ExpectRoundTrip<TFontRecord>(bytes);
    TFontRecord f;
    TByteReader r(bytes);
    f.Read(r);
    EXPECT_EQ(f.Font.Name, "Arial");
    EXPECT_EQ(f.Font.Height, 200);
    EXPECT_EQ(f.Font.Weight, 400);
}

TEST(BiffRecords, XfKeepsEveryBit)
{
    // A cell XF: font 6, format 164, locked, centred and wrapped, thin borders in colour 8.
    const std::string bytes = Bytes({0x06, 0x00, 0xA4, 0x00, 0x01, 0x00, 0x1A, 0x00, 0x00, 0xFC,
                                     0x11, 0x11, 0x08, 0x04, 0x08, 0x04, 0x00, 0x00, 0xC0, 0x20});
    ExpectRoundTrip<TXFRecord>(bytes);
    TXFRecord x;
    TByteReader r(bytes);
    x.Read(r);
    EXPECT_EQ(TXF::kHAlign.Get(x.Xf.Align), 2u);
    EXPECT_EQ(TXF::kWrap.Get(x.Xf.Align), 1u);
    EXPECT_EQ(x.Xf.LineStyle(0), 1u);
    EXPECT_EQ(x.Xf.LineStyle(3), 1u);
    EXPECT_EQ(x.Xf.LineColor(0), 8u);
    EXPECT_EQ(x.Xf.LineColor(2), 8u);
}

TEST(BiffRecords, RowColInfoBofSetupWindow2RoundTrip)
{
    // ROW 5, cells 1..3, 20.25 pt custom height, XF 15.
    ExpectRoundTrip<TRowRecord>(Bytes({0x05,
                                       0x00,
                                       0x01,
                                       0x00,
                                       0x04,
                                       0x00,
                                       0x95,
                                       0x01,
                                       0x00,
                                       0x00,
                                       0x00,
                                       0x00,
                                       0x40,
                                       0x01,
                                       0x0F,
                                       0x00}));
    // COLINFO columns 0..1, width 548, XF 15, no options.
    ExpectRoundTrip<TColInfoRecord>(
        Bytes({0x00, 0x00, 0x01, 0x00, 0x24, 0x02, 0x0F, 0x00, 0x00, 0x00, 0x00, 0x00}));
    ExpectRoundTrip<TBofRecord>(Bytes({0x00,
                                       0x06,
                                       0x10,
                                       0x00,
                                       0xBB,
                                       0x0D,
                                       0xCC,
                                       0x07,
                                       0x00,
                                       0x00,
                                       0x00,
                                       0x00,
                                       0x06,
                                       0x00,
                                       0x00,
                                       0x00}));
    TSetupRecord setup;
    setup.Paper = 9;
    setup.Options = 0x0002;
    const std::string s = Encode(setup);
    EXPECT_EQ(s.size(), 34u);
    ExpectRoundTrip<TSetupRecord>(s);
    ExpectRoundTrip<TWindow2Record>(Bytes({0xB6,
                                           0x06,
                                           0x00,
                                           0x00,
                                           0x00,
                                           0x00,
                                           0x40,
                                           0x00,
                                           0x00,
                                           0x00,
                                           0x00,
                                           0x00,
                                           0x00,
                                           0x00,
                                           0x00,
                                           0x00,
                                           0x00,
                                           0x00}));
    ExpectRoundTrip<TBoundSheetRecord>(
        Bytes({0x00, 0x10, 0x00, 0x00, 0x01, 0x00, 0x02, 0x01, 0x1B, 0x04, 0x38, 0x04}));
}

// Every record kind the reader decodes and the writer encodes: the same bytes both ways,
// nothing left over. Catches a field read or written out of its place or size.
TEST(BiffRecords, EveryRecordKindRoundTrips)
{
    const struct
    {
        const char *Name;
        std::string Bytes;
        void (*Check)(const std::string &);
    } cases[] = {
        // row 3, column 2, XF 17 (the cell place of every cell record), then the value
        {"BLANK", Bytes({3, 0, 2, 0, 17, 0}), ExpectRoundTrip<TBlankRecord>},
        {"NUMBER 1.5",
         Bytes({3, 0, 2, 0, 17, 0, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F}),
         ExpectRoundTrip<TNumberRecord>},
        {"RK 7 (700 / 100)",
         Bytes({3, 0, 2, 0, 17, 0, 0xF3, 0x0A, 0, 0}),
         ExpectRoundTrip<TRkRecord>},
        {"LABELSST string 9",
         Bytes({3, 0, 2, 0, 17, 0, 9, 0, 0, 0}),
         ExpectRoundTrip<TLabelSstRecord>},
        {"BOOLERR #DIV/0!", Bytes({3, 0, 2, 0, 17, 0, 0x07, 1}), ExpectRoundTrip<TBoolErrRecord>},
        {"LABEL \"Пр\" in UTF-16",
         Bytes({3, 0, 2, 0, 17, 0, 2, 0, 1, 0x1F, 0x04, 0x40, 0x04}),
         ExpectRoundTrip<TLabelRecord>},
        // row 1, columns 0..1: RK 2 and -3, last column 1
        {"MULRK",
         Bytes({1, 0, 0, 0, 15, 0, 0x0A, 0, 0, 0, 15, 0, 0xF6, 0xFF, 0xFF, 0xFF, 1, 0}),
         ExpectRoundTrip<TMulRkRecord>},
        {"MULBLANK",
         Bytes({2, 0, 0, 0, 15, 0, 16, 0, 15, 0, 2, 0}),
         ExpectRoundTrip<TMulBlankRecord>},
        // A3 = A1+A2 with result 3, options 0x0002, chn 0, 11 bytes of tokens
        {"FORMULA",
         Bytes({2, 0, 0, 0,  15, 0,    0, 0, 0, 0,    0,    0, 8, 0x40, 2,    0,   0,
                0, 0, 0, 11, 0,  0x24, 0, 0, 0, 0xC0, 0x24, 1, 0, 0,    0xC0, 0x03}),
         ExpectRoundTrip<TFormulaRecord>},
        {"STRING \"xy\"", Bytes({2, 0, 0, 'x', 'y'}), ExpectRoundTrip<TStringRecord>},
        // B1:B2, use count 2, tRefN(0, -1) * 2
        {"SHRFMLA",
         Bytes({0, 0, 1, 0, 1, 1, 0, 2, 8, 0, 0x2C, 0, 0, 0xFF, 0xC0, 0x1E, 2, 0}),
         ExpectRoundTrip<TShrFmlaRecord>},
        // built-in print area of sheet 1: tArea3d XTI 0 rows 0..9 columns 0..3
        {"NAME",
         Bytes({0x20, 0,    0,    1, 11, 0, 0, 0, 1, 0, 0, 0, 0, 0,
                0,    0x06, 0x3B, 0, 0,  0, 0, 9, 0, 0, 0, 3, 0}),
         ExpectRoundTrip<TNameRecord>},
        {"EXTERNSHEET",
         Bytes({2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 2, 0}),
         ExpectRoundTrip<TExternSheetRecord>},
        {"PALETTE",
         Bytes({2, 0, 0, 0, 0, 0, 0xFF, 0x80, 0x01, 0}),
         ExpectRoundTrip<TPaletteRecord>},
        {"HORIZONTALPAGEBREAKS",
         Bytes({1, 0, 20, 0, 0, 0, 255, 0}),
         ExpectRoundTrip<TPageBreaksRecord>},
        {"HEADER", Bytes({5, 0, 0, '&', 'C', 'P', '.', '1'}), ExpectRoundTrip<THeaderFooterRecord>},
        {"SCL 3/4", Bytes({3, 0, 4, 0}), ExpectRoundTrip<TSclRecord>},
        {"DIMENSIONS",
         Bytes({0, 0, 0, 0, 9, 0, 0, 0, 0, 0, 4, 0, 0, 0}),
         ExpectRoundTrip<TDimensionsRecord>},
        {"MERGEDCELLS", Bytes({1, 0, 1, 0, 2, 0, 0, 0, 3, 0}), ExpectRoundTrip<TMergedCellsRecord>},
        {"PANE", Bytes({0, 0, 2, 0, 2, 0, 0, 0, 2, 0}), ExpectRoundTrip<TPaneRecord>},
        {"FORMAT", Bytes({0xA4, 0, 4, 0, 0, '0', '.', '0', '0'}), ExpectRoundTrip<TFormatRecord>},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        c.Check(c.Bytes);
    }
}

TEST(BiffRecords, ShortRecordsFailWithTheirOffset)
{
    TFontRecord f;
    const std::string bytes = Bytes({0xC8, 0x00, 0x00});
    TByteReader r(bytes, 100);
    try {
        f.Read(r);
        FAIL();
    } catch (const EReadPastEnd &e) {
        EXPECT_EQ(e.Offset(), 102u);
    }
}

TEST(BiffRecords, RecordTableNamesEveryIdOnce)
{
    const auto &t = RecordTypes();
    for (size_t i = 0; i < t.size(); ++i)
        for (size_t k = i + 1; k < t.size(); ++k)
            EXPECT_NE(t[i].Id, t[k].Id) << t[i].Name << " " << t[k].Name;
    EXPECT_STREQ(RecordName(0x00FD), "LABELSST");
}

TEST(BiffStream, LongRecordIsSplitIntoContinueRecordsAndJoinedBack)
{
    std::string body(20000, '\0');
    for (size_t i = 0; i < body.size(); ++i)
        body[i] = char(i * 7);
    std::string out;
    WriteRecord(out, rec::MsoDrawingGroup, body);
    const auto recs = Records(out);
    ASSERT_EQ(recs.size(), 3u);
    EXPECT_EQ(recs[0].Id, rec::MsoDrawingGroup);
    EXPECT_EQ(recs[1].Id, rec::Continue);
    EXPECT_EQ(recs[0].Body.size(), 8224u);
    TBiffRecordCursor c(out);
    TBiffRecord r;
    ASSERT_TRUE(c.Next(r));
    EXPECT_EQ(r.Body, body);
    ASSERT_NE(r.Pieces, nullptr);
    EXPECT_EQ(*r.Pieces, (std::vector<std::uint32_t> {8224, 16448}));
    EXPECT_FALSE(c.Next(r));
}

TEST(BiffStream, RecordRunningPastTheEndIsABiffError)
{
    const std::string s = Bytes({0x03, 0x02, 0x0E, 0x00, 0x01});
    TBiffRecordCursor c(s);
    TBiffRecord r;
    try {
        c.Next(r);
        FAIL();
    } catch (const EBiffError &e) {
        EXPECT_NE(std::string(e.what()).find("Error: BIFF record can not be processed"),
                  std::string::npos);
        EXPECT_NE(std::string(e.what()).find("NUMBER"), std::string::npos);
    }
}

TEST(BiffWriter, GlobalsAndSheetRecordsComeInTheWriterOrder)
{
    TXLSFile f;
    TSheet &s = f.Sheets().Item(0);
    s.Cells().Item(0, 0).SetValue("a");
    s.Cells().Item(1, 1).SetValue(2);
    s.Ranges().AddMerged({3, 0, 3, 1});
    s.View.Zoom = 85;
    const auto recs = Records(f.WorkbookStream());
    std::vector<std::uint16_t> ids;
    for (const auto &r : recs)
        if (ids.empty() || ids.back() != r.Id)
            ids.push_back(r.Id);
    const std::vector<std::uint16_t> expected = {rec::Bof,
                                                 rec::InterfaceHdr,
                                                 rec::Mms,
                                                 rec::InterfaceEnd,
                                                 rec::Dsf,
                                                 rec::TabId,
                                                 rec::WindowProtect,
                                                 rec::Protect,
                                                 rec::Window1,
                                                 rec::HideObj,
                                                 rec::DateMode,
                                                 rec::Font,
                                                 rec::Format,
                                                 rec::Xf,
                                                 rec::Style,
                                                 rec::Palette,
                                                 rec::BoundSheet,
                                                 rec::Country,
                                                 rec::RecalcId,
                                                 rec::Sst,
                                                 rec::ExtSst,
                                                 rec::Eof,
                                                 // the sheet
                                                 rec::Bof,
                                                 rec::Index,
                                                 rec::WsBool,
                                                 rec::Setup,
                                                 rec::PrintHeaders,
                                                 rec::PrintGridlines,
                                                 rec::Guts,
                                                 rec::LeftMargin,
                                                 rec::RightMargin,
                                                 rec::TopMargin,
                                                 rec::BottomMargin,
                                                 rec::HCenter,
                                                 rec::VCenter,
                                                 rec::Dimensions,
                                                 rec::DefaultRowHeight,
                                                 rec::Row,
                                                 rec::LabelSst,
                                                 rec::Number,
                                                 rec::Window2,
                                                 rec::Scl,
                                                 rec::MergedCells,
                                                 rec::Eof};
    EXPECT_EQ(ids, expected);
}

TEST(BiffWriter, EveryNumberIsANumberRecordAndTheStreamIsPadded)
{
    TXLSFile f;
    for (int r = 0; r < 100; ++r)
        f.Sheets().Item(0).Cells().Item(r, 0).SetValue(r); // integers: RK would fit
    const std::string stream = f.WorkbookStream();
    EXPECT_EQ(stream.size() % 512, 0u);
    int numbers = 0;
    for (const auto &r : Records(stream)) {
        EXPECT_NE(r.Id, rec::Rk);
        EXPECT_NE(r.Id, rec::MulRk);
        EXPECT_LE(r.Body.size(), 8224u);
        numbers += r.Id == rec::Number;
    }
    EXPECT_EQ(numbers, 100);
}

TEST(BiffWriter, FifteenHundredMergedRangesGiveRecordsOf1024And476)
{
    TXLSFile f;
    TSheet &s = f.Sheets().Item(0);
    for (int i = 0; i < 1500; ++i)
        s.Ranges().AddMerged({i, 0, i, 1});
    std::vector<size_t> counts;
    for (const auto &r : Records(f.WorkbookStream()))
        if (r.Id == rec::MergedCells)
            counts.push_back(std::uint8_t(r.Body[0]) | (std::uint8_t(r.Body[1]) << 8));
    EXPECT_EQ(counts, (std::vector<size_t> {1024, 476}));
    TXLSFile back;
    back.OpenBytes(f.SaveToBytes());
    EXPECT_EQ(back.Sheets().Item(0).Ranges().MergedAreas().size(), 1500u);
}

TEST(BiffWriter, LongCyrillicTextCrossesContinueRecordsInUtf16)
{
    std::string text;
    for (int i = 0; i < 10000; ++i)
        text += (i % 33 == 32)
            ? "ё"
            : std::string("абвгдежзийклмнопрстуфхцчшщъыьэюя").substr(size_t(i % 32) * 2, 2);
    TXLSFile f;
    f.Sheets().Item(0).Cells().Item(0, 0).SetValue("short");
    f.Sheets().Item(0).Cells().Item(1, 0).SetValue(text);
    const auto recs = Records(f.WorkbookStream());
    auto sst
        = std::find_if(recs.begin(), recs.end(), [](const TRec &r) { return r.Id == rec::Sst; });
    ASSERT_NE(sst, recs.end());
    size_t continues = 0;
    for (auto it = sst + 1; it != recs.end() && it->Id == rec::Continue; ++it) {
        ++continues;
        EXPECT_EQ(it->Body[0], '\x01') << "a continued UTF-16 text repeats its form flag";
        EXPECT_LE(it->Body.size(), 8224u);
    }
    EXPECT_GE(continues, 2u); // 20 000 bytes of characters
    TXLSFile back;
    back.OpenBytes(f.SaveToBytes());
    EXPECT_EQ(back.Sheets().Item(0).Cells().Item(1, 0).Value().Text(), text);
    EXPECT_EQ(back.Sheets().Item(0).Cells().Item(0, 0).Value().Text(), "short");
}

TEST(BiffWriter, ManyTextsSplitAtStringBoundariesAndReadBack)
{
    TXLSFile f;
    TSheet &s = f.Sheets().Item(0);
    for (int i = 0; i < 5000; ++i)
        s.Cells().Item(i, 0).SetValue((i % 3 ? "Text " : "Текст ") + std::to_string(i));
    s.Cells().Item(5000, 0).SetValue("Text 7"); // used twice, stored once
    TXLSFile back;
    back.OpenBytes(f.SaveToBytes());
    for (int i = 0; i < 5000; ++i)
        ASSERT_EQ(back.Sheets().Item(0).Cells().Item(i, 0).Value().Text(),
                  (i % 3 ? "Text " : "Текст ") + std::to_string(i));
    EXPECT_EQ(back.Workbook().Strings.Count(), 5000u);
}

TEST(BiffReader, StreamNamedInOtherLetterCaseOpens)
{
    TXLSFile f;
    f.Sheets().Item(0).Cells().Item(0, 0).SetValue(5);
    TXLSFile back;
    back.OpenBytes(StreamOf(f.WorkbookStream(), "WORKBOOK"));
    EXPECT_EQ(back.Sheets().Item(0).Cells().Item(0, 0).Value().Number(), 5);
}

TEST(BiffReader, HiddenSheetStaysHidden)
{
    TXLSFile f;
    f.Sheets().Add("Secret");
    f.Sheets().Item(1).SetHidden(true);
    TXLSFile back;
    back.OpenBytes(f.SaveToBytes());
    ASSERT_EQ(back.Sheets().Count(), 2);
    EXPECT_FALSE(back.Sheets().Item(0).Hidden());
    EXPECT_TRUE(back.Sheets().Item(1).Hidden());
}

TEST(BiffReader, Biff5WorkbookIsError2)
{
    // Excel 5.0/95 keeps its stream under the name "Book".
    std::string biff5 = Bytes({0x09,
                               0x08,
                               0x08,
                               0x00,
                               0x00,
                               0x05,
                               0x05,
                               0x00,
                               0x00,
                               0x00,
                               0x00,
                               0x00,
                               0x0A,
                               0x00,
                               0x00,
                               0x00});
    const std::string excel95
        = "The file is an Excel 5.0/95 workbook; save it as Excel 97-2003 (.xls)";
    TXLSFile f;
    try {
        f.OpenBytes(StreamOf(biff5, "Book"));
        FAIL();
    } catch (const EXLSError &e) {
        EXPECT_EQ(e.Code(), 2);
        EXPECT_EQ(e.what(), excel95);
    }
    // A BIFF5 stream stored as "Workbook" is told by the version of its BOF.
    try {
        f.OpenBytes(StreamOf(biff5));
        FAIL();
    } catch (const EXLSError &e) {
        EXPECT_EQ(e.Code(), 2);
        EXPECT_EQ(e.what(), excel95);
    }
    EXPECT_EQ(f.Sheets().Count(), 0); // a failed open leaves no sheets
    EXPECT_THROW(f.Sheets().Item(0), EListIndexError);
    // A compound file of another program keeps the standard words.
    try {
        f.OpenBytes(StreamOf(biff5, "WordDocument"));
        FAIL();
    } catch (const EXLSError &e) {
        EXPECT_EQ(e.Code(), 2);
        EXPECT_STREQ(e.what(),
                     "Stream not found: Workbook. File format is not Excel 97 or higher.");
    }
}

TEST(BiffReader, ForeignFilesAreCompoundFileError3SayingWhatTheyAre)
{
    const std::string zipHeader("PK\x03\x04\x14\x00\x06\x00", 8);
    const std::string filler(2000, 'z');
    const std::vector<std::pair<std::string, std::string>> cases = {
        {zipHeader + "[Content_Types].xml" + filler + "xl/workbook.xml" + filler,
         "The file is an Excel 2007+ workbook (.xlsx); save it as Excel 97-2003 (.xls)"},
        {zipHeader + "xl/workbook.bin" + filler,
         "The file is an Excel 2007+ binary workbook (.xlsb); save it as Excel 97-2003 (.xls)"},
        {zipHeader + "mimetypeapplication/vnd.oasis.opendocument.spreadsheet" + filler,
         "The file is an OpenDocument spreadsheet (.ods); save it as Excel 97-2003 (.xls)"},
        {zipHeader + "word/document.xml" + filler,
         "The file is a ZIP archive, not an Excel 97-2003 workbook"},
        {Bytes({0x09, 0x04, 0x06, 0x00, 0x00, 0x00, 0x10, 0x00}) + filler,
         "The file is an Excel 2.1-4.0 worksheet; save it as Excel 97-2003 (.xls)"},
        {"\xEF\xBB\xBF\r\n  <html><table><tr><td>1</td></tr></table></html>",
         "The file is an HTML or XML document, not an Excel 97-2003 workbook; open it in the "
         "spreadsheet program and save it as Excel 97-2003 (.xls)"},
        {"", "The file is empty, not an Excel 97-2003 workbook"},
        {"Name;Diameter\r\n" + filler, "The file is not an Excel 97-2003 workbook"},
    };
    for (const auto &[bytes, message] : cases) {
        TXLSFile f;
        try {
            f.OpenBytes(bytes);
            ADD_FAILURE() << message;
        } catch (const ECFileError &e) {
            EXPECT_EQ(e.Code(), 3) << message;
            EXPECT_EQ(e.what(), message);
        }
    }
    // A password-protected .xlsx is a compound file holding the encrypted package.
    TCompoundFileWriter encrypted;
    encrypted.AddStream("EncryptionInfo", std::string(200, '\x04'));
    encrypted.AddStream("EncryptedPackage", filler);
    try {
        TXLSFile f;
        f.OpenBytes(encrypted.Build());
        FAIL();
    } catch (const EXLSError &e) {
        EXPECT_EQ(e.Code(), 2);
        EXPECT_STREQ(e.what(),
                     "The file is an Excel 2007+ workbook protected by a password; remove the "
                     "password and save it as Excel 97-2003 (.xls)");
    }
    // Where the file really cannot be opened the standard words stay.
    try {
        TXLSFile f;
        f.OpenFile("/nonexistent/file.xls");
        FAIL();
    } catch (const ECFileError &e) {
        EXPECT_EQ(e.Code(), 3);
        EXPECT_STREQ(e.what(),
                     "Can not open a file (probably it is already opened or does not exist)");
    }
}

TEST(BiffReader, SaveIntoAMissingFolderIsError0)
{
    TXLSFile f;
    try {
        f.SaveAs("/nonexistent/dir/out.xls");
        FAIL();
    } catch (const ECFileError &e) {
        EXPECT_EQ(e.Code(), 0);
    }
}

namespace {

// A workbook stream with one sheet whose records are given, between the required ones.
std::string OneSheetStream(const std::string &sheetRecords)
{
    TXLSFile f;
    const std::string base = f.WorkbookStream();
    // Put the records right before the sheet's WINDOW2.
    const auto recs = Records(base);
    std::string out;
    bool inserted = false;
    for (const auto &r : recs) {
        if (r.Id == rec::Window2 && !inserted) {
            out += sheetRecords;
            inserted = true;
        }
        WriteRecord(out, r.Id, r.Body);
    }
    // BOUNDSHEET positions moved: find the sheet BOF again.
    const size_t sheetBof = out.find(std::string("\x09\x08\x10\x00\x00\x06\x10\x00", 8));
    const size_t bs = out.find(std::string("\x85\x00", 2));
    TByteWriter(out).PatchU32(bs + 4, std::uint32_t(sheetBof));
    return out;
}

std::string Rec(std::uint16_t id, const std::string &body)
{
    std::string out;
    WriteRecord(out, id, body);
    return out;
}

} // namespace

TEST(BiffReader, RkMulRkBlanksBoolErrAndLabelCells)
{
    std::string s;
    // RK 1.5 at A1: the high 30 bits of 1.5's double; RK integer 7 * 100 / 100 at B1.
    s += Rec(rec::Rk, Bytes({0, 0, 0, 0, 15, 0, 0x00, 0x00, 0xF8, 0x3F}));
    s += Rec(rec::Rk, Bytes({0, 0, 1, 0, 15, 0, 0xF3, 0x0A, 0x00, 0x00})); // 700 / 100 = 7
    // MULRK row 1, columns 0..1: 2 and -3.
    s += Rec(rec::MulRk,
             Bytes({1, 0, 0, 0, 15, 0, 0x0A, 0, 0, 0, 15, 0, 0xF6, 0xFF, 0xFF, 0xFF, 1, 0}));
    // MULBLANK row 2, columns 0..2 with XF 15, 16, 15: only the middle one is kept.
    s += Rec(rec::MulBlank, Bytes({2, 0, 0, 0, 15, 0, 16, 0, 15, 0, 2, 0}));
    s += Rec(rec::Blank, Bytes({3, 0, 0, 0, 15, 0}));
    s += Rec(rec::BoolErr, Bytes({4, 0, 0, 0, 15, 0, 1, 0}));
    s += Rec(rec::BoolErr, Bytes({4, 0, 1, 0, 15, 0, 0x07, 1}));
    s += Rec(rec::Label, Bytes({5, 0, 0, 0, 15, 0, 2, 0, 1, 0x1F, 0x04, 0x40, 0x04}));
    TXLSFile f;
    f.OpenBytes(StreamOf(OneSheetStream(s)));
    auto &c = f.Sheets().Item(0).Cells();
    EXPECT_EQ(c.Item(0, 0).Value().Number(), 1.5);
    EXPECT_EQ(c.Item(0, 1).Value().Number(), 7);
    EXPECT_EQ(c.Item(1, 0).Value().Number(), 2);
    EXPECT_EQ(c.Item(1, 1).Value().Number(), -2.5 - 0.5);
    EXPECT_FALSE(c.Item(2, 0).Exists());
    EXPECT_TRUE(c.Item(2, 1).Exists());
    EXPECT_FALSE(c.Item(2, 2).Exists());
    EXPECT_FALSE(c.Item(3, 0).Exists());
    EXPECT_TRUE(c.Item(4, 0).Value().Boolean());
    EXPECT_EQ(c.Item(4, 1).Value().Error(), 0x07);
    EXPECT_EQ(c.Item(5, 0).Value().Text(), "Пр");
}

TEST(BiffReader, FormulaTokensAreKeptWithTheirResults)
{
    std::string s;
    // A3 = A1+A2 (tRef A1, tRef A2, tAdd), result 3.
    std::string f1 = Bytes({2, 0, 0, 0,  15, 0,    0, 0, 0, 0,    0,    0, 8, 0x40, 0,    0,   0,
                            0, 0, 0, 11, 0,  0x24, 0, 0, 0, 0xC0, 0x24, 1, 0, 0,    0xC0, 0x03});
    s += Rec(rec::Formula, f1);
    // B1 = "x"&"y": a text result followed by a STRING record.
    std::string f2 = Bytes({0, 0, 1, 0, 15, 0, 0,    0, 0, 0,   0,    0, 0xFF, 0xFF, 0,   0,
                            0, 0, 0, 0, 9,  0, 0x17, 1, 0, 'x', 0x17, 1, 0,    'y',  0x08});
    s += Rec(rec::Formula, f2);
    s += Rec(rec::String, Bytes({2, 0, 0, 'x', 'y'}));
    // C1 = a defined name (tName 1): cannot be kept, the cell keeps 42.
    std::string f3 = Bytes({0, 0, 2, 0, 15, 0, 0, 0, 0,    0, 0, 0, 0x45, 0x40,
                            0, 0, 0, 0, 0,  0, 5, 0, 0x23, 1, 0, 0, 0});
    s += Rec(rec::Formula, f3);
    TXLSFile f;
    f.OpenBytes(StreamOf(OneSheetStream(s)));
    auto &c = f.Sheets().Item(0).Cells();
    EXPECT_TRUE(c.Item(2, 0).IsFormula());
    EXPECT_EQ(c.Item(2, 0).Value().Number(), 3);
    EXPECT_TRUE(c.Item(0, 1).IsFormula());
    EXPECT_EQ(c.Item(0, 1).Value().Text(), "xy");
    EXPECT_FALSE(c.Item(0, 2).IsFormula());
    EXPECT_EQ(c.Item(0, 2).Value().Number(), 42);
    // Written again, the tokens are the same bytes.
    TXLSFile back;
    back.OpenBytes(f.SaveToBytes());
    const auto &cells = back.Sheets().Item(0).Cells();
    ASSERT_TRUE(cells.Find(2, 0) && cells.Find(2, 0)->Kind == TCellKind::Formula);
    EXPECT_EQ(cells.Formulas[cells.Find(2, 0)->Ref()].Tokens, f1.substr(22));
    EXPECT_EQ(back.Sheets().Item(0).Cells().Item(0, 1).Value().Text(), "xy");
}

TEST(BiffReader, SharedFormulaBecomesAFormulaPerCell)
{
    std::string s;
    // B1:B2 = A1*2 shared: first cell B1 with tExp(0,1), SHRFMLA with tRefN(0, -1) * 2.
    auto cell = [](int row, double value) {
        std::string b = Bytes({row, 0, 1, 0, 15, 0});
        std::string v(8, '\0');
        std::memcpy(v.data(), &value, 8);
        return b + v + Bytes({0x08, 0, 0, 0, 0, 0, 5, 0, 0x01, 0, 0, 1, 0});
    };
    s += Rec(rec::Formula, cell(0, 2));
    s += Rec(rec::ShrFmla,
             Bytes({0, 0, 1, 0, 1, 1, 0, 2, 9, 0, 0x4C, 0, 0, 0xFF, 0xC0, 0x1E, 2, 0, 0x05}));
    s += Rec(rec::Formula, cell(1, 4));
    TXLSFile f;
    f.OpenBytes(StreamOf(OneSheetStream(s)));
    auto &c = f.Sheets().Item(0).Cells();
    ASSERT_TRUE(c.Item(1, 1).IsFormula());
    const auto &formula = c.Formulas[c.Find(1, 1)->Ref()];
    // tRef (class value 0x44) to A2, relative row and column.
    EXPECT_EQ(formula.Tokens, Bytes({0x44, 1, 0, 0, 0xC0, 0x1E, 2, 0, 0x05}));
    EXPECT_EQ(c.Item(1, 1).Value().Number(), 4);
}

TEST(BiffReader, BrokenRecordsFailWithTheEnginesWords)
{
    // LABELSST pointing past the shared-string table.
    std::string s = Rec(rec::LabelSst, Bytes({0, 0, 0, 0, 15, 0, 9, 0, 0, 0}));
    TXLSFile f;
    try {
        f.OpenBytes(StreamOf(OneSheetStream(s)));
        FAIL();
    } catch (const EBiffError &e) {
        EXPECT_EQ(std::string(e.what()).rfind("Error: BIFF record can not be processed", 0), 0u);
    }
    // MERGEDCELLS claiming more ranges than it holds.
    EXPECT_THROW(f.OpenBytes(StreamOf(OneSheetStream(Rec(rec::MergedCells, Bytes({50, 0, 1, 0}))))),
                 EBiffError);
}

TEST(BiffReader, PageSetupViewAndPrintAreaSurvive)
{
    TXLSFile f;
    f.Sheets().Add("Second");
    TSheet &s = f.Sheets().Item(1);
    s.PageSetup.PaperSize = 8;
    s.PageSetup.Options = 0x0000; // landscape
    s.PageSetup.Scale = 77;
    s.PageSetup.WsBool |= TPageSetup::kFitToPage;
    s.PageSetup.FitWidth = 1;
    s.PageSetup.FitHeight = 0;
    s.PageSetup.TopMargin = 0.4;
    s.PageSetup.HCenter = true;
    s.PageSetup.PrintGridlines = true;
    s.PageSetup.Header = {"Left", "", "Page &P of &N"};
    s.PageSetup.Footer.Center = "Подвал";
    s.PageSetup.PrintArea = {{0, 0, 40, 20}};
    s.PageSetup.TitleRows = std::pair {0, 2};
    s.View.Zoom = 75;
    s.View.HasPane = true;
    s.View.Options |= TSheetView::kFrozen | 0x0100;
    s.View.PaneY = 3;
    s.View.PaneTopRow = 3;
    s.View.ActivePane = 2;
    s.View.Options &= std::uint16_t(~TSheetView::kShowGrid);
    s.Ranges().Add("C3:D4").SetName("Area");
    s.Protection.Protect = true;
    TXLSFile back;
    back.OpenBytes(f.SaveToBytes());
    const TSheet &b = back.Sheets().Item(1);
    EXPECT_EQ(b.PageSetup.PaperSize, 8);
    EXPECT_EQ(b.PageSetup.Options, 0);
    EXPECT_EQ(b.PageSetup.Scale, 77);
    EXPECT_TRUE(b.PageSetup.WsBool & TPageSetup::kFitToPage);
    EXPECT_EQ(b.PageSetup.FitHeight, 0);
    EXPECT_EQ(b.PageSetup.TopMargin, 0.4);
    EXPECT_TRUE(b.PageSetup.HCenter);
    EXPECT_TRUE(b.PageSetup.PrintGridlines);
    EXPECT_EQ(b.PageSetup.Header, (THeaderFooter {"Left", "", "Page &P of &N"}));
    EXPECT_EQ(b.PageSetup.Footer.Center, "Подвал");
    ASSERT_EQ(b.PageSetup.PrintArea.size(), 1u);
    EXPECT_EQ(b.PageSetup.PrintArea[0], (TRect {0, 0, 40, 20}));
    EXPECT_EQ(b.PageSetup.TitleRows, (std::pair {0, 2}));
    EXPECT_EQ(b.View.Zoom, 75);
    EXPECT_TRUE(b.View.HasPane);
    EXPECT_EQ(b.View.PaneTopRow, 3);
    EXPECT_FALSE(b.View.Options & TSheetView::kShowGrid);
    EXPECT_TRUE(b.Protection.Protect);
    ASSERT_EQ(b.Ranges().Count(), 1u);
    EXPECT_EQ(b.Ranges().Item(0).Name(), "Area");
    EXPECT_EQ(b.Ranges().Item(0).Rect(), (TRect {2, 2, 3, 3}));
}

TEST(BiffReader, SheetLocalNamesStayLocalToTheirSheet)
{
    TXLSFile f;
    f.Sheets().Add("Second");
    f.Sheets().Item(0).Ranges().Add("A1:B2").SetName("Area");
    f.Sheets().Item(1).Ranges().Add("C3:D4").SetName("Area"); // the same name, another scope
    TRange &whole = f.Sheets().Item(0).Ranges().Add("A1:H20");
    whole.SetName("Whole");
    whole.SetGlobal(true);
    // NAME records carry the scope in itab: the 1-based sheet, 0 for the workbook.
    std::vector<std::pair<std::string, unsigned>> scopes;
    for (const auto &r : Records(f.WorkbookStream()))
        if (r.Id == rec::Name)
            scopes.emplace_back(r.Body.substr(15, std::uint8_t(r.Body[3])),
                                std::uint8_t(r.Body[8]) | (std::uint8_t(r.Body[9]) << 8));
    std::sort(scopes.begin(), scopes.end());
    EXPECT_EQ(
        scopes,
        (std::vector<std::pair<std::string, unsigned>> {{"Area", 1}, {"Area", 2}, {"Whole", 0}}));

    TXLSFile back;
    back.OpenBytes(f.SaveToBytes());
    const TRanges &first = back.Sheets().Item(0).Ranges();
    const TRanges &second = back.Sheets().Item(1).Ranges();
    ASSERT_EQ(first.Count(), 2u);
    ASSERT_EQ(second.Count(), 1u);
    EXPECT_EQ(first.Item(0).Name(), "Area");
    EXPECT_FALSE(first.Item(0).Global());
    EXPECT_EQ(first.Item(1).Name(), "Whole");
    EXPECT_TRUE(first.Item(1).Global());
    EXPECT_EQ(second.Item(0).Name(), "Area");
    EXPECT_FALSE(second.Item(0).Global());
    EXPECT_EQ(second.Item(0).Rect(), (TRect {2, 2, 3, 3}));
}

TEST(BiffReader, FormatsFontsAndWidthsRoundTrip)
{
    TXLSFile f;
    TSheet &s = f.Sheets().Item(0);
    auto c = s.Cells().Item(2, 2);
    c.SetValue(3.14159);
    c.SetNumberFormat("0.000");
    c.SetFontName("Times New Roman");
    c.SetFontSize(14);
    c.SetBold(true);
    c.SetItalic(true);
    c.SetFontColor(3);
    c.SetFillColor(6);
    c.SetHAlign(THAlign::Center);
    c.SetWrap(true);
    c.SetRotation(90);
    s.Columns().Item(0).SetWidth(1.43);
    s.Columns().Item(5).SetHidden(true);
    s.Rows().Item(2).SetHeight(30.75);
    TXLSFile back;
    back.OpenBytes(f.SaveToBytes());
    TSheet &b = back.Sheets().Item(0);
    auto r = b.Cells().Item(2, 2);
    EXPECT_EQ(r.NumberFormat(), "0.000");
    EXPECT_EQ(r.Font().Name, "Times New Roman");
    EXPECT_EQ(r.Font().Height, 280);
    EXPECT_EQ(r.Font().Weight, 700);
    EXPECT_TRUE(r.Font().Options & TFont::kItalic);
    EXPECT_EQ(r.Font().Color, 10);
    EXPECT_EQ(TXF::kForeColor.Get(r.Format().FillColors), 13u);
    EXPECT_EQ(TXF::kHAlign.Get(r.Format().Align), 2u);
    EXPECT_EQ(r.Format().Rotation, 90);
    EXPECT_EQ(b.Columns().Item(0).Width(), 1.43);
    EXPECT_TRUE(b.Columns().Item(5).Hidden());
    EXPECT_EQ(b.Rows().Item(2).Height(), 30.75);
}
