// The .vsk project file: exact bytes, the reading rules, both layouts and bad input.
#include "base/cp1251.h"
#include "base/file_io.h"
#include "base/number_text.h"
#include "input_trace.h"
#include "model/project.h"
#include "model/projectfile/line_source.h"
#include "model/projectfile/project_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <random>

using namespace vartesk;

namespace {

std::string Lines(std::initializer_list<const char *> lines)
{
    std::string s;
    for (const char *l : lines)
        s += std::string(l) + "\r\n";
    return s;
}

void LoadBytes(const std::string &bytes, TProject &project)
{
    TLineSource source(bytes);
    project.LoadFromText(source);
}

std::string Convert1251(const std::string &utf8Lines)
{
    TTextWriter w;
    size_t start = 0;
    while (start < utf8Lines.size()) {
        size_t end = utf8Lines.find("\r\n", start);
        w.WriteLine(utf8Lines.substr(start, end - start));
        start = end + 2;
    }
    return w.Bytes();
}

const char *kClimate[] = {" 5.00000000000000E+0000",
                          "-5.00000000000000E+0000",
                          " 0.00000000000000E+0000",
                          " 4.00000000000000E+0001",
                          "-5.50000000000000E+0001",
                          " 0.00000000000000E+0000",
                          " 0.00000000000000E+0000",
                          " 0.00000000000000E+0000"};

// A current-layout file with one section holding the given pair lines and one support.
std::string OneSection(const char *maxPair,
                       const char *avgPair,
                       const char *shifr = "Анк.",
                       const char *type = "1")
{
    std::string s = Lines({"version 3.4", "1"});
    for (const char *c : kClimate)
        s += std::string(c) + "\r\n";
    s += Lines({"Участок",
                "1",
                "-1",
                "АС120/19",
                maxPair,
                avgPair,
                "",
                "0;0",
                "0;0",
                "0",
                "0",
                "0",
                "0",
                "0",
                "0",
                "0",
                "0",
                "0",
                "0"});
    s += Lines({"1", shifr, "200", "", "0", "0", "", "0", "0", "0", "2", "", "0", "-1", "0", type});
    s += Lines({"1", "1", "1", "1", "1", "1", "1", "15;15", "1"});
    return Convert1251(s);
}

} // namespace

TEST(ProjectFile, FreshProjectIsExactlyTheseLines)
{
    TProject project;
    std::string expected = Lines({"version 3.4", "0"});
    for (const char *c : kClimate)
        expected += std::string(c) + "\r\n";
    expected += Lines({"1", "1", "1", "1", "1", "1", "1", "15;15", "1"});
    EXPECT_EQ(ProjectFileBytes(project), expected);
}

TEST(ProjectFile, SavingZeroesTheLimitPairTheModeDoesNotSelect)
{
    TProject project;
    auto p = std::make_unique<TParcel>();
    p->Napr_max = 9;
    p->Napr_srg = 4.5;
    p->Tag_max = 100;
    p->Tag_srg = 50;
    p->TagModet = 1;
    p->Naprt_max = 20;
    p->Tagt_max = 1500;
    p->Tagt_srg = 700;
    project.Parcels.Add(std::move(p));
    const std::string bytes = ProjectFileBytes(project);
    EXPECT_NE(bytes.find("\r\n9;0\r\n4.5;0\r\n\r\n0;1500\r\n0;700\r\n"), std::string::npos);
    const TParcel &saved = project.Parcels.Get(0);
    EXPECT_EQ(saved.Tag_max, 0);
    EXPECT_EQ(saved.Tag_srg, 0);
    EXPECT_EQ(saved.Naprt_max, 0);
    EXPECT_EQ(saved.Tagt_max, 1500);
}

