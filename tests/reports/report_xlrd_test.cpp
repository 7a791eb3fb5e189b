// Every stringing-table and loads workbook, read back by python3-xlrd and checked cell by cell
// against `vartesk calc --format json` of the same project: demo and generated line shapes,
// both languages, both unit systems.
#include "base/json_writer.h"
#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"
#include "model/projectfile/project_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace vartesk;
using vartesk::test::TScratchDir;

namespace {

const std::filesystem::path kBin = std::filesystem::path(VARTESK_CLI).parent_path();
const std::filesystem::path kShippedCatalog = kBin / "base_provod.dat";

void AddSection(TProject &project,
                const std::string &name,
                const std::vector<std::tuple<int, double, bool>> &supports,
                bool wire,
                bool cord)
{
    auto p = std::make_unique<TParcel>();
    p->Name = name;
    p->IsProvod = wire;
    p->Provod = "АС120/19";
    p->Napr_max = 13;
    p->Napr_srg = 9;
    p->IsTros = cord;
    p->Tros = "АС70/11";
    p->TagModet = 1; // the cord's limits as tensions
    p->Tagt_max = 1030;
    p->Tagt_srg = 710;
    int n = 1;
    for (const auto &[type, span, attested] : supports) {
        auto s = std::make_unique<TPillar>();
        s->Nomer = std::to_string(n++);
        s->Shifr = type == 0 ? "У110-2" : "П110-3";
        s->Tip_Opor = TSupportType(type);
        s->Prolet = span;
        s->Visir = attested;
        p->Pillars.Add(std::move(s));
    }
    project.Parcels.Add(std::move(p));
}

// Every strain-section shape the reports walk: one span, many spans, attested and not,
// dead-end supports, sections without cord or without wire, a last support that is not an
// anchor, insulator strings and over-tensioning.
void BuildShapes(TProject &project)
{
    project.Klimat.Tols = 15;
    project.Klimat.VMax = 32;
    project.Klimat.Vwetsg = 16;
    project.Klimat.TMin = -45;
    project.Klimat.Tgbw = -7;
    project.Klimat.TGsw = -3;
    project.KlimatKoef.TypeTer = 3;
    project.KlimatKoef.V_Nad = 1.1;
    AddSection(project,
               "Many",
               {{0, 180, true},
                {1, 230, false},
                {1, 245, true},
                {0, 210, true},
                {2, 250, true},
                {1, 260, false},
                {1, 240, true},
                {0, 0, false}},
               true,
               true);
    AddSection(project, "One span", {{0, 320, true}, {0, 0, false}}, true, false);
    project.Parcels.Get(1).IsGis = true;
    project.Parcels.Get(1).Ves_Gis = 52;
    project.Parcels.Get(1).Dlina_Gis = 1.6;
    AddSection(project,
               "Cord only",
               {{0, 200, false}, {2, 210, true}, {1, 220, true}, {1, 230, false}, {1, 0, false}},
               false,
               true);
    // A strain section without an attested span before one with: the compact table must
    // still put the next span line in the fourth row of its block.
    AddSection(project,
               "Unattested first",
               {{0, 150, false}, {1, 160, false}, {0, 170, true}, {1, 180, true}, {0, 0, false}},
               true,
               true);
    TParcel &creep = project.Parcels.Get(0);
    creep.IsVitygka = true;
    creep.Mp = 1;
    creep.Pp = 5;
    creep.Mt = 1;
    creep.Pt = 3;
}

// What the check needs and the calculation document does not hold.
std::string Facts(const TProject &project, const TWiresList &catalog)
{
    std::ostringstream out;
    TJsonWriter w(out);
    w.BeginObject();
    w.Key("force_factor");
    w.Number(ForceFactor());
    w.Key("stress_factor");
    w.Number(StressFactor());
    const TKlimat &k = project.Klimat;
    const TKlimatKoef &f = project.KlimatKoef;
    w.Key("header");
    w.BeginArray(true);
    for (double v : {k.Tols,
                     k.VMax,
                     k.Vwetsg,
                     k.TMin,
                     k.TMax,
                     k.TGsw,
                     k.Tgbw,
                     k.Tsrec,
                     f.V_Otv,
                     f.V_Reg,
                     f.V_Nad,
                     f.G_Otv,
                     f.G_Reg,
                     f.G_Nad,
                     f.G_Usl,
                     double(f.visotaPC),
                     double(f.visotaPC_tros)})
        w.Number(v);
    w.EndArray();
    w.Key("terrain");
    w.String(f.TypeTerText());
    w.Key("texts");
    w.BeginObject();
    for (const char *key :
         {"m_1_1", "m_1_2", "m_1_3", "m_2_1", "m_2_2", "m_2_3", "m_3_1", "m_3_2", "m_3_3"}) {
        w.Key(key);
        w.String(LocalString(key));
    }
    w.EndObject();
    w.Key("sections");
    w.BeginArray();
    for (const auto &p : project.Parcels) {
        w.BeginObject();
        w.Key("name");
        w.String(p->Name);
        w.Key("wire");
        w.Bool(p->IsProvod);
        w.Key("cord");
        w.Bool(p->IsTros);
        w.Key("wire_type");
        w.String(p->Provod);
        w.Key("cord_type");
        w.String(p->Tros);
        w.Key("creep");
        w.Bool(p->IsVitygka);
        const TWireRecord wire = catalog.FindByName(p->Provod);
        const TWireRecord cord = catalog.FindByName(p->Tros);
        for (const auto &[key, r] : {std::pair {"wire_figures", wire}, {"cord_figures", cord}}) {
            w.Key(key);
            w.Numbers(
                std::array<double, 5> {r.Diameter, r.Section, r.Weight, r.Modulus, r.ThermalCoef});
        }
        w.Key("wire_tension_limits");
        w.Numbers(std::array<double, 2> {p->MaxTensionProvod(wire.Section),
                                         p->AvgTensionProvod(wire.Section)});
        w.Key("cord_tension_limits");
        w.Numbers(std::array<double, 2> {p->MaxTensionTros(cord.Section),
                                         p->AvgTensionTros(cord.Section)});
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    w.Finish();
    return out.str();
}

// Writes every report of the project in one language and unit system from the templates of
// `forms` and has the checker read each; gives how many were checked (0: xlrd is missing).
int CheckReports(const std::filesystem::path &projectPath,
                 const std::filesystem::path &forms,
                 const char *lang,
                 const char *units,
                 const TScratchDir &dir)
{
    TWiresList catalog;
    EXPECT_TRUE(catalog.LoadFromFile(kShippedCatalog).empty());
    TProject project;
    LoadProjectFile(projectPath, project);
    UseLanguage(std::string(lang) == "en" ? TLanguage::English : TLanguage::Russian);
    UseUnitSystem(std::string(units) == "daN" ? TUnitSystem::DaN : TUnitSystem::KN);
    const std::string global = std::string(" --lang ") + lang + " --units " + units + " --catalog "
        + test::ShellQuoted(kShippedCatalog) + " ";
    const auto calc = dir / "calc.json";
    std::string output;
    // A subshell, so that the runner's own 2>&1 cannot send messages into the document.
    EXPECT_EQ(test::RunCommand("(" + std::string(VARTESK_CLI) + global + "calc "
                                   + test::ShellQuoted(projectPath) + " --format json > "
                                   + test::ShellQuoted(calc) + " 2>/dev/null)",
                               output),
              0)
        << output;
    test::WriteAll(dir / "facts.json", Facts(project, catalog));
    int checked = 0;
    for (const char *kind : {"mount1", "mount2", "mount3", "loads"}) {
        SCOPED_TRACE(projectPath.filename().string() + " " + kind + " " + lang + " " + units);
        const auto report = dir / (std::string(kind) + ".xls");
        output.clear();
        EXPECT_EQ(test::RunCommand(std::string(VARTESK_CLI) + global + "report " + kind + " "
                                       + test::ShellQuoted(projectPath) + " -o "
                                       + test::ShellQuoted(report) + " --forms "
                                       + test::ShellQuoted(forms) + " --yes",
                                   output),
                  0)
            << output;
        output.clear();
        const int rc = test::RunCommand("/usr/bin/python3 " VARTESK_TEST_DATA "/report_check.py "
                                            + std::string(kind) + " " + test::ShellQuoted(report)
                                            + " " + test::ShellQuoted(calc) + " "
                                            + test::ShellQuoted(dir / "facts.json"),
                                        output);
        if (rc == 77)
            return 0;
        EXPECT_EQ(rc, 0) << output;
        ++checked;
    }
    return checked;
}

// The field sagging workbook against `vartesk sagging --format json`, and that against
// `vartesk calc --format json`; gives 1 when checked, 0 when xlrd is missing.
int CheckSagging(const std::filesystem::path &projectPath,
                 const char *lang,
                 const char *units,
                 const TScratchDir &dir)
{
    SCOPED_TRACE(projectPath.filename().string() + " sagging " + lang + " " + units);
    TProject project;
    LoadProjectFile(projectPath, project);
    UseLanguage(std::string(lang) == "en" ? TLanguage::English : TLanguage::Russian);
    UseUnitSystem(std::string(units) == "daN" ? TUnitSystem::DaN : TUnitSystem::KN);
    const std::string run = std::string(VARTESK_CLI) + " --lang " + lang + " --units " + units
        + " --catalog " + test::ShellQuoted(kShippedCatalog) + " ";
    const std::string quoted = test::ShellQuoted(projectPath);
    std::string output;
    for (const char *command : {"calc", "sagging"})
        EXPECT_EQ(test::RunCommand("(" + run + command + " " + quoted + " --format json > "
                                       + test::ShellQuoted(dir / (std::string(command) + ".json"))
                                       + " 2>/dev/null)",
                                   output),
                  0)
            << output;
    EXPECT_EQ(test::RunCommand(run + "report sagging " + quoted + " -o "
                                   + test::ShellQuoted(dir / "sagging.xls") + " --yes",
                               output),
              0)
        << output;
    std::ostringstream facts;
    TJsonWriter w(facts);
    w.BeginObject();
    w.Key("lang");
    w.String(lang);
    w.Key("force_factor");
    w.Number(ForceFactor());
    w.Key("tension_format");
    w.String(UnitSystem() == TUnitSystem::DaN ? "0" : "0.00");
    w.Key("names");
    w.BeginArray();
    for (const auto &p : project.Parcels)
        w.String(p->Name);
    w.EndArray();
    w.Key("figures");
    TWiresList catalog;
    EXPECT_TRUE(catalog.LoadFromFile(kShippedCatalog).empty());
    w.BeginArray();
    for (const auto &p : project.Parcels) {
        w.BeginObject();
        for (const auto &[key, type] : {std::pair {"wire", p->Provod}, {"cord", p->Tros}}) {
            const TWireRecord r = catalog.FindByName(type);
            w.Key(key);
            w.Numbers(std::array<double, 2> {r.Modulus, r.ThermalCoef});
        }
        w.EndObject();
    }
    w.EndArray();
    w.Key("states");
    w.BeginObject();
    for (const char *state : {"1", "2", "3", "strings"}) {
        w.Key(state);
        w.String(LocalString(std::string("Sag_state_") + state));
    }
    w.EndObject();
    w.EndObject();
    w.Finish();
    test::WriteAll(dir / "sagging-facts.json", facts.str());
    output.clear();
    const int rc = test::RunCommand("/usr/bin/python3 " VARTESK_TEST_DATA "/sagging_check.py "
                                        + test::ShellQuoted(dir / "sagging.xls") + " "
                                        + test::ShellQuoted(dir / "sagging.json") + " "
                                        + test::ShellQuoted(dir / "calc.json") + " "
                                        + test::ShellQuoted(dir / "sagging-facts.json"),
                                    output);
    if (rc == 77)
        return 0;
    EXPECT_EQ(rc, 0) << output;
    return 1;
}

} // namespace

TEST(ReportsReadByXlrd, SaggingWorkbookHoldsItsJsonAndTheJsonTheCalculation)
{
    RegisterAllStrings();
    TScratchDir dir;
    TProject shapes;
    BuildShapes(shapes);
    SaveProjectFile(dir / "shapes.vsk", shapes);
    const std::filesystem::path examples = std::filesystem::path(VARTESK_SOURCE_DIR) / "examples";
    int checked = 0;
    for (const auto &projectPath :
         {examples / "demo.vsk", examples / "north-opgw.vsk", dir / "shapes.vsk"})
        for (const char *lang : {"en", "ru"})
            for (const char *units : {"daN", "kN"})
                checked += CheckSagging(projectPath, lang, units, dir);
    if (checked == 0)
        GTEST_SKIP() << "python3-xlrd is not installed";
    EXPECT_EQ(checked, 12);
}

TEST(ReportsReadByXlrd, EveryCellTheCalculationNamesHoldsItsValue)
{
    RegisterAllStrings();
    TScratchDir dir;
    TProject shapes;
    BuildShapes(shapes);
    SaveProjectFile(dir / "shapes.vsk", shapes);
    const std::filesystem::path demo
        = std::filesystem::path(VARTESK_SOURCE_DIR) / "examples" / "demo.vsk";
    int checked = 0;
    for (const auto &projectPath : {demo, dir / "shapes.vsk"})
        for (const char *lang : {"en", "ru"})
            for (const char *units : {"daN", "kN"})
                checked += CheckReports(projectPath, kBin / "Forms", lang, units, dir);
    if (checked == 0)
        GTEST_SKIP() << "python3-xlrd is not installed";
    EXPECT_EQ(checked, 32);
}

// Offices adapt the templates: one that LibreOffice saved again, as a user editing it would,
// must still give a correct report.
TEST(ReportsReadByXlrd, TemplatesSavedAgainByLibreOfficeStillGiveCorrectReports)
{
    std::string output;
    if (test::RunCommand("command -v soffice", output) != 0)
        GTEST_SKIP() << "soffice is not installed";
    RegisterAllStrings();
    TScratchDir dir;
    std::string files;
    for (const char *name :
         {"FormMount_ru.xls", "FormMount1_ru.xls", "FormMount2_ru.xls", "FormLoads_ru.xls"})
        files += " " + test::ShellQuoted(kBin / "Forms" / name);
    ASSERT_EQ(test::RunCommand("timeout 300 soffice -env:UserInstallation=file://"
                                   + dir.Path().string()
                                   + "/profile --headless --convert-to 'xls:MS Excel 97' --outdir "
                                   + test::ShellQuoted(dir / "forms") + files,
                               output),
              0)
        << output;
    const std::filesystem::path demo
        = std::filesystem::path(VARTESK_SOURCE_DIR) / "examples" / "demo.vsk";
    const int checked = CheckReports(demo, dir / "forms", "ru", "daN", dir);
    if (checked == 0)
        GTEST_SKIP() << "python3-xlrd is not installed";
    EXPECT_EQ(checked, 4);
}
