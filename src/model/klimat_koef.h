// Refined climatic parameters and reliability coefficients.
#pragma once

#include <string>

namespace vartesk {

class TTextReader;
class TTextWriter;
class TLineSource;

class TKlimatKoef
{
public:
    double V_Otv = 1; // wind loads: responsibility coefficient
    double V_Reg = 1; // wind loads: regional coefficient
    double V_Nad = 1; // wind loads: reliability coefficient
    double G_Otv = 1; // ice loads: responsibility coefficient
    double G_Reg = 1; // ice loads: regional coefficient
    double G_Nad = 1; // ice loads: reliability coefficient
    double G_Usl = 1; // ice loads: operating-conditions coefficient
    int visotaPC = 15; // height of the reduced centre of gravity of the wires, m
    int visotaPC_tros = 15; // the same for the cords, m
    int TypeTer = 1; // terrain: 1 = A, 2 = B, 3 = C

    void Clear() { *this = TKlimatKoef(); }
    void Assign(const TKlimatKoef &other) { *this = other; }
    bool Equals(const TKlimatKoef &other) const;

    // False when the coefficients lower the wind or the ice loads below the standard ones.
    bool CoefsValid() const;
    // "A", "B" or "C"; empty for any other terrain type.
    std::string TypeTerText() const;

    // The coefficient block of the project file; the older layout has only the seven reals.
    void SaveToText(TTextWriter &writer) const;
    void LoadFromText(TLineSource &reader, bool currentLayout);
};

} // namespace vartesk
