// Cell names as the reports' placement tables write them.
#include "xls/cell_ref.h"

#include <gtest/gtest.h>

using namespace vartesk::xls;

TEST(CellRef, NamesReadAsTheSpreadsheetShowsThem)
{
    static_assert(TCellRef("A1") == TCellRef(0, 0));
    static_assert(TCellRef("G4") == TCellRef(3, 6));
    static_assert(TCellRef("AA21") == TCellRef(20, 26));
    static_assert(TCellRef("AT1") == TCellRef(0, 45));
    static_assert(TCellRef("IV65536") == TCellRef(65535, 255));
    EXPECT_EQ(TCellRef(20, 37).Name(), "AL21");
    EXPECT_EQ(TCellRef("P14").Down(1).Right(2), TCellRef("R15"));
    for (const char *bad : {"", "A", "4", "A0", "a1", "G04", "IW1", "A65537", "G4 ", "AAAA1"})
        EXPECT_THROW(TCellRef::Parse(bad), std::invalid_argument) << bad;
}
