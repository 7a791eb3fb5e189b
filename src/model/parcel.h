// One section of the line: a named run of supports with its wire and cord data.
#pragma once

#include "model/owning_list.h"
#include "model/pillar.h"

#include <string>

namespace vartesk {

class TTextWriter;
class TLineSource;

class TParcel
{
public:
    std::string Name; // section name
    bool IsProvod = true; // the section carries a wire (conductor or cable)
    std::string Provod; // wire type: name of a catalog entry
    double Napr_max = 0; // wire: maximum permissible stress, daN/mm2
    double Napr_srg = 0; // wire: stress at the average annual temperature, daN/mm2
    double Tag_max = 0; // wire: maximum permissible tension, daN
    double Tag_srg = 0; // wire: tension at the average annual temperature, daN
    int TagMode = 0; // wire limits given as 0 stresses, 1 tensions
    bool IsTros = false; // the section carries a cord (earth wire or cable)
    std::string Tros; // cord type: name of a catalog entry
    double Naprt_max = 0; // cord: maximum permissible stress, daN/mm2
    double Naprt_srg = 0; // cord: stress at the average annual temperature, daN/mm2
    double Tagt_max = 0; // cord: maximum permissible tension, daN
    double Tagt_srg = 0; // cord: tension at the average annual temperature, daN
    int TagModet = 0; // cord limits given as 0 stresses, 1 tensions
    bool IsGis = false; // take the weight of the insulator strings into account
    double Ves_Gis = 0; // weight of the insulator string, kg
    double Dlina_Gis = 0; // length of the insulator string, m
    double Raznost_H = 0; // height difference, m
    bool IsVitygka = false; // take the subsequent stretching into account
    int Mt = 0; // cord material for the stretching allowance, 0 none, 1..5
    int Mp = 0; // wire material for the stretching allowance
    int Pt = 0; // cord over-tensioning, %
    int Pp = 0; // wire over-tensioning, %
    bool IsVMCalcProvod = false; // damper calculation for the wire
    bool IsVMCalcTros = false; // damper calculation for the cord
    int CntCircuitry = 1; // number of circuits, 1..2
    int CntRopes = 1; // number of cords, 1..2
    int CntWires = 1; // number of wires in a phase, 1..50
    int MatProvod = 0; // wire material for the damper choice: 0 steel-aluminium, 1 dielectric
    int MatTros = 2; // cord material: 0 steel-aluminium, 1 dielectric, 2 steel
    int ModelVM_Provod = 0; // damper model code for the wire
    int ModelVM_Tros = 0; // damper model code for the cord
    int RngAC_P = 0; // aluminium/steel ratio range of the wire, 0..6
    int RngAC_T = 0; // the same for the cord
    int KindP = 0; // wire kind: 0 wire, 1 self-supporting optical cable, 2 optical ground wire
    int KindT = 0; // cord kind, the same codes
    TPillarList Pillars; // the supports, in line order

    // Work fields of the section calculation: not persistent, not copied, not compared.
    std::string CalcProvod;
    std::string CalcTros;
    double CalcNapr_max = 0;
    double CalcNapr_srg = 0;
    double CalcNaprt_max = 0;
    double CalcNaprt_srg = 0;

    void Assign(const TParcel &other);
    bool Equals(const TParcel &other) const;

    // The limits in both forms, from the cross-section area A (mm2) of the catalog entry.
    double MaxStressProvod(double area) const;
    double AvgStressProvod(double area) const;
    double MaxTensionProvod(double area) const;
    double AvgTensionProvod(double area) const;
    double MaxStressTros(double area) const;
    double AvgStressTros(double area) const;
    double MaxTensionTros(double area) const;
    double AvgTensionTros(double area) const;
    bool HasVMCalc() const { return IsVMCalcProvod || IsVMCalcTros; }

    // Sets to zero the limit pairs that the modes do not select, as saving does.
    void ZeroUnselectedLimits();

    // The section record with its support records.
    void SaveToText(TTextWriter &writer) const;
    void LoadFromText(TLineSource &reader, bool currentLayout);
    // The per-section damper record.
    void SaveVMToText(TTextWriter &writer, int index) const;
    void LoadVMFromText(TLineSource &reader);
};

class TParcelList : public TOwningList<TParcel>
{
public:
    void Clear() { ClearItems(); }
    void Assign(const TParcelList &other) { AssignItems(other); }
    bool Equals(const TParcelList &other) const { return ItemsEqual(other); }
};

} // namespace vartesk
