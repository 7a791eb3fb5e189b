// The project: climate, coefficients, damper inputs and the sections of the line.
#pragma once

#include "model/klimat.h"
#include "model/klimat_koef.h"
#include "model/parcel.h"
#include "model/vm_data.h"
#include "model/vm_span_data.h"

#include <array>
#include <string>

namespace vartesk {

class TTextWriter;
class TLineSource;

class TProject
{
public:
    TKlimat Klimat;
    TKlimatKoef KlimatKoef;
    TVM_Data VMData;
    TParcelList Parcels;
    // Damper work records of the strain section being calculated; not persistent.
    TVM_SpanData SpanDataProvod;
    TVM_SpanData SpanDataTros;

    // Work state of the section calculation, overwritten by every call and read by the
    // reports right after it; not persistent, not copied, not compared.
    double CurNaprMax = 0; // sigma max of the conductor calculated, daN/mm2
    double CurNaprSrg = 0; // sigma avg, daN/mm2
    double CurIce = 0; // effective ice wall thickness, mm
    double CurWeight = 0; // catalog weight per unit length, kg/m
    double CurRulingSpan = 0; // ruling span of the strain section, m
    std::string AnchorLabel; // Nomer of the first support, "-", Nomer of the last
    std::array<double, 9> GridTension {}; // tension at -40..+40 C of the last span, daN
    int TableRow = 0; // 1-based row of the anchor-section line in the current sheet
    int SpanRow = 0; // 1-based row of the next span line

    TProject() = default;
    TProject(const TProject &) = delete;
    TProject &operator=(const TProject &) = delete;

    void Clear();
    // Copies climate, coefficients, damper inputs and sections (deeply); never the work state.
    void Assign(const TProject &other);
    bool Equals(const TProject &other) const;

    // The whole project file. Saving first zeroes the limit pairs the modes do not select,
    // in memory as well.
    void SaveToText(TTextWriter &writer);
    // Reads either layout; a line that does not convert raises EConvertError, a damper
    // record of an unknown section EListError.
    void LoadFromText(TLineSource &reader);
};

} // namespace vartesk
