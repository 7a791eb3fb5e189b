// The damper page of the main window and the per-section damper dialog.
#include "app/editors/damper_input.h"

#include "base/number_text.h"
#include "catalog/wires_list.h"
#include "dampers/damper_model_name.h"
#include "dampers/damper_rules.h"
#include "l10n/string_table.h"
#include "model/project.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vartesk {

namespace {

// What each terrain category means, 1..5.
constexpr std::array<const char *, kMaxCategory> kCategoryKeys = {"Terrain_category_1",
                                                                  "Terrain_category_2",
                                                                  "Terrain_category_3",
                                                                  "Terrain_category_4",
                                                                  "Terrain_category_5"};

// Index into a list of `count` items, as a list field can hold it.
int ListIndex(int value, int count)
{
    return std::clamp(value, 0, count - 1);
}

void LoadHalf(TDamperHalf &half,
              bool carried,
              bool calc,
              int kind,
              const std::string &type,
              std::optional<double> stress,
              int material,
              int materials,
              int ratio)
{
    half.Carried = carried;
    half.Kind = ListIndex(kind, 3);
    half.Calc = carried && calc;
    half.Type = type;
    half.AvgStress = carried ? stress : std::optional<double>(0.0);
    half.Material = ListIndex(material, materials);
    half.Ratio = ListIndex(ratio, kRatioRanges);
}

// The stress at the average annual temperature; the catalog's area is asked only when the
// limits are tensions, and a missing or zero area then leaves the stress unknown.
template<class F>
std::optional<double>
AvgStress(int tagMode, const std::string &type, const TWiresList &catalog, F stressOf)
{
    if (tagMode != 1)
        return stressOf(0.0);
    const double area = catalog.FindByName(type).Section;
    if (!(area > 0))
        return std::nullopt;
    const double stress = stressOf(area);
    if (!std::isfinite(stress))
        return std::nullopt;
    return stress;
}

void FillModels(TDamperHalf &half, bool isNord)
{
    half.Models = DamperModelList(half.Material, isNord);
    half.Model = half.Models.front();
}

void ChooseKind(TDamperHalf &half, bool enabled, int kind, int &first, int *second)
{
    if (!enabled || kind < 0 || kind > kKindGroundWire)
        return;
    half.Kind = kind;
    if (kind != kKindPlain) {
        first = 1;
        if (second)
            *second = 1;
    }
}

void ChooseMaterial(TDamperHalf &half, bool enabled, int material, int materials, bool isNord)
{
    if (!enabled || material < 0 || material >= materials)
        return;
    half.Material = material;
    // In the north this gives the universal model again, as it must.
    FillModels(half, isNord);
}

void ChooseModel(TDamperHalf &half, bool enabled, int index)
{
    if (!enabled || index < 0 || index >= int(half.Models.size()))
        return;
    half.Model = half.Models[size_t(index)];
}

std::string WithColon(const char *key)
{
    return LocalString(key) + ":";
}

} // namespace

std::string CategoryDescription(int numbCat)
{
    if (numbCat < kMinCategory || numbCat > kMaxCategory)
        return {};
    return LocalString(kCategoryKeys[size_t(numbCat - kMinCategory)]);
}

void TFrameVibroMuffles::Load(const TProject &project)
{
    IsVibroMuffles = project.VMData.IsVibroMuffles;
    IsNord = project.VMData.IsNord;
    NumbCat = std::clamp(project.VMData.NumbCat, kMinCategory, kMaxCategory);
    Tcold = project.VMData.Tcold;
    FillRows(project.Parcels);
}

void TFrameVibroMuffles::FillRows(const TParcelList &parcels)
{
    Rows.assign(size_t(parcels.Count()), {});
    for (int i = 0; i < parcels.Count(); ++i)
        RefreshRow(i, parcels.Get(i));
}

void TFrameVibroMuffles::RefreshRow(int i, const TParcel &parcel)
{
    if (i < 0 || i >= int(Rows.size()))
        return;
    Rows[size_t(i)] = {parcel.Name, parcel.HasVMCalc()};
}

void TFrameVibroMuffles::Store(TVM_Data &vm) const
{
    vm.IsVibroMuffles = IsVibroMuffles;
    vm.IsNord = IsNord;
    vm.NumbCat = NumbCat;
    vm.Tcold = Tcold;
}

std::string TFrameVibroMuffles::CategoryDescription() const
{
    return vartesk::CategoryDescription(NumbCat);
}

std::string TDamperHalf::AvgStressText() const
{
    return AvgStress ? FormatGeneral(*AvgStress) : std::string();
}

std::vector<std::string> DamperModelList(int material, bool isNord)
{
    if (isNord)
        return {DamperModelName(kModelGvu)};
    if (material == kMaterialDielectric)
        return {DamperModelName(kModelGvu), DamperModelName(kModelGvs)};
    return {DamperModelName(kModelGvp), DamperModelName(kModelGvu)};
}

