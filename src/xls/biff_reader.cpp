// BIFF8 reader: dispatch by the record table, sheet substreams in BOUNDSHEET order.
#include "xls/biff_reader.h"

#include "xls/biff_records.h"
#include "xls/biff_stream.h"
#include "xls/file_kind.h"
#include "xls/formula.h"
#include "xls/workbook.h"
#include "xls/xls_error.h"

#include <array>
#include <cstdio>
#include <initializer_list>
#include <map>

namespace vartesk::xls {

namespace {

constexpr std::uint16_t kBiff8 = 0x0600, kBiff5 = 0x0500;
constexpr std::uint16_t kGlobals = 0x0005, kWorksheet = 0x0010;
constexpr std::uint16_t kDefaultXf = 15;

std::string Hex(unsigned id)
{
    char b[8];
    std::snprintf(b, sizeof b, "%04X", id);
    return b;
}

TRawRecord Raw(const TBiffRecord &r)
{
    return {r.Id, std::string(r.Body), r.Pieces ? *r.Pieces : std::vector<std::uint32_t> {}};
}

// The handlers of one kind of substream by record id; a record without one is skipped.
template<class THandler>
class TDispatch
{
public:
    struct TEntry
    {
        std::uint16_t Id;
        THandler Read;
    };
    TDispatch(std::initializer_list<TEntry> entries)
    {
        for (const auto &e : entries) {
            Slot.at(e.Id) = std::uint8_t(Handlers.size() + 1);
            Handlers.push_back(e.Read);
        }
    }
    THandler Find(std::uint16_t id) const
    {
        return id < Slot.size() && Slot[id] ? Handlers[Slot[id] - 1u] : nullptr;
    }

private:
    std::array<std::uint8_t, 0x1000> Slot {}; // every id the reader handles is below 0x1000
    std::vector<THandler> Handlers;
};

struct TPendingFormula
{
    std::uint32_t Index;
    int Row, Col;
    bool Shared;
    int BaseRow, BaseCol;
};

struct TSharedFormula
{
    TRect Area;
    std::string Rpn;
};

struct TReadName
{
    std::string Body;
    TNameRecord Record;
};

// The reader's state across the stream; the handlers below each take one record.
class TReader
{
public:
    TReader(std::string_view stream, TWorkbook &book)
        : Cursor(stream)
        , Book(book)
    { }
    void Run();

    using TGlobalsRead = void (TReader::*)(const TBiffRecord &, TByteReader &);
    using TSheetRead = void (TReader::*)(const TBiffRecord &, TByteReader &, TSheet &);

    // Workbook globals.
    void FilePass(const TBiffRecord &r, TByteReader &b);
    void Font(const TBiffRecord &r, TByteReader &b);
    void Format(const TBiffRecord &r, TByteReader &b);
    void Xf(const TBiffRecord &r, TByteReader &b);
    void Style(const TBiffRecord &r, TByteReader &b);
    void Palette(const TBiffRecord &r, TByteReader &b);
    void BoundSheet(const TBiffRecord &r, TByteReader &b);
    void Sst(const TBiffRecord &r, TByteReader &b);
    void SupBook(const TBiffRecord &r, TByteReader &b);
    void ExternName(const TBiffRecord &r, TByteReader &b);
    void ExternSheet(const TBiffRecord &r, TByteReader &b);
    void Name(const TBiffRecord &r, TByteReader &b);
    void DrawingGroup(const TBiffRecord &r, TByteReader &b);
    template<bool TWorkbook::*Flag>
    void BookFlag(const TBiffRecord &, TByteReader &b)
    {
        Book.*Flag = b.U16() != 0;
    }
    void BookPassword(const TBiffRecord &r, TByteReader &b);

