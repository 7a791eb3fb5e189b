// The section editor's rules.
#include "app/editors/section_editor.h"

#include "app/app_port.h"
#include "base/rounding.h"
#include "base/utf8.h"
#include "catalog/wire_record.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/parcel.h"

namespace vartesk {

namespace {

constexpr size_t kNameMaxLength = 31;
// Characters a workbook refuses in a sheet name; each section becomes a sheet of the reports.
constexpr std::string_view kNameForbidden = "\\/?*[]";

// The messages are the same Russian texts in either language.
constexpr const char *kNoWireType = "Sect_no_wire_type";
constexpr const char *kNoCordType = "Sect_no_cord_type";
constexpr const char *kNoName = "Sect_no_name";
constexpr const char *kNameTooLong = "Sect_name_too_long";
constexpr const char *kNameForbiddenChars = "Sect_name_forbidden";
constexpr const char *kNoWireMaterial = "Sect_no_wire_material";
constexpr const char *kNoCordMaterial = "Sect_no_cord_material";
constexpr const char *kAverageAboveMaximum = "Sect_average_above_maximum";

// Positions of the limits in TFormParcel::Loaded.
enum TLimit { kNaprMax, kNaprSrg, kTagMax, kTagSrg, kNaprtMax, kNaprtSrg, kTagtMax, kTagtSrg };

bool ValidMaterial(int k)
{
    return k >= 1 && k <= TStretchGroup::kMaterials;
}

// A stored material outside 1..5 shows no choice.
void LoadStretch(TStretchGroup &group, int material, int percent)
{
    group.Material = ValidMaterial(material) ? material : 0;
    if (group.Material != 0)
        group.Percent[group.Material - 1] = percent;
}

void ChooseMaterial(TStretchGroup &group, int k)
{
    group.Material = k;
    group.PercentEditable.fill(false);
    group.PercentEditable[k - 1] = true;
}

bool PercentEditable(const TStretchGroup &group, int k)
{
    return ValidMaterial(k) && group.PercentEditable[k - 1];
}

} // namespace

TFormParcel::TFormParcel(TFormWiresBase &catalog)
    : Catalog(catalog)
{ }

double TFormParcel::Stored(double shown, const TShownLimit &loaded, double factor)
{
    return ExactlyEqual(shown, loaded.Shown) ? loaded.Internal : shown / factor;
}

void TFormParcel::LoadParcel(const TParcel &section)
{
    const double stress = StressFactor();
    const double force = ForceFactor();
    const auto show = [this](TLimit i, double internal, double factor) {
        Loaded[i] = {internal * factor, internal};
        return Loaded[i].Shown;
    };

    Name = section.Name;
    IsProvod = section.IsProvod;
    Provod = section.Provod;
    seNapr_max = show(kNaprMax, section.Napr_max, stress);
    seNapr_srg = show(kNaprSrg, section.Napr_srg, stress);
    seTag_max = show(kTagMax, section.Tag_max, force);
    seTag_srg = show(kTagSrg, section.Tag_srg, force);
    WireTab = section.TagMode;

    IsTros = section.IsTros;
    Tros = section.Tros;
    seNaprt_max = show(kNaprtMax, section.Naprt_max, stress);
    seNaprt_srg = show(kNaprtSrg, section.Naprt_srg, stress);
    seTagt_max = show(kTagtMax, section.Tagt_max, force);
    seTagt_srg = show(kTagtSrg, section.Tagt_srg, force);
    CordTab = section.TagModet;

    IsGis = section.IsGis;
    Ves_Gis = section.Ves_Gis;
    Dlina_Gis = section.Dlina_Gis;
    Raznost_H = section.Raznost_H;
    IsVitygka = section.IsVitygka;

    if (IsVitygka) {
        if (IsProvod)
            LoadStretch(WireStretch, section.Mp, section.Pp);
        if (IsTros)
            LoadStretch(CordStretch, section.Mt, section.Pt);
    }
    WireStretch.MakePercentsReadOnly();
    CordStretch.MakePercentsReadOnly();
}

void TFormParcel::StoreParcel(TParcel &section) const
{
    const double stress = StressFactor();
    const double force = ForceFactor();

    section.IsProvod = IsProvod;
    section.Provod = Provod;
    section.Napr_max = Stored(seNapr_max, Loaded[kNaprMax], stress);
    section.Napr_srg = Stored(seNapr_srg, Loaded[kNaprSrg], stress);
    section.Tag_max = Stored(seTag_max, Loaded[kTagMax], force);
    section.Tag_srg = Stored(seTag_srg, Loaded[kTagSrg], force);
    section.TagMode = WireTab;

    section.IsTros = IsTros;
    section.Tros = Tros;
    section.Naprt_max = Stored(seNaprt_max, Loaded[kNaprtMax], stress);
    section.Naprt_srg = Stored(seNaprt_srg, Loaded[kNaprtSrg], stress);
    section.Tagt_max = Stored(seTagt_max, Loaded[kTagtMax], force);
    section.Tagt_srg = Stored(seTagt_srg, Loaded[kTagtSrg], force);
    section.TagModet = CordTab;

    section.IsGis = IsGis;
    section.Ves_Gis = Ves_Gis;
    section.Dlina_Gis = Dlina_Gis;
    section.Raznost_H = Raznost_H;
    section.Name = Name;
    section.IsVitygka = IsVitygka;

    if (IsVitygka && IsProvod) {
        section.Mp = WireStretch.Material;
        section.Pp = WireStretch.ChosenPercent();
    }
    if (IsVitygka && IsTros) {
        section.Mt = CordStretch.Material;
        section.Pt = CordStretch.ChosenPercent();
    }
}

bool TFormParcel::Validate(TMessages &messages) const
{
    const char *error = nullptr;
    if (IsProvod && Provod.empty())
        error = kNoWireType;
    else if (IsTros && Tros.empty())
        error = kNoCordType;
    else if (Name.empty())
        error = kNoName;
    else if (Utf8Length(Name) > kNameMaxLength)
        error = kNameTooLong;
    else if (Name.find_first_of(kNameForbidden) != std::string::npos)
        error = kNameForbiddenChars;
    else if (WireMaterialEditable() && WireStretch.Material == 0)
        error = kNoWireMaterial;
    else if (CordMaterialEditable() && CordStretch.Material == 0)
        error = kNoCordMaterial;
    // Whatever tab is shown and whether there is a wire at all.
    else if (seNapr_srg > seNapr_max)
        error = kAverageAboveMaximum;
    if (error == nullptr)
        return true;
    messages.Tell(TMessageKind::Error, LocalString(error));
    return false;
}

void TFormParcel::ChooseWire(TAppPort &port)
{
    if (!WireEditable())
        return;
    const std::optional<TWireRecord> chosen = port.Dialogs.SelectFromCatalog(Catalog);
    if (chosen && !chosen->Name.empty())
        Provod = chosen->Name.str();
}

void TFormParcel::ChooseCord(TAppPort &port)
{
    if (!CordEditable())
        return;
    const std::optional<TWireRecord> chosen = port.Dialogs.SelectFromCatalog(Catalog);
    if (chosen && !chosen->Name.empty())
        Tros = chosen->Name.str();
}

void TFormParcel::ClickIsProvod(bool checked)
{
    IsProvod = checked;
    WireStretch.MakePercentsReadOnly();
}

void TFormParcel::ClickIsTros(bool checked)
{
    IsTros = checked;
    CordStretch.MakePercentsReadOnly();
}

void TFormParcel::ClickIsVitygka(bool checked)
{
    IsVitygka = checked;
    WireStretch.MakePercentsReadOnly();
    CordStretch.MakePercentsReadOnly();
}

void TFormParcel::ClickIsGis(bool checked)
{
    IsGis = checked;
}

void TFormParcel::ChooseWireMaterial(int k)
{
    if (WireMaterialEditable() && ValidMaterial(k))
        ChooseMaterial(WireStretch, k);
}

void TFormParcel::ChooseCordMaterial(int k)
{
    if (CordMaterialEditable() && ValidMaterial(k))
        ChooseMaterial(CordStretch, k);
}

bool TFormParcel::WirePercentEditable(int k) const
{
    return PercentEditable(WireStretch, k);
}

bool TFormParcel::CordPercentEditable(int k) const
{
    return PercentEditable(CordStretch, k);
}

TSectionEditorCaptions SectionEditorCaptions()
{
    const bool daN = UnitSystem() == TUnitSystem::DaN;
    const std::string kevlar = LocalString("Kevlar");
    TSectionEditorCaptions c;
    c.Window = LocalString("Sector");
    c.Cancel = LocalString("Cancel");
    c.Name = LocalString("Name_sector") + ":";
    c.IsProvod = LocalString("Wire_Cable");
    c.Provod = LocalString("Type_wire");
    c.StressTab = LocalString("Tension");
    c.TensionTab = LocalString("Stress");
    c.MaxStress = LocalString("Max_perm_tens");
    c.AvgStress = LocalString("Tension_aver_temp");
    c.MaxTension = LocalString("Max_stress");
    c.AvgTension = LocalString("Stress_aver_temp");
    c.StressUnit = LocalString(daN ? "daN_mm" : "N_mm") + "²";
    c.ForceUnit = LocalString(daN ? "daN" : "kN");
    c.IsTros = LocalString("Cord_Cable");
    c.Tros = LocalString("Type_cord");
    c.IsGis = LocalString("account_strings");
    c.VesGis = LocalString("Weight_of_insulator");
    c.DlinaGis = LocalString("Length_of_insulator");
    c.RaznostH = LocalString("Difference");
    c.KgUnit = LocalString("kg");
    c.MeterUnit = LocalString("meter");
    c.IsVitygka = LocalString("Take_into_account");
    c.WireGroup = LocalString("Wire_Cable");
    c.CordGroup = LocalString("Cord_Cable");
    c.Material = LocalString("Material");
    c.Overdraw = LocalString("overdraw");
    c.Materials = {
        LocalString("Steel"),
        LocalString("Steel") + "+" + LocalString("Aluminum"),
        LocalString("Aluminum"),
        kevlar + "49, " + LocalString("fiberglass"),
        kevlar + "29",
    };
    return c;
}

} // namespace vartesk
