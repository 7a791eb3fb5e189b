// The damper page of the main window and the per-section damper dialog: inputs, enabling rules,
// model lists and captions.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vartesk {

class TParcel;
class TParcelList;
class TProject;
class TVM_Data;
class TWiresList;

// Terrain categories of the damper calculation.
inline constexpr int kMinCategory = 1;
inline constexpr int kMaxCategory = 5;

// What category 1..5 means; empty for any other number.
std::string CategoryDescription(int numbCat);

// One row of the page's section list.
struct TDamperRow
{
    std::string Name;
    bool Marked = false; // the damper calculation is on for the section's wire or cord
};

// The damper page: the project-wide inputs and the list of sections.
class TFrameVibroMuffles
{
public:
    // Change of the temperature per click of its arrows.
    static constexpr double kTcoldStep = 0.5;

    bool IsVibroMuffles = false; // the calculation switch
    int NumbCat = 1; // kMinCategory..kMaxCategory, a spin field
    bool IsNord = false; // northern regions
    double Tcold = 0; // coldest month's average temperature, C; shown with SpinText
    std::vector<TDamperRow> Rows; // one per section, in line order

    // The four inputs and the rows. A category outside 1..5 (an edited file) shows, and is
    // then stored, as the nearest one the field can hold.
    void Load(const TProject &project);
    // The rows alone, as after a change of the section list.
    void FillRows(const TParcelList &parcels);
    // Rewrites row i (name and mark) after the section was edited; a row that does not exist
    // is left alone.
    void RefreshRow(int i, const TParcel &parcel);
    void Store(TVM_Data &vm) const;

    // A disabled group disables all it holds, so these are what the person can use.
    bool CategoryEnabled() const { return IsVibroMuffles; }
    bool NorthEnabled() const { return IsVibroMuffles; }
    bool TemperatureEnabled() const { return IsVibroMuffles && IsNord; }
    bool SectionListEnabled() const { return IsVibroMuffles; }

    // The description of the category shown, in the interface language.
    std::string CategoryDescription() const;
};

// Conductor kinds, in the order of the kind tabs.
inline constexpr int kKindPlain = 0; // wire, or cord
inline constexpr int kKindSelfSupporting = 1; // self-supporting optical cable
inline constexpr int kKindGroundWire = 2; // optical ground wire

// Limits of the dialog's lists and spin fields.
inline constexpr int kWireMaterials = 2; // steel-aluminium, dielectric
inline constexpr int kCordMaterials = 3; // and steel
inline constexpr int kRatioRanges = 7;
inline constexpr int kMaxCircuits = 2;
inline constexpr int kMaxWiresInPhase = 50;
inline constexpr int kMaxCords = 2;

// One half of the dialog: the wire's or the cord's.
struct TDamperHalf
{
    bool Carried = false; // the section carries this conductor; the whole half is off otherwise
    int Kind = kKindPlain; // the kind tab
    bool Calc = false; // "Perform calculation"
    std::string Type; // the catalog name, shown only
    // At the average annual temperature, daN/mm2 as the caption says; shown only. Nothing when
    // the stress needs the catalog's area (limits given as tensions) and the catalog has no
    // usable entry of the type.
    std::optional<double> AvgStress;
    int Material = 0; // index in the material list
    std::vector<std::string> Models; // the model list
    std::string Model; // the model field: the name shown, which may lie outside the list
    int Ratio = 0; // the ratio range, 0..kRatioRanges-1

    // The stress field's text.
    std::string AvgStressText() const;
};

// The per-section damper dialog. Every input is chosen from a bounded list or spin field, so
// nothing here is refused; loading brings stored values outside a field's range to its nearest
// end.
class TFormParcelVM
{
public:
    std::string Name; // the section's name, shown only
    bool IsNord = false; // the project's northern switch when loaded: decides the model lists
    TDamperHalf Wire;
    TDamperHalf Cord;
    int CntCircuitry = 1; // 1..kMaxCircuits
    int CntWires = 1; // 1..kMaxWiresInPhase
    int CntRopes = 1; // 1..kMaxCords

    // The stress of a section that gives tensions comes through the catalog entry's area.
    // Loading the kind tabs changes no count: the stored counts are what the dialog shows, and
    // the enabling rules below follow the kind shown from the start.
    void Load(const TParcel &parcel, bool isNord, const TWiresList &catalog);
    // OK: every field into the section, the models as codes of the names shown.
    void Store(TParcel &parcel) const;

    // Choosing a self-supporting cable or a ground wire fixes its counts at 1.
    void ChooseWireKind(int kind);
    void ChooseCordKind(int kind);
    void ClickWireCalc(bool on);
    void ClickCordCalc(bool on);
    // Outside the north a new material brings its model list with its first name chosen.
    void ChooseWireMaterial(int material);
    void ChooseCordMaterial(int material);
    // Picks the name at that index of the model list.
    void ChooseWireModel(int index);
    void ChooseCordModel(int index);

    // Enabling. A click on a disabled control changes nothing.
    bool WireSwitchEnabled() const { return Wire.Carried; }
    bool WireFieldsEnabled() const { return Wire.Carried && Wire.Calc; }
    // Circuits and wires in phase.
    bool WireCountsEnabled() const { return WireFieldsEnabled() && Wire.Kind == kKindPlain; }
    bool CordSwitchEnabled() const { return Cord.Carried; }
    bool CordFieldsEnabled() const { return Cord.Carried && Cord.Calc; }
    bool CordCountEnabled() const { return CordFieldsEnabled() && Cord.Kind == kKindPlain; }
    // The ratio list is shown only for steel-aluminium, and usable only with its half.
    bool WireRatioVisible() const;
    bool CordRatioVisible() const;
};

// The model list of a half: in the north the universal model alone, otherwise after the
// material.
std::vector<std::string> DamperModelList(int material, bool isNord);

struct TDamperPageCaptions
{
    std::string StartCalc;
    std::string CategoryGroup;
    std::string NumberCategory; // with its ":"
    std::string DescriptionGroup;
    std::string North;
    std::string AverageTemperature; // with its ":"
    std::string UnitDegrees;
    std::string SectionsTitle;
};
TDamperPageCaptions DamperPageCaptions();

struct TSectionDampersCaptions
{
    std::string Title;
    std::string NameSector; // with its ":"
    std::vector<std::string> WireKinds; // the three tabs of each half
    std::vector<std::string> CordKinds;
    std::string PerformCalculation;
    std::string TypeWire;
    std::string TypeCord;
    std::string PermissibleStress; // ends in the unit, daN/mm² in either unit system
    std::string NumberCircuit;
    std::string NumberWires;
    std::string NumberCords;
    std::string Material;
    std::vector<std::string> WireMaterials;
    std::vector<std::string> CordMaterials;
    std::string DamperConstruction;
    std::string Ratio;
    std::vector<std::string> Ratios;
    std::string Cancel;
};
TSectionDampersCaptions SectionDampersCaptions();

} // namespace vartesk
