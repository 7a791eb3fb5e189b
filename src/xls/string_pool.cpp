// Text arena with a lazily built open-addressing index.
#include "xls/string_pool.h"

#include <functional>

namespace vartesk::xls {

namespace {

std::uint64_t Hash(std::string_view s)
{
    // The library's string hash works a word at a time; 0 is kept free for empty slots.
    return std::uint64_t(std::hash<std::string_view> {}(s)) | 1;
}

} // namespace

void TStringPool::Clear()
{
    Arena.clear();
    Spans.clear();
    Hashes.clear();
    Table.clear();
    Indexed = false;
}

std::uint32_t TStringPool::Append(std::string_view utf8)
{
    const auto id = std::uint32_t(Spans.size());
    Spans.push_back({Arena.size(), std::uint32_t(utf8.size())});
    Arena.append(utf8);
    if (Indexed) {
        Hashes.push_back(Hash(utf8));
        if ((Spans.size() + 1) * 2 > Table.size())
            Rehash(Table.size() * 2);
        else
            Index(id, Hashes.back());
    }
    return id;
}

std::uint64_t TStringPool::Slot(std::uint32_t id, std::uint64_t hash)
{
    return (hash & 0xFFFFFFFF00000000u) | (std::uint64_t(id) + 1);
}

void TStringPool::Index(std::uint32_t id, std::uint64_t hash)
{
    const size_t mask = Table.size() - 1;
    const std::uint64_t slot = Slot(id, hash);
    size_t i = size_t(hash) & mask;
    while (Table[i] != 0) {
        const auto other = std::uint32_t(Table[i]) - 1;
        if ((Table[i] ^ slot) >> 32 == 0 && Hashes[other] == hash && At(other) == At(id))
            return; // keep the first of equal texts
        i = (i + 1) & mask;
    }
    Table[i] = slot;
}

void TStringPool::Rehash(size_t buckets)
{
    size_t n = 16;
    while (n < buckets)
        n *= 2;
    Table.assign(n, 0);
    for (std::uint32_t id = 0; id < Spans.size(); ++id)
        Index(id, Hashes[id]);
}

std::uint32_t TStringPool::Intern(std::string_view utf8)
{
    if (!Indexed) {
        Indexed = true;
        Hashes.clear();
        for (std::uint32_t id = 0; id < Spans.size(); ++id)
            Hashes.push_back(Hash(At(id)));
        Rehash(Spans.size() * 2 + 16);
    }
    const std::uint64_t h = Hash(utf8);
    const std::uint64_t high = h >> 32;
    const size_t mask = Table.size() - 1;
    size_t i = size_t(h) & mask;
    while (Table[i] != 0) {
        const auto id = std::uint32_t(Table[i]) - 1;
        if (Table[i] >> 32 == high && At(id) == utf8)
            return id;
        i = (i + 1) & mask;
    }
    return Append(utf8);
}

} // namespace vartesk::xls
