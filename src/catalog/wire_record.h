// One catalog entry and its packed 61-byte file record.
#pragma once

#include "base/bounded_text.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vartesk {

// Record layout, little-endian, no padding:
//   offset size contents
//    0      4   Group, signed 32-bit (1..7; 0 = no group)
//    4      1   name length 0..16
//    5     16   name, Windows-1251; bytes after the length are zero
//   21      8   Diameter, double, mm
//   29      8   Section, double, mm2
//   37      8   Weight, double, kg/m
//   45      8   Modulus, double, daN/mm2 whatever the unit system shown
//   53      8   ThermalCoef, double, 1/K
inline constexpr size_t kWireRecordSize = 61;
inline constexpr size_t kWireNameLength = 16;

struct TWireRecord
{
    std::int32_t Group = 0;
    TBoundedText<kWireNameLength> Name; // UTF-8 in memory
    double Diameter = 0;
    double Section = 0;
    double Weight = 0;
    double Modulus = 0;
    double ThermalCoef = 0;

    // Exact, field by field.
    bool Equals(const TWireRecord &other) const;
};

// Appends the 61 bytes of rec to out. A character of the name that Windows-1251 lacks is
// written as '?'.
void WriteWireRecord(const TWireRecord &rec, std::string &out);
// Decodes the 61 bytes at the start of bytes (which must hold that many). A length byte
// above 16 reads as 16, as the name field cannot hold more.
TWireRecord ReadWireRecord(std::string_view bytes);

} // namespace vartesk
