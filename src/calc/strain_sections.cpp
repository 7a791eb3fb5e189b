// The strain-section rules of the wire and the cord.
#include "calc/strain_sections.h"

#include "model/parcel.h"

namespace vartesk {

std::vector<TStrainSection> WireStrainSections(const TParcel &section)
{
    std::vector<TStrainSection> out;
    const int count = section.Pillars.Count();
    int m = 1;
    while (m < count) {
        int o = m + 1;
        while (o < count && section.Pillars.Get(o - 1).Tip_Opor != TSupportType::Strain)
            ++o;
        out.push_back({m, o});
        m = o;
    }
    return out;
}

std::vector<TStrainSection> CordStrainSections(const TParcel &section)
{
    std::vector<TStrainSection> out;
    const int count = section.Pillars.Count();
    int m = 1;
    while (true) {
        int o = m + 1;
        while (o <= count && section.Pillars.Get(o - 1).Tip_Opor != TSupportType::Strain
               && section.Pillars.Get(o - 1).Tip_Opor != TSupportType::DeadEnd)
            ++o;
        if (o > count)
            break;
        out.push_back({m, o});
        m = o;
    }
    return out;
}

} // namespace vartesk
