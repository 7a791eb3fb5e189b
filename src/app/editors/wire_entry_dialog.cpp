// The catalog entry dialog's rules: what it shows, which keys it takes and what OK stores.
#include "app/editors/wire_entry_dialog.h"

#include "base/number_text.h"
#include "catalog/modulus_units.h"
#include "catalog/wire_groups.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "port/user_port.h"

#include <iterator>

namespace vartesk {

namespace {

// The numeric fields in screen order, with the entry's member each one shows.
struct TNumberField
{
    std::string TFormWiresEdit::*Text;
    double TWireRecord::*Value;
    bool IsModulus; // shown in the unit system's modulus unit
};

// clang-format off
const TNumberField kNumberFields[] = {
    {&TFormWiresEdit::Diameter,    &TWireRecord::Diameter,    false},
    {&TFormWiresEdit::Section,     &TWireRecord::Section,     false},
    {&TFormWiresEdit::Weight,      &TWireRecord::Weight,      false},
    {&TFormWiresEdit::Modulus,     &TWireRecord::Modulus,     true},
    {&TFormWiresEdit::ThermalCoef, &TWireRecord::ThermalCoef, false},
};
// clang-format on

constexpr int kFirstGroup = 1;
constexpr int kLastGroup = 7;
constexpr const char *kSquared = "\u00B2";

// Why a name cannot be stored, or an empty text. The text export is the catalog's only way
// out, and its reader takes ';' and line breaks as field and line ends and needs a name.
std::string NameFault(const std::string &name)
{
    if (name.empty())
        return LocalString("Wire_entry_no_type");
    if (name.find_first_of(";\r\n") != std::string::npos)
        return LocalString("Wire_entry_separator");
    return {};
}

} // namespace

TWireEntryCaptions WireEntryCaptions()
{
    TWireEntryCaptions c;
    c.Title = LocalString("Add_Edit");
    c.WireBox = LocalString("Wire");
    c.Group = LocalString("Group");
    for (int g = kFirstGroup; g <= kLastGroup; ++g)
        c.Groups.push_back(WireGroupName(g));
    c.Type = LocalString("Type");
    c.Diameter = LocalString("Diameter");
    c.DiameterUnit = LocalString("mm");
    c.Section = LocalString("Sect_area");
    c.SectionUnit = LocalString("mm") + kSquared;
    c.Weight = LocalString("Weight_per");
    c.WeightUnit = LocalString("kg_m");
    c.Modulus = LocalString("Modulus");
    c.ModulusUnit = LocalString(UnitSystem() == TUnitSystem::DaN ? "daN_mm" : "kN_mm") + kSquared;
    c.ThermalCoef = LocalString("Linear_coef");
    c.ThermalCoefUnit = "1/K";
    c.Ok = "OK";
    c.Cancel = LocalString("Cancel");
    return c;
}

TFormWiresEdit::TFormWiresEdit()
{
    RegisterStringGroup(kCatalogEdit);
}

void TFormWiresEdit::Load(const TWireRecord &rec)
{
    Loaded = rec;
    GroupPosition
        = rec.Group >= kFirstGroup && rec.Group <= kLastGroup ? rec.Group - 1 : kOthersPosition;
    Name = rec.Name.str();
    Shown.clear();
    for (const auto &field : kNumberFields) {
        const double value = rec.*field.Value;
        this->*field.Text = FormatGeneral(field.IsModulus ? ShownModulus(value) : value);
        Shown.push_back(this->*field.Text);
    }
}

void TFormWiresEdit::DiameterEdited(const std::string &text, TMessages &messages)
{
    Diameter = text;
    if (CheckNumberText(text, kNumberRule).Verdict == TNumberVerdict::Refused)
        messages.Tell(TMessageKind::Error, LocalString("Error_data_entry"));
}

bool TFormWiresEdit::Accept(TMessages &messages)
{
    if (const std::string fault = NameFault(Name); !fault.empty()) {
        messages.Tell(TMessageKind::Error, fault);
        return false;
    }
    TWireRecord rec;
    rec.Name = Name;
    rec.Group = GroupPosition >= 0 && GroupPosition <= kLastGroup - kFirstGroup
        ? GroupPosition + kFirstGroup
        : kLastGroup;
    for (size_t i = 0; i < std::size(kNumberFields); ++i) {
        const TNumberField &field = kNumberFields[i];
        const std::string &text = this->*field.Text;
        double value = 0;
        try {
            value = ParseNumberText(text);
        } catch (const EConvertError &e) {
            messages.Tell(TMessageKind::Error, e.what());
            return false;
        }
        // Going through the shown text and back can lose the last bits (15 digits, and the
        // kN factor 0.01 is not exact in binary), so an untouched field keeps what it showed.
        if (i < Shown.size() && text == Shown[i])
            value = Loaded.*field.Value;
        else if (field.IsModulus)
            value = StoredModulus(value);
        rec.*field.Value = value;
    }
    Accepted = rec;
    return true;
}

} // namespace vartesk
