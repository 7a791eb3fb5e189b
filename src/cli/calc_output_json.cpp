// vartesk calc --format json: the results as one JSON document in internal units.
#include "cli/calc_output_report.h"

#include "base/json_writer.h"
#include "mechanics/critical_spans.h"

#include <ostream>

namespace vartesk::cli {

namespace {

void WriteSpan(TJsonWriter &w, const TSpanResult &span)
{
    w.BeginObject();
    w.Key("from");
    w.String(span.From);
    w.Key("to");
    w.String(span.To);
    w.Key("length");
    w.Number(span.Length);
    w.Key("attested");
    w.Bool(span.Attested);
    w.Key("stress");
    w.Numbers(span.Stress);
    w.Key("sag");
    w.Numbers(span.Sag);
    w.Key("tension");
    w.Numbers(span.Tension);
    w.EndObject();
}

void WriteCriticalSpan(TJsonWriter &w, double l)
{
    if (IsImaginarySpan(l))
        w.Null();
    else
        w.Number(l);
}

void WriteStrainSection(TJsonWriter &w, const TCalcResult &r)
{
    w.BeginObject();
    w.Key("first");
    w.Int(r.First);
    w.Key("last");
    w.Int(r.Last);
    w.Key("label");
    w.String(r.Label);
    w.Key("length");
    w.Number(r.Length);
    w.Key("ruling_span");
    w.Number(r.RulingSpan);
    w.Key("ice");
    w.Number(r.Ice);
    w.Key("stress_max");
    w.Number(r.StressMax);
    w.Key("stress_avg");
    w.Number(r.StressAvg);
    w.Key("loads");
    w.BeginObject();
    w.Key("gamma1");
    w.Number(r.Loads.gamma1);
    w.Key("gamma6");
    w.Number(r.Loads.gamma6);
    w.Key("gamma7");
    w.Number(r.Loads.gamma7);
    w.Key("gamma_max");
    w.Number(r.Loads.gammaMax);
    w.EndObject();
    w.Key("critical_spans");
    if (r.Critical) {
        w.BeginArray(true);
        WriteCriticalSpan(w, r.Critical->L1);
        WriteCriticalSpan(w, r.Critical->L2);
        WriteCriticalSpan(w, r.Critical->L3);
        w.EndArray();
    } else {
        w.Null();
    }
    w.Key("state");
    if (r.Critical && r.State != TGoverningState::None)
        w.Int(static_cast<int>(r.State));
    else
        w.Null();
    w.Key("spans");
    w.BeginArray();
    for (const auto &span : r.Spans)
        WriteSpan(w, span);
    w.EndArray();
    w.Key("tension");
    w.Numbers(r.Tension);
    w.Key("anchor_loads");
    w.BeginArray(true);
    for (const auto &lc : r.LoadCases)
        w.Number(lc.Tension);
    w.EndArray();
    w.Key("error");
    if (r.Error)
        w.String(*r.Error);
    else
        w.Null();
    w.EndObject();
}

void WriteConductor(TJsonWriter &w, const std::optional<TConductorRun> &conductor)
{
    if (!conductor) {
        w.Null();
        return;
    }
    w.BeginObject();
    w.Key("type");
    w.String(conductor->Type);
    w.Key("strain_sections");
    w.BeginArray();
    for (const auto &ss : conductor->StrainSections)
        WriteStrainSection(w, ss.Result);
    w.EndArray();
    w.EndObject();
}

void WriteDamper(TJsonWriter &w, const std::optional<TDamperConductor> &d)
{
    if (!d) {
        w.Null();
        return;
    }
    w.BeginObject();
    w.Key("calculated");
    w.Bool(d->Calculated);
    w.Key("tension_avg");
    w.Number(d->TensionAvg);
    w.Key("dielectric");
    w.Bool(d->Dielectric);
    w.Key("distances");
    w.Numbers(d->Distances);
    w.Key("types");
    w.BeginArray(true);
    for (const auto &type : d->Types)
        w.String(type);
    w.EndArray();
    w.Key("spans");
    w.BeginArray();
    for (const auto &span : d->Spans) {
        w.BeginObject();
        w.Key("name");
        w.String(span.Name);
        w.Key("length");
        w.Number(span.Length);
        w.Key("counts");
        w.BeginArray(true);
        for (int count : span.Counts)
            w.Int(count);
        w.EndArray();
        w.Key("has_dampers");
        w.Bool(span.HasDampers);
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
}

void WriteSection(TJsonWriter &w, const TSectionRun &s)
{
    w.BeginObject();
    w.Key("index");
    w.Int(s.Index);
    w.Key("name");
    w.String(s.Name);
    w.Key("wire");
    WriteConductor(w, s.Wire);
    w.Key("cord");
    WriteConductor(w, s.Cord);
    w.Key("dampers");
    w.BeginArray();
    for (const auto &d : s.Dampers) {
        w.BeginObject();
        w.Key("first");
        w.Int(d.First);
        w.Key("last");
        w.Int(d.Last);
        w.Key("wire");
        WriteDamper(w, d.Wire);
        w.Key("cord");
        WriteDamper(w, d.Cord);
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
}

} // namespace

void WriteCalcJson(std::ostream &out, const TCalcReport &report)
{
    TJsonWriter w(out);
    w.BeginObject();
    w.Key("warnings");
    w.BeginArray();
    for (const auto &warning : report.Warnings)
        w.String(warning);
    w.EndArray();
    w.Key("sections");
    w.BeginArray();
    for (const auto &section : report.Sections)
        WriteSection(w, section);
    w.EndArray();
    w.EndObject();
    w.Finish();
}

} // namespace vartesk::cli