TEST(ProjectFile, PairLinesGiveStressTensionAndMode)
{
    TProject p;
    LoadBytes(OneSection("9", "4,5;0"), p);
    const TParcel &a = p.Parcels.Get(0);
    EXPECT_EQ(a.Napr_max, 9);
    EXPECT_EQ(a.Tag_max, 0);
    EXPECT_EQ(a.TagMode, 0);
    EXPECT_EQ(a.Napr_srg, 4.5);

    LoadBytes(OneSection("9,5;0", "0;0"), p);
    EXPECT_EQ(p.Parcels.Get(0).Napr_max, 9.5);
    EXPECT_EQ(p.Parcels.Get(0).TagMode, 0);

    // Only the maximum line sets the mode; the average line's tension is just a value.
    LoadBytes(OneSection(";0;;1500;", "0;700"), p);
    EXPECT_EQ(p.Parcels.Get(0).Napr_max, 0);
    EXPECT_EQ(p.Parcels.Get(0).Tag_max, 1500);
    EXPECT_EQ(p.Parcels.Get(0).TagMode, 1);
    EXPECT_EQ(p.Parcels.Get(0).Tag_srg, 700);

    LoadBytes(OneSection("0;0", "0;700"), p);
    EXPECT_EQ(p.Parcels.Get(0).TagMode, 0);
    EXPECT_EQ(p.Parcels.Get(0).Tag_srg, 700);
}

TEST(ProjectFile, ModeOneWithZeroTensionReadsBackAsModeZero)
{
    TProject project;
    auto p = std::make_unique<TParcel>();
    p->TagMode = 1;
    project.Parcels.Add(std::move(p));
    TProject back;
    LoadBytes(ProjectFileBytes(project), back);
    EXPECT_EQ(back.Parcels.Get(0).TagMode, 0);
}

TEST(ProjectFile, SupportCodesFollowTheSupportType)
{
    TProject p;
    LoadBytes(OneSection("9", "4.5", "Анк.", "1"), p);
    EXPECT_EQ(p.Parcels.Get(0).Pillars.Get(0).Shifr.str(), "Пром.");
    LoadBytes(OneSection("9", "4.5", "Пром.", "0"), p);
    EXPECT_EQ(p.Parcels.Get(0).Pillars.Get(0).Shifr.str(), "Анк.");
    LoadBytes(OneSection("9", "4.5", "Пром.", "2"), p);
    EXPECT_EQ(p.Parcels.Get(0).Pillars.Get(0).Shifr.str(), "Пром.");
    LoadBytes(OneSection("9", "4.5", "У110-1", "1"), p);
    EXPECT_EQ(p.Parcels.Get(0).Pillars.Get(0).Shifr.str(), "У110-1");
}

TEST(ProjectFile, CodeZeroGivesASixLineSupportRecord)
{
    TProject project;
    auto p = std::make_unique<TParcel>();
    for (int type : {0, 2}) {
        auto s = std::make_unique<TPillar>();
        s->Nomer = "7";
        s->Shifr = "0";
        s->Prolet = 150;
        s->Visir = true;
        s->Tip_Opor = TSupportType(type);
        s->Ugol = "У5"; // not written without the code lines
        p->Pillars.Add(std::move(s));
    }
    project.Parcels.Add(std::move(p));
    const std::string bytes = ProjectFileBytes(project);
    EXPECT_NE(bytes.find("\r\n7\r\n0\r\n 1.50000000000000E+0002\r\n\r\n-1\r\n0\r\n7\r\n"),
              std::string::npos);
    TProject back;
    LoadBytes(bytes, back);
    ASSERT_EQ(back.Parcels.Get(0).Pillars.Count(), 2);
    EXPECT_EQ(back.Parcels.Get(0).Pillars.Get(0).Shifr.str(), "Анк.");
    EXPECT_EQ(back.Parcels.Get(0).Pillars.Get(1).Shifr.str(), "0");
    EXPECT_EQ(back.Parcels.Get(0).Pillars.Get(1).Tip_Opor, TSupportType::DeadEnd);
    EXPECT_TRUE(back.Parcels.Get(0).Pillars.Get(1).Visir);
    EXPECT_EQ(back.Parcels.Get(0).Pillars.Get(1).Ugol.str(), "");
}

