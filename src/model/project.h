// The project: climate, coefficients, damper inputs and the sections of the line.
#pragma once

#include "model/klimat.h"
#include "model/klimat_koef.h"
#include "model/parcel.h"
#include "model/vm_data.h"
#include "model/vm_span_data.h"

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