    // Worksheet substreams.
    void Number(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void Rk(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void MulRk(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void LabelSst(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void Label(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void Blank(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void MulBlank(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void BoolErr(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void Formula(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void String(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void ShrFmla(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void ColInfo(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void Row(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void MergedCells(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void Setup(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void Window2(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void Pane(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void Scl(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void FeatHeadr(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void SheetPassword(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    void WsBool(const TBiffRecord &r, TByteReader &b, TSheet &sheet);
    template<THeaderFooter TPageSetup::*Field>
    void HeaderFooter(const TBiffRecord &r, TByteReader &b, TSheet &sheet)
    {
        if (r.Body.empty())
            return;
        THeaderFooterRecord h;
        h.Read(b);
        sheet.PageSetup.*Field = THeaderFooter::Parse(h.Text);
    }
    template<double TPageSetup::*Field>
    void Margin(const TBiffRecord &, TByteReader &b, TSheet &sheet)
    {
        sheet.PageSetup.*Field = b.F64();
    }
    template<bool TPageSetup::*Field>
    void PageFlag(const TBiffRecord &, TByteReader &b, TSheet &sheet)
    {
        sheet.PageSetup.*Field = b.U16() != 0;
    }
    template<bool TSheetProtection::*Field>
    void ProtectFlag(const TBiffRecord &, TByteReader &b, TSheet &sheet)
    {
        sheet.Protection.*Field = b.U16() != 0;
    }
    template<std::vector<TPageBreak> TSheet::*List>
    void PageBreaks(const TBiffRecord &, TByteReader &b, TSheet &sheet)
    {
        TPageBreaksRecord p;
        p.Read(b);
        for (const auto &pb : p.Breaks)
            (sheet.*List).push_back({pb.Pos, pb.First, pb.Last});
    }
    // Records the engine carries without decoding.
    template<std::vector<TRawRecord> TSheet::*List>
    void Kept(const TBiffRecord &r, TByteReader &, TSheet &sheet)
    {
        (sheet.*List).push_back(Raw(r));
    }

private:
    void Sheet(TSheet &sheet, bool worksheet);
    void FinishSheet(TSheet &sheet);
    void Finish();
    void Cell(TSheet &sheet,
              const TCellPlace &place,
              int col,
              TCellKind kind,
              std::uint64_t payload,
              std::uint8_t small = 0);
    void ApplyNames();
    bool DecodeAreas(std::string_view rpn, const TSheet *&sheet, std::vector<TRect> &areas);

    TBiffRecordCursor Cursor;
    TWorkbook &Book;
    std::vector<std::uint32_t> SstToPool;
    std::vector<std::pair<TSheet *, std::uint8_t>> BoundSheets; // sheet and its type
    std::vector<TReadName> Names;
    // Per sheet.
    std::vector<TPendingFormula> Pending;
    std::map<std::pair<int, int>, TSharedFormula> Shared;
    std::int64_t StringTarget = -1; // formula awaiting its STRING record
    bool HasEmbedded = false;
    TMulRkRecord MulRkItems; // kept with its capacity
    TMulBlankRecord MulBlankItems;
};

const TDispatch<TReader::TGlobalsRead> &GlobalsRecords()
{
    using R = TReader;
    // clang-format off
    static const TDispatch<R::TGlobalsRead> table = {
        {rec::FilePass, &R::FilePass},
        {rec::Font, &R::Font},
        {rec::Format, &R::Format},
        {rec::Xf, &R::Xf},
        {rec::Style, &R::Style},
        {rec::Palette, &R::Palette},
        {rec::BoundSheet, &R::BoundSheet},
        {rec::Sst, &R::Sst},
        {rec::SupBook, &R::SupBook},
        {rec::ExternName, &R::ExternName},
        {rec::ExternSheet, &R::ExternSheet},
        {rec::Name, &R::Name},
        {rec::MsoDrawingGroup, &R::DrawingGroup},
        {rec::WindowProtect, &R::BookFlag<&TWorkbook::WindowProtect>},
        {rec::Protect, &R::BookFlag<&TWorkbook::Protect>},
        {rec::Password, &R::BookPassword},
    };
    // clang-format on
    return table;
}

const TDispatch<TReader::TSheetRead> &SheetRecords()
{
    using R = TReader;
    // clang-format off
    static const TDispatch<R::TSheetRead> table = {
        {rec::Number, &R::Number},
        {rec::Rk, &R::Rk},
        {rec::MulRk, &R::MulRk},
        {rec::LabelSst, &R::LabelSst},
        {rec::Label, &R::Label},
        {rec::RString, &R::Label},
        {rec::Blank, &R::Blank},
        {rec::MulBlank, &R::MulBlank},
        {rec::BoolErr, &R::BoolErr},
        {rec::Formula, &R::Formula},
        {rec::String, &R::String},
        {rec::ShrFmla, &R::ShrFmla},
        {rec::ColInfo, &R::ColInfo},
        {rec::Row, &R::Row},
        {rec::MergedCells, &R::MergedCells},
        {rec::Header, &R::HeaderFooter<&TPageSetup::Header>},
        {rec::Footer, &R::HeaderFooter<&TPageSetup::Footer>},
        {rec::LeftMargin, &R::Margin<&TPageSetup::LeftMargin>},
        {rec::RightMargin, &R::Margin<&TPageSetup::RightMargin>},
        {rec::TopMargin, &R::Margin<&TPageSetup::TopMargin>},
        {rec::BottomMargin, &R::Margin<&TPageSetup::BottomMargin>},
        {rec::PrintHeaders, &R::PageFlag<&TPageSetup::PrintHeaders>},
        {rec::PrintGridlines, &R::PageFlag<&TPageSetup::PrintGridlines>},
        {rec::HCenter, &R::PageFlag<&TPageSetup::HCenter>},
        {rec::VCenter, &R::PageFlag<&TPageSetup::VCenter>},
        {rec::WsBool, &R::WsBool},
        {rec::Setup, &R::Setup},
        {rec::HorizontalPageBreaks, &R::PageBreaks<&TSheet::RowBreaks>},
        {rec::VerticalPageBreaks, &R::PageBreaks<&TSheet::ColBreaks>},
        {rec::Window2, &R::Window2},
        {rec::Pane, &R::Pane},
        {rec::Scl, &R::Scl},
        {rec::MsoDrawing, &R::Kept<&TSheet::Drawing>},
        {rec::Obj, &R::Kept<&TSheet::Drawing>},
        {rec::Txo, &R::Kept<&TSheet::Drawing>},
        {rec::Note, &R::Kept<&TSheet::Notes>},
        {rec::HLink, &R::Kept<&TSheet::Hyperlinks>},
        {rec::HLinkTooltip, &R::Kept<&TSheet::Hyperlinks>},
        {rec::DVal, &R::Kept<&TSheet::Validations>},
        {rec::Dv, &R::Kept<&TSheet::Validations>},
        {rec::Protect, &R::ProtectFlag<&TSheetProtection::Protect>},
        {rec::ScenProtect, &R::ProtectFlag<&TSheetProtection::Scenarios>},
        {rec::ObjProtect, &R::ProtectFlag<&TSheetProtection::Objects>},
        {rec::Password, &R::SheetPassword},
        {rec::FeatHeadr, &R::FeatHeadr},
    };
    // clang-format on
    return table;
}

void TReader::Run()
{
    Book.ClearForReading();
    TBiffRecord r;
    if (!Cursor.Next(r) || r.Id != rec::Bof)
        throw EXLSError(2, "Workbook");
    {
        TBofRecord bof;
        TByteReader br(r.Body, r.Offset + 4);
        try {
            bof.Read(br);
        } catch (const EReadPastEnd &) {
            throw EXLSError(2, "Workbook");
        }
        // A BIFF5 BOF (version 0x0500) or older: not Excel 97 or higher.
        if (bof.Version == kBiff5)
            throw EXLSError(2, "Workbook", Excel95Message());
        if (bof.Version != kBiff8 || bof.Type != kGlobals)
            throw EXLSError(2, "Workbook");
    }
    // Workbook globals up to their EOF.
    const auto &globals = GlobalsRecords();
    for (;;) {
        if (!Cursor.Next(r))
            throw EBiffError("Workbook stream ends inside the workbook globals");
        if (r.Id == rec::Eof)
            break;
        const auto read = globals.Find(r.Id);
        if (!read)
            continue;
        TByteReader b(r.Body, r.Offset + 4);
        try {
            (this->*read)(r, b);
        } catch (const EReadPastEnd &e) {
            throw EBiffError("Workbook stream, record 0x" + Hex(r.Id) + " " + RecordName(r.Id)
                             + " at offset " + std::to_string(r.Offset) + ": " + e.what());
        }
    }
    // Sheet substreams in the order of the BOUNDSHEET records.
    size_t sheetNo = 0;
    while (sheetNo < BoundSheets.size() && Cursor.Next(r)) {
        if (r.Id != rec::Bof)
            continue; // padding or stray records between substreams
        TSheet &sheet = *BoundSheets[sheetNo].first;
        TBofRecord bof;
        TByteReader br(r.Body, r.Offset + 4);
        try {
            bof.Read(br);
        } catch (const EReadPastEnd &e) {
            throw EBiffError("Workbook stream, BOF at offset " + std::to_string(r.Offset) + ": "
                             + e.what());
        }
        Sheet(sheet, bof.Type == kWorksheet && BoundSheets[sheetNo].second == 0);
        ++sheetNo;
    }
    Finish();
}

// One sheet substream up to its EOF; the records of a chart or other sheet, and those of
// the substreams embedded in it, are skipped.
void TReader::Sheet(TSheet &sheet, bool worksheet)
{
    Pending.clear();
    Shared.clear();
    StringTarget = -1;
    HasEmbedded = false;
    const auto &records = SheetRecords();
    TBiffRecord r;
    int depth = 1;
    while (depth > 0) {
        if (!Cursor.Next(r))
            break; // a last sheet without EOF: take what there is
        if (r.Id == rec::Bof) {
            ++depth;
            HasEmbedded = true; // a chart or other object substream inside the sheet
            continue;
        }
        if (r.Id == rec::Eof) {
            --depth;
            continue;
        }
        if (depth > 1 || !worksheet)
            continue;
        const auto read = records.Find(r.Id);
        if (!read)
            continue;
        TByteReader b(r.Body, r.Offset + 4);
        try {
            (this->*read)(r, b, sheet);
        } catch (const EReadPastEnd &e) {
            throw EBiffError("Workbook stream, sheet \"" + sheet.Name() + "\", record 0x"
                             + Hex(r.Id) + " " + RecordName(r.Id) + " at offset "
                             + std::to_string(r.Offset) + ": " + e.what());
        }
    }
    FinishSheet(sheet);
}

void TReader::FilePass(const TBiffRecord &r, TByteReader &)
{
    throw EBiffError("Workbook stream, FILEPASS at offset " + std::to_string(r.Offset)
                     + ": the workbook is protected by a password");
}

void TReader::Font(const TBiffRecord &, TByteReader &b)
{
    TFontRecord f;
    f.Read(b);
    Book.Fonts.push_back(f.Font);
}

void TReader::Format(const TBiffRecord &, TByteReader &b)
{
    TFormatRecord f;
    f.Read(b);
    Book.Formats[f.Id] = f.Text;
}

void TReader::Xf(const TBiffRecord &, TByteReader &b)
{
    TXFRecord x;
    x.Read(b);
    if (x.Xf.Font >= 4) // file index 4 does not exist: 5 is the fifth font
        x.Xf.Font = std::uint16_t(x.Xf.Font == 4 ? 0 : x.Xf.Font - 1);
    Book.XFs.push_back(x.Xf);
}

void TReader::Style(const TBiffRecord &r, TByteReader &)
{
    Book.Styles.push_back({r.Id, std::string(r.Body), {}});
}

void TReader::Palette(const TBiffRecord &, TByteReader &b)
{
    TPaletteRecord p;
    p.Read(b);
    for (size_t i = 0; i < p.Colors.size(); ++i)
        Book.Palette[i] = p.Colors[i];
}

void TReader::BoundSheet(const TBiffRecord &, TByteReader &b)
{
    TBoundSheetRecord s;
    s.Read(b);
    const int pos = Book.Sheets().Add(s.Name);
    TSheet &sheet = Book.Sheets().Item(pos);
    sheet.Visibility = s.Visibility;
    BoundSheets.emplace_back(&sheet, s.Type);
}

// SST: 0 4 references in the workbook, 4 4 strings, then the strings (XLUnicodeRichExtended:
// 2 count, 1 flags, 2 runs when flagged, 4 phonetic size when flagged, the characters, the
// runs, the phonetic data), cut into CONTINUE records at string boundaries or inside the
// characters.
void TReader::Sst(const TBiffRecord &r, TByteReader &)
{
    TPieceReader p(r);
    p.R.U32(); // total references
    const size_t unique = p.R.U32();
    // Each string takes at least 3 bytes: a wrong count cannot make us reserve without bound.
    SstToPool.reserve(std::min(unique, p.R.Left() / 3));
    std::string text;
    for (size_t i = 0; i < unique && !p.R.AtEnd(); ++i) {
        const size_t cch = p.R.U16();
        const std::uint8_t flags = p.R.U8();
        const size_t runs = (flags & 0x08) ? p.R.U16() : 0;
        const size_t ext = (flags & 0x04) ? p.R.U32() : 0;
        text.clear();
        // The last string cut short at the table's end (met in workbooks of report generators
        // that count the characters but stop writing early): xlrd and LibreOffice keep what
        // is there, and so do we; a string cut short before the last is still an error.
        const bool last = i + 1 == unique;
        p.Chars(text, cch, flags & 0x01, last);
        p.R.Skip(last ? std::min(p.R.Left(), runs * 4) : runs * 4); // formatting runs
        p.R.Skip(last ? std::min(p.R.Left(), ext) : ext); // phonetic data
        SstToPool.push_back(Book.Strings.Append(text));
    }
}

void TReader::SupBook(const TBiffRecord &r, TByteReader &)
{
    TSupBook sb;
    sb.Body = std::string(r.Body);
    sb.Internal = TInternalSupBookRecord::Is(r.Body);
    Book.SupBooks.push_back(std::move(sb));
}

void TReader::ExternName(const TBiffRecord &r, TByteReader &)
{
    if (Book.SupBooks.empty())
        throw EXLSError(14);
    Book.SupBooks.back().Names.push_back(Raw(r));
}

void TReader::ExternSheet(const TBiffRecord &, TByteReader &b)
{
    TExternSheetRecord x;
    x.Read(b);
    for (const auto &e : x.Entries) {
        if (e.SupBook >= Book.SupBooks.size())
            throw EXLSError(14);
        TXti xti;
        xti.SupBook = e.SupBook;
        xti.First = e.First;
        xti.Last = e.Last;
        Book.Xtis.push_back(xti);
    }
}

void TReader::Name(const TBiffRecord &r, TByteReader &b)
{
    TReadName n;
    n.Body = std::string(r.Body);
    n.Record.Read(b);
    Names.push_back(std::move(n));
}

void TReader::DrawingGroup(const TBiffRecord &r, TByteReader &)
{
    Book.DrawingGroup = Raw(r);
}

void TReader::BookPassword(const TBiffRecord &, TByteReader &b)
{
    Book.Password = b.U16();
}

void TReader::Cell(TSheet &sheet,
                   const TCellPlace &place,
                   int col,
                   TCellKind kind,
                   std::uint64_t payload,
                   std::uint8_t small)
{
    // Columns above 255 cannot exist in BIFF8; such cells (met in fuzzed files only) are
    // left out rather than failing the whole workbook.
    if (col > 255)
        return;
    TCellData &d = sheet.Cells().PutRaw(place.Row, col, place.Xf);
    d.Xf = place.Xf;
    d.Kind = kind;
    d.Payload = payload;
    d.Small = small;
}

void TReader::Number(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    TNumberRecord n;
    n.Read(b);
    Cell(sheet, n.Cell, n.Cell.Col, TCellKind::Number, n.Bits);
}

void TReader::Rk(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    TRkRecord n;
    n.Read(b);
    Cell(
        sheet, n.Cell, n.Cell.Col, TCellKind::Number, std::bit_cast<std::uint64_t>(DecodeRk(n.Rk)));
}

void TReader::MulRk(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    TMulRkRecord &m = MulRkItems;
    m.Read(b);
    for (size_t i = 0; i < m.Cells.size(); ++i)
        Cell(sheet,
             {m.Row, 0, m.Cells[i].Xf},
             m.First + int(i),
             TCellKind::Number,
             std::bit_cast<std::uint64_t>(DecodeRk(m.Cells[i].Rk)));
}

void TReader::LabelSst(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    TLabelSstRecord l;
    l.Read(b);
    if (l.Sst >= SstToPool.size())
        throw EReadPastEnd(b.StreamOffset(), l.Sst, SstToPool.size());
    Cell(sheet, l.Cell, l.Cell.Col, TCellKind::Text, SstToPool[l.Sst]);
}

void TReader::Label(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    TLabelRecord l;
    l.Read(b);
    Cell(sheet, l.Cell, l.Cell.Col, TCellKind::Text, Book.Strings.Intern(l.Text));
}

void TReader::Blank(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    TBlankRecord l;
    l.Read(b);
    if (l.Cell.Xf != kDefaultXf) // a blank with the default format carries nothing
        Cell(sheet, l.Cell, l.Cell.Col, TCellKind::Blank, 0);
}

void TReader::MulBlank(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    TMulBlankRecord &m = MulBlankItems;
    m.Read(b);
    for (size_t i = 0; i < m.Xfs.size(); ++i)
        if (m.Xfs[i] != kDefaultXf)
            Cell(sheet, {m.Row, 0, m.Xfs[i]}, m.First + int(i), TCellKind::Blank, 0);
}

void TReader::BoolErr(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    TBoolErrRecord e;
    e.Read(b);
    Cell(sheet, e.Cell, e.Cell.Col, e.IsError ? TCellKind::Error : TCellKind::Boolean, 0, e.Value);
}

void TReader::Formula(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    TFormulaRecord r;
    r.Read(b);
    TFormula f;
    f.Flags = r.Options;
    f.RpnSize = r.RpnSize;
    f.Tokens = std::move(r.Tokens);
    if (!r.NumberResult()) {
        switch (r.Type()) {
        case TFormulaRecord::ResultText:
            f.ResultKind = TCellKind::Text;
            break; // a STRING record follows
        case TFormulaRecord::ResultBoolean:
            f.ResultKind = TCellKind::Boolean;
            break;
        case TFormulaRecord::ResultError:
            f.ResultKind = TCellKind::Error;
            break;
        default:
            f.ResultKind = TCellKind::Blank;
            break; // 3: empty text
        }
        f.ResultSmall = r.Value();
        f.ResultText = Book.Strings.Intern("");
    } else {
        f.ResultKind = TCellKind::Number;
        f.ResultNumber = std::bit_cast<double>(r.Result);
    }
    const TCellPlace &place = r.Cell;
    if (place.Col > 255)
        return;
    auto &cells = sheet.Cells();
    const auto index = std::uint32_t(cells.Formulas.size());
    TPendingFormula p {index, place.Row, place.Col, false, 0, 0};
    if (f.RpnSize == 5 && std::uint8_t(f.Tokens[0]) == 0x01) { // tExp: shared or array
        p.Shared = true;
        p.BaseRow = std::uint8_t(f.Tokens[1]) | (std::uint8_t(f.Tokens[2]) << 8);
        p.BaseCol = std::uint8_t(f.Tokens[3]) | (std::uint8_t(f.Tokens[4]) << 8);
    }
    cells.Formulas.push_back(std::move(f));
    Cell(sheet, place, place.Col, TCellKind::Formula, index);
    Pending.push_back(p);
    StringTarget = index;
}

void TReader::String(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    if (StringTarget < 0)
        return;
    TFormula &f = sheet.Cells().Formulas[size_t(StringTarget)];
    if (f.ResultKind == TCellKind::Text) {
        TStringRecord s;
        s.Read(b);
        f.ResultText = Book.Strings.Intern(s.Text);
    }
    StringTarget = -1;
}

void TReader::ShrFmla(const TBiffRecord &, TByteReader &b, TSheet &)
{
    TShrFmlaRecord r;
    r.Read(b);
    TSharedFormula s;
    s.Area = {r.Row1, r.Col1, r.Row2, r.Col2};
    s.Rpn = std::move(r.Rpn);
    Shared[{s.Area.Row1, s.Area.Col1}] = std::move(s);
}

void TReader::ColInfo(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    TColInfoRecord c;
    c.Read(b);
    for (unsigned col = c.First; col <= c.Last && col <= 255; ++col) {
        sheet.Columns().Items[std::uint16_t(col)] = {c.Width, c.Xf, c.Options};
        sheet.ColumnFormatChanged(int(col));
    }
}

void TReader::Row(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    TRowRecord row;
    row.Read(b);
    TRowData d;
    d.Height = std::uint16_t(row.Height & 0x7FFF);
    d.Options = std::uint16_t(row.Options & 0xFF);
    d.Xf = std::uint16_t((row.Options >> 16) & 0xFFF);
    // Only rows that set something are settings; the others just announce cells.
    if (d.Options & (TRowData::kCustomHeight | TRowData::kHasFormat | TRowData::kHidden | 0x17))
        sheet.Rows().Items[row.Row] = d;
}

void TReader::MergedCells(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    TMergedCellsRecord m;
    m.Read(b);
    for (const auto &ref : m.Ranges)
        if (ref.Row1 <= ref.Row2 && ref.Col1 <= ref.Col2 && ref.Col2 <= 255)
            sheet.Ranges().AddMerged({ref.Row1, ref.Col1, ref.Row2, ref.Col2});
}

void TReader::WsBool(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    sheet.PageSetup.WsBool = b.U16();
}

void TReader::Setup(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    TSetupRecord s;
    s.Read(b);
    TPageSetup &ps = sheet.PageSetup;
    ps.PaperSize = s.Paper;
    ps.Scale = s.Scale;
    ps.PageStart = s.PageStart;
    ps.FitWidth = s.FitWidth;
    ps.FitHeight = s.FitHeight;
    ps.Options = s.Options;
    ps.Resolution = s.Res;
    ps.VResolution = s.VRes;
    ps.HeaderMargin = s.HeaderMargin;
    ps.FooterMargin = s.FooterMargin;
    ps.Copies = s.Copies;
}

void TReader::Window2(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    TWindow2Record w;
    w.Read(b);
    sheet.View.Options = w.Options;
    sheet.View.TopRow = w.TopRow;
    sheet.View.LeftCol = w.LeftCol;
    sheet.View.GridColor = w.GridColor;
    sheet.View.ZoomPageBreak = w.ZoomPageBreak;
    sheet.View.ZoomNormal = w.ZoomNormal;
}

void TReader::Pane(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    TPaneRecord p;
    p.Read(b);
    sheet.View.HasPane = true;
    sheet.View.PaneX = p.X;
    sheet.View.PaneY = p.Y;
    sheet.View.PaneTopRow = p.TopRow;
    sheet.View.PaneLeftCol = p.LeftCol;
    sheet.View.ActivePane = p.Active;
}

void TReader::Scl(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    TSclRecord s;
    s.Read(b);
    if (s.Denominator != 0 && s.Numerator != 0)
        sheet.View.Zoom = int(unsigned(s.Numerator) * 100 / s.Denominator);
}

void TReader::FeatHeadr(const TBiffRecord &r, TByteReader &, TSheet &sheet)
{
    sheet.Protection.Features.push_back(Raw(r));
}

void TReader::SheetPassword(const TBiffRecord &, TByteReader &b, TSheet &sheet)
{
    sheet.Protection.Password = b.U16();
}

void TReader::FinishSheet(TSheet &sheet)
{
    auto &cells = sheet.Cells();
    for (const auto &p : Pending) {
        TFormula &f = cells.Formulas[p.Index];
        bool keep;
        if (p.Shared) {
            auto it = Shared.find({p.BaseRow, p.BaseCol});
            keep = it != Shared.end() && it->second.Area.Contains(p.Row, p.Col);
            if (keep) {
                std::string rpn = it->second.Rpn;
                keep = MaterializeShared(rpn, p.Row, p.Col) && FormulaCanBeKept(rpn);
                if (keep) {
                    f.Tokens = rpn;
                    f.RpnSize = std::uint16_t(rpn.size());
                    f.Flags &= std::uint16_t(~TFormulaRecord::kShared); // no longer shared
                }
            }
        } else {
            keep = f.RpnSize <= f.Tokens.size()
                && FormulaCanBeKept(std::string_view(f.Tokens).substr(0, f.RpnSize));
        }
        if (keep)
            continue;
        // The formula cannot be kept: the cell keeps its stored result as a plain value.
        TCellData *d = cells.Find(p.Row, p.Col);
        if (!d || d->Kind != TCellKind::Formula || d->Ref() != p.Index)
            continue;
        switch (f.ResultKind) {
        case TCellKind::Number:
            d->Kind = TCellKind::Number;
            d->SetNumber(f.ResultNumber);
            break;
        case TCellKind::Text:
        case TCellKind::Blank:
            d->Kind = TCellKind::Text;
            d->Payload = f.ResultText;
            break;
        default:
            d->Kind = f.ResultKind;
            d->Small = f.ResultSmall;
            d->Payload = 0;
            break;
        }
    }
    if (HasEmbedded) {
        // Charts were skipped; their shapes would dangle in the drawing: drop the drawing
        // with the comments that live in it.
        sheet.Drawing.clear();
        sheet.Notes.clear();
    }
}

bool TReader::DecodeAreas(std::string_view rpn, const TSheet *&sheet, std::vector<TRect> &areas)
{
    // A list of tArea3d/tRef3d tokens joined by tUnion, optionally inside tMemFunc or
    // tMemArea, all on one internal sheet: what print areas and titles hold.
    TByteReader t(rpn);
    sheet = nullptr;
    while (!t.AtEnd()) {
        const std::uint8_t ptg = t.U8();
        const std::uint8_t base = ptg >= 0x20 ? std::uint8_t((ptg & 0x1F) | 0x20) : ptg;
        if (base == 0x29) { // tMemFunc
            t.U16();
            continue;
        }
        if (base == 0x26) { // tMemArea
            t.Skip(6);
            continue;
        }
        if (ptg == 0x10) // tUnion
            continue;
        if (base != 0x3B && base != 0x3A)
            return false;
        const std::uint16_t ixti = t.U16();
        TRect a;
        if (base == 0x3B) {
            a.Row1 = t.U16();
            a.Row2 = t.U16();
            a.Col1 = t.U16() & 0xFF;
            a.Col2 = t.U16() & 0xFF;
        } else {
            a.Row1 = a.Row2 = t.U16();
            a.Col1 = a.Col2 = t.U16() & 0xFF;
        }
        if (ixti >= Book.Xtis.size())
            return false;
        const TXti &x = Book.Xtis[ixti];
        if (!x.FirstSheet || x.FirstSheet != x.LastSheet)
            return false;
        if (sheet && sheet != x.FirstSheet)
            return false;
        sheet = x.FirstSheet;
        areas.push_back(a);
    }
    return sheet != nullptr && !areas.empty();
}

void TReader::ApplyNames()
{
    for (auto &read : Names) {
        const TNameRecord &n = read.Record;
        const bool builtin = n.Options & TNameRecord::kBuiltin;
        const TSheet *target = nullptr;
        std::vector<TRect> areas;
        const bool simple
            = !(n.Options & TNameRecord::kFunction) && DecodeAreas(n.Rpn, target, areas);
        TSheet *sheet = const_cast<TSheet *>(target);
        if (simple && builtin && n.Name.size() == 1 && n.Name[0] == TNameRecord::kPrintArea) {
            sheet->PageSetup.PrintArea = areas;
            continue;
        }
        if (simple && builtin && n.Name.size() == 1 && n.Name[0] == TNameRecord::kPrintTitles) {
            for (const auto &a : areas) {
                if (a.Col1 == 0 && a.Col2 == 255)
                    sheet->PageSetup.TitleRows = {a.Row1, a.Row2};
                else if (a.Row1 == 0 && a.Row2 == 65535)
                    sheet->PageSetup.TitleCols = {a.Col1, a.Col2};
            }
            continue;
        }
        if (simple && !builtin && areas.size() == 1 && !(n.Options & TNameRecord::kHidden)
            && (n.Sheet == 0
                || (n.Sheet <= BoundSheets.size() && BoundSheets[n.Sheet - 1].first == sheet))) {
            TRange &range = sheet->Ranges().Add(areas.front());
            range.SetName(n.Name);
            range.SetGlobal(n.Sheet == 0);
            continue;
        }
        TRawName rawName;
        rawName.Body = read.Body;
        rawName.Scope = n.Sheet > 0 && n.Sheet <= BoundSheets.size()
            ? BoundSheets[n.Sheet - 1].first
            : nullptr;
        Book.OtherNames.push_back(std::move(rawName));
    }
}

void TReader::Finish()
{
    // External sheet references to the internal book point at sheets by identity.
    for (auto &x : Book.Xtis) {
        if (!Book.SupBooks[x.SupBook].Internal)
            continue;
        if (x.First >= 0 && size_t(x.First) < BoundSheets.size())
            x.FirstSheet = BoundSheets[size_t(x.First)].first;
        if (x.Last >= 0 && size_t(x.Last) < BoundSheets.size())
            x.LastSheet = BoundSheets[size_t(x.Last)].first;
    }
    ApplyNames();
    // Tables the cells rely on: at least the 16 standard XFs and one font.
    if (Book.Fonts.empty())
        Book.Fonts.push_back(TFont {});
    while (Book.XFs.size() < 16)
        Book.XFs.push_back(TXF {});
    for (auto &x : Book.XFs)
        if (x.Font >= Book.Fonts.size())
            x.Font = 0;
    const auto xfCount = Book.XFs.size();
    // Sheets that are not worksheets (charts, macros) are not carried over.
    for (int i = Book.Sheets().Count() - 1; i >= 0; --i) {
        if (BoundSheets[size_t(i)].second == 0)
            continue;
        const TSheet *gone = BoundSheets[size_t(i)].first;
        for (auto &x : Book.Xtis) {
            if (x.FirstSheet == gone || x.LastSheet == gone) {
                x.FirstSheet = x.LastSheet = nullptr;
                x.First = x.Last = 0xFFFF;
            }
        }
        for (auto &n : Book.OtherNames)
            if (n.Scope == gone)
                n.Scope = nullptr;
        Book.Sheets().Remove(i);
    }
    for (int i = 0; i < Book.Sheets().Count(); ++i) {
        TSheet &sheet = Book.Sheets().Item(i);
        for (auto &row : sheet.Cells().Rows)
            for (auto &c : row)
                if (c.Xf >= xfCount)
                    c.Xf = kDefaultXf;
        for (auto &[col, d] : sheet.Columns().Items)
            if (d.Xf >= xfCount)
                d.Xf = kDefaultXf;
        for (auto &[row, d] : sheet.Rows().Items)
            if (d.Xf >= xfCount)
                d.Xf = kDefaultXf;
        for (int col = 0; col < 256; ++col)
            sheet.ColumnFormatChanged(col);
    }
}

} // namespace

void ReadWorkbookStream(std::string_view stream, TWorkbook &book)
{
    TReader(stream, book).Run();
}

} // namespace vartesk::xls