TEST(ProjectFile, OlderLayoutTakesTheLaterFieldsFromTheDefaults)
{
    std::string s = Lines({"1"});
    for (const char *c : kClimate)
        s += std::string(c) + "\r\n";
    s += Lines({"Old", "0", "-1", "АС70/11", "8", "4", "", "0", "0", "0", "0", "0", "-1", "0"});
    s += Lines({"1,1", "1", "1", "1", "1", "1", "1"});
    TProject p;
    p.KlimatKoef.visotaPC = 20;
    LoadBytes(Convert1251(s), p);
    ASSERT_EQ(p.Parcels.Count(), 1);
    const TParcel &a = p.Parcels.Get(0);
    EXPECT_EQ(a.Name, "Old");
    EXPECT_TRUE(a.IsTros);
    EXPECT_FALSE(a.IsVitygka);
    EXPECT_EQ(a.Mt, 0);
    EXPECT_EQ(a.Pp, 0);
    EXPECT_EQ(p.KlimatKoef.V_Otv, 1.1);
    EXPECT_EQ(p.KlimatKoef.visotaPC, 15);
    EXPECT_EQ(p.KlimatKoef.visotaPC_tros, 15);
    EXPECT_EQ(p.KlimatKoef.TypeTer, 1);
}

TEST(ProjectFile, ClimateLinesAcceptCommasAndBothForms)
{
    std::string s = Lines({"version 3.4",
                           "0",
                           "-5,5",
                           " 7 ",
                           "1E1",
                           "4.00000000000000E+0001",
                           "-55",
                           "0",
                           "0",
                           "0",
                           "1",
                           "1",
                           "1",
                           "1",
                           "1",
                           "1",
                           "1",
                           "20;",
                           "2"});
    TProject p;
    LoadBytes(s, p);
    EXPECT_EQ(p.Klimat.Tols, -5.5);
    EXPECT_EQ(p.Klimat.Tgbw, 7);
    EXPECT_EQ(p.Klimat.TGsw, 10);
    EXPECT_EQ(p.KlimatKoef.visotaPC, 20);
    EXPECT_EQ(p.KlimatKoef.visotaPC_tros, 15);
    EXPECT_EQ(p.KlimatKoef.TypeTer, 2);
}

TEST(ProjectFile, HeightsLineSplitsAtTheFirstSeparator)
{
    for (auto [line, wire, cord] : {std::tuple {"15;15", 15, 15},
                                    std::tuple {";12", 15, 12},
                                    std::tuple {"18;;2", 18, 2},
                                    std::tuple {"", 15, 15},
                                    std::tuple {"22", 22, 15}}) {
        std::string s = Lines({"version 3.4", "0"});
        for (const char *c : kClimate)
            s += std::string(c) + "\r\n";
        s += Lines({"1", "1", "1", "1", "1", "1", "1", line, "1"});
        TProject p;
        LoadBytes(s, p);
        EXPECT_EQ(p.KlimatKoef.visotaPC, wire) << line;
        EXPECT_EQ(p.KlimatKoef.visotaPC_tros, cord) << line;
    }
}

TEST(ProjectFile, DamperBlockIsOptionalAndTolerant)
{
    TProject before;
    before.VMData.IsVibroMuffles = true;
    before.VMData.NumbCat = 3;
    // A file that ends right after the coefficients switches the damper calculation off.
    TProject fresh;
    LoadBytes(ProjectFileBytes(fresh), before);
    EXPECT_FALSE(before.VMData.IsVibroMuffles);
    EXPECT_EQ(before.VMData.NumbCat, 1);

    // A header line that does not convert ends the load there, successfully.
    std::string bytes = ProjectFileBytes(fresh) + Lines({"-1", "0", "x"});
    TProject p;
    LoadBytes(bytes, p);
    EXPECT_TRUE(p.VMData.IsVibroMuffles);
    EXPECT_EQ(p.VMData.NumbCat, 1);
}

