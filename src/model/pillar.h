// One support of a section, and the list of a section's supports.
#pragma once

#include "base/bounded_text.h"
#include "model/owning_list.h"

#include <cstdint>
#include <string>

namespace vartesk {

class TTextWriter;
class TLineSource;

// What a support does to the conductor. A file may hold other numbers; they are kept as read
// and count as neither kind.
enum class TSupportType : std::uint16_t {
    Strain = 0, // anchor: ends a strain section
    Intermediate = 1,
    DeadEnd = 2, // ends a strain section of the cord only
};

// Codes that stand for "no particular code given"; they follow the support type.
inline constexpr const char *kShifrAnchor = "Анк.";
inline constexpr const char *kShifrIntermediate = "Пром.";

class TPillar
{
public:
    TBoundedText<8> Nomer; // support number: digits with an optional prefix and suffix
    TBoundedText<20> Shifr; // support code
    double Prolet = 0; // length of the span to the next support, m
    int Picet1 = 0; // initial picket: hundreds of metres
    double Picet2 = 0; // initial picket: metres and centimetres
    TBoundedText<8> Ugol; // number of the line angle at this support
    int Ugol_grad = 0; // turning angle: degrees
    int Ugol_min = 0; // turning angle: minutes
    int Ugol_sec = 0; // turning angle: seconds
    std::uint16_t Ugol_napr = 0; // turning direction: 0 "+" (left), 1 "-" (right)
    TBoundedText<5> pv = "2"; // carried value without an editor, kept as read
    TBoundedText<8> Insect; // number of the crossing in the span
    TBoundedText<40> Coment; // note
    bool Visir = false; // attested span: stringing sags are calculated in it
    bool RezPic = false; // the picket is given
    TSupportType Tip_Opor = TSupportType::Strain;

    // Work fields of the section calculation: not persistent, not copied, not compared.
    double RulingSpan = 0; // equivalent span of the strain section, m
    double SectionLength = 0; // sum of the spans of the strain section, m

    void Assign(const TPillar &other);
    bool Equals(const TPillar &other) const;

    void SaveToText(TTextWriter &writer) const;
    void LoadFromText(TLineSource &reader);
};

class TPillarList : public TOwningList<TPillar>
{
public:
    int Step = 1; // numbering direction of the next new support: +1 or -1; not persistent

    void Clear()
    {
        ClearItems();
        Step = 1;
    }
    void Assign(const TPillarList &other)
    {
        AssignItems(other);
        Step = other.Step;
    }
    // Step takes no part in the comparison.
    bool Equals(const TPillarList &other) const { return ItemsEqual(other); }
};

} // namespace vartesk
