// BIFF8 reader: dispatch by the record table, sheet substreams in BOUNDSHEET order.
#include "xls/biff_reader.h"

#include "xls/biff_records.h"
#include "xls/biff_stream.h"
#include "xls/file_kind.h"
#include "xls/formula.h"
#include "xls/workbook.h"
#include "xls/xls_error.h"

#include <cstdio>
#include <map>

namespace vartesk::xls {

namespace {

constexpr std::uint16_t kBiff8 = 0x0600, kBiff5 = 0x0500;
constexpr std::uint16_t kGlobals = 0x0005, kWorksheet = 0x0010;

std::string Hex(unsigned id)
{
    char b[8];
    std::snprintf(b, sizeof b, "%04X", id);
    return b;
}

double DecodeRk(std::uint32_t rk)
{
    double v;
    if (rk & 0x02)
        v = double(std::int32_t(rk) >> 2);
    else
        v = std::bit_cast<double>(std::uint64_t(rk & 0xFFFFFFFC) << 32);
    return (rk & 0x01) ? v / 100 : v;
}

// Reads characters of SST strings across CONTINUE boundaries: where characters go on in a
// new CONTINUE record, its first byte repeats the form flag ([MS-XLS] 2.5.293).
class TPieceReader
{
public:
    TPieceReader(std::string_view body, const std::vector<std::uint32_t> *pieces, size_t base)
        : R(body, base)
        , Pieces(pieces)
    { }
    TByteReader R;
    size_t NextBoundary()
    {
        if (!Pieces)
            return R.Size();
        // A boundary right at the position counts: characters that begin a CONTINUE record
        // (their string's header filled the record before) still come behind a form flag.
        while (Next < Pieces->size() && (*Pieces)[Next] < R.Pos())
            ++Next;
        return Next < Pieces->size() ? (*Pieces)[Next] : R.Size();
    }
    // With `cutShort`, characters that run past the end of the whole record are dropped
    // instead of failing: the last string of a table that its writer cut short.
    void Chars(std::string &out, size_t count, bool wide, bool cutShort = false)
    {
        while (count > 0) {
            const size_t boundary = NextBoundary();
            const size_t unit = wide ? 2 : 1;
            const size_t avail = (boundary - R.Pos()) / unit;
            const size_t n = std::min(count, avail);
            AppendChars(out, R.Bytes(n * unit), wide);
            count -= n;
            if (count > 0 && cutShort && boundary == R.Size()) {
                R.Skip(R.Left());
                return;
            }
            if (count > 0) {
                if (R.Pos() != boundary)
                    throw EReadPastEnd(R.StreamOffset(), unit, boundary - R.Pos());
                wide = R.U8() & 0x01; // the form flag of the continued characters
            }
        }
    }

private:
    const std::vector<std::uint32_t> *Pieces;
    size_t Next = 0;
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
    std::uint16_t Options = 0;
    bool Builtin = false;
    std::string Name;
    std::uint16_t Itab = 0;
    std::string Rpn;
};

class TReader
{
public:
    TReader(std::string_view stream, TWorkbook &book)
        : Cursor(stream)
        , Book(book)
    { }
    void Run();

private:
    void Globals(const TBiffRecord &r);
    void SheetRecord(const TBiffRecord &r, TSheet &sheet);
    void FinishSheet(TSheet &sheet);
    void Finish();
    void ReadSst(const TBiffRecord &r);
    void Cell(TSheet &sheet,
              int row,
              int col,
              std::uint32_t xf,
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
    std::vector<std::pair<std::uint16_t, std::uint16_t>> RawXtis; // first, last per XTI
    // Per sheet.
    std::vector<TPendingFormula> Pending;
    std::map<std::pair<int, int>, TSharedFormula> Shared;
    std::int64_t StringTarget = -1; // formula awaiting its STRING record
    bool HasEmbedded = false;
};

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
    for (;;) {
        if (!Cursor.Next(r))
            throw EBiffError("Workbook stream ends inside the workbook globals");
        if (r.Id == rec::Eof)
            break;
        try {
            Globals(r);
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
        const bool worksheet = bof.Type == kWorksheet && BoundSheets[sheetNo].second == 0;
        Pending.clear();
        Shared.clear();
        StringTarget = -1;
        HasEmbedded = false;
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
            try {
                SheetRecord(r, sheet);
            } catch (const EReadPastEnd &e) {
                throw EBiffError("Workbook stream, sheet \"" + sheet.Name() + "\", record 0x"
                                 + Hex(r.Id) + " " + RecordName(r.Id) + " at offset "
                                 + std::to_string(r.Offset) + ": " + e.what());
            }
        }
        FinishSheet(sheet);
        ++sheetNo;
    }
    Finish();
}

void TReader::Globals(const TBiffRecord &r)
{
    TByteReader b(r.Body, r.Offset + 4);
    switch (r.Id) {
    case rec::FilePass:
        throw EBiffError("Workbook stream, FILEPASS at offset " + std::to_string(r.Offset)
                         + ": the workbook is protected by a password");
    case rec::Font: {
        TFontRecord f;
        f.Read(b);
        Book.Fonts.push_back(f.Font);
        break;
    }
    case rec::Format: {
        TFormatRecord f;
        f.Read(b);
        Book.Formats[f.Id] = f.Text;
        break;
    }
    case rec::Xf: {
        TXFRecord x;
        x.Read(b);
        if (x.Xf.Font >= 4) // file index 4 does not exist: 5 is the fifth font
            x.Xf.Font = std::uint16_t(x.Xf.Font == 4 ? 0 : x.Xf.Font - 1);
        Book.XFs.push_back(x.Xf);
        break;
    }
    case rec::Style:
        Book.Styles.push_back({r.Id, std::string(r.Body), {}});
        break;
    case rec::Palette: {
        const size_t n = std::min<size_t>(b.U16(), 56);
        for (size_t i = 0; i < n; ++i) {
            const std::uint32_t red = b.U8(), green = b.U8(), blue = b.U8();
            b.U8();
            Book.Palette[i] = (red << 16) | (green << 8) | blue;
        }
        break;
    }
    case rec::BoundSheet: {
        TBoundSheetRecord s;
        s.Read(b);
        const int pos = Book.Sheets().Add(s.Name);
        TSheet &sheet = Book.Sheets().Item(pos);
        sheet.Visibility = s.Visibility;
        BoundSheets.emplace_back(&sheet, s.Type);
        break;
    }
    case rec::Sst:
        ReadSst(r);
        break;
    case rec::SupBook: {
        TSupBook sb;
        sb.Body = std::string(r.Body);
        // An internal book: sheet count and the marker 0x0401 ([MS-XLS] 2.4.271).
        sb.Internal = r.Body.size() == 4 && std::uint8_t(r.Body[2]) == 0x01
            && std::uint8_t(r.Body[3]) == 0x04;
        Book.SupBooks.push_back(std::move(sb));
        break;
    }
    case rec::ExternName:
        if (Book.SupBooks.empty())
            throw EXLSError(14);
        Book.SupBooks.back().Names.push_back(
            {r.Id, std::string(r.Body), r.Pieces ? *r.Pieces : std::vector<std::uint32_t> {}});
        break;
    case rec::ExternSheet: {
        const size_t n = b.U16();
        if (n > b.Left() / 6)
            throw EXLSError(14);
        for (size_t i = 0; i < n; ++i) {
            TXti x;
            x.SupBook = b.U16();
            const std::uint16_t first = b.U16(), last = b.U16();
            x.First = first;
            x.Last = last;
            if (x.SupBook >= Book.SupBooks.size())
                throw EXLSError(14);
            Book.Xtis.push_back(x);
            RawXtis.emplace_back(first, last);
        }
        break;
    }
    case rec::Name: {
        TReadName n;
        n.Body = std::string(r.Body);
        n.Options = b.U16();
        b.U8(); // keyboard shortcut
        const size_t cch = b.U8();
        const size_t cce = b.U16();
        b.U16();
        n.Itab = b.U16();
        b.Skip(4);
        n.Builtin = n.Options & 0x0020;
        const bool wide = b.U8() & 1;
        AppendChars(n.Name, b.Bytes(cch * (wide ? 2 : 1)), wide);
        n.Rpn = std::string(b.Bytes(std::min(cce, b.Left())));
        Names.push_back(std::move(n));
        break;
    }
    case rec::MsoDrawingGroup:
        Book.DrawingGroup
            = {r.Id, std::string(r.Body), r.Pieces ? *r.Pieces : std::vector<std::uint32_t> {}};
        break;
    case rec::WindowProtect:
        Book.WindowProtect = b.U16() != 0;
        break;
    case rec::Protect:
        Book.Protect = b.U16() != 0;
        break;
    case rec::Password:
        Book.Password = b.U16();
        break;
    default:
        break; // every other record is skipped
    }
}

void TReader::ReadSst(const TBiffRecord &r)
{
    TPieceReader p(r.Body, r.Pieces, r.Offset + 4);
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

void TReader::Cell(TSheet &sheet,
                   int row,
                   int col,
                   std::uint32_t xf,
                   TCellKind kind,
                   std::uint64_t payload,
                   std::uint8_t small)
{
    // Columns above 255 cannot exist in BIFF8; such cells (met in fuzzed files only) are
    // left out rather than failing the whole workbook.
    if (col > 255)
        return;
    TCellData &d = sheet.Cells().PutRaw(row, col, xf);
    d.Xf = xf;
    d.Kind = kind;
    d.Payload = payload;
    d.Small = small;
}

void TReader::SheetRecord(const TBiffRecord &r, TSheet &sheet)
{
    TByteReader b(r.Body, r.Offset + 4);
    auto raw = [&] {
        return TRawRecord {
            r.Id, std::string(r.Body), r.Pieces ? *r.Pieces : std::vector<std::uint32_t> {}};
    };
    TPageSetup &ps = sheet.PageSetup;
    switch (r.Id) {
    case rec::Number: {
        const int row = b.U16(), col = b.U16();
        const std::uint32_t xf = b.U16();
        Cell(sheet, row, col, xf, TCellKind::Number, b.U64());
        break;
    }
    case rec::Rk: {
        const int row = b.U16(), col = b.U16();
        const std::uint32_t xf = b.U16();
        Cell(sheet,
             row,
             col,
             xf,
             TCellKind::Number,
             std::bit_cast<std::uint64_t>(DecodeRk(b.U32())));
        break;
    }
    case rec::MulRk: {
        const int row = b.U16(), first = b.U16();
        const size_t n = b.Left() >= 2 ? (b.Left() - 2) / 6 : 0;
        for (size_t i = 0; i < n; ++i) {
            const std::uint32_t xf = b.U16();
            Cell(sheet,
                 row,
                 first + int(i),
                 xf,
                 TCellKind::Number,
                 std::bit_cast<std::uint64_t>(DecodeRk(b.U32())));
        }
        break;
    }
    case rec::LabelSst: {
        const int row = b.U16(), col = b.U16();
        const std::uint32_t xf = b.U16();
        const std::uint32_t isst = b.U32();
        if (isst >= SstToPool.size())
            throw EReadPastEnd(b.StreamOffset(), isst, SstToPool.size());
        Cell(sheet, row, col, xf, TCellKind::Text, SstToPool[isst]);
        break;
    }
    case rec::Label:
    case rec::RString: {
        const int row = b.U16(), col = b.U16();
        const std::uint32_t xf = b.U16();
        const std::string text = ReadUnicodeString(b, false);
        Cell(sheet, row, col, xf, TCellKind::Text, Book.Strings.Intern(text));
        break;
    }
    case rec::Blank: {
        const int row = b.U16(), col = b.U16();
        const std::uint32_t xf = b.U16();
        if (xf != 15) // a blank with the default format carries nothing
            Cell(sheet, row, col, xf, TCellKind::Blank, 0);
        break;
    }
    case rec::MulBlank: {
        const int row = b.U16(), first = b.U16();
        const size_t n = b.Left() >= 2 ? (b.Left() - 2) / 2 : 0;
        for (size_t i = 0; i < n; ++i) {
            const std::uint32_t xf = b.U16();
            if (xf != 15)
                Cell(sheet, row, first + int(i), xf, TCellKind::Blank, 0);
        }
        break;
    }
    case rec::BoolErr: {
        const int row = b.U16(), col = b.U16();
        const std::uint32_t xf = b.U16();
        const std::uint8_t value = b.U8(), isError = b.U8();
        Cell(sheet, row, col, xf, isError ? TCellKind::Error : TCellKind::Boolean, 0, value);
        break;
    }
    case rec::Formula: {
        const int row = b.U16(), col = b.U16();
        const std::uint32_t xf = b.U16();
        const auto result = b.Bytes(8);
        TFormula f;
        f.Flags = b.U16();
        b.U32(); // chn
        f.RpnSize = b.U16();
        f.Tokens = std::string(b.Bytes(f.RpnSize));
        f.Tokens += b.Rest();
        TByteReader res(result);
        const std::uint8_t type = res.U8();
        if (std::uint8_t(result[6]) == 0xFF && std::uint8_t(result[7]) == 0xFF) {
            res.U8();
            const std::uint8_t small = res.U8();
            switch (type) {
            case 0:
                f.ResultKind = TCellKind::Text;
                break; // a STRING record follows
            case 1:
                f.ResultKind = TCellKind::Boolean;
                break;
            case 2:
                f.ResultKind = TCellKind::Error;
                break;
            default:
                f.ResultKind = TCellKind::Blank;
                break; // 3: empty text
            }
            f.ResultSmall = small;
            f.ResultText = Book.Strings.Intern("");
        } else {
            f.ResultKind = TCellKind::Number;
            f.ResultNumber = std::bit_cast<double>(TByteReader(result).U64());
        }
        if (col > 255)
            break;
        auto &cells = sheet.Cells();
        const auto index = std::uint32_t(cells.Formulas.size());
        TPendingFormula p {index, row, col, false, 0, 0};
        if (f.RpnSize == 5 && std::uint8_t(f.Tokens[0]) == 0x01) { // tExp: shared or array
            p.Shared = true;
            p.BaseRow = std::uint8_t(f.Tokens[1]) | (std::uint8_t(f.Tokens[2]) << 8);
            p.BaseCol = std::uint8_t(f.Tokens[3]) | (std::uint8_t(f.Tokens[4]) << 8);
        }
        cells.Formulas.push_back(std::move(f));
        Cell(sheet, row, col, xf, TCellKind::Formula, index);
        Pending.push_back(p);
        StringTarget = index;
        break;
    }
    case rec::String: {
        if (StringTarget < 0)
            break;
        TFormula &f = sheet.Cells().Formulas[size_t(StringTarget)];
        if (f.ResultKind == TCellKind::Text)
            f.ResultText = Book.Strings.Intern(ReadUnicodeString(b, false));
        StringTarget = -1;
        break;
    }
    case rec::ShrFmla: {
        TSharedFormula s;
        s.Area.Row1 = b.U16();
        s.Area.Row2 = b.U16();
        s.Area.Col1 = b.U8();
        s.Area.Col2 = b.U8();
        b.U16(); // reserved, use count
        const size_t cce = b.U16();
        s.Rpn = std::string(b.Bytes(cce));
        Shared[{s.Area.Row1, s.Area.Col1}] = std::move(s);
        break;
    }
    case rec::ColInfo: {
        TColInfoRecord c;
        c.Read(b);
        for (unsigned col = c.First; col <= c.Last && col <= 255; ++col) {
            sheet.Columns().Items[std::uint16_t(col)] = {c.Width, c.Xf, c.Options};
            sheet.ColumnFormatChanged(int(col));
        }
        break;
    }
    case rec::Row: {
        TRowRecord row;
        row.Read(b);
        TRowData d;
        d.Height = std::uint16_t(row.Height & 0x7FFF);
        d.Options = std::uint16_t(row.Options & 0xFF);
        d.Xf = std::uint16_t((row.Options >> 16) & 0xFFF);
        // Only rows that set something are settings; the others just announce cells.
        if (d.Options & (TRowData::kCustomHeight | TRowData::kHasFormat | TRowData::kHidden | 0x17))
            sheet.Rows().Items[row.Row] = d;
        break;
    }
    case rec::MergedCells: {
        TMergedCellsRecord m;
        m.Read(b);
        for (const auto &ref : m.Ranges)
            if (ref.Row1 <= ref.Row2 && ref.Col1 <= ref.Col2 && ref.Col2 <= 255)
                sheet.Ranges().AddMerged({ref.Row1, ref.Col1, ref.Row2, ref.Col2});
        break;
    }
    case rec::Header:
        if (!r.Body.empty())
            ps.Header = THeaderFooter::Parse(ReadCutShortString(b));
        break;
    case rec::Footer:
        if (!r.Body.empty())
            ps.Footer = THeaderFooter::Parse(ReadCutShortString(b));
        break;
    case rec::LeftMargin:
        ps.LeftMargin = b.F64();
        break;
    case rec::RightMargin:
        ps.RightMargin = b.F64();
        break;
    case rec::TopMargin:
        ps.TopMargin = b.F64();
        break;
    case rec::BottomMargin:
        ps.BottomMargin = b.F64();
        break;
    case rec::PrintHeaders:
        ps.PrintHeaders = b.U16() != 0;
        break;
    case rec::PrintGridlines:
        ps.PrintGridlines = b.U16() != 0;
        break;
    case rec::WsBool:
        ps.WsBool = b.U16();
        break;
    case rec::HCenter:
        ps.HCenter = b.U16() != 0;
        break;
    case rec::VCenter:
        ps.VCenter = b.U16() != 0;
        break;
    case rec::Setup: {
        TSetupRecord s;
        s.Read(b);
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
        break;
    }
    case rec::HorizontalPageBreaks:
    case rec::VerticalPageBreaks: {
        const size_t n = b.U16();
        auto &list = r.Id == rec::HorizontalPageBreaks ? sheet.RowBreaks : sheet.ColBreaks;
        for (size_t i = 0; i < n; ++i) {
            TPageBreak pb;
            pb.Pos = b.U16();
            pb.First = b.U16();
            pb.Last = b.U16();
            list.push_back(pb);
        }
        break;
    }
    case rec::Window2: {
        TWindow2Record w;
        w.Read(b);
        sheet.View.Options = w.Options;
        sheet.View.TopRow = w.TopRow;
        sheet.View.LeftCol = w.LeftCol;
        sheet.View.GridColor = w.GridColor;
        sheet.View.ZoomPageBreak = w.ZoomPageBreak;
        sheet.View.ZoomNormal = w.ZoomNormal;
        break;
    }
    case rec::Pane: {
        TPaneRecord p;
        p.Read(b);
        sheet.View.HasPane = true;
        sheet.View.PaneX = p.X;
        sheet.View.PaneY = p.Y;
        sheet.View.PaneTopRow = p.TopRow;
        sheet.View.PaneLeftCol = p.LeftCol;
        sheet.View.ActivePane = p.Active;
        break;
    }
    case rec::Scl: {
        const unsigned num = b.U16(), den = b.U16();
        if (den != 0 && num != 0)
            sheet.View.Zoom = int(num * 100 / den);
        break;
    }
    case rec::MsoDrawing:
    case rec::Obj:
    case rec::Txo:
        sheet.Drawing.push_back(raw());
        break;
    case rec::Note:
        sheet.Notes.push_back(raw());
        break;
    case rec::HLink:
    case rec::HLinkTooltip:
        sheet.Hyperlinks.push_back(raw());
        break;
    case rec::DVal:
    case rec::Dv:
        sheet.Validations.push_back(raw());
        break;
    case rec::Protect:
        sheet.Protection.Protect = b.U16() != 0;
        break;
    case rec::ScenProtect:
        sheet.Protection.Scenarios = b.U16() != 0;
        break;
    case rec::ObjProtect:
        sheet.Protection.Objects = b.U16() != 0;
        break;
    case rec::Password:
        sheet.Protection.Password = b.U16();
        break;
    case rec::FeatHeadr:
        sheet.Protection.Features.push_back(raw());
        break;
    default:
        break;
    }
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
                    f.Flags &= std::uint16_t(~0x0008); // no longer shared
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
    for (auto &n : Names) {
        const TSheet *target = nullptr;
        std::vector<TRect> areas;
        const bool simple = !(n.Options & 0x0002) && DecodeAreas(n.Rpn, target, areas);
        TSheet *sheet = const_cast<TSheet *>(target);
        if (simple && n.Builtin && n.Name.size() == 1 && n.Name[0] == '\x06') {
            sheet->PageSetup.PrintArea = areas;
            continue;
        }
        if (simple && n.Builtin && n.Name.size() == 1 && n.Name[0] == '\x07') {
            for (const auto &a : areas) {
                if (a.Col1 == 0 && a.Col2 == 255)
                    sheet->PageSetup.TitleRows = {a.Row1, a.Row2};
                else if (a.Row1 == 0 && a.Row2 == 65535)
                    sheet->PageSetup.TitleCols = {a.Col1, a.Col2};
            }
            continue;
        }
        if (simple && !n.Builtin && areas.size() == 1 && !(n.Options & 0x0001)
            && (n.Itab == 0
                || (n.Itab <= BoundSheets.size() && BoundSheets[n.Itab - 1].first == sheet))) {
            TRange &range = sheet->Ranges().Add(areas.front());
            range.SetName(n.Name);
            range.SetGlobal(n.Itab == 0);
            continue;
        }
        TRawName rawName;
        rawName.Body = n.Body;
        rawName.Scope
            = n.Itab > 0 && n.Itab <= BoundSheets.size() ? BoundSheets[n.Itab - 1].first : nullptr;
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
                    c.Xf = 15;
        for (auto &[col, d] : sheet.Columns().Items)
            if (d.Xf >= xfCount)
                d.Xf = 15;
        for (auto &[row, d] : sheet.Rows().Items)
            if (d.Xf >= xfCount)
                d.Xf = 15;
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
