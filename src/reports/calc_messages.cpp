// The calculation's messages with their place.
#include "reports/calc_messages.h"

#include "base/text_format.h"
#include "l10n/string_table.h"
#include "model/project.h"

namespace vartesk {

std::function<void(TCalcMessageKind, const std::string &)> TPlacedCalcMessages::Hook()
{
    return [this](TCalcMessageKind kind, const std::string &text) {
        Said.emplace_back(kind, text);
    };
}

bool TPlacedCalcMessages::AfterCall(const TProject &project, const TCalcResult &result)
{
    const auto said = std::move(Said);
    Said.clear();
    std::string section, label;
    bool carried = false;
    if (result.Section >= 0 && result.Section < project.Parcels.Count()) {
        const TParcel &p = project.Parcels.Get(result.Section);
        section = p.Name;
        carried = result.Conductor == TConductor::Wire ? p.IsProvod : p.IsTros;
        if (result.First >= 1 && result.First < result.Last && result.Last <= p.Pillars.Count())
            label = p.Pillars.Get(result.First - 1).Nomer.str() + "-"
                + p.Pillars.Get(result.Last - 1).Nomer.str();
    }
    const std::string conductor
        = LocalString(result.Conductor == TConductor::Wire ? "The_wire_of" : "The_cord_of");
    for (size_t k = 0; k < said.size(); ++k) {
        const auto &[kind, text] = said[k];
        // The call's last word is the one that ended it.
        if (result.Error && k + 1 == said.size() && text == *result.Error)
            Messages.Tell(
                TMessageKind::Warning,
                FormatText(LocalString("Calc_left_out"), {section, conductor, label, text}));
        else
            Messages.Tell(kind == TCalcMessageKind::Error ? TMessageKind::Error
                                                          : TMessageKind::Warning,
                          FormatText(LocalString("Calc_place"), {section, conductor, label, text}));
    }
    // Without a governing state the sags and tensions stay blank; the call has said so.
    const bool noState
        = result.Critical && result.State == TGoverningState::None && !result.UsesStrings;
    return !carried || !(result.Error || noState);
}

} // namespace vartesk