TEST(ProjectFile, DamperRecordsGoToTheirSections)
{
    TProject project;
    project.VMData.IsVibroMuffles = true;
    project.VMData.IsNord = true;
    project.VMData.NumbCat = 4;
    project.VMData.Tcold = -32.5;
    for (int i = 0; i < 3; ++i)
        project.Parcels.Add(std::make_unique<TParcel>());
    TParcel &second = project.Parcels.Get(1);
    second.IsVMCalcTros = true;
    second.CntWires = 3;
    second.ModelVM_Tros = 2;
    second.RngAC_T = 5;
    second.KindT = 2;
    project.Parcels.Get(0).CntWires = 7; // no damper calculation: not written
    const std::string bytes = ProjectFileBytes(project);
    EXPECT_NE(bytes.find("\r\n1\r\nFALSE\r\nTRUE\r\n1\r\n1\r\n3\r\n0\r\n2\r\n0\r\n2\r\n0\r\n5\r\n"
                         "0\r\n2\r\n"),
              std::string::npos);
    TProject back;
    LoadBytes(bytes, back);
    EXPECT_TRUE(back.VMData.Equals(project.VMData));
    EXPECT_TRUE(back.Parcels.Get(1).Equals(second));
    EXPECT_EQ(back.Parcels.Get(0).CntWires, 1);

    // Ratio lines that are not integers read as 0; an unknown section index stops the load.
    std::string tolerant = bytes;
    tolerant.replace(tolerant.rfind("\r\n5\r\n"), 5, "\r\nx\r\n");
    LoadBytes(tolerant, back);
    EXPECT_EQ(back.Parcels.Get(1).RngAC_T, 0);
    std::string badIndex = bytes;
    badIndex.replace(badIndex.rfind("\r\n1\r\nFALSE"), 5, "\r\n3\r\n");
    try {
        LoadBytes(badIndex, back);
        FAIL();
    } catch (const EListError &e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (3)");
    }
}

TEST(ProjectFile, StoppedLoadsSayWhichTextFailedAndWhere)
{
    test::TScratchDir dir;
    const auto path = dir / "bad.vsk";
    struct TCase
    {
        std::string Bytes;
        std::string Message;
        int Line;
    };
    const std::string good = OneSection("9", "4.5");
    const std::vector<TCase> cases = {
        {"", "'' is not a valid integer value", 0},
        {"version 3.4\r\nabc\r\n", "'abc' is not a valid integer value", 2},
        {"version 3.4\r\n0\r\n5\r\n", "'' is not a valid floating point value", 3},
        {good.substr(0, good.size() / 2), "", 0},
        {std::string("\x00\x01\x02\xFF\xFE", 5), "", 1},
    };
    for (const auto &c : cases) {
        test::WriteAll(path, c.Bytes);
        TProject p;
        try {
            LoadProjectFile(path, p);
            ADD_FAILURE() << "loaded: " << c.Message;
        } catch (const EProjectFileError &e) {
            if (!c.Message.empty()) {
                EXPECT_EQ(e.what(), c.Message);
                EXPECT_EQ(e.Line, c.Line);
            }
        }
    }
    EXPECT_THROW(
        {
            TProject p;
            LoadProjectFile(dir / "missing.vsk", p);
        },
        EFileError);
}

TEST(ProjectFile, UnicodeFilesAndOtherVersionsSayWhatTheyAre)
{
    test::TScratchDir dir;
    const auto path = dir / "p.vsk";
    const std::string fresh = ProjectFileBytes(*std::make_unique<TProject>());
    const std::string afterVersion = fresh.substr(fresh.find("\r\n") + 2);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\xEF\xBB\xBF" + fresh, "written in UTF-8: projects are Windows-1251 text"},
        {std::string("\xFF\xFEv\0e\0", 6), "written in UTF-16: projects are Windows-1251 text"},
        {"version 9.9\r\n" + afterVersion, "version 9.9 is newer than this program reads"},
        {"version 3.10\r\n" + afterVersion, "version 3.10 is newer than this program reads"},
        {"version 4\r\n" + afterVersion, "version 4 is newer than this program reads"},
        {"version 2.0\r\n" + afterVersion, "'version 2.0' is not a version this program reads"},
        {"Version 3.4 \r\n" + afterVersion, "'Version 3.4 ' is not a version this program reads"},
        {"version x\x01\r\n", "'version x\\x01' is not a version this program reads"},
    };
    for (const auto &[bytes, message] : cases) {
        test::WriteAll(path, bytes);
        TProject p;
        try {
            LoadProjectFile(path, p);
            ADD_FAILURE() << "loaded: " << message;
        } catch (const EProjectFileError &e) {
            EXPECT_EQ(e.what(), message);
            EXPECT_EQ(e.Line, 1) << message;
        }
    }
}

