// BIFF8 writer: the workbook globals and each sheet in the fixed record order.
#include "xls/biff_writer.h"

#include "base/utf8.h"
#include "xls/biff_records.h"
#include "xls/biff_stream.h"
#include "xls/workbook.h"
#include "xls/xls_error.h"

#include <algorithm>
#include <bit>

namespace vartesk::xls {

namespace {

constexpr std::uint32_t kNoSst = 0xFFFFFFFF;

// A small record built in a scratch buffer.
template<class F>
void Put(std::string &out, std::uint16_t id, F &&body)
{
    std::string b;
    TByteWriter w(b);
    body(w);
    WriteRecord(out, id, b);
}

void PutU16(std::string &out, std::uint16_t id, unsigned v)
{
    Put(out, id, [&](TByteWriter &w) { w.U16(v); });
}

void PutF64(std::string &out, std::uint16_t id, double v)
{
    Put(out, id, [&](TByteWriter &w) { w.F64(v); });
}

template<class R>
void PutStruct(std::string &out, std::uint16_t id, const R &record)
{
    Put(out, id, [&](TByteWriter &w) { record.Write(w); });
}

void PutRaw(std::string &out, const TRawRecord &r)
{
    WriteRecordPieces(out, r.Id, r.Body, r.Pieces);
}

class TWriter
{
public:
    // Without a sink, Run gives the whole stream; with one, it hands the stream on in pieces.
    TWriter(const TWorkbook &book, TFileSink *sink)
        : Book(book)
        , Sink(sink)
    { }
    std::string Run();

private:
    void Globals();
    void LinkTable();
    void Sst();
    void Sheet(const TSheet &sheet, bool first);
    void Cells(const TSheet &sheet);
    void Formula(const TCellPlace &place, const TFormula &f);
    std::string AreaName(const TSheet &sheet,
                         char builtin,
                         const std::string &name,
                         const std::vector<TRect> &areas,
                         bool local);
    std::uint16_t XtiOf(const TSheet &sheet);
    unsigned XfOf(std::uint32_t xf) const { return xf < Book.XFs.size() ? xf : 15; }
    size_t Pos() const { return Done + Out.size(); }
    void HandOn();
    void PatchU32(size_t pos, std::uint32_t v);

