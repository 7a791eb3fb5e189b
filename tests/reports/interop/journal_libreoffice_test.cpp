// Label interop: LibreOffice (soffice, headless) opens the journals of supports and the
// support import's starting workbook, prints them (the journal's captions on every page), and
// a starting workbook it saved again, as a user filling it in would, still imports. Skips when
// soffice is not installed.
#include "model/project.h"
#include "model/projectfile/project_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using vartesk::test::RunCommand;

namespace {

const fs::path kForms = VARTESK_BINARY_DIR "/bin/Forms";

bool HaveSoffice()
{
    std::string out;
    return RunCommand("command -v soffice", out) == 0;
}

std::string Quoted(const fs::path &p)
{
    return "'" + p.string() + "'";
}

// Converts the files into dir/out with the filter.
void Convert(const fs::path &dir, const std::string &filter, const std::vector<fs::path> &files)
{
    std::string list;
    for (const fs::path &f : files)
        list += " " + Quoted(f);
    std::string output;
    // A profile of its own, so that a running LibreOffice of the user does not interfere.
    ASSERT_EQ(RunCommand("timeout 300 soffice -env:UserInstallation=file://" + dir.string()
                             + "/profile --headless --convert-to '" + filter + "' --outdir "
                             + Quoted(dir / "out") + list,
                         output),
              0)
        << output;
}

long Pages(const fs::path &pdf)
{
    const std::string bytes = vartesk::test::ReadAll(pdf);
    return vartesk::test::PdfPageCount(bytes);
}

// One section of many supports, anchors every fifth: several printed pages.
void WriteLongLine(const fs::path &path)
{
    vartesk::TProject project;
    auto p = std::make_unique<vartesk::TParcel>();
    p->Name = "Long";
    p->Provod = "АС120/19";
    p->Napr_max = 13;
    p->Napr_srg = 9;
    p->IsTros = true;
    p->Tros = "АС70/11";
    p->Naprt_max = 13;
    p->Naprt_srg = 9;
    for (int k = 1; k <= 150; ++k) {
        auto s = std::make_unique<vartesk::TPillar>();
        s->Nomer = std::to_string(k);
        s->Tip_Opor
            = k % 5 == 1 ? vartesk::TSupportType::Strain : vartesk::TSupportType::Intermediate;
        s->Prolet = 200 + k % 7 * 10;
        p->Pillars.Add(std::move(s));
    }
    project.Parcels.Add(std::move(p));
    vartesk::SaveProjectFile(path, project);
}

} // namespace

TEST(JournalInterop, JournalsAndTheStartingWorkbookPrintWithTheCaptionsOnEveryPage)
{
    if (!HaveSoffice())
        GTEST_SKIP() << "soffice is not installed";
    vartesk::test::TScratchDir dir;
    WriteLongLine(dir / "long.vsk");
    const std::string catalog
        = " --catalog " + Quoted(fs::path(VARTESK_CLI).parent_path() / "base_provod.dat");
    std::vector<fs::path> files {kForms / "Import_supports.xls"};
    struct TJournal
    {
        const char *Name, *Lang;
        fs::path Project;
    };
    const fs::path demo = VARTESK_SOURCE_DIR "/examples/demo.vsk";
    for (const TJournal &j : {TJournal {"demo_en", "en", demo},
                              TJournal {"demo_ru", "ru", demo},
                              TJournal {"long_en", "en", dir / "long.vsk"}}) {
        const fs::path out = dir / (std::string(j.Name) + ".xls");
        std::string output;
        ASSERT_EQ(RunCommand(std::string(VARTESK_CLI) + " --lang " + j.Lang + catalog
                                 + " report journal " + Quoted(j.Project) + " -o " + Quoted(out),
                             output),
                  0)
            << output;
        files.push_back(out);
    }
    Convert(dir.Path(), "pdf", files);
    for (const fs::path &f : files)
        ASSERT_TRUE(fs::exists(dir / "out" / (f.stem().string() + ".pdf"))) << f;
    EXPECT_EQ(Pages(dir / "out/Import_supports.pdf"), 1);
    // One page a section of the demo: the journal is one page wide.
    EXPECT_EQ(Pages(dir / "out/demo_en.pdf"), 3);
    EXPECT_EQ(Pages(dir / "out/demo_ru.pdf"), 3);
    const long pages = Pages(dir / "out/long_en.pdf");
    EXPECT_GE(pages, 2);
    std::string output;
    if (RunCommand("command -v pdftotext", output) != 0)
        return;
    for (long page = 1; page <= pages; ++page) {
        SCOPED_TRACE("page " + std::to_string(page));
        output.clear();
        ASSERT_EQ(RunCommand("pdftotext -f " + std::to_string(page) + " -l " + std::to_string(page)
                                 + " " + Quoted(dir / "out/long_en.pdf") + " -",
                             output),
                  0);
        EXPECT_NE(output.find("Equivalent"), std::string::npos) << output.substr(0, 300);
        // The footer names the section and counts the pages.
        EXPECT_NE(output.find("Section "), std::string::npos);
        EXPECT_NE(output.find("page " + std::to_string(page) + " of"), std::string::npos);
    }
}

TEST(JournalInterop, TheStartingWorkbookSavedAgainByLibreOfficeStillImports)
{
    if (!HaveSoffice())
        GTEST_SKIP() << "soffice is not installed";
    vartesk::test::TScratchDir dir;
    Convert(dir.Path(), "xls:MS Excel 97", {kForms / "Import_supports.xls"});
    std::string output;
    const fs::path project = dir / "imported.vsk";
    ASSERT_EQ(RunCommand(std::string(VARTESK_CLI) + " import xls "
                             + Quoted(dir / "out/Import_supports.xls") + " -o " + Quoted(project),
                         output),
              0)
        << output;
    EXPECT_NE(output.find(": 1 section, 5 supports"), std::string::npos) << output;
    vartesk::TProject imported;
    vartesk::LoadProjectFile(project, imported);
    ASSERT_EQ(imported.Parcels.Count(), 1);
    EXPECT_EQ(imported.Parcels.Get(0).Name, "Участок 1");
    EXPECT_EQ(imported.Parcels.Get(0).Pillars.Get(2).Prolet, 245.5);
    EXPECT_EQ(imported.Parcels.Get(0).Pillars.Get(4).Shifr.str(), "У110-2");
}
