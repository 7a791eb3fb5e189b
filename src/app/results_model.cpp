// The results of the sections shown, and their texts as the workbooks print them.
#include "app/results_model.h"

#include "base/text_format.h"
#include "base/text_formats.h"
#include "catalog/wire_record.h"
#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/unit_labels.h"
#include "l10n/units.h"
#include "mechanics/critical_spans.h"
#include "model/project.h"
#include "reports/sagging_report.h"

namespace vartesk {

namespace {

// The number formats of the templates: lengths, spans and sags "0.00", stresses "0.0",
// tensions "0" in daN and "0.00" in kN. The critical spans are lengths; the specific loads,
// which no workbook prints, take the form of the small coefficients ("0.00E+00").
std::string LengthText(double v)
{
    return SheetFixedNumber(v, 2);
}

std::string TensionText(double v)
{
    return SheetFixedNumber(v * ForceFactor(), UnitSystem() == TUnitSystem::DaN ? 0 : 2);
}

std::string StressText(double v)
{
    return SheetFixedNumber(v * StressFactor(), 1);
}

// Specific loads are stresses per metre of span.
std::string LoadText(double v)
{
    return SheetScientificNumber(v * StressFactor(), 2);
}

// Why the calculation left the strain section without figures, if it did.
std::optional<std::string> Reason(const TCalcResult &r)
{
    if (r.Error)
        return r.Error;
    if (r.State == TGoverningState::None && !r.UsesStrings)
        return r.Messages.empty() ? LocalString("Error_data_entry") : r.Messages.back();
    return std::nullopt;
}

TShownStrainSection Shown(const TStrainSectionRun &run)
{
    const TCalcResult &r = run.Result;
    TShownStrainSection s;
    s.Label = run.Label;
    s.Reason = Reason(r);
    if (s.Reason)
        return s;
    s.Length = LengthText(r.Length);
    s.RulingSpan = LengthText(r.RulingSpan);
    s.State = SaggingStateText(r.UsesStrings, int(r.State));
    if (r.Critical) {
        const double spans[3] = {r.Critical->L1, r.Critical->L2, r.Critical->L3};
        for (size_t i = 0; i < 3; ++i)
            s.Critical[i]
                = IsImaginarySpan(spans[i]) ? LocalString("Res_imaginary") : LengthText(spans[i]);
    }
    s.Loads = {LoadText(r.Loads.gamma1), LoadText(r.Loads.gamma6), LoadText(r.Loads.gamma7)};
    // The strain section's tensions are those of its last span, and so are its stresses.
    const TGrid stress = r.Spans.empty() ? TGrid {} : r.Spans.back().Stress;
    for (size_t k = 0; k < size_t(kGridSize); ++k) {
        s.Tension[k] = TensionText(r.Tension[k]);
        if (!r.UsesStrings)
            s.Stress[k] = StressText(stress[k]);
    }
    for (size_t i = 0; i < r.Spans.size(); ++i) {
        const TSpanResult &span = r.Spans[i];
        if (!span.Attested)
            continue;
        TShownSpan &shown = s.Spans.emplace_back();
        shown.Span = int(i);
        shown.Label = span.From + "-" + span.To;
        shown.Length = LengthText(span.Length);
        for (size_t k = 0; k < size_t(kGridSize); ++k)
            shown.Sag[k] = LengthText(span.Sag[k]);
    }
    return s;
}

TShownConductor Shown(const std::optional<TConductorRun> &run, TConductor conductor)
{
    const bool wire = conductor == TConductor::Wire;
    TShownConductor c;
    c.Title = LocalString(wire ? "Res_wire" : "Res_cord");
    if (!run) {
        c.Reason = LocalString(wire ? "Sag_no_wire" : "Sag_no_cord");
        return c;
    }
    c.Title += " " + run->Type;
    if (run->StrainSections.empty())
        c.Reason = LocalString("Sag_no_strain_section");
    for (const auto &ss : run->StrainSections)
        c.StrainSections.push_back(Shown(ss));
    return c;
}

std::string TemperatureText(double t)
{
    // The templates head their columns with a true minus sign.
    const std::string digits = std::to_string(int(t < 0 ? -t : t));
    return (t < 0 ? "\u2212" : t > 0 ? "+" : "") + digits + " °C";
}

} // namespace

TResultsCaptions ResultsCaptions()
{
    TResultsCaptions c;
    c.Panel = LocalString("Res_panel");
    c.NoSection = LocalString("Res_no_section");
    c.Span = LocalString("Res_span");
    c.SpanLength = LocalString("Res_span_length");
    for (size_t k = 0; k < size_t(kGridSize); ++k)
        c.Temperatures[k] = TemperatureText(kTemperatureGrid[k]);
    c.StrainSection = LocalString("Res_strain_section");
    c.Length = LocalString("Res_length");
    c.RulingSpan = LocalString("Res_ruling_span");
    c.State = LocalString("Res_state");
    c.Critical = LocalString("Res_critical");
    c.Loads = FormatText(
        LocalString("Res_loads"),
        {LocalString(UnitSystem() == TUnitSystem::DaN ? "Res_load_unit" : "Res_load_unit_N")});
    c.Tension = FormatText(LocalString("Sag_text_tension"), {ForceUnitLabel()});
    c.Stress = FormatText(LocalString("Res_stress"), {StressUnitLabel()});
    c.Sags = LocalString("Res_sags");
    return c;
}

// A section as it was calculated: the inputs of the calculation, copied, and its results.
struct TResultsModel::TEntry
{
    TProject Inputs; // the climate, the coefficients and the section alone
    TWireRecord WireRecord, CordRecord; // the catalog entries of its types
    TLanguage Language = TLanguage::Russian;
    TUnitSystem Units = TUnitSystem::DaN;
    TSectionResults Results;

