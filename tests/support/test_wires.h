// The conductor types the calculation and report tests share: one steel-aluminium wire and
// one steel rope, with the figures of their published tables.
#pragma once

#include "catalog/wire_record.h"
#include "catalog/wires_list.h"

namespace vartesk::test {

inline TWireRecord MakeWire(
    const char *name, double d, double area, double weight, double e, double alpha, int group = 1)
{
    TWireRecord r;
    r.Group = group;
    r.Name = name;
    r.Diameter = d;
    r.Section = area;
    r.Weight = weight;
    r.Modulus = e;
    r.ThermalCoef = alpha;
    return r;
}

inline TWireRecord WireAC120()
{
    return MakeWire("АС120/19", 15.2, 136.8, 0.471, 8250, 1.92e-5, 1);
}

inline TWireRecord RopeTK91()
{
    return MakeWire("ТК-9,1", 9.1, 48.64, 0.417, 20000, 1.2e-5, 5);
}

// АС120/19, and the rope ТК-9,1 unless only the wire is wanted.
inline TWiresList TestCatalog(bool withRope = true)
{
    TWiresList list;
    list.Add(WireAC120());
    if (withRope)
        list.Add(RopeTK91());
    return list;
}

} // namespace vartesk::test
