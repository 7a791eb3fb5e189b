// Record cursor, reading across CONTINUE boundaries, and CONTINUE splitting.
#include "xls/biff_stream.h"

#include "xls/biff_records.h"
#include "xls/xls_error.h"

#include <algorithm>
#include <cstdio>

namespace vartesk::xls {

namespace {

unsigned Get16(std::string_view s, size_t at)
{
    return unsigned(std::uint8_t(s[at])) | (unsigned(std::uint8_t(s[at + 1])) << 8);
}

void Header(std::string &out, unsigned id, size_t size)
{
    const char h[4] = {char(id & 0xFF), char(id >> 8), char(size & 0xFF), char(size >> 8)};
    out.append(h, 4);
}

} // namespace

bool TBiffRecordCursor::Next(TBiffRecord &record)
{
    if (Stream.size() - At < 4)
        return false;
    const unsigned id = Get16(Stream, At);
    const size_t size = Get16(Stream, At + 2);
    if (size > Stream.size() - At - 4)
        throw EBiffError("Workbook stream, record 0x" +
                         [&] {
                             char b[8];
                             std::snprintf(b, sizeof b, "%04X", id);
                             return std::string(b);
                         }()
                         + " " + RecordName(std::uint16_t(id)) + " at offset " + std::to_string(At)
                         + ": body of " + std::to_string(size) + " bytes, found "
                         + std::to_string(Stream.size() - At - 4));
    record.Id = std::uint16_t(id);
    record.Offset = At;
    record.Body = Stream.substr(At + 4, size);
    record.Pieces = nullptr;
    At += 4 + size;
    // Join the CONTINUE records that follow; the common case, none, copies nothing.
    if (id == rec::Continue || Stream.size() - At < 4 || Get16(Stream, At) != rec::Continue)
        return true;
    Joined.assign(record.Body);
    PieceList.clear();
    while (Stream.size() - At >= 4 && Get16(Stream, At) == rec::Continue) {
        const size_t n = Get16(Stream, At + 2);
        if (n > Stream.size() - At - 4)
            throw EBiffError("Workbook stream, CONTINUE at offset " + std::to_string(At)
                             + ": body of " + std::to_string(n) + " bytes runs past the end");
        PieceList.push_back(std::uint32_t(Joined.size()));
        Joined.append(Stream.substr(At + 4, n));
        At += 4 + n;
    }
    record.Body = Joined;
    record.Pieces = &PieceList;
    return true;
}

size_t TPieceReader::NextBoundary()
{
    if (!Pieces)
        return R.Size();
    // A boundary right at the position counts: characters that begin a CONTINUE record
    // (their string's header filled the record before) still come behind a form flag.
    while (Next < Pieces->size() && (*Pieces)[Next] < R.Pos())
        ++Next;
    return Next < Pieces->size() ? (*Pieces)[Next] : R.Size();
}

void TPieceReader::Chars(std::string &out, size_t count, bool wide, bool cutShort)
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

void TRecordSplitter::Flush()
{
    Header(Out, Started ? rec::Continue : Id, Piece.size());
    Out += Piece;
    Piece.clear();
    Started = true;
}

void TRecordSplitter::Split(std::string_view bytes)
{
    while (!bytes.empty()) {
        if (Piece.size() == kMaxRecordBody)
            Flush();
        const size_t n = std::min(bytes.size(), kMaxRecordBody - Piece.size());
        Piece.append(bytes.substr(0, n));
        bytes.remove_prefix(n);
    }
}

void TRecordSplitter::Whole(std::string_view bytes, size_t after)
{
    if (Piece.size() + bytes.size() + after > kMaxRecordBody && !Piece.empty())
        Flush();
    Split(bytes);
}

void TRecordSplitter::Chars(const std::u16string &text, bool wide)
{
    const size_t unit = wide ? 2 : 1;
    size_t i = 0;
    while (i < text.size()) {
        if (kMaxRecordBody - Piece.size() < unit) {
            Flush();
            Piece.push_back(wide ? 1 : 0);
        }
        const size_t n = std::min(text.size() - i, (kMaxRecordBody - Piece.size()) / unit);
        for (size_t k = 0; k < n; ++k) {
            const char16_t c = text[i + k];
            Piece.push_back(char(c & 0xFF));
            if (wide)
                Piece.push_back(char(c >> 8));
        }
        i += n;
    }
}

void TRecordSplitter::Finish()
{
    Flush();
}

void WriteRecord(std::string &out, std::uint16_t id, std::string_view body)
{
    if (body.size() <= kMaxRecordBody) {
        Header(out, id, body.size());
        out.append(body);
        return;
    }
    TRecordSplitter s(out, id);
    s.Split(body);
    s.Finish();
}

void WriteRecordPieces(std::string &out,
                       std::uint16_t id,
                       std::string_view body,
                       const std::vector<std::uint32_t> &pieces)
{
    size_t from = 0;
    for (size_t k = 0; k <= pieces.size(); ++k) {
        const size_t to
            = k < pieces.size() ? std::min<size_t>(pieces[k], body.size()) : body.size();
        if (to < from)
            continue;
        WriteRecord(out, k == 0 ? id : rec::Continue, body.substr(from, to - from));
        from = to;
    }
}

} // namespace vartesk::xls
