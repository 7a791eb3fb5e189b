// The sections the report tests build: the shared conductor types with working limits, and
// supports numbered from 1.
#pragma once

#include "model/project.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vartesk::test {

// АС120/19 at 13 and 9 daN/mm2 and, with `cord`, ТК-9,1 at 32 and 21 daN/mm2; the supports as
// (type, span) pairs, types 0 anchor, 1 intermediate, 2 dead-end.
inline TParcel &AddTestSection(TProject &project,
                               const std::string &name,
                               const std::vector<std::pair<int, double>> &supports,
                               bool cord = true)
{
    auto p = std::make_unique<TParcel>();
    p->Name = name;
    p->Provod = "АС120/19";
    p->Napr_max = 13;
    p->Napr_srg = 9;
    p->IsTros = cord;
    p->Tros = "ТК-9,1";
    p->Naprt_max = 32;
    p->Naprt_srg = 21;
    int n = 1;
    for (const auto &[type, span] : supports) {
        auto s = std::make_unique<TPillar>();
        s->Nomer = std::to_string(n++);
        s->Tip_Opor = TSupportType(type);
        s->Prolet = span;
        p->Pillars.Add(std::move(s));
    }
    return project.Parcels.Get(project.Parcels.Add(std::move(p)));
}

} // namespace vartesk::test
