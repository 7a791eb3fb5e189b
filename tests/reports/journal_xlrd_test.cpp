// The journal of supports as python3-xlrd reads it, every value and border of its rows checked
// against the journal's rules worked out again by journal_check.py: the demo and a project of
// the journal's edge cases, in both languages.
#include "base/json_writer.h"
#include "catalog/wires_list.h"
#include "model/project.h"
#include "model/projectfile/project_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace vartesk;
using vartesk::test::TScratchDir;

namespace {

const std::filesystem::path kBin = std::filesystem::path(VARTESK_CLI).parent_path();
const std::filesystem::path kShippedCatalog = kBin / "base_provod.dat";

struct TSupport
{
    int Type; // 0 anchor, 1 intermediate, 2 dead-end
    double Span;
    const char *Code = "";
};

TParcel &AddSection(TProject &project,
                    const std::string &name,
                    const std::vector<TSupport> &supports,
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
    p->Naprt_max = 13;
    p->Naprt_srg = 9;
    int n = 1;
    for (const TSupport &t : supports) {
        auto s = std::make_unique<TPillar>();
        s->Nomer = std::to_string(n++);
        s->Shifr = t.Code;
        s->Tip_Opor = TSupportType(t.Type);
        s->Prolet = t.Span;
        p->Pillars.Add(std::move(s));
    }
    project.Parcels.Add(std::move(p));
    return project.Parcels.Get(project.Parcels.Count() - 1);
}

// The journal's edge cases, one project.
void BuildEdges(TProject &project)
{
    project.Klimat.Tols = 10;
    project.Klimat.VMax = 29;
    project.Klimat.Vwetsg = 15;
    project.Klimat.TMin = -40;
    project.Klimat.TGsw = -5;
    project.Klimat.Tsrec = 3;
    // G and H on supports 4 and 5 only: 600 and 244.95, then 150 and 150. Codes that English
    // translates and one it keeps; a crossing with a note, a crossing alone, a note alone.
    TParcel &first = AddSection(project,
                                "Anchors",
                                {{0, 100, kShifrAnchor},
                                 {1, 200, kShifrIntermediate},
                                 {1, 300, "П110-3"},
                                 {0, 150, "У110-2"},
                                 {0, 0, kShifrAnchor}},
                                true,
                                true);
    first.Pillars.Get(1).Insect = "3";
    first.Pillars.Get(1).Coment = "ВЛ 10 кВ";
    first.Pillars.Get(2).Insect = "4";
    first.Pillars.Get(3).Coment = "а/д Р-22";
    first.Pillars.Get(1).Ugol = "7";
    first.Pillars.Get(2).Ugol = "8";
    first.Pillars.Get(2).Ugol_grad = 12;
    first.Pillars.Get(2).Ugol_min = 30;
    first.Pillars.Get(2).Ugol_napr = 1;
    // Ends on an intermediate support whose span of 80 the journal sets to 0; its open stretch
    // goes on into the next section, which begins with intermediate supports.
    AddSection(project, "Open end", {{0, 120}, {1, 130}, {1, 80}}, true, true);
    AddSection(project, "Carried", {{1, 110}, {1, 90}, {0, 100}, {0, 0}}, true, true);
    // An anchor of span 0 before an anchor: no length nor equivalent span, and the journal goes on
    // (the calculation of that strain section fails, so its lengths stay blank). A dead-end support
    // changes no sum.
    AddSection(project, "Zero stretch", {{0, 0}, {0, 140}, {2, 150}, {1, 160}, {0, 0}}, true, true);
    // The pickets 12+34.5, 13+84.5 and 14+44.75; a cord without wire: no borders in B..I
    // but the outline of the last two rows.
    TParcel &pickets
        = AddSection(project, "Pickets", {{0, 150}, {1, 60.25}, {1, 170}, {0, 0}}, false, true);
    pickets.Pillars.Get(0).RezPic = true;
    pickets.Pillars.Get(0).Picet1 = 12;
    pickets.Pillars.Get(0).Picet2 = 34.5;
    // A given picket further on starts the count again.
    pickets.Pillars.Get(3).RezPic = true;
    pickets.Pillars.Get(3).Picet1 = 20;
    pickets.Pillars.Get(3).Picet2 = 0;
    // One support alone, last: its footer, then the route footer one row further.
    AddSection(project, "Single", {{0, 90}}, true, false);
}

std::string Facts(const TProject &project, const TWiresList &catalog, bool english)
{
    std::ostringstream out;
    TJsonWriter w(out);
    w.BeginObject();
    w.Key("english");
    w.Bool(english);
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
        w.Key("wire_weight");
        w.Number(catalog.FindByName(p->Provod).Weight);
        w.Key("cord_weight");
        w.Number(catalog.FindByName(p->Tros).Weight);
        w.Key("supports");
        w.BeginArray();
        for (const auto &s : p->Pillars) {
            w.BeginObject();
            w.Key("nomer");
            w.String(s->Nomer);
            w.Key("code");
            w.String(s->Shifr);
            w.Key("type");
            w.Int(int(s->Tip_Opor));
            w.Key("span");
            w.Number(s->Prolet);
            w.Key("rezpic");
            w.Bool(s->RezPic);
            w.Key("picet1");
            w.Int(s->Picet1);
            w.Key("picet2");
            w.Number(s->Picet2);
            w.Key("deg");
            w.Int(s->Ugol_grad);
            w.Key("min");
            w.Int(s->Ugol_min);
            w.Key("sec");
            w.Int(s->Ugol_sec);
            w.Key("dir");
            w.Int(s->Ugol_napr);
            w.Key("ugol");
            w.String(s->Ugol);
            w.Key("insect");
            w.String(s->Insect);
            w.Key("coment");
            w.String(s->Coment);
            w.EndObject();
        }
        w.EndArray();
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    w.Finish();
    return out.str();
}

// Writes the journal of the project file in the language and has the checker read it; false
// when xlrd is missing.
bool CheckJournal(const std::filesystem::path &projectPath,
                  const char *lang,
                  const TScratchDir &dir,
                  int exitCode)
{
    SCOPED_TRACE(projectPath.filename().string() + " " + lang);
    TWiresList catalog;
    EXPECT_TRUE(catalog.LoadFromFile(kShippedCatalog).empty());
    TProject project;
    LoadProjectFile(projectPath, project);
    const std::string global
        = std::string(" --lang ") + lang + " --catalog " + test::ShellQuoted(kShippedCatalog) + " ";
    std::string output;
    // In a subshell: RunCommand joins stderr to stdout after the whole command, which would
    // otherwise put the calculation's messages into the document.
    EXPECT_EQ(test::RunCommand("(" + std::string(VARTESK_CLI) + global + "calc "
                                   + test::ShellQuoted(projectPath) + " --format json > "
                                   + test::ShellQuoted(dir / "calc.json") + " 2>/dev/null)",
                               output),
              0)
        << output;
    test::WriteAll(dir / "facts.json", Facts(project, catalog, std::string(lang) == "en"));
    const auto journal = dir / "journal.xls";
    output.clear();
    EXPECT_EQ(test::RunCommand(std::string(VARTESK_CLI) + global + "report journal "
                                   + test::ShellQuoted(projectPath) + " -o "
                                   + test::ShellQuoted(journal),
                               output),
              exitCode)
        << output;
    output.clear();
    const int rc = test::RunCommand("/usr/bin/python3 " VARTESK_TEST_DATA "/journal_check.py "
                                        + test::ShellQuoted(journal) + " "
                                        + test::ShellQuoted(dir / "calc.json") + " "
                                        + test::ShellQuoted(dir / "facts.json"),
                                    output);
    if (rc == 77)
        return false;
    EXPECT_EQ(rc, 0) << output;
    return true;
}

} // namespace

