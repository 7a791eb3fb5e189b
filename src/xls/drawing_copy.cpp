// Renumbering a copied drawing ([MS-ODRAW] records inside MSODRAWING and MSODRAWINGGROUP).
// Every offset is checked against the record that holds it before it is read or written;
// whatever does not add up makes the copy go without its drawing rather than guess.
#include "xls/drawing_copy.h"

#include "xls/biff_records.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>

namespace vartesk::xls {

namespace {

// OfficeArt record types.
constexpr std::uint16_t kDggContainer = 0xF000, kBStoreContainer = 0xF001, kFdggBlock = 0xF006,
                        kFbse = 0xF007, kFdg = 0xF008, kFsp = 0xF00A, kFopt = 0xF00B,
                        kConnectorRule = 0xF012, kArcRule = 0xF014, kCalloutRule = 0xF017,
                        kSecondaryFopt = 0xF121, kTertiaryFopt = 0xF122;
// Shape properties naming a picture of the blip store, and those naming another shape.
constexpr std::uint16_t kPib = 0x0104, kFillBlip = 0x0186, kLineFillBlip = 0x01C0,
                        kHspNext = 0x0138, kHspMaster = 0x0301;

constexpr size_t kNone = size_t(-1);
constexpr size_t kHeader = 8;
// Record nesting in real drawings is a few levels; the bound keeps a crafted file from
// exhausting the stack.
constexpr int kMaxDepth = 32;
constexpr std::uint32_t kClusterBits = 10, kOffsetMask = (1u << kClusterBits) - 1;
constexpr std::uint32_t kMaxDrawingId = 0x0FFE, kSpidLimit = 0x03FFD7FF;

std::uint16_t Get16(const std::string &s, size_t at)
{
    return std::uint16_t(std::uint8_t(s[at]) | (std::uint8_t(s[at + 1]) << 8));
}

std::uint32_t Get32(const std::string &s, size_t at)
{
    return std::uint32_t(Get16(s, at)) | (std::uint32_t(Get16(s, at + 2)) << 16);
}

void Put16(std::string &s, size_t at, std::uint16_t v)
{
    s[at] = char(v & 0xFF);
    s[at + 1] = char(v >> 8);
}

void Put32(std::string &s, size_t at, std::uint32_t v)
{
    Put16(s, at, std::uint16_t(v & 0xFFFF));
    Put16(s, at + 2, std::uint16_t(v >> 16));
}

// What a sheet's drawing holds that a copy must renumber; offsets into the joined
// MSODRAWING bodies.
struct TDrawingMap
{
    size_t FdgAt = kNone; // header of the OfficeArtFDG
    std::uint32_t DrawingId = 0, ShapeCount = 0;
    std::vector<size_t> ShapeIds; // spid of every OfficeArtFSP
    std::vector<size_t> ShapeRefs; // values that name a shape: solver rules, hspNext, hspMaster
    std::vector<std::uint32_t> Blips; // blip store positions referenced, 1-based
};

bool Atom(const std::string &s,
          std::uint16_t type,
          std::uint16_t instance,
          size_t at,
          size_t length,
          TDrawingMap &map)
{
    const size_t body = at + kHeader;
    switch (type) {
    case kFdg:
        if (length < 8 || map.FdgAt != kNone)
            return false;
        map.FdgAt = at;
        map.DrawingId = instance;
        map.ShapeCount = Get32(s, body);
        break;
    case kFsp:
        if (length < 8)
            return false;
        map.ShapeIds.push_back(body);
        break;
    case kFopt:
    case kSecondaryFopt:
    case kTertiaryFopt:
        if (size_t(instance) * 6 > length)
            return false;
        for (size_t k = 0; k < instance; ++k) {
            const size_t p = body + 6 * k;
            const std::uint16_t opid = Get16(s, p);
            const std::uint16_t pid = opid & 0x3FFF;
            const bool isBlip = opid & 0x4000, complex = opid & 0x8000;
            if (complex)
                continue;
            if (pid == kPib || (isBlip && (pid == kFillBlip || pid == kLineFillBlip)))
                map.Blips.push_back(Get32(s, p + 2));
            else if (pid == kHspNext || pid == kHspMaster)
                map.ShapeRefs.push_back(p + 2);
        }
        break;
    case kConnectorRule:
        if (length < 16)
            return false;
        for (size_t k = 1; k <= 3; ++k)
            map.ShapeRefs.push_back(body + 4 * k);
        break;
    case kArcRule:
    case kCalloutRule:
        if (length < 8)
            return false;
        map.ShapeRefs.push_back(body + 4);
        break;
    default:
        break;
    }
    return true;
}

bool Walk(const std::string &s, size_t begin, size_t end, int depth, TDrawingMap &map)
{
    size_t at = begin;
    while (at < end) {
        if (end - at < kHeader)
            return false;
        const std::uint16_t verInstance = Get16(s, at), type = Get16(s, at + 2);
        const std::uint32_t length = Get32(s, at + 4);
        const size_t body = at + kHeader;
        if ((verInstance & 0x0F) == 0x0F) {
            // Writers differ in what a container's length counts at the end of a drawing;
            // its children end at the latest where its parent ends.
            const size_t stop = length > end - body ? end : body + length;
            if (depth >= kMaxDepth || !Walk(s, body, stop, depth + 1, map))
                return false;
            at = stop;
        } else {
            if (length > end - body || !Atom(s, type, verInstance >> 4, at, length, map))
                return false;
            at = body + length;
        }
    }
    return true;
}

// The MSODRAWING bodies of a sheet joined, with where each one starts.
struct TJoined
{
    std::string Bytes;
    std::vector<std::pair<size_t, size_t>> Parts; // index in Drawing, offset in Bytes
};

TJoined Join(const TSheet &sheet)
{
    TJoined j;
    for (size_t i = 0; i < sheet.Drawing.size(); ++i)
        if (sheet.Drawing[i].Id == rec::MsoDrawing) {
            j.Parts.emplace_back(i, j.Bytes.size());
            j.Bytes += sheet.Drawing[i].Body;
        }
    return j;
}

bool MapDrawing(const TJoined &joined, TDrawingMap &map)
{
    return !joined.Parts.empty() && Walk(joined.Bytes, 0, joined.Bytes.size(), 0, map)
        && map.FdgAt != kNone;
}

struct TCluster
{
    std::uint32_t DrawingId, LastShape;
};

// The workbook's tally: OfficeArtDggContainer with its OfficeArtFDGG and blip store.
struct TGroupMap
{
    size_t ContainerAt = kNone, FdggAt = kNone, ClustersEnd = 0;
    std::uint32_t SpidMax = 0, ShapesSaved = 0, DrawingsSaved = 0;
    std::vector<TCluster> Clusters; // cluster k (shape ids k * 1024 ..) is Clusters[k - 1]
    std::vector<size_t> RefCounts; // per blip store entry, where its cRef is, or kNone
};

bool MapGroup(const std::string &s, TGroupMap &g)
{
    if (s.size() < kHeader || Get16(s, 2) != kDggContainer || (Get16(s, 0) & 0x0F) != 0x0F)
        return false;
    g.ContainerAt = 0;
    const size_t end = std::min<size_t>(s.size(), kHeader + size_t(Get32(s, 4)));
    for (size_t at = kHeader; at < end;) {
        if (end - at < kHeader)
            return false;
        const std::uint16_t type = Get16(s, at + 2);
        const size_t length = Get32(s, at + 4), body = at + kHeader;
        if (length > end - body)
            return false;
        if (type == kFdggBlock) {
            if (length < 16 || g.FdggAt != kNone)
                return false;
            const std::uint32_t cidcl = Get32(s, body + 4);
            if (cidcl < 1 || size_t(cidcl - 1) > (length - 16) / 8)
                return false;
            g.FdggAt = at;
            g.SpidMax = Get32(s, body);
            g.ShapesSaved = Get32(s, body + 8);
            g.DrawingsSaved = Get32(s, body + 12);
            for (size_t k = 0; k + 1 < cidcl; ++k)
                g.Clusters.push_back({Get32(s, body + 16 + 8 * k), Get32(s, body + 20 + 8 * k)});
            g.ClustersEnd = body + 16 + 8 * size_t(cidcl - 1);
        } else if (type == kBStoreContainer) {
            for (size_t e = body; e < body + length;) {
                if (body + length - e < kHeader)
                    return false;
                const size_t n = Get32(s, e + 4);
                if (n > body + length - e - kHeader)
                    return false;
                // An FBSE: btWin32, btMacOS, rgbUid[16], tag, size, then cRef.
                g.RefCounts.push_back(Get16(s, e + 2) == kFbse && n >= 28 ? e + kHeader + 24
                                                                          : kNone);
                e += kHeader + n;
            }
        }
        at = body + length;
    }
    return g.FdggAt != kNone;
}

} // namespace

bool CopyDrawing(const TSheet &source,
                 TSheet &target,
                 TRawRecord &drawingGroup,
                 const std::vector<const TSheet *> &sheets)
{
    TJoined joined = Join(source);
    TDrawingMap map;
    TGroupMap group;
    if (!MapDrawing(joined, map) || !MapGroup(drawingGroup.Body, group))
        return false;

    // Ids in use: those the tally lists and those the sheets' drawings carry.
    std::uint32_t lastDrawingId = 0, lastCluster = std::uint32_t(group.Clusters.size());
    for (const auto &c : group.Clusters)
        lastDrawingId = std::max(lastDrawingId, c.DrawingId);
    for (const TSheet *sheet : sheets) {
        const TJoined other = Join(*sheet);
        TDrawingMap m;
        if (!MapDrawing(other, m))
            continue;
        lastDrawingId = std::max(lastDrawingId, m.DrawingId);
        for (size_t at : m.ShapeIds)
            lastCluster = std::max(lastCluster, Get32(other.Bytes, at) >> kClusterBits);
    }
    // Shape ids outside the listed clusters mean a tally we cannot extend consistently.
    if (lastCluster != group.Clusters.size() || lastDrawingId >= kMaxDrawingId)
        return false;
    const std::uint32_t drawingId = lastDrawingId + 1;

    // Each cluster of the source becomes a new cluster; ids keep their place in it.
    std::map<std::uint32_t, std::uint32_t> clusters; // old -> new
    std::map<std::uint32_t, std::uint32_t> lastInCluster; // old cluster -> largest offset
    std::set<std::uint32_t> shapes;
    const size_t fdgBody = map.FdgAt + kHeader;
    const std::uint32_t lastShape = Get32(joined.Bytes, fdgBody + 4);
    auto note = [&](std::uint32_t spid) {
        auto &last = lastInCluster[spid >> kClusterBits];
        last = std::max(last, spid & kOffsetMask);
    };
    for (size_t at : map.ShapeIds) {
        const std::uint32_t spid = Get32(joined.Bytes, at);
        shapes.insert(spid);
        note(spid);
    }
    if (lastShape != 0)
        note(lastShape);
    std::uint32_t next = std::uint32_t(group.Clusters.size()) + 1;
    for (const auto &entry : lastInCluster)
        clusters[entry.first] = next++;
    if (size_t(next) << kClusterBits > kSpidLimit)
        return false;
    auto renumber = [&](std::uint32_t spid) {
        return (clusters.at(spid >> kClusterBits) << kClusterBits) | (spid & kOffsetMask);
    };

    std::string &bytes = joined.Bytes;
    Put16(bytes, map.FdgAt, std::uint16_t((drawingId << 4) | (Get16(bytes, map.FdgAt) & 0x0F)));
    if (lastShape != 0)
        Put32(bytes, fdgBody + 4, renumber(lastShape));
    for (size_t at : map.ShapeIds)
        Put32(bytes, at, renumber(Get32(bytes, at)));
    for (size_t at : map.ShapeRefs)
        if (shapes.count(Get32(bytes, at)))
            Put32(bytes, at, renumber(Get32(bytes, at)));

    // The tally: new clusters, the shape and drawing counts, one more use of each picture.
    std::string dgg = drawingGroup.Body;
    std::string added;
    std::uint32_t spidMax = group.SpidMax;
    for (const auto &entry : lastInCluster) {
        const std::uint32_t old = entry.first;
        // The source's own count of its cluster where the tally has it, else one above its
        // largest id (as Excel and LibreOffice write it).
        const bool listed = old >= 1 && old <= group.Clusters.size()
            && group.Clusters[old - 1].DrawingId == map.DrawingId;
        const std::uint32_t used = listed ? group.Clusters[old - 1].LastShape : entry.second + 1;
        std::string idcl(8, '\0');
        Put32(idcl, 0, drawingId);
        Put32(idcl, 4, used);
        added += idcl;
        spidMax = std::max(spidMax, (clusters[old] << kClusterBits) + entry.second);
    }
    for (std::uint32_t blip : map.Blips)
        if (blip >= 1 && blip <= group.RefCounts.size() && group.RefCounts[blip - 1] != kNone) {
            const size_t at = group.RefCounts[blip - 1];
            const std::uint32_t refs = Get32(dgg, at);
            if (refs < 0xFFFFFFFFu)
                Put32(dgg, at, refs + 1);
        }
    const size_t fdgg = group.FdggAt + kHeader;
    Put32(dgg, fdgg, spidMax);
    Put32(dgg, fdgg + 4, std::uint32_t(group.Clusters.size() + lastInCluster.size() + 1));
    Put32(dgg, fdgg + 8, group.ShapesSaved + map.ShapeCount);
    Put32(dgg, fdgg + 12, group.DrawingsSaved + 1);
    Put32(dgg, group.FdggAt + 4, Get32(dgg, group.FdggAt + 4) + std::uint32_t(added.size()));
    Put32(dgg,
          group.ContainerAt + 4,
          Get32(dgg, group.ContainerAt + 4) + std::uint32_t(added.size()));
    dgg.insert(group.ClustersEnd, added);

    target.Drawing = source.Drawing;
    for (size_t k = 0; k < joined.Parts.size(); ++k) {
        const auto [index, from] = joined.Parts[k];
        target.Drawing[index].Body = bytes.substr(from, source.Drawing[index].Body.size());
    }
    target.Notes = source.Notes;
    drawingGroup.Body = std::move(dgg);
    // The grown body is split again where it needs to be.
    drawingGroup.Pieces.clear();
    return true;
}

} // namespace vartesk::xls