    // A piece of the stream is handed on once it reaches this size.
    static constexpr size_t kPiece = 256 * 1024;
    const TWorkbook &Book;
    TFileSink *Sink;
    std::string Out; // what is not yet handed on
    size_t Done = 0; // bytes handed on
    size_t TextCells = 0;
    std::vector<size_t> BoundSheetPos;
    std::vector<std::uint32_t> PoolToSst;
    std::vector<std::uint32_t> SstOrder;
    std::vector<TXti> Xtis;
    std::uint16_t InternalBook = 0xFFFF;
    std::vector<TSupBook> Books;
};

std::string TWriter::Run()
{
    if (Book.Sheets().Count() == 0)
        throw EXLSError(12);
    // Texts in order of first use, each once.
    PoolToSst.assign(Book.Strings.Count(), kNoSst);
    size_t cells = 0;
    for (int i = 0; i < Book.Sheets().Count(); ++i)
        for (const auto &row : Book.Sheets().Item(i).Cells().Rows) {
            cells += row.size();
            for (const auto &c : row) {
                if (c.Kind != TCellKind::Text)
                    continue;
                ++TextCells;
                if (c.Ref() < PoolToSst.size() && PoolToSst[c.Ref()] == kNoSst) {
                    PoolToSst[c.Ref()] = std::uint32_t(SstOrder.size());
                    SstOrder.push_back(c.Ref());
                }
            }
        }
    // Whole, the stream takes about 18 bytes a cell; handed on in pieces, a piece and a row.
    Out.reserve(Sink ? kPiece + 65536 : 4096 + cells * 18);
    Globals();
    for (int i = 0; i < Book.Sheets().Count(); ++i) {
        PatchU32(BoundSheetPos[size_t(i)], std::uint32_t(Pos()));
        Sheet(Book.Sheets().Item(i), i == 0);
    }
    Out.resize(Out.size() + (512 - Pos() % 512) % 512, '\0');
    if (Sink)
        Sink->Append(Out);
    return Sink ? std::string() : std::move(Out);
}

// The workbook globals stay in Out until the first sheet begins: the shared-string table's
// index (EXTSST) counts positions in Out.
void TWriter::HandOn()
{
    if (!Sink || Out.size() < kPiece)
        return;
    Sink->Append(Out);
    Done += Out.size();
    Out.clear();
}

void TWriter::PatchU32(size_t pos, std::uint32_t v)
{
    if (pos >= Done) {
        TByteWriter(Out).PatchU32(pos - Done, v);
        return;
    }
    const char b[4]
        = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
    Sink->Overwrite(pos, std::string_view(b, 4));
}

void TWriter::Globals()
{
    PutStruct(Out, rec::Bof, TBofRecord {});
    PutU16(Out, rec::InterfaceHdr, 0x04B0); // code page 1200, UTF-16
    PutU16(Out, rec::Mms, 0);
    Put(Out, rec::InterfaceEnd, [](TByteWriter &) {});
    PutU16(Out, rec::Dsf, 0);
    Put(Out, rec::TabId, [&](TByteWriter &w) {
        for (int i = 0; i < Book.Sheets().Count(); ++i)
            w.U16(unsigned(i + 1));
    });
    PutU16(Out, rec::WindowProtect, Book.WindowProtect ? 1 : 0);
    PutU16(Out, rec::Protect, Book.Protect ? 1 : 0);
    if (Book.Password)
        PutU16(Out, rec::Password, Book.Password);
    int firstVisible = 0;
    while (firstVisible + 1 < Book.Sheets().Count() && Book.Sheets().Item(firstVisible).Hidden())
        ++firstVisible;
    PutStruct(Out, rec::Window1, TWindow1Record {});
    PutU16(Out, rec::HideObj, 0);
    PutU16(Out, rec::DateMode, 0); // the 1900 date system
    for (size_t i = 0; i < Book.Fonts.size(); ++i)
        PutStruct(Out, rec::Font, TFontRecord {Book.Fonts[i]});
    for (const auto &[id, text] : Book.Formats)
        PutStruct(Out, rec::Format, TFormatRecord {id, text});
    for (const auto &xf : Book.XFs) {
        TXFRecord r {xf};
        if (r.Xf.Font >= Book.Fonts.size())
            r.Xf.Font = 0;
        if (r.Xf.Font >= 4) // memory index to file index: 4 is skipped
            r.Xf.Font = std::uint16_t(r.Xf.Font + 1);
        PutStruct(Out, rec::Xf, r);
    }
    for (const auto &s : Book.Styles)
        PutRaw(Out, s);
    PutStruct(Out, rec::Palette, TPaletteRecord {{Book.Palette.begin(), Book.Palette.end()}});
    for (int i = 0; i < Book.Sheets().Count(); ++i) {
        const TSheet &s = Book.Sheets().Item(i);
        BoundSheetPos.push_back(Pos() + 4);
        PutStruct(Out, rec::BoundSheet, TBoundSheetRecord {0, s.Visibility, 0, s.Name()});
    }
    Put(Out, rec::Country, [](TByteWriter &w) {
        w.U16(1);
        w.U16(7);
    });
    LinkTable();
    bool drawings = false;
    for (int i = 0; i < Book.Sheets().Count(); ++i)
        drawings |= !Book.Sheets().Item(i).Drawing.empty();
    if (drawings && !Book.DrawingGroup.Body.empty())
        WriteRecord(Out, rec::MsoDrawingGroup, Book.DrawingGroup.Body);
    Put(Out, rec::RecalcId, [](TByteWriter &w) {
        w.U16(rec::RecalcId);
        w.U16(0);
        w.U32(0x0001E0A4);
    });
    Sst();
    Put(Out, rec::Eof, [](TByteWriter &) {});
}

std::uint16_t TWriter::XtiOf(const TSheet &sheet)
{
    for (size_t i = 0; i < Xtis.size(); ++i)
        if (Xtis[i].SupBook == InternalBook && Xtis[i].FirstSheet == &sheet
            && Xtis[i].LastSheet == &sheet)
            return std::uint16_t(i);
    TXti x;
    x.SupBook = InternalBook;
    x.FirstSheet = x.LastSheet = &sheet;
    Xtis.push_back(x);
    return std::uint16_t(Xtis.size() - 1);
}

std::string TWriter::AreaName(const TSheet &sheet,
                              char builtin,
                              const std::string &name,
                              const std::vector<TRect> &areas,
                              bool local)
{
    // The formula: tArea3d per area, joined by tUnion inside tMemFunc when several.
    std::string rpn;
    TByteWriter f(rpn);
    const std::uint16_t ixti = XtiOf(sheet);
    for (size_t i = 0; i < areas.size(); ++i) {
        const TRect &a = areas[i];
        f.U8(0x3B);
        f.U16(ixti);
        f.U16(unsigned(a.Row1));
        f.U16(unsigned(a.Row2));
        f.U16(unsigned(a.Col1));
        f.U16(unsigned(a.Col2));
        if (i > 0)
            f.U8(0x10);
    }
    if (areas.size() > 1) {
        std::string mem;
        TByteWriter m(mem);
        m.U8(0x29);
        m.U16(unsigned(rpn.size()));
        rpn = mem + rpn;
    }
    TNameRecord n;
    n.Options = builtin ? TNameRecord::kBuiltin : 0;
    n.Sheet = local ? std::uint16_t(sheet.Index() + 1) : 0;
    n.Name = builtin ? std::string(1, builtin) : name;
    n.Rpn = std::move(rpn);
    std::string body;
    TByteWriter w(body);
    n.Write(w);
    return body;
}

void TWriter::LinkTable()
{
    Books = Book.SupBooks;
    Xtis = Book.Xtis;
    for (size_t i = 0; i < Books.size(); ++i)
        if (Books[i].Internal && InternalBook == 0xFFFF)
            InternalBook = std::uint16_t(i);
    // Names first, since they may add references to sheets.
    std::vector<std::string> names;
    bool needInternal = false;
    for (int i = 0; i < Book.Sheets().Count(); ++i) {
        const TSheet &s = Book.Sheets().Item(i);
        needInternal
            |= !s.PageSetup.PrintArea.empty() || s.PageSetup.TitleRows || s.PageSetup.TitleCols;
        for (const auto &r : s.Ranges().All())
            needInternal |= !r->Name().empty() && r->Valid();
    }
    if (needInternal && InternalBook == 0xFFFF) {
        TSupBook internal;
        internal.Internal = true;
        Books.push_back(internal);
        InternalBook = std::uint16_t(Books.size() - 1);
    }
    for (const auto &n : Book.OtherNames) {
        std::string body = n.Body;
        if (body.size() >= 10)
            TByteWriter(body).PatchU16(TNameRecord::kSheetOffset,
                                       n.Scope ? unsigned(n.Scope->Index() + 1) : 0);
        names.push_back(std::move(body));
    }
    for (int i = 0; i < Book.Sheets().Count(); ++i) {
        const TSheet &s = Book.Sheets().Item(i);
        const TPageSetup &ps = s.PageSetup;
        if (!ps.PrintArea.empty())
            names.push_back(AreaName(s, TNameRecord::kPrintArea, {}, ps.PrintArea, true));
        if (ps.TitleRows || ps.TitleCols) {
            std::vector<TRect> titles;
            if (ps.TitleCols)
                titles.push_back({0, ps.TitleCols->first, 65535, ps.TitleCols->second});
            if (ps.TitleRows)
                titles.push_back({ps.TitleRows->first, 0, ps.TitleRows->second, 255});
            names.push_back(AreaName(s, TNameRecord::kPrintTitles, {}, titles, true));
        }
        for (const auto &r : s.Ranges().All())
            if (!r->Name().empty() && r->Valid())
                names.push_back(AreaName(s, 0, r->Name(), {r->Rect()}, !r->Global()));
    }
    if (Books.empty() && Xtis.empty() && names.empty())
        return;
    for (const auto &b : Books) {
        if (b.Internal) {
            PutStruct(
                Out, rec::SupBook, TInternalSupBookRecord {std::uint16_t(Book.Sheets().Count())});
        } else {
            WriteRecord(Out, rec::SupBook, b.Body);
        }
        for (const auto &n : b.Names)
            PutRaw(Out, n);
    }
    TExternSheetRecord externs;
    for (const auto &x : Xtis) {
        const bool internal
            = x.SupBook < Books.size() && Books[x.SupBook].Internal && x.FirstSheet && x.LastSheet;
        externs.Entries.push_back({x.SupBook,
                                   std::uint16_t(internal ? x.FirstSheet->Index() : x.First),
                                   std::uint16_t(internal ? x.LastSheet->Index() : x.Last)});
    }
    PutStruct(Out, rec::ExternSheet, externs);
    for (const auto &n : names)
        WriteRecord(Out, rec::Name, n);
}

void TWriter::Sst()
{
    const size_t n = SstOrder.size();
    size_t bucket = 8;
    while ((n + bucket - 1) / bucket > 128)
        bucket *= 2;
    TExtSstRecord ext;
    ext.PerBucket = std::uint16_t(bucket);
    {
        TRecordSplitter s(Out, rec::Sst);
        std::string head;
        TByteWriter h(head);
        h.U32(std::uint32_t(TextCells));
        h.U32(std::uint32_t(n));
        s.Split(head);
        std::u16string text;
        for (size_t i = 0; i < n; ++i) {
            text = Utf8ToUtf16(Book.Strings.At(SstOrder[i]));
            const bool wide
                = std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 0xFF; });
            const char strHead[3]
                = {char(text.size() & 0xFF), char(text.size() >> 8), char(wide ? 1 : 0)};
            // The header and the first character stay together in one record.
            const size_t firstChar = text.empty() ? 0 : (wide ? 2 : 1);
            if (i % bucket == 0) {
                s.Whole({}, 3 + firstChar); // break first, so that the offsets are exact
                ext.Buckets.push_back(
                    {std::uint32_t(s.StreamPos()), std::uint16_t(s.OffsetInRecord())});
            }
            s.Whole(std::string_view(strHead, 3), firstChar);
            s.Chars(text, wide);
        }
        s.Finish();
    }
    PutStruct(Out, rec::ExtSst, ext);
}

