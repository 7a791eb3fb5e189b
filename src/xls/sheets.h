// TSheets: the sheets of a workbook in order.
#pragma once

#include "xls/sheet.h"

#include <memory>
#include <string>
#include <vector>

namespace vartesk::xls {

class TWorkbook;

class TSheets
{
public:
    explicit TSheets(TWorkbook &book)
        : Book(&book)
    { }
    TSheets(const TSheets &) = delete;
    TSheets &operator=(const TSheets &) = delete;

    int Count() const { return int(Items.size()); }
    // EListIndexError outside 0..Count-1.
    TSheet &Item(int position);
    const TSheet &Item(int position) const;
    // Appends an empty sheet; gives its position.
    int Add(const std::string &name);
    // Inserts a copy of the source sheet at the target position under the new name, with
    // its pictures, shapes and comments renumbered into a drawing of its own.
    void CopySheet(int source, int target, const std::string &name);
    // Exact, case-sensitive.
    TSheet *FindByName(const std::string &name);
    void Clear() { Items.clear(); }
    // Removes the sheet at the position (the reader drops chart and macro sheets).
    void Remove(int position);

    // EXLSError 7 or 6 when the name may not be given to a sheet.
    void CheckName(const std::string &name) const;

private:
    void Renumber();
    TWorkbook *Book;
    std::vector<std::unique_ptr<TSheet>> Items;
};

} // namespace vartesk::xls
