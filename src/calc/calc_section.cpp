// The section calculation: loads, critical spans, ruling span and the state of every span.
#include "calc/calc_section.h"

#include "base/rounding.h"
#include "base/text_format.h"
#include "catalog/wires_list.h"
#include "l10n/string_table.h"
#include "mechanics/arithmetic_error.h"
#include "mechanics/coefficient_tables.h"
#include "mechanics/state_equation.h"
#include "model/project.h"

namespace vartesk {

namespace {

// Ends the call after a message; caught inside CalcSection only.
struct TCallEnded
{ };

class TCall
{
public:
    TCall(TProject &project,
          const TWiresList &catalog,
          TCalcMode mode,
          const TCalcHooks &hooks,
          TCalcResult &result)
        : Project(project)
        , Catalog(catalog)
        , Mode(mode)
        , Hooks(hooks)
        , R(result)
    { }

    void Run();
    void Say(TCalcMessageKind kind, const std::string &text)
    {
        R.Messages.push_back(text);
        if (Hooks.Message)
            Hooks.Message(kind, text);
    }
    [[noreturn]] void End(TCalcMessageKind kind, const std::string &text)
    {
        Say(kind, text);
        R.Error = text;
        throw TCallEnded {};
    }

private:
    TPillar &Support(int position) { return Parcel().Pillars.Get(position - 1); }
    TParcel &Parcel() { return Project.Parcels.Get(R.Section); }
    bool IsWire() const { return R.Conductor == TConductor::Wire; }
    int Height() const
    {
        return IsWire() ? Project.KlimatKoef.visotaPC : Project.KlimatKoef.visotaPC_tros;
    }
    void CheckTypes();
    void LookUp();
    void Limits();
    void RulingSpan();
    void Loads();
    TSpanResult &AddSpan(int i);
    std::string LabelText();
    void SetLabel(const std::string &label);
    void Skeleton();
    void Spans(const TDesignConditions &conditions);
    void LoadCases(const TDesignConditions &conditions);