TEST(ProjectFile, Utf8CyrillicLoadsWithAWarning)
{
    test::TScratchDir dir;
    const auto path = dir / "p.vsk";
    TProject project;
    project.Parcels.Add(std::make_unique<TParcel>());
    project.Parcels.Get(0).Name = "Участок";
    const std::string windows1251 = ProjectFileBytes(project);
    test::WriteAll(path, windows1251);
    TProject back;
    EXPECT_TRUE(LoadProjectFile(path, back).empty());
    EXPECT_EQ(back.Parcels.Get(0).Name, "Участок");

    // The same file as an editor saves it in UTF-8: it loads, read as Windows-1251.
    std::string utf8 = windows1251;
    utf8.replace(utf8.find(Utf8ToCp1251("Участок")), 7, "Участок");
    test::WriteAll(path, utf8);
    const auto warnings = LoadProjectFile(path, back);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0],
              "looks like UTF-8: projects are Windows-1251 text, so its Cyrillic letters read "
              "wrongly");
    EXPECT_EQ(back.Parcels.Get(0).Name, Cp1251ToUtf8("Участок"));

    // Latin-only texts are the same bytes in both encodings: nothing to warn about.
    project.Parcels.Get(0).Name = "Section";
    test::WriteAll(path, ProjectFileBytes(project));
    EXPECT_TRUE(LoadProjectFile(path, back).empty());
}

TEST(ProjectFile, AFileOfCrOnlyLinesGivesAShortMessage)
{
    // Lone CRs are dropped, so the whole file is one line; the message quotes its start.
    std::string bytes = ProjectFileBytes(*std::make_unique<TProject>());
    for (size_t at; (at = bytes.find("\r\n")) != std::string::npos;)
        bytes.replace(at, 2, "\r");
    while (bytes.size() < 10'000'000)
        bytes += " 0.00000000000000E+0000\r";
    test::TScratchDir dir;
    test::WriteAll(dir / "mac.vsk", bytes);
    TProject p;
    try {
        LoadProjectFile(dir / "mac.vsk", p);
        FAIL();
    } catch (const EProjectFileError &e) {
        EXPECT_LT(std::string(e.what()).size(), 120u);
        EXPECT_EQ(std::string(e.what()).rfind("'version 3.40 5.00000000000000E+0000", 0), 0u)
            << e.what();
    }
}

TEST(ProjectFile, MangledFilesNeverCrashOrHang)
{
    TProject demo;
    LoadBytes(OneSection("9", "4.5"), demo);
    demo.VMData.IsVibroMuffles = true;
    demo.Parcels.Get(0).IsVMCalcProvod = true;
    const std::string good = ProjectFileBytes(demo);
    std::mt19937 rng(7);
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = good;
        const int edits = 1 + int(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            const size_t at = rng() % bytes.size();
            switch (rng() % 4) {
            case 0:
                bytes[at] = char(rng());
                break;
            case 1:
                bytes.erase(at, 1 + rng() % 20);
                break;
            case 2:
                bytes.insert(at, std::to_string(int(rng() % 2000000000)));
                break;
            default:
                bytes.resize(at);
            }
            if (bytes.empty())
                break;
        }
        const std::string input
            = test::DescribeInput("seed 7, round " + std::to_string(round), bytes);
        SCOPED_TRACE(input);
        test::TCrashNote note(input);
        TProject p;
        try {
            LoadBytes(bytes, p);
        } catch (const EConvertError &) {
        } catch (const EListError &) {
        } catch (const EProjectFileError &) {
        } catch (const std::exception &e) {
            ADD_FAILURE() << "unexpected " << e.what();
        }
    }
}

TEST(ProjectFile, LineBreaksInsideTextsCannotShiftTheLines)
{
    TProject project;
    auto p = std::make_unique<TParcel>();
    p->Name = "Участок\r\n2";
    auto s = std::make_unique<TPillar>();
    s->Coment = "пересечение\nс дорогой";
    p->Pillars.Add(std::move(s));
    project.Parcels.Add(std::move(p));
    TProject back;
    LoadBytes(ProjectFileBytes(project), back);
    EXPECT_EQ(back.Parcels.Get(0).Name, "Участок  2");
    EXPECT_EQ(back.Parcels.Get(0).Pillars.Get(0).Coment.str(), "пересечение с дорогой");
    EXPECT_EQ(back.KlimatKoef.TypeTer, 1);
}
