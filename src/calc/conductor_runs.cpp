// The strain sections of one conductor through the section calculation.
#include "calc/conductor_runs.h"

#include "calc/strain_sections.h"
#include "model/project.h"

namespace vartesk {

TConductorRun CalcConductorRun(TProject &project,
                               const TWiresList &catalog,
                               int section,
                               TConductor conductor,
                               const TRunMessage &say)
{
    const TParcel &p = project.Parcels.Get(section);
    TConductorRun run;
    run.Type = conductor == TConductor::Wire ? p.Provod : p.Tros;
    const auto strainSections
        = conductor == TConductor::Wire ? WireStrainSections(p) : CordStrainSections(p);
    run.StrainSections.reserve(strainSections.size());
    for (const TStrainSection &ss : strainSections) {
        TStrainSectionRun &one = run.StrainSections.emplace_back();
        one.Label = p.Pillars.Get(ss.First - 1).Nomer.str() + "-"
            + p.Pillars.Get(ss.Last - 1).Nomer.str();
        TCalcHooks hooks;
        if (say)
            hooks.Message = [&](TCalcMessageKind kind, const std::string &text) {
                say(one.Label, kind, text);
            };
        one.Result = CalcSection(project, catalog, TCalcMode::Loads, section, conductor, ss, hooks);
    }
    return run;
}

} // namespace vartesk