void TWriter::Cells(const TSheet &sheet)
{
    const auto &cells = sheet.Cells();
    for (size_t r = 0; r < cells.Rows.size(); ++r) {
        for (const auto &c : cells.Rows[r]) {
            const TCellPlace place {std::uint16_t(r), c.Col, std::uint16_t(XfOf(c.Xf))};
            switch (c.Kind) {
            case TCellKind::Blank:
                WriteFixedRecord(Out, rec::Blank, TBlankRecord {place});
                break;
            case TCellKind::Number:
                WriteFixedRecord(Out, rec::Number, TNumberRecord {place, c.Payload});
                break;
            case TCellKind::Text:
                WriteFixedRecord(Out, rec::LabelSst, TLabelSstRecord {place, PoolToSst[c.Ref()]});
                break;
            case TCellKind::Boolean:
            case TCellKind::Error:
                WriteFixedRecord(
                    Out,
                    rec::BoolErr,
                    TBoolErrRecord {place, c.Small, std::uint8_t(c.Kind == TCellKind::Error)});
                break;
            case TCellKind::Formula:
                Formula(place, cells.Formulas.at(c.Ref()));
                break;
            }
        }
        HandOn();
    }
}

// The formula with its stored result; a text result follows in a STRING record.
void TWriter::Formula(const TCellPlace &place, const TFormula &f)
{
    TFormulaRecord r;
    r.Cell = place;
    std::string_view text;
    switch (f.ResultKind) {
    case TCellKind::Number:
        r.Result = std::bit_cast<std::uint64_t>(f.ResultNumber);
        break;
    case TCellKind::Text:
        text = Book.Strings.At(f.ResultText);
        r.Result = TFormulaRecord::OtherResult(text.empty() ? TFormulaRecord::ResultEmpty
                                                            : TFormulaRecord::ResultText);
        break;
    case TCellKind::Boolean:
    case TCellKind::Error:
        r.Result = TFormulaRecord::OtherResult(f.ResultKind == TCellKind::Boolean
                                                   ? TFormulaRecord::ResultBoolean
                                                   : TFormulaRecord::ResultError,
                                               f.ResultSmall);
        break;
    default:
        r.Result = TFormulaRecord::OtherResult(TFormulaRecord::ResultEmpty);
        break;
    }
    r.Options = std::uint16_t(f.Flags & ~TFormulaRecord::kShared);
    r.RpnSize = f.RpnSize;
    r.Tokens = f.Tokens;
    PutStruct(Out, rec::Formula, r);
    if (!text.empty())
        PutStruct(Out, rec::String, TStringRecord {std::string(text)});
}

