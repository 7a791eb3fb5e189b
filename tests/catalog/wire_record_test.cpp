// The 61-byte catalog record: disk layout, name limits, signed group.
#include "catalog/wire_record.h"

#include <gtest/gtest.h>

using namespace vartesk;

namespace {

TWireRecord Ac50()
{
    TWireRecord r;
    r.Group = 1;
    r.Name = "АС50/8";
    r.Diameter = 9.6;
    r.Section = 56.24;
    r.Weight = 0.195;
    r.Modulus = 8250;
    r.ThermalCoef = 1.92E-5;
    return r;
}

// clang-format off
const unsigned char kAc50Bytes[kWireRecordSize] = {
    0x01, 0x00, 0x00, 0x00,                          //  0 Group 1
    0x06,                                            //  4 name length
    0xC0, 0xD1, 0x35, 0x30, 0x2F, 0x38,              //  5 "АС50/8" in Windows-1251
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x23, 0x40,  // 21 Diameter 9.6
    0x1F, 0x85, 0xEB, 0x51, 0xB8, 0x1E, 0x4C, 0x40,  // 29 Section 56.24
    0xF6, 0x28, 0x5C, 0x8F, 0xC2, 0xF5, 0xC8, 0x3F,  // 37 Weight 0.195
    0x00, 0x00, 0x00, 0x00, 0x00, 0x1D, 0xC0, 0x40,  // 45 Modulus 8250
    0x76, 0x83, 0x0D, 0xF4, 0xF5, 0x21, 0xF4, 0x3E,  // 53 ThermalCoef 1.92E-5
};
// clang-format on

std::string Bytes(const unsigned char *p, size_t n)
{
    return std::string(reinterpret_cast<const char *>(p), n);
}

} // namespace

TEST(WireRecord, ExampleEntryEncodesToItsLittleEndianBytesAndBack)
{
    std::string out;
    WriteWireRecord(Ac50(), out);
    EXPECT_EQ(out, Bytes(kAc50Bytes, sizeof kAc50Bytes));
    EXPECT_TRUE(ReadWireRecord(out).Equals(Ac50()));
}

TEST(WireRecord, NegativeGroupKeepsItsSign)
{
    TWireRecord r = Ac50();
    r.Group = -2;
    std::string out;
    WriteWireRecord(r, out);
    EXPECT_EQ(out.substr(0, 4), "\xFE\xFF\xFF\xFF");
    EXPECT_EQ(ReadWireRecord(out).Group, -2);
}

TEST(WireRecord, TwentyCharacterNameIsStoredAsItsFirstSixteen)
{
    TWireRecord r = Ac50();
    r.Name = std::string("ЖЖЖЖЖЖЖЖЖЖabcdefghij"); // 20 characters, 30 bytes of UTF-8
    EXPECT_EQ(r.Name.str(), "ЖЖЖЖЖЖЖЖЖЖabcdef");
    std::string out;
    WriteWireRecord(r, out);
    ASSERT_EQ(out.size(), kWireRecordSize);
    EXPECT_EQ(static_cast<unsigned char>(out[4]), 16);
    EXPECT_EQ(ReadWireRecord(out).Name.str(), "ЖЖЖЖЖЖЖЖЖЖabcdef");
}

TEST(WireRecord, LengthByteAboveSixteenReadsAsSixteen)
{
    std::string bytes = Bytes(kAc50Bytes, sizeof kAc50Bytes);
    bytes[4] = char(200);
    for (size_t i = 5; i < 21; ++i)
        bytes[i] = 'x';
    EXPECT_EQ(ReadWireRecord(bytes).Name.str(), std::string(16, 'x'));
    // The diameter right after the name field is not taken for name bytes.
    EXPECT_DOUBLE_EQ(ReadWireRecord(bytes).Diameter, 9.6);
}

TEST(WireRecord, BytesAfterTheNameLengthAreNotPartOfTheNameAndAreWrittenAsZero)
{
    std::string bytes = Bytes(kAc50Bytes, sizeof kAc50Bytes);
    for (size_t i = 11; i < 21; ++i)
        bytes[i] = 'z';
    const TWireRecord r = ReadWireRecord(bytes);
    EXPECT_EQ(r.Name.str(), "АС50/8");
    std::string out;
    WriteWireRecord(r, out);
    EXPECT_EQ(out, Bytes(kAc50Bytes, sizeof kAc50Bytes));
}
