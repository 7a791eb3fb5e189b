// The generated line the benchmarks share: 10,000 supports and the catalog of its two types,
// and what the output benchmarks share around it.
#pragma once

#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"
#include "port/user_port.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

namespace vartesk::bench {

constexpr int kSections = 50;
constexpr int kSupportsPerSection = 200;

inline TWireRecord Wire(const char *name, double d, double f, double w, double e, double alpha)
{
    TWireRecord r;
    r.Name = name;
    r.Diameter = d;
    r.Section = f;
    r.Weight = w;
    r.Modulus = e;
    r.ThermalCoef = alpha;
    r.Group = 1;
    return r;
}

// 10,000 supports in 50 sections (or as many as asked); anchors 3..8 supports apart and spans
// of 150..300 m, from a fixed seed so that every run calculates the same line.
inline void
BuildLine(TProject &project, int sections = kSections, int supportsPerSection = kSupportsPerSection)
{
    TKlimat &k = project.Klimat;
    k.Tols = 15;
    k.VMax = 29;
    k.Vwetsg = 15;
    k.TMin = -40;
    k.TMax = 35;
    k.Tgbw = -5;
    k.TGsw = -5;
    k.Tsrec = 3;
    std::mt19937 rng(20240601);
    auto between = [&](int lo, int hi) {
        return lo + int(rng() % unsigned(hi - lo + 1));
    };
    for (int s = 0; s < sections; ++s) {
        auto parcel = std::make_unique<TParcel>();
        parcel->Name = "Section " + std::to_string(s + 1);
        parcel->IsProvod = true;
        parcel->Provod = "АС120/19";
        parcel->Napr_max = 13;
        parcel->Napr_srg = 9;
        parcel->IsTros = true;
        parcel->Tros = "ТК-9,1";
        parcel->Naprt_max = 60;
        parcel->Naprt_srg = 40;
        int nextAnchor = 0;
        for (int i = 0; i < supportsPerSection; ++i) {
            auto pillar = std::make_unique<TPillar>();
            pillar->Nomer = std::to_string(s * supportsPerSection + i + 1);
            pillar->Prolet = between(150, 300);
            const bool anchor = i == nextAnchor || i == supportsPerSection - 1;
            if (anchor)
                nextAnchor = i + between(3, 8);
            pillar->Tip_Opor = anchor ? TSupportType::Strain : TSupportType::Intermediate;
            pillar->Visir = i % 4 == 1;
            parcel->Pillars.Add(std::move(pillar));
        }
        project.Parcels.Add(std::move(parcel));
    }
}

inline TWiresList LineCatalog()
{
    TWiresList catalog;
    catalog.Add(Wire("АС120/19", 15.2, 136.8, 0.471, 8250, 1.92E-5));
    catalog.Add(Wire("ТК-9,1", 9.1, 48.64, 0.417, 20000, 1.2E-5));
    return catalog;
}

// Messages would only mean the line is broken; a benchmark then stops with them.
class TMessageCounter : public TMessages
{
public:
    int Told = 0;
    void Tell(TMessageKind, const std::string &) override { ++Told; }
    bool Ask(const std::string &) override { return true; }
};

// The outputs are measured with the shipped Russian templates in daN.
inline void UseReportSettings()
{
    RegisterAllStrings();
    UseLanguage(TLanguage::Russian);
    UseUnitSystem(TUnitSystem::DaN);
}

// A file (or folder) of this process in the temporary folder.
inline std::filesystem::path ScratchPath(const std::string &name)
{
    return std::filesystem::temp_directory_path()
        / ("vartesk-" + std::to_string(::getpid()) + "-" + name);
}

// The size of the file written, as the counter "bytes"; then the file goes.
inline void CountBytesAndRemove(benchmark::State &state, const std::filesystem::path &file)
{
    std::error_code ec;
    state.counters["bytes"] = double(std::filesystem::file_size(file, ec));
    std::filesystem::remove(file, ec);
}

} // namespace vartesk::bench
