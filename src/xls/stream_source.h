// The bytes of a stream as a reader takes them in order, without holding a large one whole.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace vartesk::xls {

class TStreamSource
{
public:
    virtual ~TStreamSource() = default;
    virtual std::uint64_t Size() const = 0;
    // All the bytes, where they are in memory; empty where they are read piece by piece.
    virtual std::string_view Whole() const { return {}; }
    // n bytes at offset (offset + n <= Size()) into out; ECFileError 3 when they cannot be
    // read.
    virtual void Read(std::uint64_t offset, char *out, size_t n) const = 0;
};

// A stream whose bytes are in memory.
class TMemoryStream : public TStreamSource
{
public:
    explicit TMemoryStream(std::string_view bytes)
        : Bytes(bytes)
    { }
    std::uint64_t Size() const override { return Bytes.size(); }
    std::string_view Whole() const override { return Bytes; }
    void Read(std::uint64_t offset, char *out, size_t n) const override
    {
        std::memcpy(out, Bytes.data() + offset, n);
    }

private:
    std::string_view Bytes;
};

} // namespace vartesk::xls
