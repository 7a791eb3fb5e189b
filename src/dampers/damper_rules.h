// The damper selection tables: when a span needs dampers, how many and of which type.
#pragma once

#include <optional>
#include <string>

namespace vartesk {

class TVM_Data;

// A type cell that names no damper: the span then gets none.
inline constexpr const char *kNullType = "Null";

// Conductor material codes of the damper choice.
inline constexpr int kMaterialSteelAluminium = 0;
inline constexpr int kMaterialDielectric = 1;
inline constexpr int kMaterialSteel = 2;

// Every range of these tables is half-open: v lies in a-b when a <= v < b.

// The least span length (m) that needs dampers for material m and area s (mm2) in the
// terrain category of `vm`; nullopt when the table has no row for them (a steel-aluminium
// area from 5000 mm2 on) or the category is outside 1..5. Infinite where dampers are never
// needed.
std::optional<double> DamperSpanLimit(int m, double s, const TVM_Data &vm);
bool NeedsDampers(int m, double l, double s, const TVM_Data &vm);
// Whether stress sigma (daN/mm2) reaches the limit of material m and ratio range p.
bool StressCheck(int m, int p, double sigma, const TVM_Data &vm);
int NorthDamperCount(double l, const TVM_Data &vm);
int DielectricDamperCount(double l, const TVM_Data &vm);

struct TDielectricType
{
    std::string Suffix; // "0,6-0,8", or "Null"
    bool Marked = false; // the cell asks for the universal model
};
TDielectricType DielectricDamperType(double d, double t);
std::string NorthDamperType(double d, double t);
std::string GvpDamperType(double d, double t);
std::string GvuDamperType(double d, double t);

struct TDamperPair
{
    std::string First;
    std::string Second;
};
// Long spans: a "Null" cell gives "Null" for both.
TDamperPair GvpDamperPair(double d, double t);
TDamperPair GvuDamperPair(double d, double t);

} // namespace vartesk
