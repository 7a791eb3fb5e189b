// Opening and saving: the compound file around the "Workbook" stream.
#include "xls/xls_file.h"

#include "xls/biff_reader.h"
#include "xls/biff_writer.h"
#include "xls/compound_file_reader.h"
#include "xls/compound_file_writer.h"
#include "xls/file_kind.h"
#include "xls/xls_error.h"

namespace vartesk::xls {

namespace {

constexpr const char *kStreamName = "Workbook";

// Error 2, in words that say what the file is where its streams tell.
EXLSError NoWorkbookStream(const TCompoundFileReader &cf)
{
    return EXLSError(2, kStreamName, ForeignCompoundFileMessage(cf.StreamNames()).value_or(""));
}

// The workbook stream: "Workbook" in any letter case, or "Book", the Excel 5.0/95 name under
// which some converters store a BIFF8 stream all the same (xlrd, LibreOffice and Apache POI
// read those). A BIFF5 stream under either name is refused by its BOF when it is read.
std::unique_ptr<TStreamSource> WorkbookStreamOf(const TCompoundFileReader &cf, std::string &scratch)
{
    if (auto stream = cf.OpenStream(kStreamName, scratch))
        return stream;
    if (auto stream = cf.OpenStream("Book", scratch))
        return stream;
    throw NoWorkbookStream(cf);
}

} // namespace

TXLSFile::TXLSFile()
{
    Book.Sheets().Add("Sheet1");
}

void TXLSFile::OpenFile(const std::filesystem::path &path)
{
    Book.ClearForReading();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        throw ECFileError(3, "no file " + path.string());
    const TCompoundFileReader cf = TCompoundFileReader::FromFile(path);
    std::string scratch;
    ReadWorkbookStream(*WorkbookStreamOf(cf, scratch), Book);
}

void TXLSFile::OpenBytes(std::string bytes)
{
    Book.ClearForReading();
    const TCompoundFileReader cf(std::move(bytes));
    std::string scratch;
    ReadWorkbookStream(*WorkbookStreamOf(cf, scratch), Book);
}

std::string TXLSFile::WorkbookStream() const
{
    return WriteWorkbookStream(Book);
}

std::string TXLSFile::SaveToBytes() const
{
    TCompoundFileWriter cf;
    cf.AddStream(kStreamName, WorkbookStream());
    return cf.Build();
}

void TXLSFile::SaveAs(const std::filesystem::path &path) const
{
    // Refused before the file is touched, as when the stream was made first.
    if (Book.Sheets().Count() == 0)
        throw EXLSError(12);
    TCompoundFileWriter::SaveStream(
        path, kStreamName, [&](TFileSink &out) { WriteWorkbookStream(Book, out); });
}

} // namespace vartesk::xls
