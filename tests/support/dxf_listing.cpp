// A DXF group parser for the tests: independent of the writer, strict about the layout.
#include "dxf_listing.h"

#include "base/cp1251.h"
#include "ezdxf_reader.h"

#include <gtest/gtest.h>

#include <map>

namespace vartesk::test {

namespace {

struct TGroup
{
    int Code;
    std::string Value;
};

std::vector<TGroup> Groups(const std::string &bytes)
{
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t end = bytes.find("\r\n", at);
        if (end == std::string::npos) {
            ADD_FAILURE() << "a line without CR LF at byte " << at;
            break;
        }
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    std::vector<TGroup> groups;
    if (lines.size() % 2 != 0)
        ADD_FAILURE() << "an odd number of lines: " << lines.size();
    for (size_t i = 0; i + 1 < lines.size(); i += 2)
        groups.push_back({std::stoi(lines[i]), lines[i + 1]});
    return groups;
}

// The groups of one entity, by code (the last one wins; ours have each code once).
using TEntity = std::map<int, std::string>;

} // namespace

std::vector<std::string> DxfListing(const std::string &bytes)
{
    const std::vector<TGroup> groups = Groups(bytes);
    std::vector<std::string> out;
    // Splits the groups into entities: each starts at a group 0.
    std::vector<std::pair<std::string, TEntity>> entities;
    for (const TGroup &g : groups) {
        if (g.Code == 0)
            entities.push_back({g.Value, {}});
        else if (!entities.empty())
            entities.back().second[g.Code] = g.Value;
    }
    if (entities.size() < 3 || entities.front().first != "SECTION"
        || entities.front().second[2] != "ENTITIES"
        || entities[entities.size() - 2].first != "ENDSEC" || entities.back().first != "EOF") {
        ADD_FAILURE() << "not one ENTITIES section followed by EOF";
        return out;
    }
    auto colour = [](const TEntity &e) {
        const auto it = e.find(62);
        return it == e.end() ? 256 : std::stoi(it->second);
    };
    auto number = [](const TEntity &e, int code) {
        const auto it = e.find(code);
        if (it == e.end()) {
            ADD_FAILURE() << "group " << code << " is missing";
            return 0.0;
        }
        return std::stod(it->second);
    };
    for (size_t i = 1; i + 2 < entities.size(); ++i) {
        const auto &[name, e] = entities[i];
        if (name == "LINE") {
            out.push_back(
                EzdxfLine(number(e, 10), number(e, 20), number(e, 11), number(e, 21), colour(e)));
        } else if (name == "TEXT") {
            const auto text = e.find(1);
            out.push_back(EzdxfText(number(e, 10),
                                    number(e, 20),
                                    number(e, 40),
                                    colour(e),
                                    text == e.end() ? "" : Cp1251ToUtf8(text->second)));
        } else if (name == "POLYLINE") {
            std::string line = "POLYLINE closed=" + std::string(e.count(70) ? "1" : "0")
                + " w=" + EzdxfNumber(number(e, 40)) + " c=" + std::to_string(colour(e));
            for (++i; i < entities.size() && entities[i].first == "VERTEX"; ++i)
                line += " "
                    + EzdxfPoint(number(entities[i].second, 10), number(entities[i].second, 20));
            if (i >= entities.size() || entities[i].first != "SEQEND")
                ADD_FAILURE() << "a polyline without SEQEND";
            out.push_back(line);
        } else {
            ADD_FAILURE() << "unexpected entity " << name;
        }
    }
    return out;
}

std::vector<std::string> DrawingListing(const TDrawing &drawing)
{
    std::vector<std::string> out;
    const auto colour = [](TDrawColour c) {
        return c < 0 ? 256 : int(c);
    };
    for (const TDrawEntity &entity : drawing.Entities()) {
        if (const auto *line = std::get_if<TDrawLine>(&entity)) {
            out.push_back(EzdxfLine(
                line->From.X, line->From.Y, line->To.X, line->To.Y, colour(line->Colour)));
        } else if (const auto *text = std::get_if<TDrawText>(&entity)) {
            out.push_back(
                EzdxfText(text->At.X, text->At.Y, text->Height, colour(text->Colour), text->Text));
        } else {
            const auto &polyline = std::get<TDrawPolyline>(entity);
            std::string listed = "POLYLINE closed=" + std::string(polyline.Closed ? "1" : "0")
                + " w=" + EzdxfNumber(polyline.Width)
                + " c=" + std::to_string(colour(polyline.Colour));
            for (const TDrawPoint p : polyline.Vertices)
                listed += " " + EzdxfPoint(p.X, p.Y);
            out.push_back(listed);
        }
    }
    return out;
}

void ExpectEzdxfListing(const std::filesystem::path &dxf, const std::vector<std::string> &listing)
{
    if (const auto read = EzdxfEntities(dxf)) {
        EXPECT_EQ(*read, listing) << "ezdxf reads " << dxf << " otherwise";
    }
}

} // namespace vartesk::test
