// The record table and the Read/Write of the record structs.
#include "xls/biff_records.h"

#include "base/utf8.h"
#include "xls/xls_error.h"

#include <algorithm>
#include <bit>
#include <iterator>

namespace vartesk::xls {

namespace {

// clang-format off
constexpr TRecordType kRecordTypes[] = {
    {rec::Formula, "FORMULA"}, {rec::Eof, "EOF"}, {rec::Protect, "PROTECT"},
    {rec::Password, "PASSWORD"}, {rec::Header, "HEADER"}, {rec::Footer, "FOOTER"},
    {rec::ExternSheet, "EXTERNSHEET"}, {rec::Name, "NAME"},
    {rec::WindowProtect, "WINDOWPROTECT"}, {rec::VerticalPageBreaks, "VERTICALPAGEBREAKS"},
    {rec::HorizontalPageBreaks, "HORIZONTALPAGEBREAKS"}, {rec::Note, "NOTE"},
    {rec::DateMode, "DATEMODE"}, {rec::ExternName, "EXTERNNAME"},
    {rec::LeftMargin, "LEFTMARGIN"}, {rec::RightMargin, "RIGHTMARGIN"},
    {rec::TopMargin, "TOPMARGIN"}, {rec::BottomMargin, "BOTTOMMARGIN"},
    {rec::PrintHeaders, "PRINTHEADERS"}, {rec::PrintGridlines, "PRINTGRIDLINES"},
    {rec::FilePass, "FILEPASS"}, {rec::Font, "FONT"}, {rec::Continue, "CONTINUE"},
    {rec::Window1, "WINDOW1"}, {rec::Pane, "PANE"}, {rec::CodePage, "CODEPAGE"},
    {rec::DefColWidth, "DEFCOLWIDTH"}, {rec::Obj, "OBJ"}, {rec::ObjProtect, "OBJPROTECT"},
    {rec::ColInfo, "COLINFO"}, {rec::Guts, "GUTS"}, {rec::WsBool, "WSBOOL"},
    {rec::HCenter, "HCENTER"}, {rec::VCenter, "VCENTER"}, {rec::BoundSheet, "BOUNDSHEET"},
    {rec::Country, "COUNTRY"}, {rec::HideObj, "HIDEOBJ"}, {rec::Palette, "PALETTE"},
    {rec::Scl, "SCL"}, {rec::Setup, "SETUP"}, {rec::MulRk, "MULRK"},
    {rec::MulBlank, "MULBLANK"}, {rec::Mms, "MMS"}, {rec::RString, "RSTRING"},
    {rec::DbCell, "DBCELL"}, {rec::ScenProtect, "SCENPROTECT"}, {rec::Xf, "XF"},
    {rec::InterfaceHdr, "INTERFACEHDR"}, {rec::InterfaceEnd, "INTERFACEEND"},
    {rec::MergedCells, "MERGEDCELLS"}, {rec::MsoDrawingGroup, "MSODRAWINGGROUP"},
    {rec::MsoDrawing, "MSODRAWING"}, {rec::MsoDrawingSelection, "MSODRAWINGSELECTION"},
    {rec::Sst, "SST"}, {rec::LabelSst, "LABELSST"}, {rec::ExtSst, "EXTSST"},
    {rec::TabId, "TABID"}, {rec::Dsf, "DSF"}, {rec::SupBook, "SUPBOOK"},
    {rec::DVal, "DVAL"}, {rec::Txo, "TXO"}, {rec::HLink, "HLINK"}, {rec::Dv, "DV"},
    {rec::RecalcId, "RECALCID"}, {rec::Dimensions, "DIMENSIONS"}, {rec::Blank, "BLANK"},
    {rec::Number, "NUMBER"}, {rec::Label, "LABEL"}, {rec::BoolErr, "BOOLERR"},
    {rec::String, "STRING"}, {rec::Row, "ROW"}, {rec::Index, "INDEX"},
    {rec::Array, "ARRAY"}, {rec::DefaultRowHeight, "DEFAULTROWHEIGHT"},
    {rec::Table, "TABLE"}, {rec::Window2, "WINDOW2"}, {rec::Rk, "RK"},
    {rec::Style, "STYLE"}, {rec::Format, "FORMAT"}, {rec::ShrFmla, "SHRFMLA"},
    {rec::HLinkTooltip, "HLINKTOOLTIP"}, {rec::Bof, "BOF"}, {rec::FeatHeadr, "FEATHEADR"},
};
// clang-format on

constexpr bool InIdOrder()
{
    for (size_t i = 1; i < std::size(kRecordTypes); ++i)
        if (kRecordTypes[i - 1].Id >= kRecordTypes[i].Id)
            return false;
    return true;
}
static_assert(InIdOrder(), "the record table is kept in id order, each id once");

} // namespace

std::span<const TRecordType> RecordTypes()
{
    return kRecordTypes;
}

const char *RecordName(std::uint16_t id)
{
    const auto it = std::lower_bound(std::begin(kRecordTypes),
                                     std::end(kRecordTypes),
                                     id,
                                     [](const TRecordType &t, auto v) { return t.Id < v; });
    return it != std::end(kRecordTypes) && it->Id == id ? it->Name : "?";
}

void AppendChars(std::string &out, std::string_view bytes, bool wide)
{
    if (!wide) {
        for (unsigned char c : bytes) {
            if (c < 0x80) {
                out.push_back(char(c));
            } else {
                out.push_back(char(0xC0 | (c >> 6)));
                out.push_back(char(0x80 | (c & 0x3F)));
            }
        }
        return;
    }
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const size_t n = bytes.size() / 2;
    for (size_t i = 0; i < n; ++i) {
        char32_t c = char32_t(p[2 * i] | (p[2 * i + 1] << 8));
        if (c < 0x80) {
            out.push_back(char(c));
            continue;
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n) {
            const char32_t lo = char32_t(p[2 * i + 2] | (p[2 * i + 3] << 8));
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
                ++i;
            }
        }
        if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        AppendUtf8(out, c);
    }
}

