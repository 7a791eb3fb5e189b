// What a file that is not an Excel 97-2003 workbook is, told from its bytes, and how to
// make one of it: the words of a failed open for files users commonly mistake for one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vartesk::xls {

// Bytes without the compound-file signature that are recognisably something else: an
// Excel 2007+ or OpenDocument file (a ZIP), an Excel 2.1-4.0 worksheet, an HTML or XML
// export, an empty file. Nothing for bytes that look like nothing known.
std::optional<std::string> ForeignFileMessage(std::string_view bytes);

// For bytes without the signature that ForeignFileMessage does not recognise.
std::string NotAWorkbookMessage();

// A compound file without a "Workbook" stream, by the names of its streams: an Excel
// 5.0/95 workbook ("Book") or a password-protected Excel 2007+ workbook. Nothing when the
// streams say nothing known.
std::optional<std::string> ForeignCompoundFileMessage(const std::vector<std::string> &streams);

// An Excel 5.0/95 workbook (BIFF5), by its stream name or by the version of its BOF.
std::string Excel95Message();

} // namespace vartesk::xls
