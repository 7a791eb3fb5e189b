// Where the sags and tensions of each strain section go in the line scheme, and their texts.
#include "reports/scheme_slots.h"

#include "base/number_text.h"
#include "base/rounding.h"
#include "cad/drawing.h"
#include "l10n/units.h"
#include "model/project.h"

namespace vartesk {

namespace {

constexpr double kHeight = 2.5;
constexpr double kColumn = 40; // one support
// The eight rows of each table, -30 C at the bottom, 5.3 apart.
constexpr double kSagBase = 9.6;
constexpr double kTensionBase = -34.4;
constexpr double kRowStep = 5.3;
constexpr int kFirstShown = 1; // grid index of -30 C
constexpr int kShown = 8; // -30..+40 C

// The x of the first support's column in the first section, and in the later ones; the
// later sections' texts stand a little further right than their supports.
struct TSlotOrigin
{
    double First;
    double Later;
};
constexpr TSlotOrigin kWireSlot {60, 70};
constexpr TSlotOrigin kCordSlot {70, 82};

bool IsWire(const TCalcResult &r)
{
    return r.Conductor == TConductor::Wire;
}

bool ValuesShown(const TProject &project, const TCalcResult &r)
{
    const TParcel &p = project.Parcels.Get(r.Section);
    return r.TypeFound && (r.UsesStrings || r.State != TGoverningState::None)
        && (IsWire(r) ? p.IsProvod : p.IsTros);
}

// x of the slot of support `position` (1-based in its section).
double SlotX(const TProject &project, const TCalcResult &r, int position)
{
    const TSlotOrigin origin = IsWire(r) ? kWireSlot : kCordSlot;
    if (r.Section == 0)
        return kColumn * (position - 1) + origin.First;
    int before = 0; // supports of the earlier sections
    for (int i = 0; i < r.Section; ++i)
        before += project.Parcels.Get(i).Pillars.Count();
    return kColumn * (position - 1 + before) + origin.Later;
}

void WriteColumn(TDrawing &dxf,
                 const TCalcResult &r,
                 double x,
                 double base,
                 const TGrid &grid,
                 double (*rounded)(double))
{
    for (int k = 0; k < kShown; ++k) {
        std::string text = FormatGeneral(rounded(grid[size_t(kFirstShown + k)]));
        if (!IsWire(r))
            text = "(" + text + ")";
        dxf.Text(text, {float(x), float(base + kRowStep * k)}, kHeight);
    }
}

double TensionShown(double tension)
{
    if (UnitSystem() == TUnitSystem::KN)
        return Round2(tension * ForceFactor());
    return Round(tension);
}

void WriteSags(TDrawing &dxf,
               const TProject &project,
               const TCalcResult &r,
               const TSpanResult &span)
{
    if (!ValuesShown(project, r))
        return;
    // The span's column is found by its first support's number, from the strain section's
    // first support on: a number repeated within the strain section takes the first column.
    const TPillarList &supports = project.Parcels.Get(r.Section).Pillars;
    int position = span.Support;
    for (int i = r.First; i < span.Support; ++i)
        if (supports.Get(i - 1).Nomer == span.From) {
            position = i;
            break;
        }
    WriteColumn(dxf, r, SlotX(project, r, position), kSagBase, span.Sag, Round2);
}

void WriteTensions(TDrawing &dxf, const TProject &project, const TCalcResult &r)
{
    if (!ValuesShown(project, r))
        return;
    WriteColumn(dxf, r, SlotX(project, r, r.First), kTensionBase, r.Tension, TensionShown);
}

} // namespace

TCalcHooks SchemeTextHooks(TDrawing &dxf, TCalcHooks base)
{
    TCalcHooks hooks;
    hooks.Message = std::move(base.Message);
    TDrawing *target = &dxf;
    hooks.SpanLine = [target](TProject &project, const TCalcResult &r, const TSpanResult &span) {
        WriteSags(*target, project, r, span);
    };
    hooks.AnchorLine = [target](TProject &project, const TCalcResult &r) {
        WriteTensions(*target, project, r);
    };
    return hooks;
}

} // namespace vartesk
