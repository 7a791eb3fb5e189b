// Climatic conditions of the line.
#pragma once

namespace vartesk {

class TTextReader;
class TTextWriter;

class TKlimat
{
public:
    double Tols = 5; // ice wall thickness, mm
    double VMax = 0; // maximum wind velocity, m/s
    double Vwetsg = 0; // wind velocity in case of ice, m/s
    double TMin = -55; // minimum temperature, C
    double TMax = 40; // maximum temperature, C
    double Tgbw = -5; // temperature at ice without wind, C
    double TGsw = 0; // temperature at ice with wind, C
    double Tsrec = 0; // average annual temperature, C

    void Clear() { *this = TKlimat(); }
    void Assign(const TKlimat &other) { *this = other; }
    bool Equals(const TKlimat &other) const;
};

} // namespace vartesk
