// Project-wide inputs of the vibration-damper calculation.
#pragma once

namespace vartesk {

class TTextWriter;
class TLineSource;

class TVM_Data
{
public:
    bool IsVibroMuffles = false; // damper calculation switched on
    bool IsNord = false; // northern regions (Far North)
    int NumbCat = 1; // terrain category number, 1..5
    double Tcold = 0; // average daily temperature of the coldest month, C

    void Clear() { *this = TVM_Data(); }
    void Assign(const TVM_Data &other) { *this = other; }
    bool Equals(const TVM_Data &other) const;

    // The damper block header.
    void SaveToText(TTextWriter &writer) const;
    // False instead of failing when a line is missing or does not convert; the fields read
    // before it keep their new values.
    bool LoadFromText(TLineSource &reader);
};

} // namespace vartesk