std::string ReadUnicodeString(TByteReader &r, bool shortCount)
{
    const size_t cch = shortCount ? r.U8() : r.U16();
    const std::uint8_t flags = r.U8();
    const bool wide = flags & 0x01;
    // Rich-text runs and phonetic data are not expected here but tolerated (met in FORMAT
    // records of files written by old converters): their counts come first.
    const size_t runs = (flags & 0x08) ? r.U16() : 0;
    const size_t ext = (flags & 0x04) ? r.U32() : 0;
    std::string out;
    AppendChars(out, r.Bytes(cch * (wide ? 2 : 1)), wide);
    r.Skip(std::min(r.Left(), runs * 4));
    r.Skip(std::min(r.Left(), ext));
    return out;
}

std::string ReadCutShortString(TByteReader &r)
{
    // An empty string written as its count alone, without the form flag (met in HEADER and
    // FOOTER records of workbooks exported by web reporting tools).
    const size_t cch = r.U16();
    if (r.AtEnd())
        return {};
    const std::uint8_t flags = r.U8();
    const size_t unit = (flags & 0x01) ? 2 : 1;
    const size_t runs = (flags & 0x08) ? r.U16() : 0;
    const size_t ext = (flags & 0x04) ? r.U32() : 0;
    // Characters running a byte or so past the record's end (met in FORMAT records of files
    // written by old converters): what is there is the string.
    std::string out;
    AppendChars(out, r.Bytes(std::min(cch, r.Left() / unit) * unit), unit == 2);
    r.Skip(std::min(r.Left(), runs * 4));
    r.Skip(std::min(r.Left(), ext));
    return out;
}

