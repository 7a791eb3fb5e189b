// A text picture of a workbook (sheets, cells, merged areas, column widths) for the
// diagnostic command and for the cross-checks against independent readers.
#pragma once

#include <optional>
#include <string>

namespace vartesk::xls {

class TWorkbook;

// JSON: {"sheets":[{"name","hidden","cells":[{"address","row","col","kind","value",
// "format"[,"formula":true]}],"merged":["A1:B2"],"columns":[{"col","width","units",
// "hidden"}]}]}. Kinds: number, text, boolean, error, blank; a formula cell shows its result.
// Numbers in the shortest text that reads back to the same double.
std::string DumpJson(const TWorkbook &book, const std::optional<std::string> &sheet = {});
// CSV, one line per item: sheet,item,address,kind,value,format (item cell, merged, column).
std::string DumpCsv(const TWorkbook &book, const std::optional<std::string> &sheet = {});

} // namespace vartesk::xls