void TWriter::Sheet(const TSheet &sheet, bool first)
{
    HandOn();
    TBofRecord bof;
    bof.Type = 0x0010;
    PutStruct(Out, rec::Bof, bof);
    const auto &rows = sheet.Cells().Rows;
    size_t firstRow = rows.size(), lastRow = 0;
    unsigned firstCol = 256, lastCol = 0;
    for (size_t r = 0; r < rows.size(); ++r)
        if (!rows[r].empty()) {
            firstRow = std::min(firstRow, r);
            lastRow = r;
            firstCol = std::min<unsigned>(firstCol, rows[r].front().Col);
            lastCol = std::max<unsigned>(lastCol, rows[r].back().Col);
        }
    const bool any = firstRow < rows.size();
    PutStruct(
        Out,
        rec::Index,
        TIndexRecord {any ? std::uint32_t(firstRow) : 0, any ? std::uint32_t(lastRow + 1) : 0});
    auto breaks = [&](std::uint16_t id, const std::vector<TPageBreak> &list) {
        if (list.empty())
            return;
        TPageBreaksRecord p;
        for (const auto &b : list)
            p.Breaks.push_back({b.Pos, b.First, b.Last});
        PutStruct(Out, id, p);
    };
    breaks(rec::HorizontalPageBreaks, sheet.RowBreaks);
    breaks(rec::VerticalPageBreaks, sheet.ColBreaks);
    const TPageSetup &ps = sheet.PageSetup;
    PutU16(Out, rec::WsBool, ps.WsBool);
    TSetupRecord setup;
    setup.Paper = ps.PaperSize;
    setup.Scale = ps.Scale;
    setup.PageStart = ps.PageStart;
    setup.FitWidth = ps.FitWidth;
    setup.FitHeight = ps.FitHeight;
    setup.Options = ps.Options;
    setup.Res = ps.Resolution;
    setup.VRes = ps.VResolution;
    setup.HeaderMargin = ps.HeaderMargin;
    setup.FooterMargin = ps.FooterMargin;
    setup.Copies = ps.Copies;
    PutStruct(Out, rec::Setup, setup);
    PutU16(Out, rec::PrintHeaders, ps.PrintHeaders);
    PutU16(Out, rec::PrintGridlines, ps.PrintGridlines);
    Put(Out, rec::Guts, [](TByteWriter &w) { w.Zeros(8); });
    PutF64(Out, rec::LeftMargin, ps.LeftMargin);
    PutF64(Out, rec::RightMargin, ps.RightMargin);
    PutF64(Out, rec::TopMargin, ps.TopMargin);
    PutF64(Out, rec::BottomMargin, ps.BottomMargin);
    PutU16(Out, rec::HCenter, ps.HCenter);
    PutU16(Out, rec::VCenter, ps.VCenter);
    for (auto [id, hf] :
         {std::pair {rec::Header, &ps.Header}, std::pair {rec::Footer, &ps.Footer}}) {
        THeaderFooterRecord r {hf->Text()};
        if (!r.Text.empty())
            PutStruct(Out, id, r);
    }
    const TSheetProtection &prot = sheet.Protection;
    if (prot.Protect) {
        PutU16(Out, rec::Protect, 1);
        PutU16(Out, rec::ScenProtect, prot.Scenarios);
        PutU16(Out, rec::ObjProtect, prot.Objects);
        PutU16(Out, rec::Password, prot.Password);
        for (const auto &f : prot.Features)
            PutRaw(Out, f);
    }
    // COLINFO for runs of equal columns.
    const auto &cols = sheet.Columns().Items;
    for (auto it = cols.begin(); it != cols.end();) {
        auto end = std::next(it);
        unsigned last = it->first;
        while (end != cols.end() && end->first == last + 1 && end->second == it->second) {
            last = end->first;
            ++end;
        }
        PutStruct(Out,
                  rec::ColInfo,
                  TColInfoRecord {it->first,
                                  std::uint16_t(last),
                                  it->second.Width,
                                  std::uint16_t(XfOf(it->second.Xf)),
                                  it->second.Options,
                                  0});
        it = end;
    }
    TDimensionsRecord dim;
    if (any) {
        dim.FirstRow = std::uint32_t(firstRow);
        dim.LastRowPlus1 = std::uint32_t(lastRow + 1);
        dim.FirstCol = std::uint16_t(firstCol);
        dim.LastColPlus1 = std::uint16_t(lastCol + 1);
    }
    PutStruct(Out, rec::Dimensions, dim);
    Put(Out, rec::DefaultRowHeight, [](TByteWriter &w) {
        w.U16(0);
        w.U16(255);
    });
    // ROW for every row with settings or cells.
    const auto &settings = sheet.Rows().Items;
    auto setting = settings.begin();
    const size_t rowEnd
        = std::max<size_t>(rows.size(), settings.empty() ? 0 : settings.rbegin()->first + 1u);
    for (size_t r = 0; r < rowEnd; ++r) {
        const bool hasCells = r < rows.size() && !rows[r].empty();
        while (setting != settings.end() && setting->first < r)
            ++setting;
        const bool hasSetting = setting != settings.end() && setting->first == r;
        if (!hasCells && !hasSetting)
            continue;
        TRowRecord rr;
        rr.Row = std::uint16_t(r);
        if (hasCells) {
            rr.FirstCol = rows[r].front().Col;
            rr.LastColPlus1 = std::uint16_t(rows[r].back().Col + 1);
        }
        if (hasSetting) {
            rr.Height = setting->second.Height;
            rr.Options = 0x0100u | (setting->second.Options & 0xFFu)
                | (std::uint32_t(XfOf(setting->second.Xf)) << 16);
        } else {
            rr.Options = 0x0100u | (15u << 16);
        }
        PutStruct(Out, rec::Row, rr);
    }
    Cells(sheet);
    for (const auto &d : sheet.Drawing)
        PutRaw(Out, d);
    for (const auto &n : sheet.Notes)
        PutRaw(Out, n);
    const TSheetView &v = sheet.View;
    TWindow2Record w2;
    w2.Options = std::uint16_t(v.Options & ~(TSheetView::kSelected | TSheetView::kActive));
    if (first)
        w2.Options |= TSheetView::kSelected | TSheetView::kActive;
    w2.TopRow = v.TopRow;
    w2.LeftCol = v.LeftCol;
    w2.GridColor = v.GridColor;
    w2.ZoomPageBreak = v.ZoomPageBreak;
    w2.ZoomNormal = v.ZoomNormal;
    if (!v.HasPane)
        w2.Options &= std::uint16_t(~(TSheetView::kFrozen | 0x0100));
    PutStruct(Out, rec::Window2, w2);
    if (v.Zoom != 100 && v.Zoom >= 10 && v.Zoom <= 400)
        PutStruct(Out, rec::Scl, TSclRecord {std::uint16_t(v.Zoom), 100});
    if (v.HasPane)
        PutStruct(Out,
                  rec::Pane,
                  TPaneRecord {v.PaneX, v.PaneY, v.PaneTopRow, v.PaneLeftCol, v.ActivePane});
    const auto merged = sheet.Ranges().MergedAreas();
    for (size_t i = 0; i < merged.size(); i += TMergedCellsRecord::kMaxRanges) {
        TMergedCellsRecord m;
        for (size_t k = i; k < merged.size() && k < i + TMergedCellsRecord::kMaxRanges; ++k)
            m.Ranges.push_back({std::uint16_t(merged[k].Row1),
                                std::uint16_t(merged[k].Row2),
                                std::uint16_t(merged[k].Col1),
                                std::uint16_t(merged[k].Col2)});
        PutStruct(Out, rec::MergedCells, m);
    }
    for (const auto &h : sheet.Hyperlinks)
        PutRaw(Out, h);
    for (const auto &d : sheet.Validations)
        PutRaw(Out, d);
    Put(Out, rec::Eof, [](TByteWriter &) {});
}

} // namespace

std::string WriteWorkbookStream(const TWorkbook &book)
{
    return TWriter(book, nullptr).Run();
}

void WriteWorkbookStream(const TWorkbook &book, TFileSink &out)
{
    TWriter(book, &out).Run();
}

} // namespace vartesk::xls
