// Writing the object model as a BIFF8 "Workbook" stream (SaveAs).
#pragma once

#include "base/file_io.h"

#include <string>

namespace vartesk::xls {

class TWorkbook;

// The whole stream, padded to a multiple of 512 bytes. EXLSError 12 without sheets.
std::string WriteWorkbookStream(const TWorkbook &book);
// The same bytes handed to `out` in pieces as they are made, the sheets' positions in the
// globals overwritten last, so that a large workbook's stream is never held whole.
void WriteWorkbookStream(const TWorkbook &book, TFileSink &out);

} // namespace vartesk::xls
