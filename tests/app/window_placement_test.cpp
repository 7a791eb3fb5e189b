// The main window's placement from the settings file, fitted to the screen it comes back on.
#include "app/window_placement.h"

#include <gtest/gtest.h>

#include <climits>

using namespace vartesk;
using TEntries = std::vector<std::pair<std::string, std::string>>;

namespace {

constexpr TScreenArea kScreen {0, 0, 1280, 900};

struct TCase
{
    const char *What;
    TEntries Stored;
    bool HasPosition, HasSize;
    int X, Y, Width, Height, Page;
};

// clang-format off
const TCase kCases[] = {
    {"as stored", {{"X", "100"}, {"Y", "50"}, {"Width", "800"}, {"Height", "600"}, {"Page", "3"}},
        true, true, 100, 50, 800, 600, 3},
    // 100000 wide crashed the window system; 30000 took seconds and gigabytes.
    {"larger than the screen", {{"X", "10"}, {"Y", "10"}, {"Width", "100000"}, {"Height", "30000"}},
        true, true, 0, 0, 1280, 900, 1},
    {"partly off the screen", {{"X", "1000"}, {"Y", "-40"}, {"Width", "800"}, {"Height", "600"}},
        true, true, 480, 0, 800, 600, 1},
    {"at the end of int's range", {{"X", "2147483647"}, {"Y", "-2147483648"}, {"Width", "500"},
        {"Height", "400"}}, true, true, 780, 0, 500, 400, 1},
    {"too small to use", {{"X", "5"}, {"Y", "5"}, {"Width", "10"}, {"Height", "600"}},
        true, false, 5, 5, 0, 0, 1},
    {"not numbers", {{"X", "1e3"}, {"Y", "5"}, {"Width", "99999999999"}, {"Height", "600"},
        {"Page", "x"}}, false, false, 0, 0, 0, 0, 1},
    {"no such page", {{"Page", "7"}}, false, false, 0, 0, 0, 0, 1},
};
// clang-format on

} // namespace

TEST(WindowPlacement, AStoredPlacementIsFittedToTheScreen)
{
    for (const TCase &c : kCases) {
        const TWindowPlacement p = TWindowPlacement::Read(c.Stored).FittedTo(kScreen, 400, 300);
        EXPECT_EQ(p.HasPosition, c.HasPosition) << c.What;
        EXPECT_EQ(p.HasSize, c.HasSize) << c.What;
        if (c.HasPosition) {
            EXPECT_EQ(std::pair(p.X, p.Y), std::pair(c.X, c.Y)) << c.What;
        }
        if (c.HasSize) {
            EXPECT_EQ(std::pair(p.Width, p.Height), std::pair(c.Width, c.Height)) << c.What;
        }
        EXPECT_EQ(p.Page, c.Page) << c.What;
    }
}