void WriteUnicodeString(TByteWriter &w, std::string_view utf8, bool shortCount)
{
    std::u16string s = Utf8ToUtf16(utf8);
    const size_t limit = shortCount ? 255 : 65535;
    if (s.size() > limit)
        s.resize(limit);
    const bool wide = std::any_of(s.begin(), s.end(), [](char16_t c) { return c > 0xFF; });
    if (shortCount)
        w.U8(unsigned(s.size()));
    else
        w.U16(unsigned(s.size()));
    w.U8(wide ? 1 : 0);
    for (char16_t c : s) {
        if (wide)
            w.U16(c);
        else
            w.U8(c);
    }
}

void TBofRecord::Read(TByteReader &r)
{
    Version = r.U16();
    Type = r.U16();
    // BIFF8 BOF records are 16 bytes; older ones shorter: the rest stays at its default.
    if (r.Left() >= 4) {
        Build = r.U16();
        Year = r.U16();
    }
    if (r.Left() >= 8) {
        History = r.U32();
        LowestVersion = r.U32();
    }
}

void TBofRecord::Write(TByteWriter &w) const
{
    w.U16(Version);
    w.U16(Type);
    w.U16(Build);
    w.U16(Year);
    w.U32(History);
    w.U32(LowestVersion);
}

void TBoundSheetRecord::Read(TByteReader &r)
{
    Position = r.U32();
    Visibility = r.U8() & 0x03;
    Type = r.U8();
    Name = ReadUnicodeString(r, true);
}

void TBoundSheetRecord::Write(TByteWriter &w) const
{
    w.U32(Position);
    w.U8(Visibility);
    w.U8(Type);
    WriteUnicodeString(w, Name, true);
}

void TFontRecord::Read(TByteReader &r)
{
    Font.Height = r.U16();
    Font.Options = r.U16();
    Font.Color = r.U16();
    Font.Weight = r.U16();
    Font.Escapement = r.U16();
    Font.Underline = r.U8();
    Font.Family = r.U8();
    Font.Charset = r.U8();
    Font.Reserved = r.U8();
    Font.Name = ReadUnicodeString(r, true);
}

void TFontRecord::Write(TByteWriter &w) const
{
    w.U16(Font.Height);
    w.U16(Font.Options);
    w.U16(Font.Color);
    w.U16(Font.Weight);
    w.U16(Font.Escapement);
    w.U8(Font.Underline);
    w.U8(Font.Family);
    w.U8(Font.Charset);
    w.U8(Font.Reserved);
    WriteUnicodeString(w, Font.Name, true);
}

void TFormatRecord::Read(TByteReader &r)
{
    Id = r.U16();
    Text = ReadCutShortString(r);
}

void TFormatRecord::Write(TByteWriter &w) const
{
    w.U16(Id);
    WriteUnicodeString(w, Text, false);
}

void TXFRecord::Read(TByteReader &r)
{
    Xf.Font = r.U16();
    Xf.NumFormat = r.U16();
    Xf.TypeProt = r.U16();
    Xf.Align = r.U8();
    Xf.Rotation = r.U8();
    Xf.IndentEtc = r.U8();
    Xf.Used = r.U8();
    Xf.Border1 = r.U32();
    Xf.Border2 = r.U32();
    Xf.FillColors = r.U16();
}

void TXFRecord::Write(TByteWriter &w) const
{
    w.U16(Xf.Font);
    w.U16(Xf.NumFormat);
    w.U16(Xf.TypeProt);
    w.U8(Xf.Align);
    w.U8(Xf.Rotation);
    w.U8(Xf.IndentEtc);
    w.U8(Xf.Used);
    w.U32(Xf.Border1);
    w.U32(Xf.Border2);
    w.U16(Xf.FillColors);
}

void TColInfoRecord::Read(TByteReader &r)
{
    First = r.U16();
    Last = r.U16();
    Width = r.U16();
    Xf = r.U16();
    Options = r.U16();
    // The reserved word is missing in files of some writers (11- and 10-byte records).
    Reserved = r.Left() >= 2 ? r.U16() : 0;
}

