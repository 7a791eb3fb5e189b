// The field sagging figures: the section calculation's grids, filled in at every 5 C.
#include "calc/sagging_grid.h"

#include "base/number_text.h"
#include "base/text_format.h"
#include "base/text_formats.h"
#include "l10n/string_table.h"
#include "mechanics/arithmetic_error.h"
#include "mechanics/state_equation.h"
#include "model/project.h"

#include <cmath>

namespace vartesk {

namespace {

static_assert(kSagGridSize == 2 * kGridSize - 1);

// The stringing tables' temperatures are every second one of the sagging grid.
constexpr size_t SagIndex(int gridIndex)
{
    return size_t(2 * gridIndex);
}

std::string SupportsLabel(const TParcel &p, TStrainSection ss)
{
    return p.Pillars.Get(ss.First - 1).Nomer.str() + "-" + p.Pillars.Get(ss.Last - 1).Nomer.str();
}

TDesignConditions Conditions(const TProject &project, const TCalcResult &r)
{
    TDesignConditions c;
    c.AvgStress = r.StressAvg;
    c.MaxStress = r.StressMax;
    c.TAvg = project.Klimat.Tsrec;
    c.TMin = project.Klimat.TMin;
    c.TIce = project.Klimat.TGsw;
    c.Gamma1 = r.Loads.gamma1;
    c.GammaMax = r.Loads.gammaMax;
    c.Beta = CheckedDiv(1.0, r.Modulus);
    c.Alpha = r.ThermalCoef;
    return c;
}

// The temperatures between the grid's, as the calculation would have solved them. Without
// insulator strings the stress depends on the ruling span alone, so it is solved once per
// temperature; with them each span is a state of its own.
void FillBetween(const TProject &project, TSaggingStrainSection &out, const TCalcResult &r)
{
    const TParcel &p = project.Parcels.Get(r.Section);
    const TDesignConditions c = Conditions(project, r);
    for (size_t k = 1; k < size_t(kSagGridSize); k += 2) {
        const double t = kSagTemperatures[k];
        if (r.UsesStrings) {
            for (TSaggingSpan &span : out.Spans) {
                TStringSpanInput in;
                in.Alpha = r.ThermalCoef;
                in.Gamma1 = r.Loads.gamma1;
                in.GammaMax = r.Loads.gammaMax;
                in.Span = span.Length;
                in.StringLength = p.Dlina_Gis;
                in.StringWeight = p.Ves_Gis;
                in.Section = r.Area;
                in.Beta = c.Beta;
                in.HeightDiff = p.Raznost_H;
                in.MaxStress = r.StressMax;
                in.TMin = c.TMin;
                in.TIce = c.TIce;
                in.Temperature = t;
                in.TensionFactor = r.TensionFactor;
                StringSpanState(in, out.Tension[k], span.Sag[k]);
            }
            continue;
        }
        const TInitialState init = InitialState(r.State, c);
        TSpanStateInput in;
        in.Gamma = r.Loads.gamma1;
        in.RulingSpan = r.RulingSpan;
        in.Modulus = r.Modulus;
        in.InitialTerm = StateTerm(init.Gamma, r.RulingSpan, r.Modulus);
        in.Stress0 = init.Stress;
        in.Alpha = r.ThermalCoef;
        in.Temperature = t;
        in.Temperature0 = init.Temperature;
        in.Section = r.Area;
        in.TensionFactor = r.TensionFactor;
        in.SagFactor = r.SagFactor;
        in.Span = out.Spans.front().Length;
        const double stress = SpanStress(in);
        for (TSaggingSpan &span : out.Spans) {
            in.Span = span.Length;
            SpanSagTension(in, stress, span.Sag[k], out.Tension[k]);
        }
    }
}

TSaggingStrainSection StrainSection(TProject &project,
                                    const TWiresList &catalog,
                                    int section,
                                    TConductor conductor,
                                    TStrainSection ss,
                                    const TSaggingMessage &say,
                                    bool &typeMissing)
{
    TSaggingStrainSection out;
    out.First = ss.First;
    out.Last = ss.Last;
    out.Label = SupportsLabel(project.Parcels.Get(section), ss);
    TCalcHooks hooks;
    if (say)
        hooks.Message = [&](TCalcMessageKind kind, const std::string &text) {
            say(section, conductor, out.Label, kind, text);
        };
    // The journal's mode computes the work fields and writes nothing.
    const TCalcResult r
        = CalcSection(project, catalog, TCalcMode::Journal, section, conductor, ss, hooks);
    typeMissing = !r.TypeFound;
    out.RulingSpan = r.RulingSpan;
    out.State = r.State;
    out.UsesStrings = r.UsesStrings;
    out.TensionMax = r.TensionMax;
    out.TensionAvg = r.TensionAvg;
    if (r.Error) {
        out.Error = r.Error;
        return out;
    }
    if (r.State == TGoverningState::None && !r.UsesStrings) {
        // The calculation has said why; its sags are not figures.
        out.Error = r.Messages.empty() ? LocalString("Error_data_entry") : r.Messages.back();
        return out;
    }
    for (int k = 0; k < kGridSize; ++k)
        out.Tension[SagIndex(k)] = r.Tension[size_t(k)];
    for (const TSpanResult &s : r.Spans) {
        TSaggingSpan span;
        span.From = s.From;
        span.To = s.To;
        span.Length = s.Length;
        span.Attested = s.Attested;
        for (int k = 0; k < kGridSize; ++k)
            span.Sag[SagIndex(k)] = s.Sag[size_t(k)];
        out.Spans.push_back(std::move(span));
    }
    try {
        FillBetween(project, out, r);
        for (TSaggingSpan &span : out.Spans)
            for (size_t k = 0; k < size_t(kSagGridSize); ++k)
                span.WaveTime3[k] = ThreeWaveTime(span.Sag[k]);
    } catch (const EArithmeticError &) {
        out.Error = LocalString("Error_data_entry");
        out.Spans.clear();
        out.Tension = {};
        if (hooks.Message)
            hooks.Message(TCalcMessageKind::Error, *out.Error);
    }
    return out;
}

TSaggingConductor Conductor(TProject &project,
                            const TWiresList &catalog,
                            int section,
                            TConductor conductor,
                            const TSaggingMessage &say)
{
    const TParcel &p = project.Parcels.Get(section);
    const bool wire = conductor == TConductor::Wire;
    TSaggingConductor out;
    out.Type = wire ? p.Provod : p.Tros;
    out.Carried = wire ? p.IsProvod : p.IsTros;
    if (!out.Carried) {
        out.Error = LocalString(wire ? "Sag_no_wire" : "Sag_no_cord");
        return out;
    }
    const std::vector<TStrainSection> strainSections
        = wire ? WireStrainSections(p) : CordStrainSections(p);
    if (strainSections.empty()) {
        out.Error = LocalString("Sag_no_strain_section");
        return out;
    }
    for (const TStrainSection &ss : strainSections) {
        bool typeMissing = false;
        TSaggingStrainSection one
            = StrainSection(project, catalog, section, conductor, ss, say, typeMissing);
        if (typeMissing) {
            // Every strain section would end alike: once is enough, for the whole conductor.
            out.Error = one.Error ? *one.Error : LocalString("Error_data_entry");
            out.StrainSections.clear();
            return out;
        }
        out.StrainSections.push_back(std::move(one));
    }
    return out;
}

} // namespace

double ThreeWaveTime(double sag)
{
    return 3 * std::sqrt(32 * sag / kGravity);
}

TSaggingSection CalcSectionSagging(TProject &project,
                                   const TWiresList &catalog,
                                   int section,
                                   const TSaggingMessage &say)
{
    TSaggingSection out;
    out.Index = section;
    out.Name = project.Parcels.Get(section).Name;
    out.Wire = Conductor(project, catalog, section, TConductor::Wire, say);
    out.Cord = Conductor(project, catalog, section, TConductor::Cord, say);
    return out;
}

std::vector<TSaggingSection>
CalcSagging(TProject &project, const TWiresList &catalog, const TSaggingMessage &say)
{
    std::vector<TSaggingSection> out;
    for (int i = 0; i < project.Parcels.Count(); ++i)
        out.push_back(CalcSectionSagging(project, catalog, i, say));
    return out;
}

std::vector<std::string> SagWarnings(TProject &project, const TWiresList &catalog)
{
    std::vector<std::string> out;
    constexpr size_t kHottest = kGridSize - 1;
    for (int i = 0; i < project.Parcels.Count(); ++i) {
        const TParcel &p = project.Parcels.Get(i);
        for (const TConductor conductor : {TConductor::Wire, TConductor::Cord}) {
            const bool wire = conductor == TConductor::Wire;
            if (!(wire ? p.IsProvod : p.IsTros))
                continue;
            for (const TStrainSection &ss : wire ? WireStrainSections(p) : CordStrainSections(p)) {
                const TCalcResult r
                    = CalcSection(project, catalog, TCalcMode::Journal, i, conductor, ss);
                if (r.Error)
                    continue;
                for (const TSpanResult &span : r.Spans)
                    if (span.Sag[kHottest] > kMaxSagRatio * span.Length)
                        out.push_back(
                            FormatText(LocalString("Sag_warn_sag"),
                                       {std::to_string(i + 1),
                                        p.Name,
                                        LocalString(wire ? "Sag_wire_word" : "Sag_cord_word"),
                                        span.From + "-" + span.To,
                                        FixedNumber(span.Sag[kHottest], 2),
                                        FormatGeneral(span.Length)}));
            }
        }
    }
    return out;
}

} // namespace vartesk
