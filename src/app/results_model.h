// The results panel of the main window: the calculation of a section, wire and cord, strain
// section by strain section, and the texts the panel shows it in.
#pragma once

#include "calc/conductor_runs.h"
#include "calc/temperature_grid.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vartesk {

class TProject;
class TWiresList;

using TGridTexts = std::array<std::string, kGridSize>;

// An attested span as shown: its sags at the nine temperatures.
struct TShownSpan
{
    int Span = 0; // index in the strain section's Result.Spans
    std::string Label; // "12-13"
    std::string Length; // m
    TGridTexts Sag; // m
};

// One strain section as the workbooks print its figures, in the unit system of the
// calculation; the texts of what the calculation did not reach are empty.
struct TShownStrainSection
{
    std::string Label; // "12-17"
    // Why the strain section has no figures: the calculation's own message.
    std::optional<std::string> Reason;
    std::string Length; // S1, m
    std::string RulingSpan; // m
    std::string State; // the governing state's name
    std::array<std::string, 3> Critical; // l1, l2, l3: m, or the word for an imaginary span
    std::array<std::string, 3> Loads; // gamma1, gamma6, gamma7
    TGridTexts Tension; // as the workbooks print tensions
    TGridTexts Stress; // empty with insulator strings: each span has its own
    std::vector<TShownSpan> Spans; // the attested ones
};

struct TShownConductor
{
    std::string Title; // "Wire (cable) АС120/19"
    // Set instead of strain sections: the section does not carry the conductor, or the
    // conductor has no strain section.
    std::optional<std::string> Reason;
    std::vector<TShownStrainSection> StrainSections;
};

// The results of one section.
struct TSectionResults
{
    int Index = 0; // 0-based
    std::string Name;
    // The calculation's figures, exactly those vartesk calc prints; unset for a conductor the
    // section does not carry.
    std::optional<TConductorRun> Wire, Cord;
    // What the panel shows of them.
    TShownConductor ShownWire, ShownCord;
};

// The panel's captions in the current language and unit system.
struct TResultsCaptions
{
    std::string Panel; // the panel's title and the command that shows or hides it
    std::string NoSection; // shown when the project has no section
    std::string Span, SpanLength; // the heads of the first two columns
    TGridTexts Temperatures; // the heads of the nine others: "−40 °C" .. "+40 °C"
    std::string StrainSection; // followed by its label
    std::string Length, RulingSpan, State, Critical, Loads; // a strain section's figures
    std::string Tension, Stress; // its rows
    std::string Sags; // the caption of the attested spans' rows
};

TResultsCaptions ResultsCaptions();

// The results of the sections shown, each kept until what it comes from changes: the
// section with its supports (that section only), or the climate, the coefficients, the
// catalog entries of its types, the language or the unit system. Nothing is calculated
// until a section is asked for.
class TResultsModel
{
public:
    TResultsModel();
    ~TResultsModel();
    TResultsModel(const TResultsModel &) = delete;
    TResultsModel &operator=(const TResultsModel &) = delete;

    // The results of section `index` (0-based, within the project's sections), calculated
    // again when they are out of date. The project itself is left untouched: the calculation
    // works on a copy of the section, whose work fields it may write.
    const TSectionResults &Section(const TProject &project, const TWiresList &catalog, int index);
    // How many times a section was calculated, for checking what a change recalculates.
    long Calculations() const { return Count; }
    // Forgets every section.
    void Clear();

private:
    struct TEntry;
    std::vector<std::unique_ptr<TEntry>> Entries; // by section index; null until asked for
    long Count = 0;
};

} // namespace vartesk