void TColInfoRecord::Write(TByteWriter &w) const
{
    w.U16(First);
    w.U16(Last);
    w.U16(Width);
    w.U16(Xf);
    w.U16(Options);
    w.U16(Reserved);
}

void TRowRecord::Read(TByteReader &r)
{
    Row = r.U16();
    FirstCol = r.U16();
    LastColPlus1 = r.U16();
    Height = r.U16();
    r.Skip(4);
    Options = r.U32();
}

void TRowRecord::Write(TByteWriter &w) const
{
    w.U16(Row);
    w.U16(FirstCol);
    w.U16(LastColPlus1);
    w.U16(Height);
    w.U32(0);
    w.U32(Options);
}

void TDimensionsRecord::Read(TByteReader &r)
{
    FirstRow = r.U32();
    LastRowPlus1 = r.U32();
    FirstCol = r.U16();
    LastColPlus1 = r.U16();
    r.U16();
}

void TDimensionsRecord::Write(TByteWriter &w) const
{
    w.U32(FirstRow);
    w.U32(LastRowPlus1);
    w.U16(FirstCol);
    w.U16(LastColPlus1);
    w.U16(0);
}

void TWindow2Record::Read(TByteReader &r)
{
    Options = r.U16();
    TopRow = r.U16();
    LeftCol = r.U16();
    GridColor = r.U16();
    // Chart sheets and some writers stop after 10 bytes.
    if (r.Left() >= 6) {
        r.U16();
        ZoomPageBreak = r.U16();
        ZoomNormal = r.U16();
        r.Skip(std::min<size_t>(r.Left(), 4)); // reserved
    }
}

void TWindow2Record::Write(TByteWriter &w) const
{
    w.U16(Options);
    w.U16(TopRow);
    w.U16(LeftCol);
    w.U16(GridColor);
    w.U16(0);
    w.U16(ZoomPageBreak);
    w.U16(ZoomNormal);
    w.U32(0);
}

void TPaneRecord::Read(TByteReader &r)
{
    X = r.U16();
    Y = r.U16();
    TopRow = r.U16();
    LeftCol = r.U16();
    Active = r.Left() >= 1 ? r.U8() : 3;
    r.Skip(std::min<size_t>(r.Left(), 1)); // unused
}

void TPaneRecord::Write(TByteWriter &w) const
{
    w.U16(X);
    w.U16(Y);
    w.U16(TopRow);
    w.U16(LeftCol);
    w.U8(Active);
    w.U8(0);
}

void TSetupRecord::Read(TByteReader &r)
{
    Paper = r.U16();
    Scale = r.U16();
    PageStart = r.U16();
    FitWidth = r.U16();
    FitHeight = r.U16();
    Options = r.U16();
    Res = r.U16();
    VRes = r.U16();
    HeaderMargin = r.F64();
    FooterMargin = r.F64();
    Copies = r.U16();
}

void TSetupRecord::Write(TByteWriter &w) const
{
    w.U16(Paper);
    w.U16(Scale);
    w.U16(PageStart);
    w.U16(FitWidth);
    w.U16(FitHeight);
    w.U16(Options);
    w.U16(Res);
    w.U16(VRes);
    w.F64(HeaderMargin);
    w.F64(FooterMargin);
    w.U16(Copies);
}

void TMergedCellsRecord::Read(TByteReader &r)
{
    const size_t count = r.U16();
    if (count > r.Left() / 8)
        throw EReadPastEnd(r.StreamOffset(), count * 8, r.Left());
    Ranges.clear();
    for (size_t i = 0; i < count; ++i) {
        TRef ref {};
        ref.Row1 = r.U16();
        ref.Row2 = r.U16();
        ref.Col1 = r.U16();
        ref.Col2 = r.U16();
        Ranges.push_back(ref);
    }
}

void TMergedCellsRecord::Write(TByteWriter &w) const
{
    w.U16(unsigned(Ranges.size()));
    for (const auto &ref : Ranges) {
        w.U16(ref.Row1);
        w.U16(ref.Row2);
        w.U16(ref.Col1);
        w.U16(ref.Col2);
    }
}

