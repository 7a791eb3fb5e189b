// Copy and comparison of the domain records.
//
// Each record lists its persistent fields once, in Fields(); Assign and Equals both go
// through that list, so that a record just assigned from another always compares equal to
// it. Reals compare exactly, texts case-sensitively.
#include "base/rounding.h"
#include "model/klimat.h"
#include "model/klimat_koef.h"
#include "model/parcel.h"
#include "model/pillar.h"
#include "model/project.h"
#include "model/vm_data.h"

#include <tuple>

namespace vartesk {

namespace {

auto KlimatFields(const TKlimat &k)
{
    return std::tie(k.Tols, k.VMax, k.Vwetsg, k.TMin, k.TMax, k.Tgbw, k.TGsw, k.Tsrec);
}

auto KoefFields(const TKlimatKoef &k)
{
    return std::tie(k.V_Otv,
                    k.V_Reg,
                    k.V_Nad,
                    k.G_Otv,
                    k.G_Reg,
                    k.G_Nad,
                    k.G_Usl,
                    k.visotaPC,
                    k.visotaPC_tros,
                    k.TypeTer);
}

auto VMFields(const TVM_Data &v)
{
    return std::tie(v.IsVibroMuffles, v.IsNord, v.NumbCat, v.Tcold);
}

template<class P>
auto PillarFields(P &p)
{
    return std::tie(p.Nomer,
                    p.Shifr,
                    p.Prolet,
                    p.Picet1,
                    p.Picet2,
                    p.Ugol,
                    p.Ugol_grad,
                    p.Ugol_min,
                    p.Ugol_sec,
                    p.Ugol_napr,
                    p.pv,
                    p.Insect,
                    p.Coment,
                    p.Visir,
                    p.RezPic,
                    p.Tip_Opor);
}

template<class P>
auto ParcelFields(P &p)
{
    return std::tie(p.Name,
                    p.IsProvod,
                    p.Provod,
                    p.Napr_max,
                    p.Napr_srg,
                    p.Tag_max,
                    p.Tag_srg,
                    p.TagMode,
                    p.IsTros,
                    p.Tros,
                    p.Naprt_max,
                    p.Naprt_srg,
                    p.Tagt_max,
                    p.Tagt_srg,
                    p.TagModet,
                    p.IsGis,
                    p.Ves_Gis,
                    p.Dlina_Gis,
                    p.Raznost_H,
                    p.IsVitygka,
                    p.Mt,
                    p.Mp,
                    p.Pt,
                    p.Pp,
                    p.IsVMCalcProvod,
                    p.IsVMCalcTros,
                    p.CntCircuitry,
                    p.CntRopes,
                    p.CntWires,
                    p.MatProvod,
                    p.MatTros,
                    p.ModelVM_Provod,
                    p.ModelVM_Tros,
                    p.RngAC_P,
                    p.RngAC_T,
                    p.KindP,
                    p.KindT);
}

} // namespace

bool TKlimat::Equals(const TKlimat &other) const
{
    return KlimatFields(*this) == KlimatFields(other);
}

bool TKlimatKoef::Equals(const TKlimatKoef &other) const
{
    return KoefFields(*this) == KoefFields(other);
}

bool TKlimatKoef::CoefsValid() const
{
    return V_Otv * V_Reg * V_Nad >= 1 && G_Otv * G_Reg * G_Nad * G_Usl >= 1;
}

std::string TKlimatKoef::TypeTerText() const
{
    switch (TypeTer) {
    case 1:
        return "A";
    case 2:
        return "B";
    case 3:
        return "C";
    default:
        return {};
    }
}

bool TVM_Data::Equals(const TVM_Data &other) const
{
    return VMFields(*this) == VMFields(other);
}

void TPillar::Assign(const TPillar &other)
{
    PillarFields(*this) = PillarFields(other);
}

bool TPillar::Equals(const TPillar &other) const
{
    return PillarFields(*this) == PillarFields(other);
}

void TParcel::Assign(const TParcel &other)
{
    if (&other == this)
        return;
    ParcelFields(*this) = ParcelFields(other);
    Pillars.Assign(other.Pillars);
}

bool TParcel::Equals(const TParcel &other) const
{
    return ParcelFields(*this) == ParcelFields(other) && Pillars.Equals(other.Pillars);
}

namespace {

// A limit given in one form (mode 0 stress, mode 1 tension) in the other, for area A.
double StressOf(int mode, double stress, double tension, double area)
{
    return mode == 1 ? Round2(tension / area) : stress;
}

double TensionOf(int mode, double stress, double tension, double area)
{
    return mode == 1 ? tension : stress * area;
}

} // namespace

double TParcel::MaxStressProvod(double area) const
{
    return StressOf(TagMode, Napr_max, Tag_max, area);
}

double TParcel::AvgStressProvod(double area) const
{
    return StressOf(TagMode, Napr_srg, Tag_srg, area);
}

double TParcel::MaxTensionProvod(double area) const
{
    return TensionOf(TagMode, Napr_max, Tag_max, area);
}

double TParcel::AvgTensionProvod(double area) const
{
    return TensionOf(TagMode, Napr_srg, Tag_srg, area);
}

double TParcel::MaxStressTros(double area) const
{
    return StressOf(TagModet, Naprt_max, Tagt_max, area);
}

double TParcel::AvgStressTros(double area) const
{
    return StressOf(TagModet, Naprt_srg, Tagt_srg, area);
}

double TParcel::MaxTensionTros(double area) const
{
    return TensionOf(TagModet, Naprt_max, Tagt_max, area);
}

double TParcel::AvgTensionTros(double area) const
{
    return TensionOf(TagModet, Naprt_srg, Tagt_srg, area);
}

void TParcel::ZeroUnselectedLimits()
{
    if (TagMode == 1) {
        Napr_max = 0;
        Napr_srg = 0;
    } else {
        Tag_max = 0;
        Tag_srg = 0;
    }
    if (TagModet == 1) {
        Naprt_max = 0;
        Naprt_srg = 0;
    } else {
        Tagt_max = 0;
        Tagt_srg = 0;
    }
}

void TProject::Clear()
{
    Klimat.Clear();
    KlimatKoef.Clear();
    VMData.Clear();
    Parcels.Clear();
    SpanDataProvod.Clear();
    SpanDataTros.Clear();
}

void TProject::Assign(const TProject &other)
{
    if (&other == this)
        return;
    Klimat.Assign(other.Klimat);
    KlimatKoef.Assign(other.KlimatKoef);
    VMData.Assign(other.VMData);
    Parcels.Assign(other.Parcels);
}

bool TProject::Equals(const TProject &other) const
{
    return Klimat.Equals(other.Klimat) && KlimatKoef.Equals(other.KlimatKoef)
        && VMData.Equals(other.VMData) && Parcels.Equals(other.Parcels);
}

} // namespace vartesk
