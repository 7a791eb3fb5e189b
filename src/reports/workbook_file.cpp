// Reading and writing workbook files.
#include "reports/workbook_file.h"

#include "base/file_io.h"
#include "base/file_limits.h"
#include "xls/xls_file.h"

namespace vartesk {

void OpenWorkbookFile(xls::TXLSFile &file, const std::filesystem::path &path)
{
    file.OpenBytes(ReadFileBytes(path, kMaxWorkbookFileBytes));
}

void SaveWorkbookFile(const xls::TXLSFile &file, const std::filesystem::path &path)
{
    WriteFileAtomic(path, file.SaveToBytes());
}

} // namespace vartesk
