// Reading a BIFF8 "Workbook" stream into the object model (OpenFile).
#pragma once

#include <string_view>

namespace vartesk::xls {

class TStreamSource;
class TWorkbook;

// The workbook is emptied first. EXLSError 2 when the stream is not BIFF8, EBiffError
// when a record cannot be decoded.
void ReadWorkbookStream(std::string_view stream, TWorkbook &book);
// The same for a stream read in pieces as the records need it.
void ReadWorkbookStream(const TStreamSource &stream, TWorkbook &book);

} // namespace vartesk::xls
