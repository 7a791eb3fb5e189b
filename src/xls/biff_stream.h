// The record layer of a BIFF8 stream: reading records with their CONTINUE records joined,
// and writing records split into CONTINUE records (the one place that knows of them).
#pragma once

#include "xls/byte_reader.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vartesk::xls {

struct TBiffRecord
{
    std::uint16_t Id = 0;
    std::string_view Body; // with the bodies of its CONTINUE records
    size_t Offset = 0; // of the record header in the stream
    const std::vector<std::uint32_t> *Pieces = nullptr; // where each CONTINUE body begins
};

class TBiffRecordCursor
{
public:
    explicit TBiffRecordCursor(std::string_view stream)
        : Stream(stream)
    { }
    // The next record; false at the end of the stream (fewer than 4 bytes left). The body
    // stays valid until the next call. EBiffError when a body runs past the end.
    bool Next(TBiffRecord &record);
    size_t Pos() const { return At; }

private:
    std::string_view Stream;
    size_t At = 0;
    std::string Joined;
    std::vector<std::uint32_t> PieceList;
};

// Reads the characters of strings across the CONTINUE boundaries of a joined record: where
// characters go on in a new CONTINUE record, its first byte repeats the form flag ([MS-XLS]
// 2.5.293). The shared-string table is read through it.
class TPieceReader
{
public:
    explicit TPieceReader(const TBiffRecord &record)
        : R(record.Body, record.Offset + 4)
        , Pieces(record.Pieces)
    { }
    TByteReader R;
    // With `cutShort`, characters that run past the end of the whole record are dropped
    // instead of failing: the last string of a table that its writer cut short.
    void Chars(std::string &out, size_t count, bool wide, bool cutShort = false);

private:
    size_t NextBoundary();
    const std::vector<std::uint32_t> *Pieces;
    size_t Next = 0;
};

// Builds one logical record and writes it as the record and as many CONTINUE records as
// its body needs, none above 8224 bytes.
class TRecordSplitter
{
public:
    TRecordSplitter(std::string &out, std::uint16_t id)
        : Out(out)
        , Id(id)
    { }
    ~TRecordSplitter() = default;
    TRecordSplitter(const TRecordSplitter &) = delete;
    TRecordSplitter &operator=(const TRecordSplitter &) = delete;

    // Bytes that may be cut anywhere.
    void Split(std::string_view bytes);
    // Bytes kept in one piece (with room for `after` more bytes behind them); a new
    // CONTINUE record begins when they do not fit.
    void Whole(std::string_view bytes, size_t after = 0);
    // String characters, 1 or 2 bytes each; a CONTINUE record that begins inside them
    // starts with the form flag again (0 for 8-bit, 1 for UTF-16).
    void Chars(const std::u16string &text, bool wide);
    void Finish();
    // Stream position where the next byte will go, and its offset from the header of the
    // record or CONTINUE record that holds it (for EXTSST).
    size_t StreamPos() const { return Out.size() + 4 + Piece.size(); }
    size_t OffsetInRecord() const { return 4 + Piece.size(); }

private:
    void Flush();
    std::string &Out;
    std::uint16_t Id;
    std::string Piece;
    bool Started = false;
};

// Writes a record of any length through TRecordSplitter.
void WriteRecord(std::string &out, std::uint16_t id, std::string_view body);
// Writes a record of fixed size (R::kSize) with its header in one append: the cell records.
template<class R>
void WriteFixedRecord(std::string &out, std::uint16_t id, const R &record)
{
    char b[4 + R::kSize];
    TFixedWriter w(b);
    w.U16(id);
    w.U16(R::kSize);
    record.Write(w);
    out.append(b, sizeof b);
}

// Writes a record read earlier with its CONTINUE boundaries as they were.
void WriteRecordPieces(std::string &out,
                       std::uint16_t id,
                       std::string_view body,
                       const std::vector<std::uint32_t> &pieces);

} // namespace vartesk::xls
