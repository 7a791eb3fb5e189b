// Which runs of supports form the strain sections of a section, for the wire and the cord.
#pragma once

#include <vector>

namespace vartesk {

class TParcel;

// Supports m..o of one strain section, 1-based positions in the section's list.
struct TStrainSection
{
    int First = 0; // m
    int Last = 0; // o
    bool operator==(const TStrainSection &) const = default;
};

// Wire rule (also the damper report's): from m = 1, each strain section ends at the first
// later anchor support or at the section's last support.
std::vector<TStrainSection> WireStrainSections(const TParcel &section);

// Cord rule: each strain section ends at the first later anchor or dead-end support; a final
// stretch that ends on an intermediate support forms none.
std::vector<TStrainSection> CordStrainSections(const TParcel &section);

} // namespace vartesk