double DecodeRk(std::uint32_t rk)
{
    double v;
    if (kRkInteger.Get(rk))
        v = double(std::int32_t(rk) >> 2);
    else
        v = std::bit_cast<double>(std::uint64_t(rk & 0xFFFFFFFC) << 32);
    return kRkDiv100.Get(rk) ? v / 100 : v;
}

void TLabelRecord::Read(TByteReader &r)
{
    Cell.Read(r);
    Text = ReadUnicodeString(r, false);
}

void TLabelRecord::Write(TByteWriter &w) const
{
    Cell.Write(w);
    WriteUnicodeString(w, Text, false);
}

void TMulRkRecord::Read(TByteReader &r)
{
    Row = r.U16();
    First = r.U16();
    // The cells are what fits before the last column; a last column that disagrees with
    // their count is ignored.
    const size_t n = r.Left() >= 2 ? (r.Left() - 2) / 6 : 0;
    Cells.clear();
    for (size_t i = 0; i < n; ++i) {
        const std::uint16_t xf = r.U16();
        Cells.push_back({xf, r.U32()});
    }
    r.Skip(std::min<size_t>(r.Left(), 2));
}

void TMulRkRecord::Write(TByteWriter &w) const
{
    w.U16(Row);
    w.U16(First);
    for (const auto &c : Cells) {
        w.U16(c.Xf);
        w.U32(c.Rk);
    }
    w.U16(unsigned(First + Cells.size() - 1));
}

void TMulBlankRecord::Read(TByteReader &r)
{
    Row = r.U16();
    First = r.U16();
    const size_t n = r.Left() >= 2 ? (r.Left() - 2) / 2 : 0;
    Xfs.clear();
    for (size_t i = 0; i < n; ++i)
        Xfs.push_back(r.U16());
    r.Skip(std::min<size_t>(r.Left(), 2));
}

void TMulBlankRecord::Write(TByteWriter &w) const
{
    w.U16(Row);
    w.U16(First);
    for (auto xf : Xfs)
        w.U16(xf);
    w.U16(unsigned(First + Xfs.size() - 1));
}

void TFormulaRecord::Read(TByteReader &r)
{
    Cell.Read(r);
    Result = TByteReader(r.Bytes(8)).U64();
    Options = r.U16();
    r.U32();
    RpnSize = r.U16();
    Tokens = std::string(r.Bytes(RpnSize));
    Tokens += r.Rest();
}

void TFormulaRecord::Write(TByteWriter &w) const
{
    Cell.Write(w);
    w.U64(Result);
    w.U16(Options);
    w.U32(0);
    w.U16(RpnSize);
    w.Bytes(Tokens);
}

void TShrFmlaRecord::Read(TByteReader &r)
{
    Row1 = r.U16();
    Row2 = r.U16();
    Col1 = r.U8();
    Col2 = r.U8();
    Uses = r.U16();
    const size_t cce = r.U16();
    Rpn = std::string(r.Bytes(cce));
}

void TShrFmlaRecord::Write(TByteWriter &w) const
{
    w.U16(Row1);
    w.U16(Row2);
    w.U8(Col1);
    w.U8(Col2);
    w.U16(Uses);
    w.U16(unsigned(Rpn.size()));
    w.Bytes(Rpn);
}

void TNameRecord::Read(TByteReader &r)
{
    Options = r.U16();
    Key = r.U8();
    const size_t cch = r.U8();
    const size_t cce = r.U16();
    r.U16();
    Sheet = r.U16();
    r.Skip(4);
    const bool wide = r.U8() & 1;
    Name.clear();
    AppendChars(Name, r.Bytes(cch * (wide ? 2 : 1)), wide);
    // Writers that cut the formula short are met; what is there is the formula.
    Rpn = std::string(r.Bytes(std::min(cce, r.Left())));
}

