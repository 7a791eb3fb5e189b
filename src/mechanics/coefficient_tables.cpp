// The correction tables, kept as data so each row reads against its printed source.
#include "mechanics/coefficient_tables.h"

#include "base/rounding.h"

#include <array>
#include <climits>
#include <cstddef>
#include <limits>

namespace vartesk {
namespace {

// A band of a height table: it starts at From (inclusive, whole metres) and lasts to the next
// row's From. Inside it the value is Base + Slope·(h − Origin); a band without a slope is a
// constant. Origin differs from From only where "15 < h" of the printed table becomes From 16.
struct THeightBand
{
    int From;
    int Origin;
    double Base;
    double Slope;
};

struct TWindBand
{
    int From;
    int Origin;
    std::array<double, 3> Base; // terrain A, B, C
    std::array<double, 3> Slope; // terrain A, B, C
};

// A diameter band: from From (inclusive, mm) to the next row's From; Base − Drop·(d − From).
struct TDiameterBand
{
    double From;
    double Base;
    double Drop;
};

// A velocity band: up to UpTo (inclusive, m/s); (Numerator − Slope·v) / Divisor.
struct TVelocityBand
{
    double UpTo;
    double Numerator;
    double Slope;
    double Divisor;
};

constexpr double kInf = std::numeric_limits<double>::infinity();

// clang-format off
constexpr TWindBand kWindBands[] = {
    // From     Origin  Base A, B, C          Slope A, B, C
    {INT_MIN,   0,      {1.0,  0.65, 0.4 },   {0.0,    0.0,    0.0   }}, // h <= 15
    {16,        15,     {1.0,  0.65, 0.4 },   {0.05,   0.04,   0.03  }}, // 15 < h < 20
    {20,        20,     {1.25, 0.85, 0.55},   {0.0125, 0.0125, 0.0125}},
    {40,        40,     {1.5,  1.1,  0.8 },   {0.01,   0.01,   0.01  }},
    {60,        60,     {1.7,  1.3,  1.0 },   {0.0075, 0.0075, 0.0075}},
    {80,        80,     {1.85, 1.45, 1.15},   {0.0075, 0.0075, 0.005 }},
    {100,       100,    {2.0,  1.6,  1.25},   {0.005,  0.006,  0.006 }},
    {150,       150,    {2.25, 1.9,  1.55},   {0.004,  0.004,  0.005 }},
    {200,       200,    {2.45, 2.1,  1.8 },   {0.004,  0.004,  0.004 }},
    {250,       250,    {2.65, 2.3,  2.0 },   {0.002,  0.004,  0.004 }},
    {300,       300,    {2.75, 2.5,  2.2 },   {0.0,    0.005,  0.003 }},
    {350,       0,      {2.75, 2.75, 2.35},   {0.0,    0.0,    0.0   }}, // h >= 350
};

constexpr THeightBand kIceHeightBands[] = {
    // From     Origin  Base  Slope
    {INT_MIN,   0,      1.0,  0.0  }, // h <= 25
    {26,        25,     1.0,  0.08 }, // 25 < h < 30
    {30,        30,     1.4,  0.01 },
    {50,        50,     1.6,  0.01 },
    {70,        70,     1.8,  0.007}, // not 0.2/30: 97..99 m give slightly more than 2.0
    {100,       0,      2.0,  0.0  }, // h >= 100
};

constexpr TDiameterBand kIceDiameterBands[] = {
    // From   Base  Drop
    {-kInf,   1.0,  0.0  }, // d < 10
    {10.0,    1.0,  0.01 },
    {20.0,    0.9,  0.01 },
    {30.0,    0.8,  0.005},
    {50.0,    0.7,  0.005},
    {70.0,    0.6,  0.0  }, // d >= 70
};

constexpr TVelocityBand kUnevennessBands[] = {
    // UpTo   Numerator  Slope  Divisor
    {20.8,    1.0,       0.0,   1.0},
    {25.3,    7.62,      0.15,  4.5},
    {29.6,    6.19,      0.1,   4.3},
    {34.8,    5.31,      0.05,  5.2},
    {kInf,    0.7,       0.0,   1.0}, // v > 34.8
};
// clang-format on

constexpr int kIceDiameterFromHeight = 25;

// The last row whose From is not above x (rows ascend, the first From is the lowest value).
template<typename TRow, std::size_t N, typename TValue>
const TRow &BandOf(const TRow (&rows)[N], TValue x)
{
    std::size_t i = 0;
    while (i + 1 < N && rows[i + 1].From <= x)
        ++i;
    return rows[i];
}

double Linear(double base, double slope, int h, int origin)
{
    // A constant band is returned as printed, never as base + 0·(h − origin).
    if (ExactlyEqual(slope, 0.0))
        return base;
    return base + slope * (h - origin);
}

} // namespace

double WindHeightCoef(int h, int typeTer)
{
    if (typeTer < 1 || typeTer > 3)
        return 1.0;
    const auto terrain = static_cast<std::size_t>(typeTer - 1);
    const TWindBand &band = BandOf(kWindBands, h);
    return Linear(band.Base[terrain], band.Slope[terrain], h, band.Origin);
}

double IceHeightCoef(int h)
{
    const THeightBand &band = BandOf(kIceHeightBands, h);
    return Linear(band.Base, band.Slope, h, band.Origin);
}

double IceDiameterCoef(int h, double d)
{
    if (h < kIceDiameterFromHeight)
        return 1.0;
    const TDiameterBand &band = BandOf(kIceDiameterBands, d);
    if (ExactlyEqual(band.Drop, 0.0))
        return band.Base;
    return band.Base - band.Drop * (d - band.From);
}

double WindUnevennessCoef(double v)
{
    for (const TVelocityBand &band : kUnevennessBands) {
        if (v <= band.UpTo) {
            if (ExactlyEqual(band.Slope, 0.0))
                return band.Numerator;
            return (band.Numerator - band.Slope * v) / band.Divisor;
        }
    }
    // Only NaN gets here; it falls into the last band like any velocity above 34.8.
    return kUnevennessBands[std::size(kUnevennessBands) - 1].Numerator;
}

} // namespace vartesk