TEST(JournalReadByXlrd, EveryValueAndBorderBelowTheCaptionsIsWhatTheRulesGive)
{
    TScratchDir dir;
    TProject edges;
    BuildEdges(edges);
    SaveProjectFile(dir / "edges.vsk", edges);
    const std::filesystem::path demo
        = std::filesystem::path(VARTESK_SOURCE_DIR) / "examples" / "demo.vsk";
    int checked = 0;
    // The edges hold a strain section the calculation refuses: the journal is incomplete.
    for (const auto &[projectPath, exitCode] : {std::pair {demo, 0}, {dir / "edges.vsk", 1}})
        for (const char *lang : {"en", "ru"})
            checked += CheckJournal(projectPath, lang, dir, exitCode) ? 1 : 0;
    if (checked == 0)
        GTEST_SKIP() << "python3-xlrd is not installed";
    EXPECT_EQ(checked, 4);
}

// The acceptance's cells, named: the checker above derives them, this spells them out.
TEST(JournalReadByXlrd, TheEdgeCasesReadAsTheyShould)
{
    TScratchDir dir;
    TProject edges;
    BuildEdges(edges);
    SaveProjectFile(dir / "edges.vsk", edges);
    const auto journal = dir / "journal.xls";
    std::string output;
    ASSERT_EQ(test::RunCommand(std::string(VARTESK_CLI) + " --lang en --catalog "
                                   + test::ShellQuoted(kShippedCatalog) + " report journal "
                                   + test::ShellQuoted(dir / "edges.vsk") + " -o "
                                   + test::ShellQuoted(journal),
                               output),
              1)
        << output;
    const char *script = R"(
import sys
try:
    import xlrd
except ImportError:
    sys.exit(77)
b = xlrd.open_workbook(sys.argv[1], formatting_info=True)
def v(sheet, a1):
    sh = b.sheet_by_name(sheet)
    r, c = int(a1[1:]) - 1, ord(a1[0]) - 65
    if r >= sh.nrows or c >= sh.row_len(r):
        return None
    x = sh.cell_value(r, c)
    return None if x == "" else (round(x, 2) if isinstance(x, float) else x)
def top(sheet, a1):
    sh = b.sheet_by_name(sheet)
    return b.xf_list[sh.cell_xf_index(int(a1[1:]) - 1, ord(a1[0]) - 65)].border.top_line_style
print([v("Anchors", a) for a in ("G6", "H6", "G7", "H7", "G3", "H3", "G4")])
print([v("Anchors", a) for a in ("C3", "C4", "C5", "C6", "I4", "I5", "I6", "D4", "D5")])
print([v("Carried", a) for a in ("G5", "H5")])
print([v("Open end", a) for a in ("F5", "C6")])
print([v("Zero stretch", a) for a in ("G4", "H4", "G7", "H7")])
print([v("Pickets", a) for a in ("E3", "E4", "E5", "E6")])
print([top("Pickets", a) for a in ("B3", "I4", "K3", "B5")])
print([v("Single", a) for a in ("B3", "C4", "D4", "C5", "D5")])
print([v("Anchors", a) for a in ("C9", "D9")])
)";
    test::WriteAll(dir / "read.py", script);
    output.clear();
    const int rc = test::RunCommand("/usr/bin/python3 " + test::ShellQuoted(dir / "read.py") + " "
                                        + test::ShellQuoted(journal),
                                    output);
    if (rc == 77)
        GTEST_SKIP() << "python3-xlrd is not installed";
    ASSERT_EQ(rc, 0) << output;
    EXPECT_EQ(output,
              // Supports 4 and 5 only.
              "[600.0, 244.95, 150.0, 150.0, None, None, None]\n"
              "['Str.', 'Int.', 'П110-3', 'У110-2', 'Пер.3;ВЛ 10 кВ', 'Пер.4', 'а/д Р-22', "
              "'Уг.7', 'Ang.8;-12°30\\'0\"']\n"
              // The open stretch 120, 130 carried into 110, 90: sqrt(5985000 / 450).
              "[450.0, 115.33]\n"
              // The last span is 0; the next section starts with intermediate supports.
              "[0.0, 'On the sector:']\n"
              // 0/0 leaves both blank; the dead-end support's 150 m is in no sum.
              "[None, None, 300.0, 151.0]\n"
              "['12+34.5', '13+84.5', '14+44.75', '20+0']\n"
              // No borders in B..I but the outline of the last two rows.
              "[0, 0, 1, 1]\n"
              // The route footer two rows below the last support of the last sheet; the
              // last spans count 0 in the lengths.
              "['1', 'On the sector:', 0.0, 'On the tracе:', 2130.25]\n"
              // No route footer on another sheet.
              "[None, None]\n")
        << output;
}