    TProject &Project;
    const TWiresList &Catalog;
    TCalcMode Mode;
    const TCalcHooks &Hooks;
    TCalcResult &R;
    double Beta = 0;
    double Cx = 1.2;
};

void TCall::CheckTypes()
{
    // The box concerns the section whatever the conductor of the call. A call whose own
    // conductor has no type cannot go on; the other conductor is calculated as usual.
    const TParcel &p = Parcel();
    if (p.IsProvod && p.Provod.empty()) {
        if (IsWire())
            End(TCalcMessageKind::Error, LocalString("wire_not_indicated"));
        Say(TCalcMessageKind::Error, LocalString("wire_not_indicated"));
    } else if (p.IsTros && p.Tros.empty()) {
        if (!IsWire())
            End(TCalcMessageKind::Error, LocalString("cord_not_indicated"));
        Say(TCalcMessageKind::Error, LocalString("cord_not_indicated"));
    }
}

void TCall::LookUp()
{
    TParcel &p = Parcel();
    R.Type = IsWire() ? p.Provod : p.Tros;
    (IsWire() ? p.CalcProvod : p.CalcTros) = R.Type;
    const TWireRecord rec = Catalog.FindByName(R.Type);
    if (rec.Name.empty()) {
        // Nothing sound can be computed without the catalog's figures. A conductor the
        // section does not carry ends silently, after the lines that need no figures: the
        // stringing tables hang the other conductor's values on those labels and lengths.
        if (!(IsWire() ? p.IsProvod : p.IsTros)) {
            Skeleton();
            throw TCallEnded {};
        }
        const std::string text
            = FormatText(LocalString(IsWire() ? "Wire_not_found" : "Cord_not_found"), {R.Type});
        Say(TCalcMessageKind::Warning, text);
        R.Error = text;
        throw TCallEnded {};
    }
    R.TypeFound = true;
    R.Diameter = rec.Diameter;
    R.Area = rec.Section;
    R.Weight = rec.Weight;
    R.Modulus = rec.Modulus;
    R.ThermalCoef = rec.ThermalCoef;
}

void TCall::Limits()
{
    TParcel &p = Parcel();
    const double f = R.Area;
    R.StressMax = CheckFinite(IsWire() ? p.MaxStressProvod(f) : p.MaxStressTros(f));
    R.StressAvg = CheckFinite(IsWire() ? p.AvgStressProvod(f) : p.AvgStressTros(f));
    R.TensionMax = IsWire() ? p.MaxTensionProvod(f) : p.MaxTensionTros(f);
    R.TensionAvg = IsWire() ? p.AvgTensionProvod(f) : p.AvgTensionTros(f);
    Project.CurNaprMax = R.StressMax;
    Project.CurNaprSrg = R.StressAvg;
    (IsWire() ? p.CalcNapr_max : p.CalcNaprt_max) = R.StressMax;
    (IsWire() ? p.CalcNapr_srg : p.CalcNaprt_srg) = R.StressAvg;
}

void TCall::RulingSpan()
{
    double s1 = 0;
    double s3 = 0;
    for (int i = R.First; i < R.Last; ++i) {
        const double l = Support(i).Prolet;
        s1 += l;
        s3 += l * l * l;
    }
    R.Length = s1;
    R.RulingSpan = CheckedSqrt(CheckedDiv(s3, s1));
    Project.CurRulingSpan = R.RulingSpan;
    auto mark = [&](TPillar &s) {
        s.RulingSpan = R.RulingSpan;
        s.SectionLength = s1;
    };
    for (int i = R.First; i < R.Last; ++i)
        mark(Support(i));
    mark(Support(Parcel().Pillars.Count()));
}

void TCall::Loads()
{
    const TKlimatKoef &k = Project.KlimatKoef;
    TLoadInput in;
    in.Coefs = {k.V_Otv, k.V_Reg, k.V_Nad, k.G_Otv, k.G_Reg, k.G_Nad, k.G_Usl, Height(), k.TypeTer};
    in.Weight = R.Weight;
    in.IceWall = R.Ice;
    in.Diameter = R.Diameter;
    in.Section = R.Area;
    in.UnevennessVMax = WindUnevennessCoef(Project.Klimat.VMax);
    in.Cx = Cx;
    in.VMax = Project.Klimat.VMax;
    in.Vwetsg = Project.Klimat.Vwetsg;
    CalcLoads(in, R.Loads);
}

TSpanResult &TCall::AddSpan(int i)
{
    const TPillar &s = Support(i);
    TSpanResult &span = R.Spans.emplace_back(); // listed even when a failure stops its grids
    span.Support = i;
    span.From = s.Nomer;
    span.To = Support(i + 1).Nomer;
    span.Length = s.Prolet;
    span.Attested = s.Visir;
    return span;
}

std::string TCall::LabelText()
{
    return Support(R.First).Nomer.str() + "-" + Support(R.Last).Nomer.str();
}

// Set after every span, as a hook may have changed it; built once per call, copied only when
// it differs.
void TCall::SetLabel(const std::string &label)
{
    if (Project.AnchorLabel != label)
        Project.AnchorLabel = label;
    if (R.Label != label)
        R.Label = label;
}

void TCall::Skeleton()
{
    Project.GridTension = {};
    RulingSpan();
    const std::string label = LabelText();
    R.Spans.reserve(size_t(R.Last - R.First));
    for (int i = R.First; i < R.Last; ++i) {
        const TSpanResult &span = AddSpan(i);
        SetLabel(label);
        if (span.Attested && Hooks.SpanLine)
            Hooks.SpanLine(Project, R, span);
    }
    if (Hooks.AnchorLine)
        Hooks.AnchorLine(Project, R);
}

void TCall::Spans(const TDesignConditions &c)
{
    TParcel &p = Parcel();
    R.UsesStrings = IsWire() && p.IsGis;
    const TInitialState init = InitialState(R.State, c);
    const double term
        = R.State == TGoverningState::None ? 0 : StateTerm(init.Gamma, R.RulingSpan, R.Modulus);
    const std::string label = LabelText();
    R.Spans.reserve(size_t(R.Last - R.First));
    // The grids start at zero once per call, not per span.
    TGrid stress {}, sag {};
    // Without strings every span has the ruling span's stress: solved for the first span,
    // reused by the others.
    TGrid stateStress {};
    bool stressKnown = false;
    // The inputs that stay the same for every span and temperature of the call.
    TStringSpanInput strings;
    strings.Alpha = R.ThermalCoef;
    strings.Gamma1 = R.Loads.gamma1;
    strings.GammaMax = R.Loads.gammaMax;
    strings.StringLength = p.Dlina_Gis;
    strings.StringWeight = p.Ves_Gis;
    strings.Section = R.Area;
    strings.Beta = Beta;
    strings.HeightDiff = p.Raznost_H;
    strings.MaxStress = R.StressMax;
    strings.TMin = Project.Klimat.TMin;
    strings.TIce = Project.Klimat.TGsw;
    strings.TensionFactor = R.TensionFactor;
    TSpanStateInput state;
    state.Gamma = R.Loads.gamma1;
    state.RulingSpan = R.RulingSpan;
    state.Modulus = R.Modulus;
    state.InitialTerm = term;
    state.Stress0 = init.Stress;
    state.Alpha = R.ThermalCoef;
    state.Temperature0 = init.Temperature;
    state.Section = R.Area;
    state.TensionFactor = R.TensionFactor;
    state.SagFactor = R.SagFactor;
    for (int i = R.First; i < R.Last; ++i) {
        const TPillar &s = Support(i);
        const double l = s.Prolet;
        TSpanResult &span = AddSpan(i);
        if (R.UsesStrings) {
            strings.Span = l;
            for (int k = 0; k < kGridSize; ++k) {
                strings.Temperature = kTemperatureGrid[size_t(k)];
                StringSpanState(strings, Project.GridTension[size_t(k)], sag[size_t(k)]);
            }
        } else if (R.State != TGoverningState::None) {
            state.Span = l;
            for (int k = 0; k < kGridSize; ++k) {
                state.Temperature = kTemperatureGrid[size_t(k)];
                const size_t at = size_t(k);
                if (!stressKnown)
                    stateStress[at] = SpanStress(state);
                stress[at] = stateStress[at];
                SpanSagTension(state, stress[at], sag[at], Project.GridTension[at]);
            }
            stressKnown = true;
        }
        SetLabel(label);
        span.Stress = stress;
        span.Sag = sag;
        span.Tension = Project.GridTension;
        R.Tension = Project.GridTension;
        if (s.Visir && Hooks.SpanLine)
            Hooks.SpanLine(Project, R, span);
    }
}

void TCall::LoadCases(const TDesignConditions &c)
{
    const TKlimat &k = Project.Klimat;
    const double kw = WindHeightCoef(Height(), Project.KlimatKoef.TypeTer);
    const TInitialState init = InitialState(R.State, c);
    const double term
        = R.State == TGoverningState::None ? 0 : StateTerm(init.Gamma, R.RulingSpan, R.Modulus);
    const double temperatures[3] = {k.TGsw, k.Tgbw, k.TMin};
    const double gammas[3] = {R.Loads.gamma7, R.Loads.gamma6, R.Loads.gamma1};
    const double ice[3] = {R.Ice, 0, 0};
    const double wind[3] = {Round(kw * k.Vwetsg), Round(kw * k.VMax), 0};
    for (size_t j = 0; j < 3; ++j) {
        TLoadCase &lc = R.LoadCases[j];
        lc.Temperature = temperatures[j];
        lc.IceShown = ice[j];
        lc.WindShown = wind[j];
        if (R.State == TGoverningState::None)
            continue;
        TRulingSpanStateInput in;
        in.Gamma = gammas[j];
        in.InitialTerm = term;
        in.RulingSpan = R.RulingSpan;
        in.Modulus = R.Modulus;
        in.Stress0 = init.Stress;
        in.Alpha = R.ThermalCoef;
        in.Temperature = temperatures[j];
        in.Temperature0 = init.Temperature;
        double sag = 0;
        RulingSpanState(in, lc.Stress, sag);
        lc.Tension = CheckFinite(lc.Stress * R.Area);
    }
    if (Hooks.LoadCases)
        Hooks.LoadCases(Project, R);
}

void TCall::Run()
{
    TParcel &p = Parcel();
    // Step 1: over-tensioning allowance.
    if (p.IsVitygka) {
        const int percent = IsWire() ? p.Pp : p.Pt;
        R.TensionFactor = 1.0 + percent / 100.0;
        R.SagFactor = 1.0 - percent / 100.0;
    }
    CheckTypes();
    LookUp();
    // A call never reports the tensions of another strain section: with no state found
    // they stay zero instead of keeping those of an earlier call.
    Project.GridTension = {};
    R.Ice = EffectiveIceWall(Project.Klimat.Tols, Height(), R.Diameter);
    Project.CurIce = R.Ice;
    Limits();
    if (Hooks.Header)
        Hooks.Header(Project, R);
    Project.CurWeight = R.Weight;
    Beta = CheckedDiv(1.0, R.Modulus);
    Cx = DragCoefficient(Project.Klimat.VMax, Project.Klimat.Vwetsg, R.Ice, R.Diameter);
    RulingSpan();
    Loads();
    TDesignConditions c;
    c.AvgStress = R.StressAvg;
    c.MaxStress = R.StressMax;
    c.TAvg = Project.Klimat.Tsrec;
    c.TMin = Project.Klimat.TMin;
    c.TIce = Project.Klimat.TGsw;
    c.Gamma1 = R.Loads.gamma1;
    c.GammaMax = R.Loads.gammaMax;
    c.Beta = Beta;
    c.Alpha = R.ThermalCoef;
    TCriticalSpans spans;
    const TCriticalSpansCheck check = CriticalSpans(c, spans);
    if (check != TCriticalSpansCheck::Ok)
        End(TCalcMessageKind::Warning, LocalString(CriticalSpansKey(check)));
    R.Critical = spans;
    R.State = GoverningState(R.RulingSpan, spans.L1, spans.L2, spans.L3);
    if (R.State == TGoverningState::None && !(IsWire() && Parcel().IsGis)) {
        // No rule covers this ordering of the critical spans. Inventing a state would print
        // sags nobody can check, and an empty table must not pass for a calculated one.
        const std::string label = Support(R.First).Nomer.str() + "-" + Support(R.Last).Nomer.str();
        Say(TCalcMessageKind::Warning, FormatText(LocalString("Calc_no_governing_state"), {label}));
    }
    Spans(c);
    if (Mode == TCalcMode::Dampers && Hooks.Dampers)
        Hooks.Dampers(Project, R);
    if (Mode == TCalcMode::Loads)
        LoadCases(c);
    if (Hooks.AnchorLine)
        Hooks.AnchorLine(Project, R);
}

} // namespace

TCalcResult CalcSection(TProject &project,
                        const TWiresList &catalog,
                        TCalcMode mode,
                        int section,
                        TConductor conductor,
                        TStrainSection supports,
                        const TCalcHooks &hooks)
{
    const int m = supports.First;
    const int o = supports.Last;
    TCalcResult result;
    result.Section = section;
    result.Conductor = conductor;
    result.First = m;
    result.Last = o;
    TCall call(project, catalog, mode, hooks, result);
    try {
        if (section < 0 || section >= project.Parcels.Count() || m < 1 || o <= m
            || o > project.Parcels.Get(section).Pillars.Count())
            call.End(TCalcMessageKind::Error, LocalString("Error_data_entry"));
        call.Run();
    } catch (const TCallEnded &) {
    } catch (const EArithmeticError &) {
        call.Say(TCalcMessageKind::Error, LocalString("Error_data_entry"));
        result.Error = LocalString("Error_data_entry");
    }
    return result;
}

} // namespace vartesk
