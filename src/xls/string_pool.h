// The workbook's texts: one arena of UTF-8 bytes, each text stored once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vartesk::xls {

// Cells refer to texts by number. Texts read from a file are appended as they come (the
// shared-string table already holds each once); Intern finds an equal text by hash and
// builds its index on first use, so reading pays no hashing.
class TStringPool
{
public:
    std::uint32_t Append(std::string_view utf8);
    std::uint32_t Intern(std::string_view utf8);
    std::string_view At(std::uint32_t id) const
    {
        return std::string_view(Arena).substr(Spans[id].Offset, Spans[id].Length);
    }
    std::uint32_t Count() const { return std::uint32_t(Spans.size()); }
    void Clear();

private:
    struct TSpan
    {
        std::uint64_t Offset;
        std::uint32_t Length;
    };
    void Rehash(size_t buckets);
    void Index(std::uint32_t id, std::uint64_t hash);
    static std::uint64_t Slot(std::uint32_t id, std::uint64_t hash);
    std::string Arena;
    std::vector<TSpan> Spans;
    std::vector<std::uint64_t> Hashes;
    // Open addressing; 0 empty, else the hash's high half and id + 1, so that a probe
    // compares hashes without looking elsewhere.
    std::vector<std::uint64_t> Table;
    bool Indexed = false;
};

} // namespace vartesk::xls