void TNameRecord::Write(TByteWriter &w) const
{
    const std::u16string text = Utf8ToUtf16(Name).substr(0, 255);
    const bool wide = std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 0xFF; });
    w.U16(Options);
    w.U8(Key);
    w.U8(unsigned(text.size()));
    w.U16(unsigned(Rpn.size()));
    w.U16(0);
    w.U16(Sheet);
    w.U32(0);
    w.U8(wide ? 1 : 0);
    for (char16_t c : text) {
        if (wide)
            w.U16(c);
        else
            w.U8(c);
    }
    w.Bytes(Rpn);
}

void TExternSheetRecord::Read(TByteReader &r)
{
    const size_t n = r.U16();
    if (n > r.Left() / 6)
        throw EXLSError(14);
    Entries.clear();
    for (size_t i = 0; i < n; ++i) {
        TEntry e {};
        e.SupBook = r.U16();
        e.First = r.U16();
        e.Last = r.U16();
        Entries.push_back(e);
    }
}

void TExternSheetRecord::Write(TByteWriter &w) const
{
    w.U16(unsigned(Entries.size()));
    for (const auto &e : Entries) {
        w.U16(e.SupBook);
        w.U16(e.First);
        w.U16(e.Last);
    }
}

bool TInternalSupBookRecord::Is(std::string_view body)
{
    return body.size() == 4 && std::uint8_t(body[2]) == (kMarker & 0xFF)
        && std::uint8_t(body[3]) == (kMarker >> 8);
}

void TInternalSupBookRecord::Write(TByteWriter &w) const
{
    w.U16(Sheets);
    w.U16(kMarker);
}

void TPaletteRecord::Read(TByteReader &r)
{
    const size_t n = std::min<size_t>(r.U16(), kMaxColors);
    Colors.clear();
    for (size_t i = 0; i < n; ++i) {
        const std::uint32_t red = r.U8(), green = r.U8(), blue = r.U8();
        r.U8();
        Colors.push_back((red << 16) | (green << 8) | blue);
    }
}

void TPaletteRecord::Write(TByteWriter &w) const
{
    w.U16(unsigned(Colors.size()));
    for (auto c : Colors) {
        w.U8((c >> 16) & 0xFF);
        w.U8((c >> 8) & 0xFF);
        w.U8(c & 0xFF);
        w.U8(0);
    }
}

void TPageBreaksRecord::Read(TByteReader &r)
{
    const size_t n = r.U16();
    Breaks.clear();
    for (size_t i = 0; i < n; ++i) {
        TBreak b {};
        b.Pos = r.U16();
        b.First = r.U16();
        b.Last = r.U16();
        Breaks.push_back(b);
    }
}

void TPageBreaksRecord::Write(TByteWriter &w) const
{
    const size_t n = std::min(Breaks.size(), kMaxBreaks);
    w.U16(unsigned(n));
    for (size_t i = 0; i < n; ++i) {
        w.U16(Breaks[i].Pos);
        w.U16(Breaks[i].First);
        w.U16(Breaks[i].Last);
    }
}

void TSclRecord::Read(TByteReader &r)
{
    Numerator = r.U16();
    Denominator = r.U16();
}

void TSclRecord::Write(TByteWriter &w) const
{
    w.U16(Numerator);
    w.U16(Denominator);
}

void TIndexRecord::Write(TByteWriter &w) const
{
    w.U32(0);
    w.U32(FirstRow);
    w.U32(LastRowPlus1);
    w.U32(0);
}

void TWindow1Record::Write(TByteWriter &w) const
{
    w.U16(X);
    w.U16(Y);
    w.U16(Width);
    w.U16(Height);
    w.U16(Options);
    w.U16(ActiveSheet);
    w.U16(FirstTab);
    w.U16(Selected);
    w.U16(TabRatio);
}

void TExtSstRecord::Write(TByteWriter &w) const
{
    w.U16(PerBucket);
    for (const auto &b : Buckets) {
        w.U32(b.Pos);
        w.U16(b.Offset);
        w.U16(0);
    }
}

} // namespace vartesk::xls
