// The damper selection tables: when a span needs dampers, how many and of which type.
#include "dampers/damper_rules.h"

#include "model/vm_data.h"

#include <array>
#include <limits>

namespace vartesk {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int kCategories = 5;

// Row of the category, or -1 outside 1..5.
int CategoryRow(const TVM_Data &vm)
{
    return vm.NumbCat >= 1 && vm.NumbCat <= kCategories ? vm.NumbCat - 1 : -1;
}

bool InRange(double v, double from, double to)
{
    return from <= v && v < to;
}

// Least span length needing dampers: one row per material and area range.
struct TSpanLimitRow
{
    int Material;
    double AreaFrom, AreaTo; // mm2
    std::array<double, kCategories> Limit; // m, by category
};

// clang-format off
constexpr std::array<TSpanLimitRow, 7> kSpanLimits = {{
    {kMaterialSteelAluminium, -kInf,  120, { 80,  80,  80,  90, 100}},
    {kMaterialSteelAluminium,   120,  300, {100, 100, 100, 120, 130}},
    {kMaterialSteelAluminium,   300, 5000, {120, 120, 120, 130, 150}},
    {kMaterialDielectric,     -kInf,  140, { 70,  80,  80,  90, 100}},
    {kMaterialDielectric,       140, kInf, { 90, 100, 100, 120, 130}},
    {kMaterialSteel,             25, kInf, {120, 120, 120, 140, 150}},
    {kMaterialSteel,          -kInf,   25, {kInf, kInf, kInf, kInf, kInf}},
}};

// Stress limits (daN/mm2) by ratio range p = 0..6; categories 1..3 share a row.
struct TStressLimitRow
{
    int Material;
    int CategoryFrom, CategoryTo; // inclusive
    std::array<double, 7> Limit;
};

constexpr std::array<TStressLimitRow, 6> kStressLimits = {{
    {kMaterialSteelAluminium, 1, 3, { 8.0, 7.0, 6.0, 4.5, 3.5, 3.3, 3.0}},
    {kMaterialSteelAluminium, 4, 4, { 9.0, 8.4, 7.2, 5.0, 4.0, 3.5, 3.5}},
    {kMaterialSteelAluminium, 5, 5, {10.0, 9.0, 8.0, 5.4, 4.8, 4.0, 4.0}},
    {kMaterialSteel,          1, 3, {18, 18, 18, 18, 18, 18, 18}},
    {kMaterialSteel,          4, 4, {20, 20, 20, 20, 20, 20, 20}},
    {kMaterialSteel,          5, 5, {22, 22, 22, 22, 22, 22, 22}},
}};

// Span-length bounds of the damper counts (m), by category.
constexpr std::array<std::array<double, 8>, kCategories> kNorthCountBounds = {{
    {130, 280, 420, 500,  700, 1200, 1300, 1500},
    {150, 300, 470, 580,  800, 1270, 1380, 1570},
    {170, 340, 520, 660,  900, 1340, 1460, 1640},
    {190, 370, 570, 740, 1000, 1420, 1540, 1720},
    {205, 410, 615, 820, 1100, 1500, 1650, 1800},
}};

constexpr std::array<std::array<double, 4>, kCategories> kDielectricCountBounds = {{
    {125, 250, 360, 480},
    {150, 300, 450, 600},
    {150, 300, 450, 600},
    {180, 360, 540, 720},
    {205, 410, 615, 820},
}};
// clang-format on

// A type table: rows are diameter ranges (mm), columns tension ranges (daN), both
// contiguous, so each is given by its bounds.
template<typename Cell, size_t Rows, size_t Cols>
struct TTypeTable
{
    std::array<double, Rows + 1> Diameter;
    std::array<double, Cols + 1> Tension;
    std::array<std::array<Cell, Cols>, Rows> Cells;
};

// The cell holding (d, t), or nullptr when either lies outside the table.
template<typename Cell, size_t Rows, size_t Cols>
const Cell *FindCell(const TTypeTable<Cell, Rows, Cols> &table, double d, double t)
{
    for (size_t r = 0; r < Rows; ++r) {
        if (!InRange(d, table.Diameter[r], table.Diameter[r + 1]))
            continue;
        for (size_t c = 0; c < Cols; ++c) {
            if (InRange(t, table.Tension[c], table.Tension[c + 1]))
                return &table.Cells[r][c];
        }
        return nullptr;
    }
    return nullptr;
}

struct TSuffixCell
{
    const char *Suffix;
    bool Marked;
};

struct TPairCell
{
    const char *First;
    const char *Second;
};

constexpr const char *N = kNullType;
constexpr TSuffixCell NS = {kNullType, false};
constexpr TPairCell NP = {kNullType, kNullType};

// clang-format off
constexpr TTypeTable<TSuffixCell, 5, 3> kDielectricTypes = {
    {9, 11.1, 14.1, 17.1, 20.1, 26.1},
    {500, 1000, 2500, 3500},
    {{
        {{{"0,4-0,6", false}, {"0,4-0,6", false}, NS}},
        {{{"0,4-0,6", false}, {"0,4-0,6", false}, NS}},
        {{{"0,4-0,6", false}, {"0,6-0,8", true},  NS}},
        {{{"0,6-0,8", true},  {"0,6-0,8", true},  {"0,8-1,2", true}}},
        {{{"0,6-0,8", true},  {"0,8-1,2", true},  {"1,2-1,6", true}}},
    }},
};

constexpr TTypeTable<const char *, 8, 6> kNorthTypes = {
    {9, 11.1, 14.1, 17.1, 20.1, 26.1, 32.1, 35.1, 38.1},
    {500, 1000, 2000, 3000, 5000, 9000, 18000},
    {{
        {{"ГВУ-0,6-0,8", "ГВУ-0,6-0,8", N,             N,             N,             N}},
        {{"ГВУ-0,6-0,8", "ГВУ-0,6-0,8", "ГВУ-0,8-1,2", N,             N,             N}},
        {{"ГВУ-0,6-0,8", "ГВУ-0,8-1,2", "ГВУ-0,8-1,2", "ГВУ-1,2-1,6", N,             N}},
        {{"ГВУ-0,8-1,2", "ГВУ-0,8-1,2", "ГВУ-1,2-1,6", "ГВУ-1,2-1,6", N,             N}},
        {{"ГВУ-1,2-1,6", "ГВУ-1,2-1,6", "ГВУ-1,2-1,6", "ГВУ-1,2-1,6", "ГВУ-1,6-2,4", "ГВУ-1,6-2,4"}},
        {{"ГВУ-1,2-1,6", "ГВУ-1,2-1,6", "ГВУ-1,6-2,4", "ГВУ-1,6-2,4", "ГВУ-1,6-2,4", "ГВУ-1,6-2,4"}},
        {{N,             "ГВУ-1,2-1,6", "ГВУ-1,6-2,4", "ГВУ-1,6-2,4", "ГВУ-1,6-2,4", "ГВУ-1,6-2,4"}},
        {{N,             N,             "ГВУ-1,6-2,4", "ГВУ-1,6-2,4", "ГВУ-1,6-2,4", "ГВУ-1,6-2,4"}},
    }},
};

constexpr TTypeTable<const char *, 9, 5> kGvpTypes = {
    {9, 11.1, 14.1, 17.1, 20.1, 26.1, 32.1, 35.1, 38.1, 47},
    {500, 1000, 2000, 3000, 5000, 10000},
    {{
        {{"ГВП-0,8-9,1-350", "ГВП-0,8-9,1-350", "ГВП-0,8-9,1-350", N,                N}},
        {{"ГВП-0,8-9,1-350", "ГВП-0,8-9,1-350", "ГВП-1,6-11-400",  "ГВП-1,6-11-400", N}},
        {{"ГВП-0,8-9,1-350", "ГВП-1,6-11-400",  "ГВП-1,6-11-450",  "ГВП-1,6-11-400", "ГВП-2,4-13-450"}},
        {{"ГВП-1,6-11-400",  "ГВП-1,6-11-400",  "ГВП-1,6-11-500",  "ГВП-2,4-13-450", "ГВП-2,4-13-450"}},
        {{"ГВП-1,6-11-450",  "ГВП-1,6-11-450",  "ГВП-1,6-11-500",  "ГВП-2,4-13-500", "ГВП-3,2-13-500"}},
        {{"ГВП-1,6-11-500",  "ГВП-1,6-11-500",  "ГВП-2,4-11-450",  "ГВП-3,2-13-500", "ГВП-3,2-13-550"}},
        {{N,                 "ГВП-1,6-11-500",  "ГВП-2,4-11-500",  "ГВП-3,2-13-500", "ГВП-3,2-13-550"}},
        {{N,                 N,                 "ГВП-2,4-11-550",  "ГВП-3,2-13-550", "ГВП-3,2-13-600"}},
        {{N,                 N,                 N,                 "ГВП-3,2-13-600", "ГВП-4,0-13-600"}},
    }},
};

constexpr TTypeTable<const char *, 9, 6> kGvuTypes = {
    {9, 11.1, 14.1, 17.1, 20.1, 26.1, 32.1, 35.1, 38.1, 47},
    {500, 1000, 2000, 3000, 5000, 9000, 18000},
    {{
        {{"ГВУ-0,6-0,8", "ГВУ-1,2-1,6", "ГВУ-1,2-1,6", N,             N,             N}},
        {{"ГВУ-0,6-0,8", "ГВУ-1,2-1,6", "ГВУ-1,2-1,6", "ГВУ-1,2-1,6", N,             N}},
        {{"ГВУ-0,6-0,8", "ГВУ-1,2-1,6", "ГВУ-1,2-1,6", "ГВУ-1,6-2,4", N,             N}},
        {{"ГВУ-1,2-1,6", "ГВУ-1,2-1,6", "ГВУ-1,2-1,6", "ГВУ-1,6-2,4", "ГВУ-1,6-2,4", "ГВУ-1,6-2,4"}},
        {{"ГВУ-1,2-1,6", "ГВУ-1,2-1,6", "ГВУ-1,6-2,4", "ГВУ-1,6-2,4", "ГВУ-1,6-2,4", "ГВУ-2,4-3,2"}},
        {{"ГВУ-1,2-1,6", "ГВУ-1,2-1,6", "ГВУ-1,6-2,4", "ГВУ-2,4-3,2", "ГВУ-2,4-3,2", "ГВУ-3,2-4,0"}},
        {{N,             "ГВУ-1,2-1,6", "ГВУ-1,6-2,4", "ГВУ-2,4-3,2", "ГВУ-2,4-3,2", "ГВУ-3,2-4,0"}},
        {{N,             N,             "ГВУ-1,6-2,4", "ГВУ-2,4-3,2", "ГВУ-2,4-3,2", "ГВУ-3,2-4,0"}},
        {{N,             N,             N,             "ГВУ-2,4-3,2", "ГВУ-3,2-4,0", "ГВУ-3,2-4,0"}},
    }},
};

constexpr TTypeTable<TPairCell, 9, 6> kGvpPairs = {
    {9, 11.1, 14.1, 17.1, 20.1, 26.1, 32.1, 35.1, 38.1, 47},
    {800, 1000, 2000, 3000, 5000, 9000, 18000},
    {{
        {{{"ГВП-0,8-9,1-400", "ГВП-0,8-9,1-350"}, {"ГВП-1,6-11-400", "ГВП-0,8-9,1-350"}, {"ГВП-1,6-11-400", "ГВП-0,8-9,1-350"}, NP, NP, NP}},
        {{{"ГВП-1,6-11-400", "ГВП-0,8-9,1-350"}, {"ГВП-1,6-11-400", "ГВП-0,8-9,1-350"}, {"ГВП-1,6-11-400", "ГВП-0,8-9,1-350"}, {"ГВП-2,4-13-500", "ГВП-1,6-11-400"}, NP, NP}},
        {{{"ГВП-1,6-11-500", "ГВП-0,8-9,1-350"}, {"ГВП-1,6-11-500", "ГВП-0,8-9,1-350"}, {"ГВП-2,4-13-550", "ГВП-1,6-11-400"}, {"ГВП-2,4-13-500", "ГВП-1,6-11-400"}, {"ГВП-2,4-13-450", "ГВП-1,6-11-400"}, NP}},
        {{{"ГВП-1,6-11-500", "ГВП-1,6-11-400"}, {"ГВП-2,4-11-450", "ГВП-1,6-11-400"}, {"ГВП-2,4-13-550", "ГВП-1,6-11-400"}, {"ГВП-2,4-13-550", "ГВП-1,6-11-400"}, {"ГВП-2,4-13-500", "ГВП-1,6-11-400"}, {"ГВП-3,2-13-600", "ГВП-2,4-13-450"}}},
        {{NP, {"ГВП-2,4-11-500", "ГВП-1,6-11-400"}, {"ГВП-2,4-13-600", "ГВП-1,6-11-400"}, {"ГВП-2,4-13-600", "ГВП-1,6-11-400"}, {"ГВП-2,4-13-550", "ГВП-1,6-11-400"}, {"ГВП-3,2-13-600", "ГВП-2,4-13-500"}}},
        {{NP, {"ГВП-3,2-13-600", "ГВП-1,6-11-400"}, {"ГВП-3,2-13-600", "ГВП-2,4-13-400"}, {"ГВП-3,2-13-550", "ГВП-2,4-13-400"}, {"ГВП-3,2-13-550", "ГВП-2,4-13-400"}, {"ГВП-4,0-13-600", "ГВП-3,2-13-450"}}},
        {{NP, {"ГВП-3,2-13-600", "ГВП-1,6-11-450"}, {"ГВП-3,2-13-600", "ГВП-2,4-13-450"}, {"ГВП-3,2-13-600", "ГВП-2,4-13-450"}, {"ГВП-3,2-13-550", "ГВП-2,4-13-400"}, {"ГВП-4,0-13-600", "ГВП-3,2-13-450"}}},
        {{NP, {"ГВП-3,2-13-600", "ГВП-3,2-13-400"}, {"ГВП-4,0-13-600", "ГВП-3,2-13-450"}, {"ГВП-4,0-13-600", "ГВП-3,2-13-450"}, {"ГВП-4,0-13-550", "ГВП-3,2-13-450"}, {"ГВП-4,0-13-600", "ГВП-3,2-13-450"}}},
        {{NP, NP, {"ГВП-4,0-13-600", "ГВП-3,2-13-500"}, {"ГВП-4,0-13-600", "ГВП-3,2-13-500"}, {"ГВП-4,0-13-600", "ГВП-3,2-13-500"}, {"ГВП-4,0-13-600", "ГВП-3,2-13-500"}}},
    }},
};

constexpr TTypeTable<TPairCell, 9, 6> kGvuPairs = {
    {9, 11.1, 14.1, 17.1, 20.1, 26.1, 32.1, 35.1, 38.1, 47},
    {800, 1000, 2000, 3000, 5000, 9000, 18000},
    {{
        {{{"ГВУ-0,6-0,8", "ГВУ-0,6-0,8"}, {"ГВУ-0,6-0,8", "ГВУ-0,6-0,8"}, {"ГВУ-1,2-1,6", "ГВУ-0,6-0,8"}, NP, NP, NP}},
        {{{"ГВУ-1,2-1,6", "ГВУ-0,6-0,8"}, {"ГВУ-1,2-1,6", "ГВУ-0,6-0,8"}, {"ГВУ-1,2-1,6", "ГВУ-0,6-0,8"}, {"ГВУ-1,6-2,4", "ГВУ-1,2-1,6"}, NP, NP}},
        {{{"ГВУ-1,2-1,6", "ГВУ-0,6-0,8"}, {"ГВУ-1,2-1,6", "ГВУ-0,6-0,8"}, {"ГВУ-1,2-1,6", "ГВУ-0,6-0,8"}, {"ГВУ-1,6-2,4", "ГВУ-1,2-1,6"}, {"ГВУ-1,6-2,4", "ГВУ-1,2-1,6"}, NP}},
        {{{"ГВУ-1,2-1,6", "ГВУ-0,6-0,8"}, {"ГВУ-1,2-1,6", "ГВУ-0,6-0,8"}, {"ГВУ-1,6-2,4", "ГВУ-1,2-1,6"}, {"ГВУ-1,6-2,4", "ГВУ-1,2-1,6"}, {"ГВУ-1,6-2,4", "ГВУ-1,2-1,6"}, {"ГВУ-2,4-3,2", "ГВУ-1,6-2,4"}}},
        {{NP, {"ГВУ-1,6-2,4", "ГВУ-1,2-1,6"}, {"ГВУ-1,6-2,4", "ГВУ-1,2-1,6"}, {"ГВУ-1,6-2,4", "ГВУ-1,2-1,6"}, {"ГВУ-1,6-2,4", "ГВУ-1,2-1,6"}, {"ГВУ-2,4-3,2", "ГВУ-1,6-2,4"}}},
        {{NP, {"ГВУ-2,4-3,2", "ГВУ-1,2-1,6"}, {"ГВУ-2,4-3,2", "ГВУ-1,6-2,4"}, {"ГВУ-2,4-3,2", "ГВУ-1,6-2,4"}, {"ГВУ-2,4-3,2", "ГВУ-1,6-2,4"}, {"ГВУ-3,2-4,0", "ГВУ-1,6-2,4"}}},
        {{NP, {"ГВУ-2,4-3,2", "ГВУ-1,2-1,6"}, {"ГВУ-2,4-3,2", "ГВУ-2,4-3,2"}, {"ГВУ-2,4-3,2", "ГВУ-1,6-2,4"}, {"ГВУ-2,4-3,2", "ГВУ-1,6-2,4"}, {"ГВУ-3,2-4,0", "ГВУ-2,4-3,2"}}},
        {{NP, NP, {"ГВУ-3,2-4,0", "ГВУ-2,4-3,2"}, {"ГВУ-3,2-4,0", "ГВУ-2,4-3,2"}, {"ГВУ-3,2-4,0", "ГВУ-2,4-3,2"}, {"ГВУ-3,2-4,0", "ГВУ-2,4-3,2"}}},
        {{NP, NP, {"ГВУ-3,2-4,0", "ГВУ-2,4-3,2"}, {"ГВУ-3,2-4,0", "ГВУ-2,4-3,2"}, {"ГВУ-3,2-4,0", "ГВУ-2,4-3,2"}, {"ГВУ-3,2-4,0", "ГВУ-2,4-3,2"}}},
    }},
};
// clang-format on

template<typename Table>
std::string TypeOf(const Table &table, double d, double t)
{
    const char *const *cell = FindCell(table, d, t);
    return cell ? *cell : kNullType;
}

template<typename Table>
TDamperPair PairOf(const Table &table, double d, double t)
{
    const TPairCell *cell = FindCell(table, d, t);
    return cell ? TDamperPair {cell->First, cell->Second} : TDamperPair {kNullType, kNullType};
}

} // namespace

