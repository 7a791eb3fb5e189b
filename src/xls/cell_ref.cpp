// The A1 name of a cell reference.
#include "xls/cell_ref.h"

#include "xls/ranges.h"

namespace vartesk::xls {

std::string TCellRef::Name() const
{
    return ColumnLetters(Col) + std::to_string(Row + 1);
}

} // namespace vartesk::xls
