// The sheet list: positions, names, copies.
#include "xls/sheets.h"

#include "base/utf8.h"
#include "xls/drawing_copy.h"
#include "xls/workbook.h"
#include "xls/xls_error.h"

namespace vartesk::xls {

TSheet &TSheets::Item(int position)
{
    if (position < 0 || position >= Count())
        throw EListIndexError(position);
    return *Items[size_t(position)];
}

const TSheet &TSheets::Item(int position) const
{
    if (position < 0 || position >= Count())
        throw EListIndexError(position);
    return *Items[size_t(position)];
}

void TSheets::CheckName(const std::string &name) const
{
    const size_t length = Utf8ToUtf16(name).size();
    if (length < 1 || length > 255)
        throw EXLSError(7);
    if (name.find_first_not_of(" \t\r\n") == std::string::npos)
        throw EXLSError(6);
    for (const auto &s : Items)
        if (s->Name() == name)
            throw EXLSError(6);
}

int TSheets::Add(const std::string &name)
{
    CheckName(name);
    Items.push_back(std::make_unique<TSheet>(*Book, name));
    Renumber();
    return Count() - 1;
}

void TSheets::CopySheet(int source, int target, const std::string &name)
{
    CheckName(name);
    const TSheet &from = Item(source);
    if (target < 0 || target > Count())
        throw EListIndexError(target);
    auto sheet = std::make_unique<TSheet>(*Book, name);
    sheet->CopyFrom(from);
    if (!from.Drawing.empty()) {
        std::vector<const TSheet *> all;
        for (const auto &s : Items)
            all.push_back(s.get());
        // A drawing that cannot be renumbered safely is left out of the copy.
        CopyDrawing(from, *sheet, Book->DrawingGroup, all);
    }
    Items.insert(Items.begin() + target, std::move(sheet));
    Renumber();
}

TSheet *TSheets::FindByName(const std::string &name)
{
    for (auto &s : Items)
        if (s->Name() == name)
            return s.get();
    return nullptr;
}

void TSheets::Remove(int position)
{
    Item(position);
    Items.erase(Items.begin() + position);
    Renumber();
}

void TSheets::Renumber()
{
    for (size_t i = 0; i < Items.size(); ++i)
        Items[i]->Position = int(i);
}

} // namespace vartesk::xls