std::optional<double> DamperSpanLimit(int m, double s, const TVM_Data &vm)
{
    const int cat = CategoryRow(vm);
    if (cat < 0)
        return std::nullopt;
    bool materialKnown = false;
    for (const TSpanLimitRow &row : kSpanLimits) {
        if (row.Material != m)
            continue;
        materialKnown = true;
        if (InRange(s, row.AreaFrom, row.AreaTo))
            return row.Limit[size_t(cat)];
    }
    // Any other material never needs dampers; a known one with no row is off the table.
    return materialKnown ? std::nullopt : std::optional<double>(kInf);
}

bool NeedsDampers(int m, double l, double s, const TVM_Data &vm)
{
    const std::optional<double> limit = DamperSpanLimit(m, s, vm);
    return limit && l >= *limit;
}

bool StressCheck(int m, int p, double sigma, const TVM_Data &vm)
{
    if (m != kMaterialSteelAluminium && m != kMaterialSteel)
        return true;
    for (const TStressLimitRow &row : kStressLimits) {
        if (row.Material == m && row.CategoryFrom <= vm.NumbCat && vm.NumbCat <= row.CategoryTo
            && p >= 0 && p < int(row.Limit.size()))
            return sigma >= row.Limit[size_t(p)];
    }
    // A ratio range or category without a limit: dampers rather than a vibrating span.
    return true;
}

