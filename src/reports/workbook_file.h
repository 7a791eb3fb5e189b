// Workbook files as the reports and the import read and write them: the file system's
// failures kept apart from the engine's, so that each message can give the real reason.
#pragma once

#include <filesystem>

namespace vartesk {

namespace xls {
class TXLSFile;
}

// Reads the workbook at `path` into `file`. A file that cannot be read (missing, a folder, a
// FIFO, too large, no permission) raises EFileError with the file system's reason; content
// the engine cannot read raises the engine's error.
void OpenWorkbookFile(xls::TXLSFile &file, const std::filesystem::path &path);

// Writes the workbook through the atomic write helper; a failed write raises EFileError.
void SaveWorkbookFile(const xls::TXLSFile &file, const std::filesystem::path &path);

} // namespace vartesk
