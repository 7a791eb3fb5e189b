// Copying a worksheet's drawing (pictures, shapes, comments) into a copied sheet.
//
// A sheet's MSODRAWING records together hold one OfficeArt drawing whose drawing id and
// shape ids must be unique in the workbook, and the workbook's MSODRAWINGGROUP keeps the
// tally of drawings, shape-id clusters and picture references. A copy therefore gets a new
// drawing id, its shape ids moved into new clusters, and the tally updated; the bytes of
// OBJ, TXO and NOTE records stay as they are (object ids are unique per sheet only).
#pragma once

#include "xls/sheet.h"

#include <vector>

namespace vartesk::xls {

// Gives `target` the drawing records and comments of `source`, renumbered as a drawing of
// its own, and updates `drawingGroup` to count it. `sheets` are all sheets of the workbook
// (the ids they use stay clear). Returns false and changes nothing when either drawing
// cannot be taken apart safely; the copy then simply has no drawing.
bool CopyDrawing(const TSheet &source,
                 TSheet &target,
                 TRawRecord &drawingGroup,
                 const std::vector<const TSheet *> &sheets);

} // namespace vartesk::xls
