// Damper result of one conductor for the strain section last calculated.
#pragma once

#include "model/owning_list.h"

#include <array>
#include <string>

namespace vartesk {

class TSpan
{
public:
    std::string Name; // numbers of the span's two supports joined by "-"
    double Length = 0; // span length, m
    std::array<int, 4> Counts {}; // dampers of positions 1..4 in this span
    bool HasDampers = false; // the span received dampers
    // The rules ask for dampers here but no type of the tables fits: a special design.
    bool Unselected = false;
};

class TSpanList : public TOwningList<TSpan>
{
public:
    void Clear() { ClearItems(); }
};

class TVM_SpanData
{
public:
    bool IsCalculated = false;
    double TensionAvg = 0; // tension at the design temperature, daN
    bool IsDielectric = false;
    std::array<double, 4> Distances {};
    std::array<std::string, 4> DamperTypes;
    TSpanList Spans;

    void Clear()
    {
        IsCalculated = false;
        IsDielectric = false;
        TensionAvg = 0;
        Distances = {};
        DamperTypes = {};
        Spans.Clear();
    }
};

} // namespace vartesk