int NorthDamperCount(double l, const TVM_Data &vm)
{
    const int cat = CategoryRow(vm);
    if (cat < 0)
        return 1;
    const auto &b = kNorthCountBounds[size_t(cat)];
    for (size_t i = 0; i + 1 < b.size(); ++i) {
        if (InRange(l, b[i], b[i + 1]))
            return int(i) + 2;
    }
    return 1;
}

int DielectricDamperCount(double l, const TVM_Data &vm)
{
    const int cat = CategoryRow(vm);
    int n = 1;
    if (cat >= 0) {
        const auto &b = kDielectricCountBounds[size_t(cat)];
        for (size_t i = 0; i + 1 < b.size(); ++i) {
            if (InRange(l, b[i], b[i + 1]))
                n = int(i) + 2;
        }
    }
    return vm.IsNord ? n + 1 : n;
}

TDielectricType DielectricDamperType(double d, double t)
{
    const TSuffixCell *cell = FindCell(kDielectricTypes, d, t);
    return cell ? TDielectricType {cell->Suffix, cell->Marked} : TDielectricType {kNullType, false};
}

std::string NorthDamperType(double d, double t)
{
    return TypeOf(kNorthTypes, d, t);
}

std::string GvpDamperType(double d, double t)
{
    return TypeOf(kGvpTypes, d, t);
}

std::string GvuDamperType(double d, double t)
{
    return TypeOf(kGvuTypes, d, t);
}

TDamperPair GvpDamperPair(double d, double t)
{
    return PairOf(kGvpPairs, d, t);
}

TDamperPair GvuDamperPair(double d, double t)
{
    return PairOf(kGvuPairs, d, t);
}

} // namespace vartesk
