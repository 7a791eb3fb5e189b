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
    auto stream = cf.ReadStream(kStreamName);
    if (!stream)
        throw NoWorkbookStream(cf);
    ReadWorkbookStream(*stream, Book);
}

void TXLSFile::OpenBytes(std::string bytes)
{
    Book.ClearForReading();
    const TCompoundFileReader cf(std::move(bytes));
    auto stream = cf.ReadStream(kStreamName);
    if (!stream)
        throw NoWorkbookStream(cf);
    ReadWorkbookStream(*stream, Book);
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
    TCompoundFileWriter cf;
    cf.AddStream(kStreamName, WorkbookStream());
    cf.Save(path);
}

} // namespace vartesk::xls
