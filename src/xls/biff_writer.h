// Writing the object model as a BIFF8 "Workbook" stream (SaveAs).
#pragma once

#include <string>

namespace vartesk::xls {

class TWorkbook;

// The whole stream, padded to a multiple of 512 bytes. EXLSError 12 without sheets.
std::string WriteWorkbookStream(const TWorkbook &book);

} // namespace vartesk::xls
