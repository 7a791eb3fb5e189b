// Border colours of an XF live in two words; the side decides which.
#include "xls/cell_format.h"

namespace vartesk::xls {

unsigned TXF::LineColor(int side) const
{
    switch (side) {
    case 0:
        return kLeftColor.Get(Border1);
    case 1:
        return kRightColor.Get(Border1);
    case 2:
        return kTopColor.Get(Border2);
    default:
        return kBottomColor.Get(Border2);
    }
}

void TXF::SetLineColor(int side, unsigned index)
{
    switch (side) {
    case 0:
        Border1 = kLeftColor.Set(Border1, index);
        break;
    case 1:
        Border1 = kRightColor.Set(Border1, index);
        break;
    case 2:
        Border2 = kTopColor.Set(Border2, index);
        break;
    default:
        Border2 = kBottomColor.Set(Border2, index);
        break;
    }
}

} // namespace vartesk::xls
