// Encoding and decoding of the 61-byte catalog record.
#include "catalog/wire_record.h"

#include "base/cp1251.h"
#include "base/rounding.h"

#include <bit>
#include <cassert>

namespace vartesk {

namespace {

constexpr size_t kGroupOffset = 0;
constexpr size_t kNameOffset = 4;
constexpr size_t kDiameterOffset = 21;
constexpr size_t kSectionOffset = 29;
constexpr size_t kWeightOffset = 37;
constexpr size_t kModulusOffset = 45;
constexpr size_t kThermalCoefOffset = 53;

std::uint64_t ReadLe(std::string_view bytes, size_t offset, size_t width)
{
    std::uint64_t v = 0;
    for (size_t i = 0; i < width; ++i)
        v |= std::uint64_t(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    return v;
}

void WriteLe(std::string &out, std::uint64_t v, size_t width)
{
    for (size_t i = 0; i < width; ++i)
        out += char((v >> (8 * i)) & 0xFF);
}

double ReadDouble(std::string_view bytes, size_t offset)
{
    return std::bit_cast<double>(ReadLe(bytes, offset, 8));
}

void WriteDouble(std::string &out, double x)
{
    WriteLe(out, std::bit_cast<std::uint64_t>(x), 8);
}

} // namespace

bool TWireRecord::Equals(const TWireRecord &other) const
{
    return Group == other.Group && Name == other.Name && ExactlyEqual(Diameter, other.Diameter)
        && ExactlyEqual(Section, other.Section) && ExactlyEqual(Weight, other.Weight)
        && ExactlyEqual(Modulus, other.Modulus) && ExactlyEqual(ThermalCoef, other.ThermalCoef);
}

void WriteWireRecord(const TWireRecord &rec, std::string &out)
{
    const size_t start = out.size();
    WriteLe(out, std::uint32_t(rec.Group), 4);
    // The name holds at most 16 characters, each of which encodes to one byte.
    std::string name = Utf8ToCp1251(rec.Name.str());
    if (name.size() > kWireNameLength)
        name.resize(kWireNameLength);
    out += char(name.size());
    out += name;
    out.append(kWireNameLength - name.size(), '\0');
    WriteDouble(out, rec.Diameter);
    WriteDouble(out, rec.Section);
    WriteDouble(out, rec.Weight);
    WriteDouble(out, rec.Modulus);
    WriteDouble(out, rec.ThermalCoef);
    assert(out.size() - start == kWireRecordSize);
    (void)start;
}

TWireRecord ReadWireRecord(std::string_view bytes)
{
    assert(bytes.size() >= kWireRecordSize);
    TWireRecord rec;
    rec.Group = std::int32_t(std::uint32_t(ReadLe(bytes, kGroupOffset, 4)));
    size_t length = static_cast<unsigned char>(bytes[kNameOffset]);
    if (length > kWireNameLength)
        length = kWireNameLength;
    rec.Name = Cp1251ToUtf8(bytes.substr(kNameOffset + 1, length));
    rec.Diameter = ReadDouble(bytes, kDiameterOffset);
    rec.Section = ReadDouble(bytes, kSectionOffset);
    rec.Weight = ReadDouble(bytes, kWeightOffset);
    rec.Modulus = ReadDouble(bytes, kModulusOffset);
    rec.ThermalCoef = ReadDouble(bytes, kThermalCoefOffset);
    return rec;
}

} // namespace vartesk
