// CalcDampers: the dampers of every span of one conductor of one strain section.
#include "dampers/calc_dampers.h"

#include "base/rounding.h"
#include "base/text_format.h"
#include "dampers/damper_model_name.h"
#include "dampers/damper_rules.h"
#include "l10n/string_table.h"
#include "mechanics/arithmetic_error.h"
#include "model/project.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <sstream>

namespace vartesk {

namespace {

constexpr double kLongSpan = 600; // m
constexpr int kPositions = 4;
constexpr int kWiresWithoutDampers = 4; // a split phase this large damps itself
constexpr double kDielectricTension = 500; // daN: below it a dielectric cable needs none

// Placement coefficients of half a vibration wavelength, cm per unit of X.
constexpr std::array<double, kPositions> kNorthCoef = {0.02471, 0.044125, 0.075895, 0.13061};
constexpr std::array<double, 2> kCoef = {0.032, 0.039};
constexpr std::array<double, 2> kLongSpanCoef = {0.039, 0.066};

std::string Number(double v)
{
    std::ostringstream out;
    out << v;
    return out.str();
}

class TDamperCall
{
public:
    TDamperCall(TProject &project, const TCalcResult &r, const TDamperMessage &say)
        : Project(project)
        , R(r)
        , Say(say)
        , Parcel(project.Parcels.Get(r.Section))
        , Vm(project.VMData)
        , IsWire(r.Conductor == TConductor::Wire)
        , Record(IsWire ? project.SpanDataProvod : project.SpanDataTros)
        , M(IsWire ? Parcel.MatProvod : Parcel.MatTros)
        , K(IsWire ? Parcel.ModelVM_Provod : Parcel.ModelVM_Tros)
        , P(IsWire ? Parcel.RngAC_P : Parcel.RngAC_T)
    { }

    void Run();

private:
    // The key's first argument is the value, its second the conductor, in whichever order the
    // language names them.
    void Warn(const char *key, const std::string &value) const
    {
        if (!Say)
            return;
        const std::string whose = FormatText(
            LocalString(IsWire ? "Damp_whose_wire" : "Damp_whose_cord"), {R.Type, Parcel.Name});
        Say(TCalcMessageKind::Warning, FormatText(LocalString(key), {value, whose}));
    }
    bool InputsUsable() const;
    // Step 9: the count and the two position counts of a span before the type tables.
    void BaseDecision(double l, int &n, int &a, int &b);
    // Step 10: the types, which may change the count.
    void SelectTypes(double l, int &n);
    void DielectricType(int &n, bool north);
    void CopyFirstType(int n);

