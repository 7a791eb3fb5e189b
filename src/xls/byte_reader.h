// Little-endian byte reading that cannot pass the end of its buffer, and the matching writer.
#pragma once

#include "xls/xls_error.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vartesk::xls {

// Reads a record body or a sector; every read checks the bytes left first and raises
// EReadPastEnd, which the caller turns into an error naming its stream and record.
class TByteReader
{
public:
    // base: where data starts in the enclosing stream, for messages only.
    explicit TByteReader(std::string_view data, size_t base = 0)
        : Data(data)
        , Base(base)
    { }
    size_t Pos() const { return At; }
    size_t Size() const { return Data.size(); }
    size_t Left() const { return Data.size() - At; }
    bool AtEnd() const { return At >= Data.size(); }
    size_t StreamOffset() const { return Base + At; }

    std::uint8_t U8()
    {
        Need(1);
        return std::uint8_t(Data[At++]);
    }
    std::uint16_t U16()
    {
        Need(2);
        const auto *p = reinterpret_cast<const unsigned char *>(Data.data() + At);
        At += 2;
        return std::uint16_t(p[0] | (p[1] << 8));
    }
    std::uint32_t U32()
    {
        Need(4);
        const auto *p = reinterpret_cast<const unsigned char *>(Data.data() + At);
        At += 4;
        return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16)
            | (std::uint32_t(p[3]) << 24);
    }
    std::uint64_t U64()
    {
        const std::uint64_t lo = U32();
        return lo | (std::uint64_t(U32()) << 32);
    }
    std::int16_t I16() { return std::int16_t(U16()); }
    std::int32_t I32() { return std::int32_t(U32()); }
    double F64() { return std::bit_cast<double>(U64()); }
    std::string_view Bytes(size_t n)
    {
        Need(n);
        auto out = Data.substr(At, n);
        At += n;
        return out;
    }
    std::string_view Rest() { return Bytes(Left()); }
    void Skip(size_t n)
    {
        Need(n);
        At += n;
    }
    void Seek(size_t pos)
    {
        if (pos > Data.size())
            throw EReadPastEnd(Base + At, pos - At, Left());
        At = pos;
    }

private:
    void Need(size_t n) const
    {
        if (n > Data.size() - At)
            throw EReadPastEnd(Base + At, n, Data.size() - At);
    }
    std::string_view Data;
    size_t Base;
    size_t At = 0;
};

// Appends little-endian values to a byte string.
class TByteWriter
{
public:
    explicit TByteWriter(std::string &out)
        : Out(out)
    { }
    size_t Pos() const { return Out.size(); }
    void U8(unsigned v) { Out.push_back(char(v & 0xFF)); }
    void U16(unsigned v)
    {
        const char b[2] = {char(v & 0xFF), char((v >> 8) & 0xFF)};
        Out.append(b, 2);
    }
    void U32(std::uint32_t v)
    {
        const char b[4] = {
            char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char((v >> 24) & 0xFF)};
        Out.append(b, 4);
    }
    void U64(std::uint64_t v)
    {
        U32(std::uint32_t(v));
        U32(std::uint32_t(v >> 32));
    }
    void F64(double v) { U64(std::bit_cast<std::uint64_t>(v)); }
    void Bytes(std::string_view b) { Out.append(b); }
    void Zeros(size_t n) { Out.append(n, '\0'); }
    void PatchU16(size_t pos, unsigned v)
    {
        Out[pos] = char(v & 0xFF);
        Out[pos + 1] = char((v >> 8) & 0xFF);
    }
    void PatchU32(size_t pos, std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            Out[pos + size_t(i)] = char((v >> (8 * i)) & 0xFF);
    }

private:
    std::string &Out;
};

// Writes little-endian values into a buffer the caller sized: the records of fixed size on
// the cell loop, whose header and body then go into the stream in one append. The same calls
// as TByteWriter, so that a record's Write serves both.
class TFixedWriter
{
public:
    explicit TFixedWriter(char *at)
        : At(at)
    { }
    void U8(unsigned v) { *At++ = char(v & 0xFF); }
    void U16(unsigned v)
    {
        U8(v);
        U8(v >> 8);
    }
    void U32(std::uint32_t v)
    {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void U64(std::uint64_t v)
    {
        U32(std::uint32_t(v));
        U32(std::uint32_t(v >> 32));
    }
    void F64(double v) { U64(std::bit_cast<std::uint64_t>(v)); }

private:
    char *At;
};

// A named bit field of a record word: value = (word >> Shift) & Mask.
struct TBits
{
    unsigned Shift;
    std::uint32_t Mask;
    constexpr std::uint32_t Get(std::uint32_t word) const { return (word >> Shift) & Mask; }
    constexpr std::uint32_t Set(std::uint32_t word, std::uint32_t value) const
    {
        return (word & ~(Mask << Shift)) | ((value & Mask) << Shift);
    }
};

} // namespace vartesk::xls