    bool Current(const TProject &project, const TParcel &section, const TWiresList &catalog) const
    {
        return Language == CurrentLanguage() && Units == UnitSystem()
            && Inputs.Parcels.Get(0).Equals(section) && Inputs.Klimat.Equals(project.Klimat)
            && Inputs.KlimatKoef.Equals(project.KlimatKoef)
            && WireRecord.Equals(Record(catalog, section.IsProvod, section.Provod))
            && CordRecord.Equals(Record(catalog, section.IsTros, section.Tros));
    }
    // The entry a conductor the section carries is calculated with.
    static TWireRecord Record(const TWiresList &catalog, bool carried, const std::string &type)
    {
        return carried ? catalog.FindByName(type) : TWireRecord {};
    }
};

TResultsModel::TResultsModel() = default;
TResultsModel::~TResultsModel() = default;

void TResultsModel::Clear()
{
    Entries.clear();
}

const TSectionResults &
TResultsModel::Section(const TProject &project, const TWiresList &catalog, int index)
{
    const TParcel &section = project.Parcels.Get(index);
    Entries.resize(size_t(project.Parcels.Count()));
    std::unique_ptr<TEntry> &entry = Entries[size_t(index)];
    if (entry && entry->Current(project, section, catalog))
        return entry->Results;

    ++Count;
    entry = std::make_unique<TEntry>();
    TEntry &e = *entry;
    e.Inputs.Klimat.Assign(project.Klimat);
    e.Inputs.KlimatKoef.Assign(project.KlimatKoef);
    auto copy = std::make_unique<TParcel>();
    copy->Assign(section);
    e.Inputs.Parcels.Add(std::move(copy));
    e.WireRecord = TEntry::Record(catalog, section.IsProvod, section.Provod);
    e.CordRecord = TEntry::Record(catalog, section.IsTros, section.Tros);
    e.Language = CurrentLanguage();
    e.Units = UnitSystem();

    TSectionResults &r = e.Results;
    r.Index = index;
    r.Name = section.Name;
    // The calculation sees the section as the only one of its project; its figures name the
    // section by its place in the real one.
    const auto calculated = [&](TConductor conductor) {
        TConductorRun run = CalcConductorRun(e.Inputs, catalog, 0, conductor);
        for (auto &ss : run.StrainSections)
            ss.Result.Section = index;
        return run;
    };
    if (section.IsProvod)
        r.Wire = calculated(TConductor::Wire);
    if (section.IsTros)
        r.Cord = calculated(TConductor::Cord);
    r.ShownWire = Shown(r.Wire, TConductor::Wire);
    r.ShownCord = Shown(r.Cord, TConductor::Cord);
    return r;
}

} // namespace vartesk
