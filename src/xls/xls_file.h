// TXLSFile: the workbook that is opened from and saved to an .xls file.
#pragma once

#include "xls/workbook.h"

#include <filesystem>
#include <string>

namespace vartesk::xls {

class TXLSFile
{
public:
    // An empty workbook with one sheet "Sheet1".
    TXLSFile();
    TWorkbook &Workbook() { return Book; }
    const TWorkbook &Workbook() const { return Book; }
    TSheets &Sheets() { return Book.Sheets(); }

    // Empties the workbook, then reads the file. ECFileError 3 when it cannot be opened or
    // is not a compound file, EXLSError 2 without a BIFF8 "Workbook" stream, EBiffError
    // for a record that cannot be decoded. Where the bytes show what the file is instead
    // (an .xlsx, an Excel 5.0/95 workbook, ...), the error's words say so.
    void OpenFile(const std::filesystem::path &path);
    void OpenBytes(std::string bytes);
    // Writes a new compound file. EXLSError 12 without sheets, ECFileError 0 when the file
    // cannot be created.
    void SaveAs(const std::filesystem::path &path) const;
    std::string SaveToBytes() const;
    // The BIFF8 stream alone (what SaveAs puts into "Workbook").
    std::string WorkbookStream() const;

private:
    TWorkbook Book;
};

} // namespace vartesk::xls