    TProject &Project;
    const TCalcResult &R;
    const TDamperMessage &Say;
    const TParcel &Parcel;
    const TVM_Data &Vm;
    const bool IsWire;
    TVM_SpanData &Record;
    const int M, K, P;
    double T = 0, Sigma = 0, X = 0;
    std::array<double, kPositions> D {};
    std::array<std::string, kPositions> Y;
    bool Undesignated = false;
    // Of the span in hand: the count the rules ask for before any type is looked up, and
    // whether the damper model has no type for the conductor at all.
    int Asked = 0;
    bool SpanUndesignated = false;
};

bool TDamperCall::InputsUsable() const
{
    if (Vm.NumbCat < 1 || Vm.NumbCat > 5) {
        Warn("Damp_category_outside", std::to_string(Vm.NumbCat));
        return false;
    }
    if (!DamperSpanLimit(M, R.Area, Vm)) {
        Warn("Damp_area_outside", Number(R.Area));
        return false;
    }
    return true;
}

void TDamperCall::BaseDecision(double l, int &n, int &a, int &b)
{
    const auto two = [&] {
        n = 2, a = 1, b = 1;
    };
    const auto one = [&] {
        n = 1, a = 1;
    };
    const int wires = IsWire ? Parcel.CntWires : 1;
    if (l >= kLongSpan) {
        // The long-span distances hold for this span and every later one of the call.
        D[0] = Round5(kLongSpanCoef[0] * X);
        D[1] = Round5(kLongSpanCoef[1] * X);
        n = 4, a = 2, b = 2;
    } else if (wires == 1) {
        if (Vm.NumbCat == 1)
            two();
        else if (l < 150)
            one();
        else if (l < 200)
            StressCheck(M, P, Sigma, Vm) ? two() : one();
        else if (M == kMaterialDielectric) {
            if (T >= kDielectricTension)
                one();
        } else {
            two();
        }
    } else if (wires == 2) {
        const double limit = Vm.NumbCat == 1 ? 120 : 150;
        if (l > limit
            && (M == kMaterialDielectric ? T >= kDielectricTension : StressCheck(M, P, Sigma, Vm)))
            two();
    } else if (wires == 3) {
        if (l > 500)
            two();
    }
}

void TDamperCall::CopyFirstType(int n)
{
    for (int q = 1; q < std::min(n, kPositions); ++q)
        Y[size_t(q)] = Y[0];
}

void TDamperCall::DielectricType(int &n, bool north)
{
    const TDielectricType type = DielectricDamperType(R.Diameter, T);
    if (type.Suffix == kNullType) {
        n = 0;
        return;
    }
    if (north)
        Y[0] = (type.Marked ? "ГВУ-" : "ГВС-") + type.Suffix;
    else if (!type.Marked)
        Y[0] = "ГВС-" + type.Suffix;
    else if (K == kModelGvu)
        Y[0] = "ГВУ-" + type.Suffix;
    else if (K == kModelGvs)
        Y[0] = "ГВС-" + type.Suffix;
    else
        Undesignated = SpanUndesignated = true;
    CopyFirstType(n);
}

void TDamperCall::SelectTypes(double l, int &n)
{
    const bool dielectric = M == kMaterialDielectric;
    SpanUndesignated = false;
    Asked = n;
    if (dielectric) {
        n = Asked = DielectricDamperCount(l, Vm);
        DielectricType(n, Vm.IsNord);
    } else if (Vm.IsNord) {
        n = Asked = NorthDamperCount(l, Vm);
        Y[0] = NorthDamperType(R.Diameter, T);
        CopyFirstType(n);
    } else if (l >= kLongSpan) {
        if (K == kModelGvp || K == kModelGvu) {
            const TDamperPair pair
                = K == kModelGvp ? GvpDamperPair(R.Diameter, T) : GvuDamperPair(R.Diameter, T);
            Y[0] = pair.First;
            Y[1] = pair.Second;
        } else {
            Undesignated = SpanUndesignated = true;
        }
    } else {
        if (K == kModelGvp)
            Y[0] = GvpDamperType(R.Diameter, T);
        else if (K == kModelGvu)
            Y[0] = GvuDamperType(R.Diameter, T);
        else
            Undesignated = SpanUndesignated = true;
        CopyFirstType(n);
    }
}

void TDamperCall::Run()
{
    const double t = Vm.IsNord ? Vm.Tcold : Project.Klimat.Tsrec;
    const std::optional<double> tension = DesignTension(R.Tension, t);
    if (!tension) {
        Warn("Damp_temperature_outside", Number(t));
        return;
    }
    Record.IsCalculated = true;
    Record.IsDielectric = M == kMaterialDielectric;
    T = *tension;
    Record.TensionAvg = T;
    Sigma = CheckedDiv(T, R.Area);
    X = R.Diameter * CheckedSqrt(CheckedDiv(10 * T, R.Weight));
    if (Vm.IsNord) {
        for (size_t q = 0; q < kPositions; ++q)
            D[q] = Round5(kNorthCoef[q] * X);
    } else {
        D[0] = Round5(kCoef[0] * X);
        D[1] = Round5(kCoef[1] * X);
    }
    const bool usable = InputsUsable();
    int nMax = 0;
    for (const TSpanResult &s : R.Spans) {
        auto span = std::make_unique<TSpan>();
        span->Name = s.From + "-" + s.To;
        span->Length = s.Length;
        TSpan &added = Record.Spans.Get(Record.Spans.Add(std::move(span)));
        const double l = s.Length;
        if (!usable || !NeedsDampers(M, l, R.Area, Vm))
            continue;
        if (IsWire && Parcel.CntWires >= kWiresWithoutDampers)
            continue;
        int n = 0, a = 0, b = 0;
        BaseDecision(l, n, a, b);
        SelectTypes(l, n);
        // Only the tables' own "none" makes a special design: a model without a type for the
        // conductor keeps its counts and is told apart by its own warning.
        if (Y[0] == kNullType || n <= 0) {
            added.Unselected = Asked > 0 && !SpanUndesignated;
            continue;
        }
        nMax = std::max(nMax, n);
        std::array<int, kPositions> c {};
        if (Vm.IsNord || M == kMaterialDielectric) {
            // Dealt like cards: one to each position, then a second from the first on.
            for (int i = 0; i < n; ++i)
                ++c[size_t(i % kPositions)];
        } else {
            c[0] = a;
            c[1] = b;
        }
        added.HasDampers = true;
        added.Counts = c;
    }
    for (size_t q = 0; q < size_t(std::min(nMax, kPositions)); ++q) {
        Record.Distances[q] = D[q];
        Record.DamperTypes[q] = Y[q];
    }
    if (Undesignated) {
        Warn("Damp_model_no_type", DamperModelName(K));
    }
}

} // namespace

std::optional<double> DesignTension(const TGrid &tension, double t)
{
    if (!(t >= kTemperatureGrid.front() && t <= kTemperatureGrid.back()))
        return std::nullopt;
    for (size_t i = 0; i < kGridSize; ++i) {
        if (ExactlyEqual(t, kTemperatureGrid[i]))
            return tension[i];
        if (i + 1 < kGridSize && t < kTemperatureGrid[i + 1]) {
            const double f
                = (t - kTemperatureGrid[i]) / (kTemperatureGrid[i + 1] - kTemperatureGrid[i]);
            return tension[i] + f * (tension[i + 1] - tension[i]);
        }
    }
    return tension.back();
}

void CalcDampers(TProject &project, const TCalcResult &result, const TDamperMessage &say)
{
    TDamperCall(project, result, say).Run();
}

std::function<void(TProject &, const TCalcResult &)> DampersHook(TDamperMessage say)
{
    return [say = std::move(say)](TProject &project, const TCalcResult &result) {
        CalcDampers(project, result, say);
    };
}

} // namespace vartesk
