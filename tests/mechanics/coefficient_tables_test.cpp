// Band edges of the wind and ice correction tables.
#include "mechanics/coefficient_tables.h"

#include <gtest/gtest.h>

using namespace vartesk;

namespace {

constexpr double kTableTol = 1e-12;

struct TWindEdge
{
    int H;
    double A, B, C;
};

// The last height of each band and the first of the next, worked out from the printed table.
// clang-format off
constexpr TWindEdge kWindEdges[] = {
    {15,  1,      0.65,   0.4   },
    {16,  1.05,   0.69,   0.43  },
    {19,  1.2,    0.81,   0.52  },
    {20,  1.25,   0.85,   0.55  },
    {39,  1.4875, 1.0875, 0.7875},
    {40,  1.5,    1.1,    0.8   },
    {59,  1.69,   1.29,   0.99  },
    {60,  1.7,    1.3,    1     },
    {79,  1.8425, 1.4425, 1.1425},
    {80,  1.85,   1.45,   1.15  },
    {99,  1.9925, 1.5925, 1.245 },
    {100, 2,      1.6,    1.25  },
    {149, 2.245,  1.894,  1.544 },
    {150, 2.25,   1.9,    1.55  },
    {199, 2.446,  2.096,  1.795 },
    {200, 2.45,   2.1,    1.8   },
    {249, 2.646,  2.296,  1.996 },
    {250, 2.65,   2.3,    2     },
    {299, 2.748,  2.496,  2.196 },
    {300, 2.75,   2.5,    2.2   },
    {349, 2.75,   2.745,  2.347 },
    {350, 2.75,   2.75,   2.35  },
    {500, 2.75,   2.75,   2.35  },
};
// clang-format on

} // namespace

TEST(WindHeightCoef, EveryBandEdgeOfEveryTerrain)
{
    for (const TWindEdge &e : kWindEdges) {
        SCOPED_TRACE(e.H);
        EXPECT_NEAR(WindHeightCoef(e.H, 1), e.A, kTableTol);
        EXPECT_NEAR(WindHeightCoef(e.H, 2), e.B, kTableTol);
        EXPECT_NEAR(WindHeightCoef(e.H, 3), e.C, kTableTol);
    }
}

TEST(WindHeightCoef, LowAndNegativeHeightsTakeTheFirstBand)
{
    EXPECT_EQ(WindHeightCoef(0, 1), 1.0);
    EXPECT_EQ(WindHeightCoef(-10, 2), 0.65);
    EXPECT_EQ(WindHeightCoef(10, 3), 0.4);
}

TEST(WindHeightCoef, UnknownTerrainIsOneAtEveryHeight)
{
    for (int h : {0, 15, 16, 120, 400}) {
        EXPECT_EQ(WindHeightCoef(h, 0), 1.0);
        EXPECT_EQ(WindHeightCoef(h, 4), 1.0);
        EXPECT_EQ(WindHeightCoef(h, -1), 1.0);
    }
}

// Every band of the printed table starts where the previous one ends, so a mistyped base or
// slope shows as a step somewhere between 15 and 350 m.
TEST(WindHeightCoef, ContinuousAndNonDecreasingInHeight)
{
    for (int terrain = 1; terrain <= 3; ++terrain) {
        for (int h = 15; h < 400; ++h) {
            const double step = WindHeightCoef(h + 1, terrain) - WindHeightCoef(h, terrain);
            EXPECT_GE(step, -kTableTol) << "terrain " << terrain << " h " << h;
            EXPECT_LE(step, 0.05 + kTableTol) << "terrain " << terrain << " h " << h;
        }
    }
}

TEST(IceHeightCoef, EveryBandEdge)
{
    // clang-format off
    const std::pair<int, double> edges[] = {
        {0, 1.0},  {25, 1.0},  {26, 1.08}, {29, 1.32}, {30, 1.4}, {49, 1.59},
        {50, 1.6}, {69, 1.79}, {70, 1.8},  {99, 2.003}, {100, 2.0}, {300, 2.0},
    };
    // clang-format on
    for (auto [h, ki] : edges)
        EXPECT_NEAR(IceHeightCoef(h), ki, kTableTol) << "h " << h;
}

TEST(IceDiameterCoef, BelowTwentyFiveMetresIsOneForAnyDiameter)
{
    for (double d : {0.0, 5.0, 20.0, 45.0, 70.0, 150.0})
        EXPECT_EQ(IceDiameterCoef(24, d), 1.0) << "d " << d;
}

TEST(IceDiameterCoef, EveryBandEdgeFromTwentyFiveMetres)
{
    // clang-format off
    const std::pair<double, double> edges[] = {
        {0.0, 1.0},     {9.99, 1.0},     {10.0, 1.0},   {19.99, 0.9001},  {20.0, 0.9},
        {29.99, 0.8001}, {30.0, 0.8},    {49.99, 0.70005}, {50.0, 0.7},   {69.99, 0.60005},
        {70.0, 0.6},    {120.0, 0.6},
    };
    // clang-format on
    for (int h : {25, 26, 150}) {
        for (auto [d, kd] : edges)
            EXPECT_NEAR(IceDiameterCoef(h, d), kd, kTableTol) << "h " << h << " d " << d;
    }
}

TEST(WindUnevennessCoef, EveryBandEdge)
{
    // clang-format off
    const std::pair<double, double> edges[] = {
        {0.0,   1.0},
        {20.8,  1.0},         // the first band includes 20.8
        {20.81, 0.99966667},
        {25.3,  0.85},        // continuous at 25.3
        {25.31, 0.85093023},
        {29.6,  0.75116279},
        {29.61, 0.73644231},  // steps down
        {34.8,  0.68653846},
        {34.81, 0.7},         // steps up
        {60.0,  0.7},
    };
    // clang-format on
    for (auto [v, aw] : edges)
        EXPECT_NEAR(WindUnevennessCoef(v), aw, 5e-9) << "v " << v;
}
