// vartesk calc: the JSON document's shape, the text and CSV forms, messages and exit codes.
#include "cli_support.h"
#include "json_reader.h"
#include "test_support.h"

#include "base/rounding.h"
#include "model/project.h"
#include "model/projectfile/project_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <variant>

using namespace vartesk;
using namespace vartesk::test;

namespace {

const std::string kDemo = std::string(VARTESK_SOURCE_DIR) + "/examples/demo.vsk";
// A text export (Windows-1251) that holds the demo's wire but not its cord.
const std::string kCatalog = std::string(VARTESK_TEST_DATA) + "/data/calc/calc_catalog.txt";

// ---- The document's shape, node by node.

using TKeys = std::vector<std::string>;

void ExpectKeys(const TJson &v, const TKeys &keys, const std::string &where)
{
    ASSERT_EQ(v.Kind, TJson::Object) << where;
    EXPECT_EQ(v.Keys(), keys) << where;
}

void ExpectNumbers(const TJson &v, size_t count, const std::string &where)
{
    ASSERT_EQ(v.Kind, TJson::Array) << where;
    ASSERT_EQ(v.Items.size(), count) << where;
    for (const auto &item : v.Items)
        EXPECT_EQ(item.Kind, TJson::Number) << where;
}

bool IsInteger(const TJson &v)
{
    return v.Kind == TJson::Number && ExactlyEqual(std::floor(v.Value), v.Value);
}

void ExpectSpan(const TJson &span, const std::string &where)
{
    ExpectKeys(span, {"from", "to", "length", "attested", "stress", "sag", "tension"}, where);
    EXPECT_EQ(span["from"].Kind, TJson::String) << where;
    EXPECT_EQ(span["to"].Kind, TJson::String) << where;
    EXPECT_EQ(span["length"].Kind, TJson::Number) << where;
    EXPECT_EQ(span["attested"].Kind, TJson::Bool) << where;
    for (const char *grid : {"stress", "sag", "tension"})
        ExpectNumbers(span[grid], 9, where + "." + grid);
}

void ExpectStrainSection(const TJson &ss, const std::string &where)
{
    ExpectKeys(ss,
               {"first",
                "last",
                "label",
                "length",
                "ruling_span",
                "ice",
                "stress_max",
                "stress_avg",
                "loads",
                "critical_spans",
                "state",
                "spans",
                "tension",
                "anchor_loads",
                "error"},
               where);
    EXPECT_TRUE(IsInteger(ss["first"]) && IsInteger(ss["last"])) << where;
    EXPECT_LT(ss["first"].Value, ss["last"].Value) << where;
    EXPECT_EQ(ss["label"].Kind, TJson::String) << where;
    for (const char *key : {"length", "ruling_span", "ice", "stress_max", "stress_avg"})
        EXPECT_EQ(ss[key].Kind, TJson::Number) << where << "." << key;
    ExpectKeys(ss["loads"], {"gamma1", "gamma6", "gamma7", "gamma_max"}, where + ".loads");
    for (const auto &[key, load] : ss["loads"].Members)
        EXPECT_EQ(load.Kind, TJson::Number) << where << ".loads." << key;
    const TJson &critical = ss["critical_spans"];
    if (critical.Kind != TJson::Null) {
        ASSERT_EQ(critical.Kind, TJson::Array) << where;
        ASSERT_EQ(critical.Items.size(), 3u) << where;
        for (const auto &l : critical.Items)
            EXPECT_TRUE(l.Kind == TJson::Number || l.Kind == TJson::Null) << where;
    }
    const TJson &state = ss["state"];
    if (state.Kind != TJson::Null) {
        EXPECT_TRUE(IsInteger(state) && state.Value >= 1 && state.Value <= 3) << where;
        EXPECT_NE(critical.Kind, TJson::Null) << where << ": a state needs the critical spans";
    }
    ASSERT_EQ(ss["spans"].Kind, TJson::Array) << where;
    for (size_t i = 0; i < ss["spans"].Items.size(); ++i)
        ExpectSpan(ss["spans"][i], where + ".spans[" + std::to_string(i) + "]");
    ExpectNumbers(ss["tension"], 9, where + ".tension");
    ExpectNumbers(ss["anchor_loads"], 3, where + ".anchor_loads");
    EXPECT_TRUE(ss["error"].Kind == TJson::Null || ss["error"].Kind == TJson::String) << where;
}

void ExpectConductor(const TJson &c, const std::string &where)
{
    if (c.Kind == TJson::Null)
        return;
    ExpectKeys(c, {"type", "strain_sections"}, where);
    EXPECT_EQ(c["type"].Kind, TJson::String) << where;
    ASSERT_EQ(c["strain_sections"].Kind, TJson::Array) << where;
    for (size_t i = 0; i < c["strain_sections"].Items.size(); ++i)
        ExpectStrainSection(c["strain_sections"][i],
                            where + ".strain_sections[" + std::to_string(i) + "]");
}

void ExpectDamper(const TJson &d, const std::string &where)
{
    if (d.Kind == TJson::Null)
        return;
    ExpectKeys(
        d, {"calculated", "tension_avg", "dielectric", "distances", "types", "spans"}, where);
    EXPECT_EQ(d["calculated"].Kind, TJson::Bool) << where;
    EXPECT_EQ(d["tension_avg"].Kind, TJson::Number) << where;
    EXPECT_EQ(d["dielectric"].Kind, TJson::Bool) << where;
    ExpectNumbers(d["distances"], 4, where + ".distances");
    ASSERT_EQ(d["types"].Kind, TJson::Array) << where;
    ASSERT_EQ(d["types"].Items.size(), 4u) << where;
    for (const auto &t : d["types"].Items)
        EXPECT_EQ(t.Kind, TJson::String) << where;
    ASSERT_EQ(d["spans"].Kind, TJson::Array) << where;
    for (const auto &span : d["spans"].Items) {
        ExpectKeys(span, {"name", "length", "counts", "has_dampers"}, where + ".spans");
        ExpectNumbers(span["counts"], 4, where + ".spans.counts");
    }
}

void ExpectDocumentShape(const TJson &doc)
{
    ExpectKeys(doc, {"warnings", "sections"}, "document");
    ASSERT_EQ(doc["warnings"].Kind, TJson::Array);
    for (const auto &warning : doc["warnings"].Items)
        EXPECT_EQ(warning.Kind, TJson::String);
    ASSERT_EQ(doc["sections"].Kind, TJson::Array);
    for (size_t i = 0; i < doc["sections"].Items.size(); ++i) {
        const TJson &s = doc["sections"][i];
        const std::string where = "sections[" + std::to_string(i) + "]";
        ExpectKeys(s, {"index", "name", "wire", "cord", "dampers"}, where);
        EXPECT_EQ(s["index"].Value, double(i)) << where;
        EXPECT_EQ(s["name"].Kind, TJson::String) << where;
        ExpectConductor(s["wire"], where + ".wire");
        ExpectConductor(s["cord"], where + ".cord");
        ASSERT_EQ(s["dampers"].Kind, TJson::Array) << where;
        for (const auto &d : s["dampers"].Items) {
            ExpectKeys(d, {"first", "last", "wire", "cord"}, where + ".dampers");
            ExpectDamper(d["wire"], where + ".dampers.wire");
            ExpectDamper(d["cord"], where + ".dampers.cord");
        }
    }
}

// ---- Generated projects: the demo's climate with sections built for each case.

struct TSupport
{
    double Span;
    int Type; // 0 anchor, 1 intermediate, 2 dead-end
    bool Attested = false;
};

TParcel &
AddSection(TProject &project, const std::string &name, const std::vector<TSupport> &supports)
{
    auto parcel = std::make_unique<TParcel>();
    parcel->Name = name;
    int number = 1;
    for (const auto &s : supports) {
        auto pillar = std::make_unique<TPillar>();
        pillar->Nomer = std::to_string(number++);
        pillar->Prolet = s.Span;
        pillar->Tip_Opor = TSupportType(s.Type);
        pillar->Visir = s.Attested;
        parcel->Pillars.Add(std::move(pillar));
    }
    return project.Parcels.Get(project.Parcels.Add(std::move(parcel)));
}

void SetWire(TParcel &p, const std::string &type, double sMax, double sAvg)
{
    p.IsProvod = true;
    p.Provod = type;
    p.TagMode = 0;
    p.Napr_max = sMax;
    p.Napr_srg = sAvg;
}

void SetCord(TParcel &p, const std::string &type, double sMax, double sAvg)
{
    p.IsTros = true;
    p.Tros = type;
    p.TagModet = 0;
    p.Naprt_max = sMax;
    p.Naprt_srg = sAvg;
}

// Section indices of the generated project.
enum {
    kWireOnly, // wire, no cord; damper calculation for the wire
    kCordOnly, // no wire; a steel cord whose first critical span is imaginary
    kEqualStresses, // sigma max = sigma avg: the precondition warning
    kZeroSpan, // a strain section of one zero-length span, then a sound one
    kStrings, // wire with insulator strings
};

void WriteGeneratedProject(const std::filesystem::path &path)
{
    TProject project;
    LoadProjectFile(kDemo, project);
    project.Parcels.Clear();

    TParcel &wire
        = AddSection(project, "Wire \"only\"\\", {{200, 0}, {250, 1, true}, {220, 0}, {230, 0}});
    SetWire(wire, "АС120/19", 13, 9);
    wire.IsVMCalcProvod = true;

    TParcel &cord = AddSection(project, "Cord only", {{180, 0}, {210, 1}, {190, 1}, {0, 0}});
    cord.IsProvod = false;
    cord.Provod.clear();
    // (sMax - sAvg) / E above alpha (tavg - tmin): no real first critical span.
    SetCord(cord, "ТК-9,1", 60, 40);

    TParcel &equal = AddSection(project, "Equal", {{200, 0}, {210, 0}, {0, 0}});
    SetWire(equal, "АС120/19", 10, 10);

    TParcel &zero = AddSection(project, "Zero", {{0, 0}, {200, 0}, {0, 0}});
    SetWire(zero, "АС120/19", 13, 9);

    TParcel &strings = AddSection(project, "Strings", {{150, 0}, {170, 1}, {160, 0}});
    SetWire(strings, "АС120/19", 13, 9);
    strings.IsGis = true;
    strings.Ves_Gis = 60;
    strings.Dlina_Gis = 1.6;

    SaveProjectFile(path, project);
}

TJson CalcJson(const std::string &project, TRunResult *run = nullptr)
{
    const TRunResult r
        = RunCli({"calc", project, "--catalog", kCatalog, "--lang", "en", "--format", "json"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    if (run)
        *run = r;
    return ParseJson(r.Out);
}

std::vector<std::string> CsvFields(const std::string &line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class CalcCli : public ::testing::Test
{
protected:
    void SetUp() override { WriteGeneratedProject(Generated); }

    TScratchDir Dir;
    const std::string Generated = (Dir / "generated.vsk").string();
};

} // namespace

TEST_F(CalcCli, JsonHasExactlyTheDocumentedShape)
{
    for (const std::string &project : {kDemo, Generated}) {
        SCOPED_TRACE(project);
        const TJson doc = CalcJson(project);
        ExpectDocumentShape(doc);
    }
}

TEST_F(CalcCli, JsonNullsStandForWhatWasNotCalculated)
{
    const TJson doc = CalcJson(Generated);
    const TJson &sections = doc["sections"];
    ASSERT_EQ(sections.Items.size(), 5u);

    const TJson &wireOnly = sections[kWireOnly];
    EXPECT_EQ(wireOnly["name"].Text, "Wire \"only\"\\") << "escaping of quotes and backslashes";
    EXPECT_EQ(wireOnly["cord"].Kind, TJson::Null);
    ASSERT_EQ(wireOnly["wire"]["strain_sections"].Items.size(), 2u);
    const TJson &first = wireOnly["wire"]["strain_sections"][0];
    EXPECT_EQ(first["label"].Text, "1-3");
    EXPECT_EQ(first["length"].Value, 450);
    EXPECT_NEAR(
        first["ruling_span"].Value, std::sqrt((200. * 200 * 200 + 250. * 250 * 250) / 450), 1e-9);
    EXPECT_EQ(first["error"].Kind, TJson::Null);
    ASSERT_EQ(first["spans"].Items.size(), 2u);
    EXPECT_TRUE(first["spans"][1]["attested"].Flag);
    // The damper report's strain sections follow the wire rule; the record is the damper
    // calculation's, at the design temperature taken from the same tension grid.
    ASSERT_EQ(wireOnly["dampers"].Items.size(), 2u);
    const TJson &damper = wireOnly["dampers"][0];
    EXPECT_EQ(damper["first"].Value, 1);
    EXPECT_EQ(damper["last"].Value, 3);
    EXPECT_EQ(damper["cord"].Kind, TJson::Null);
    ASSERT_EQ(damper["wire"].Kind, TJson::Object);
    const TJson &dw = damper["wire"];
    EXPECT_TRUE(dw["calculated"].Flag);
    EXPECT_FALSE(dw["dielectric"].Flag);
    ASSERT_EQ(dw["spans"].Items.size(), 2u);
    EXPECT_EQ(dw["spans"][1]["name"].Text,
              first["spans"][1]["from"].Text + "-" + first["spans"][1]["to"].Text);
    EXPECT_EQ(dw["spans"][1]["length"].Value, 250);
    EXPECT_TRUE(dw["spans"][1]["has_dampers"].Flag);
    EXPECT_GT(dw["tension_avg"].Value, first["tension"][8].Value);
    EXPECT_LT(dw["tension_avg"].Value, first["tension"][0].Value);
    EXPECT_GT(dw["distances"][0].Value, 0);
    EXPECT_EQ(dw["types"][0].Text.substr(0, 6), "ГВП") << "the default model";

    const TJson &cordOnly = sections[kCordOnly];
    EXPECT_EQ(cordOnly["wire"].Kind, TJson::Null);
    EXPECT_TRUE(cordOnly["dampers"].Items.empty());
    ASSERT_EQ(cordOnly["cord"].Kind, TJson::Object);
    EXPECT_EQ(cordOnly["cord"]["type"].Text, "ТК-9,1");
    ASSERT_EQ(cordOnly["cord"]["strain_sections"].Items.size(), 1u);
    const TJson &cordSs = cordOnly["cord"]["strain_sections"][0];
    EXPECT_EQ(cordSs["critical_spans"].Kind, TJson::Array);
    EXPECT_EQ(cordSs["critical_spans"][0].Kind, TJson::Null) << "imaginary l1";
    EXPECT_EQ(cordSs["critical_spans"][1].Kind, TJson::Number);
    EXPECT_EQ(cordSs["error"].Kind, TJson::Null);

    // The warning ends the call before the critical spans: no state, no spans, zero grids.
    const TJson &equal = sections[kEqualStresses]["wire"]["strain_sections"];
    ASSERT_EQ(equal.Items.size(), 2u);
    for (const auto &ss : equal.Items) {
        ASSERT_EQ(ss["error"].Kind, TJson::String);
        EXPECT_NE(ss["error"].Text.find("calculation is impossible"), std::string::npos);
        EXPECT_EQ(ss["critical_spans"].Kind, TJson::Null);
        EXPECT_EQ(ss["state"].Kind, TJson::Null);
        EXPECT_TRUE(ss["spans"].Items.empty());
        EXPECT_EQ(ss["stress_max"].Value, 10) << "computed before the failure, so kept";
        for (const auto &t : ss["tension"].Items)
            EXPECT_EQ(t.Value, 0);
    }

    const TJson &zero = sections[kZeroSpan]["wire"]["strain_sections"];
    ASSERT_EQ(zero.Items.size(), 2u);
    EXPECT_EQ(zero[0]["error"].Text, "Error data entry");
    EXPECT_EQ(zero[0]["critical_spans"].Kind, TJson::Null);
    EXPECT_EQ(zero[0]["ruling_span"].Value, 0);
    EXPECT_EQ(zero[1]["error"].Kind, TJson::Null) << "one failed call spoils no other";
    EXPECT_NE(zero[1]["state"].Kind, TJson::Null);

    for (const auto &ss : sections[kStrings]["wire"]["strain_sections"].Items) {
        EXPECT_EQ(ss["error"].Kind, TJson::Null);
        EXPECT_NE(ss["state"].Kind, TJson::Null) << "the state is reported even with strings";
        for (const auto &span : ss["spans"].Items) {
            for (const auto &s : span["stress"].Items)
                EXPECT_EQ(s.Value, 0);
            EXPECT_GT(span["sag"][0].Value, 0);
        }
    }
}

TEST_F(CalcCli, JsonIsInInternalUnitsWhateverTheUnitSystem)
{
    const auto daN
        = RunCli({"calc", Generated, "--catalog", kCatalog, "--format", "json", "--units", "daN"});
    const auto kN
        = RunCli({"--units", "kN", "calc", Generated, "--catalog", kCatalog, "--format", "json"});
    ASSERT_EQ(daN.ExitCode, 0) << daN.Err;
    EXPECT_EQ(kN.Out, daN.Out);
}

TEST_F(CalcCli, TextShowsTensionsInTheChosenUnits)
{
    const TJson doc = CalcJson(Generated);
    const TJson &ss = doc["sections"][kWireOnly]["wire"]["strain_sections"][0];
    const double tension = ss["tension"][0].Value;
    char daNText[32], kNText[32];
    std::snprintf(daNText, sizeof daNText, "%.1f", tension);
    std::snprintf(kNText, sizeof kNText, "%.3f", tension / 100);

    const auto daN = RunCli({"calc", Generated, "--catalog", kCatalog, "--lang", "en"});
    ASSERT_EQ(daN.ExitCode, 0) << daN.Err;
    EXPECT_NE(daN.Out.find("Tension, daN"), std::string::npos);
    EXPECT_NE(daN.Out.find(daNText), std::string::npos) << daNText << "\n" << daN.Out;
    EXPECT_NE(daN.Out.find("σmax 13, σavg 9 daN/mm2"), std::string::npos);

    const auto kN
        = RunCli({"calc", Generated, "--catalog", kCatalog, "--lang", "en", "--units", "kN"});
    ASSERT_EQ(kN.ExitCode, 0) << kN.Err;
    EXPECT_NE(kN.Out.find("Tension, kN"), std::string::npos);
    EXPECT_NE(kN.Out.find(kNText), std::string::npos) << kNText << "\n" << kN.Out;
    EXPECT_NE(kN.Out.find("σmax 130, σavg 90 N/mm2"), std::string::npos);
    EXPECT_EQ(kN.Out.find(daNText), std::string::npos) << "the daN figure must not remain";
}

TEST_F(CalcCli, TextShowsMessagesWhereTheyHappened)
{
    const auto r = RunCli({"calc", Generated, "--catalog", kCatalog, "--lang", "en"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const size_t zero = r.Out.find("Section 4. Zero");
    const size_t strings = r.Out.find("Section 5. Strings");
    const size_t message = r.Out.find("! Error data entry");
    ASSERT_NE(message, std::string::npos) << r.Out;
    EXPECT_LT(zero, message);
    EXPECT_LT(message, strings);
    EXPECT_NE(r.Out.find("l1 imaginary"), std::string::npos);
}

TEST_F(CalcCli, CsvHasOneRowOfTwentyFourColumnsPerSpan)
{
    for (const std::string &project : {kDemo, Generated}) {
        SCOPED_TRACE(project);
        const TJson doc = CalcJson(project);
        size_t spans = 0;
        for (const auto &s : doc["sections"].Items)
            for (const char *conductor : {"wire", "cord"})
                if (s[conductor].Kind == TJson::Object)
                    for (const auto &ss : s[conductor]["strain_sections"].Items)
                        spans += ss["spans"].Items.size();

        const auto r = RunCli({"calc", project, "--catalog", kCatalog, "--format", "csv"});
        ASSERT_EQ(r.ExitCode, 0) << r.Err;
        const auto lines = Lines(r.Out);
        ASSERT_EQ(lines.size(), spans + 1) << r.Out;
        EXPECT_EQ(lines[0].rfind("section,conductor,strain_section,span,length (m),attested,", 0),
                  0u);
        for (const auto &line : lines)
            EXPECT_EQ(CsvFields(line).size(), 24u) << line;
    }
    const auto r = RunCli({"calc", Generated, "--catalog", kCatalog, "--format", "csv"});
    const auto fields = CsvFields(Lines(r.Out).at(1));
    EXPECT_EQ(fields[0], "Wire \"only\"\\") << "a quote in a name is quoted and doubled";
    EXPECT_EQ(fields[1], "wire");
    EXPECT_EQ(fields[2], "1-3");
    EXPECT_EQ(fields[3], "1-2");
    EXPECT_EQ(fields[4], "200");
    EXPECT_EQ(fields[5], "0");
}

TEST_F(CalcCli, DemoMessagesGoToStderrAndTheExitCodeIsZero)
{
    // The demo's cord is a steel-aluminium type that the test catalog lacks, whichever it is.
    TRunResult run;
    const TJson doc = CalcJson(kDemo, &run);
    ASSERT_EQ(doc["sections"][0]["cord"].Kind, TJson::Object);
    const std::string cord = doc["sections"][0]["cord"]["type"].Text;
    ASSERT_NE(cord, "ТК-9,1");
    const std::string notFound = "The cord " + cord + " is not found.";
    size_t failed = 0;
    for (const auto &s : doc["sections"].Items)
        for (const auto &ss : s["cord"]["strain_sections"].Items) {
            EXPECT_EQ(ss["error"].Text, notFound);
            ++failed;
        }
    EXPECT_GT(failed, 0u);
    // One stderr line per box, each naming its call.
    size_t lines = 0;
    const auto &warnings = doc["warnings"].Items;
    for (const auto &line : Lines(run.Err)) {
        if (std::any_of(warnings.begin(), warnings.end(), [&](const TJson &w) {
                return line == "vartesk: warning: " + w.Text;
            }))
            continue; // said before the calculation, in the document too
        EXPECT_EQ(line.rfind("vartesk: warning: section ", 0), 0u) << line;
        EXPECT_NE(line.find(notFound), std::string::npos) << line;
        ++lines;
    }
    EXPECT_EQ(lines, failed);

    for (const char *format : {"text", "csv"}) {
        SCOPED_TRACE(format);
        const auto r
            = RunCli({"calc", kDemo, "--catalog", kCatalog, "--lang", "en", "--format", format});
        EXPECT_EQ(r.ExitCode, 0);
        EXPECT_EQ(r.Err, run.Err);
        EXPECT_EQ(r.Out.find("vartesk:"), std::string::npos);
    }
}

TEST_F(CalcCli, DoubtfulValuesAreWarnedAboutBeforeEveryFormat)
{
    // The generated project's "Zero" section opens with a span of 0 m.
    const std::string warning = "vartesk: warning: section 4 \"Zero\", support 1: span of 0 m "
                                "before the last support of the section";
    for (const char *format : {"text", "csv", "json"}) {
        SCOPED_TRACE(format);
        const auto r = RunCli(
            {"calc", Generated, "--catalog", kCatalog, "--lang", "en", "--format", format});
        ASSERT_EQ(r.ExitCode, 0) << r.Err;
        EXPECT_EQ(Lines(r.Err).at(0), warning) << "before the calculation's own messages";
        if (std::string(format) != "json") {
            EXPECT_EQ(r.Out.find("support 1: span of 0 m"), std::string::npos)
                << "stdout stays the document";
        }
    }
    const TJson doc = CalcJson(Generated);
    ASSERT_EQ(doc["warnings"].Items.size(), 1u);
    EXPECT_EQ("vartesk: warning: " + doc["warnings"][0].Text, warning);
    // The demo warns only about the sag of its river crossing (its cord is not in this
    // catalog); the sags are known once the catalog is.
    const TJson demo = CalcJson(kDemo);
    ASSERT_EQ(demo["warnings"].Items.size(), 1u);
    EXPECT_EQ(demo["warnings"][0].Text,
              "section 2 \"Переход через р. Ока\", wire, span 15-16: the sag at +40 °C, 42.62 m, "
              "is more than 5% of the span of 640 m: the parabolic approximation of the "
              "calculation loses accuracy there, check the span by the catenary");

    // Numbers no one meant are calculated all the same, under their warnings.
    TProject project;
    LoadProjectFile(Generated, project);
    project.Klimat.Tols = 1000;
    project.KlimatKoef.TypeTer = 99;
    project.Parcels.Get(kWireOnly).Pillars.Get(0).Prolet = -250;
    SaveProjectFile(Dir / "doubtful.vsk", project);
    const TJson doubtful = CalcJson((Dir / "doubtful.vsk").string());
    const auto &warnings = doubtful["warnings"].Items;
    // The plausibility of the values first, then the sags that 1000 mm of ice make.
    ASSERT_GT(warnings.size(), 4u);
    for (size_t i = 4; i < warnings.size(); ++i)
        EXPECT_NE(warnings[i].Text.find("the sag at +40 °C"), std::string::npos) << i;
    EXPECT_EQ(warnings[0].Text,
              "climatic conditions: ice wall thickness 1000 mm is outside 0..100 mm");
    EXPECT_EQ(warnings[1].Text,
              "climatic parameters and coefficients: terrain type 99 is none of 1, 2, 3 (A, B, C)");
    EXPECT_EQ(warnings[2].Text,
              "section 1 \"Wire \"only\"\\\", support 1: span -250 m is negative");
    EXPECT_EQ(doubtful["sections"].Items.size(), 5u);
}

TEST_F(CalcCli, TextColumnsStayApartWhateverTheWidth)
{
    TProject project;
    LoadProjectFile(Generated, project);
    TParcel &huge = project.Parcels.Get(kWireOnly);
    huge.Pillars.Get(0).Prolet = 1e9;
    huge.Pillars.Get(0).Nomer = "1234567A";
    huge.Pillars.Get(1).Nomer = "7654321B";
    SaveProjectFile(Dir / "huge.vsk", project);
    for (const char *units : {"daN", "kN"}) {
        SCOPED_TRACE(units);
        const auto r = RunCli({"calc",
                               (Dir / "huge.vsk").string(),
                               "--catalog",
                               kCatalog,
                               "--lang",
                               "en",
                               "--units",
                               units});
        ASSERT_EQ(r.ExitCode, 0) << r.Err;
        ASSERT_NE(r.Out.find("1234567A-7654321B"), std::string::npos) << r.Out;
        // Every line of a grid holds its label, the length and attestation, and nine numbers;
        // two cells run together would make one word of them.
        size_t grids = 0, rows = 0;
        bool inGrid = false;
        for (const auto &line : Lines(r.Out)) {
            std::istringstream in(line);
            std::vector<std::string> words;
            for (std::string word; in >> word;)
                words.push_back(word);
            if (!words.empty() && words[0] == "Span") {
                EXPECT_EQ(words.size(), 12u) << line;
                inGrid = true;
                ++grids;
            } else if (inGrid && !words.empty() && words[0] == "Tension,") {
                EXPECT_EQ(words.size(), 11u) << line;
                inGrid = false;
            } else if (inGrid) {
                const bool attested = words.size() > 2 && words[2] == "V";
                EXPECT_EQ(words.size(), attested ? 12u : 11u) << line;
                ++rows;
            }
        }
        EXPECT_EQ(grids, 5u);
        EXPECT_GT(rows, 5u);
        EXPECT_NE(r.Out.find(" 1000000000 "), std::string::npos) << r.Out;
    }
}

TEST_F(CalcCli, AProjectThatDoesNotLoadExitsOne)
{
    WriteAll(Dir / "bad.vsk", "version 3.4\r\nmany\r\n");
    auto r = RunCli({"calc", (Dir / "bad.vsk").string(), "--catalog", kCatalog});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Out, "");
    EXPECT_NE(r.Err.find("bad.vsk:2:"), std::string::npos) << r.Err;
    r = RunCli({"calc", (Dir / "none.vsk").string(), "--catalog", kCatalog});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(RunCli({"calc", kDemo, "--format", "xml"}).ExitCode, 2);
    EXPECT_EQ(RunCli({"calc"}).ExitCode, 2);
}

// Physical sanity of what linemen will sag by: checks that hold whatever the climate.
TEST_F(CalcCli, SagsGrowWithTemperatureAndStrainSectionsShareOneTension)
{
    for (const std::string &project : {kDemo, Generated}) {
        SCOPED_TRACE(project);
        const TJson doc = CalcJson(project);
        size_t checked = 0;
        for (const auto &s : doc["sections"].Items)
            for (const char *conductor : {"wire", "cord"}) {
                if (s[conductor].Kind != TJson::Object)
                    continue;
                for (const auto &ss : s[conductor]["strain_sections"].Items) {
                    if (ss["state"].Kind == TJson::Null)
                        continue;
                    const auto &spans = ss["spans"].Items;
                    const bool strings
                        = std::string(conductor) == "wire" && s["name"].Text == "Strings";
                    for (const auto &span : spans) {
                        const std::string where = ss["label"].Text + " " + span["from"].Text;
                        for (size_t k = 1; k < 9; ++k) {
                            EXPECT_GT(span["sag"][k].Value, span["sag"][k - 1].Value) << where;
                            EXPECT_LT(span["tension"][k].Value, span["tension"][k - 1].Value)
                                << where;
                        }
                        if (!strings) {
                            for (size_t k = 0; k < 9; ++k)
                                EXPECT_DOUBLE_EQ(span["tension"][k].Value,
                                                 spans[0]["tension"][k].Value)
                                    << where;
                        }
                        ++checked;
                    }
                    // The strain section reports the tensions of its last span.
                    for (size_t k = 0; k < 9; ++k)
                        EXPECT_EQ(ss["tension"][k].Value, spans.back()["tension"][k].Value);
                }
            }
        EXPECT_GT(checked, 5u);
    }
}