void TFormParcelVM::Load(const TParcel &parcel, bool isNord, const TWiresList &catalog)
{
    Name = parcel.Name;
    IsNord = isNord;
    LoadHalf(Wire,
             parcel.IsProvod,
             parcel.IsVMCalcProvod,
             parcel.KindP,
             parcel.Provod,
             AvgStress(parcel.TagMode,
                       parcel.Provod,
                       catalog,
                       [&](double a) { return parcel.AvgStressProvod(a); }),
             parcel.MatProvod,
             kWireMaterials,
             parcel.RngAC_P);
    LoadHalf(Cord,
             parcel.IsTros,
             parcel.IsVMCalcTros,
             parcel.KindT,
             parcel.Tros,
             AvgStress(parcel.TagModet,
                       parcel.Tros,
                       catalog,
                       [&](double a) { return parcel.AvgStressTros(a); }),
             parcel.MatTros,
             kCordMaterials,
             parcel.RngAC_T);
    CntCircuitry = std::clamp(parcel.CntCircuitry, 1, kMaxCircuits);
    CntWires = std::clamp(parcel.CntWires, 1, kMaxWiresInPhase);
    CntRopes = std::clamp(parcel.CntRopes, 1, kMaxCords);
    FillModels(Wire, isNord);
    FillModels(Cord, isNord);
    // In the north the list's only name stands; elsewhere the stored model is shown even when
    // the material's list does not offer it, so that OK keeps it.
    if (!isNord) {
        Wire.Model = DamperModelName(parcel.ModelVM_Provod);
        Cord.Model = DamperModelName(parcel.ModelVM_Tros);
    }
}

void TFormParcelVM::Store(TParcel &parcel) const
{
    parcel.KindP = Wire.Kind;
    parcel.KindT = Cord.Kind;
    parcel.IsVMCalcProvod = Wire.Calc;
    parcel.IsVMCalcTros = Cord.Calc;
    parcel.CntCircuitry = CntCircuitry;
    parcel.CntWires = CntWires;
    parcel.CntRopes = CntRopes;
    parcel.RngAC_P = Wire.Ratio;
    parcel.RngAC_T = Cord.Ratio;
    parcel.MatProvod = Wire.Material;
    parcel.MatTros = Cord.Material;
    parcel.ModelVM_Provod = DamperModelCode(Wire.Model);
    parcel.ModelVM_Tros = DamperModelCode(Cord.Model);
}

void TFormParcelVM::ChooseWireKind(int kind)
{
    ChooseKind(Wire, WireFieldsEnabled(), kind, CntCircuitry, &CntWires);
}

void TFormParcelVM::ChooseCordKind(int kind)
{
    ChooseKind(Cord, CordFieldsEnabled(), kind, CntRopes, nullptr);
}

void TFormParcelVM::ClickWireCalc(bool on)
{
    if (WireSwitchEnabled())
        Wire.Calc = on;
}

void TFormParcelVM::ClickCordCalc(bool on)
{
    if (CordSwitchEnabled())
        Cord.Calc = on;
}

void TFormParcelVM::ChooseWireMaterial(int material)
{
    ChooseMaterial(Wire, WireFieldsEnabled(), material, kWireMaterials, IsNord);
}

void TFormParcelVM::ChooseCordMaterial(int material)
{
    ChooseMaterial(Cord, CordFieldsEnabled(), material, kCordMaterials, IsNord);
}

void TFormParcelVM::ChooseWireModel(int index)
{
    ChooseModel(Wire, WireFieldsEnabled(), index);
}

void TFormParcelVM::ChooseCordModel(int index)
{
    ChooseModel(Cord, CordFieldsEnabled(), index);
}

bool TFormParcelVM::WireRatioVisible() const
{
    return Wire.Material == kMaterialSteelAluminium;
}

bool TFormParcelVM::CordRatioVisible() const
{
    return Cord.Material == kMaterialSteelAluminium;
}

TDamperPageCaptions DamperPageCaptions()
{
    TDamperPageCaptions c;
    c.StartCalc = LocalString("Start_calc_dampers");
    c.CategoryGroup = LocalString("Types_terrain");
    c.NumberCategory = WithColon("Number_category");
    c.DescriptionGroup = LocalString("Characteristics_topography");
    c.North = LocalString("North_regions");
    c.AverageTemperature = WithColon("Average_temperature");
    c.UnitDegrees = "°C";
    c.SectionsTitle = LocalString("Sectors_in_Velmar");
    return c;
}

TSectionDampersCaptions SectionDampersCaptions()
{
    TSectionDampersCaptions c;
    c.Title = LocalString("data_calculating");
    c.NameSector = WithColon("Name_sector");
    c.WireKinds = {LocalString("Wire"), LocalString("OSSС"), LocalString("GWOC")};
    c.CordKinds = {LocalString("Cord"), LocalString("OSSС"), LocalString("GWOC")};
    c.PerformCalculation = LocalString("Perform_calculation");
    c.TypeWire = LocalString("Type_wire");
    c.TypeCord = LocalString("Type_cord");
    c.PermissibleStress = LocalString("Permissible_tension") + "²";
    c.NumberCircuit = LocalString("Number_circuit");
    c.NumberWires = LocalString("Number_wires");
    c.NumberCords = LocalString("Number_cords");
    c.Material = LocalString("Material");
    c.WireMaterials = {LocalString("Steel_aluminum"), LocalString("Dielectric")};
    c.CordMaterials
        = {LocalString("Steel_aluminum"), LocalString("Dielectric"), LocalString("Steel_")};
    c.DamperConstruction = LocalString("damper_construction");
    c.Ratio = LocalString("Ratio");
    c.Ratios = {LocalString("less"),
                "0.65 .. 1.0",
                "1.1 .. 1.5",
                "1.6 .. 4.4",
                "4.5 .. 8.0",
                "8.1 .. 11.4",
                LocalString("more")};
    c.Cancel = LocalString("Cancel");
    return c;
}

} // namespace vartesk
