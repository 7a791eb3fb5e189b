// The damper workbook read back by python3-xlrd and checked cell by cell against the dampers
// arrays of `vartesk calc --format json` of the same project, in both languages and both unit
// systems.
#include "model/project.h"
#include "model/projectfile/project_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace vartesk;
using vartesk::test::TScratchDir;

namespace {

const std::filesystem::path kBin = std::filesystem::path(VARTESK_CLI).parent_path();
const std::filesystem::path kShippedCatalog = kBin / "base_provod.dat";

std::string Facts(const TProject &project, bool kN)
{
    std::string out
        = std::string("{\"force_factor\": ") + (kN ? "0.01" : "1") + ", \"multipliers\": {";
    bool first = true;
    for (const auto &p : project.Parcels) {
        if (!p->HasVMCalc())
            continue;
        const int wire = p->KindP != 0 ? 1 : p->CntCircuitry * p->CntWires * 3;
        const int cord = p->KindT != 0 ? 1 : p->CntRopes;
        out += std::string(first ? "" : ", ") + "\"" + p->Name + "\": [" + std::to_string(wire)
            + ", " + std::to_string(cord) + "]";
        first = false;
    }
    return out + "}}";
}

} // namespace

TEST(DamperReadByXlrd, EveryBlockSpanAndTallyOfBothExamplesIsWhatTheCalculationGives)
{
    TScratchDir dir;
    int checked = 0;
    // The northern example brings the northern tables, an optical ground wire and a section
    // whose wire is left out.
    for (const char *example : {"demo.vsk", "north-opgw.vsk"})
        for (const char *lang : {"en", "ru"})
            for (const char *units : {"daN", "kN"}) {
                SCOPED_TRACE(std::string(example) + " " + lang + " " + units);
                const std::filesystem::path demo
                    = std::filesystem::path(VARTESK_SOURCE_DIR) / "examples" / example;
                TProject project;
                LoadProjectFile(demo, project);
                const std::string global = std::string(" --lang ") + lang + " --units " + units
                    + " --catalog " + test::ShellQuoted(kShippedCatalog) + " ";
                std::string output;
                ASSERT_EQ(test::RunCommand("(" + std::string(VARTESK_CLI) + global + "calc "
                                               + test::ShellQuoted(demo) + " --format json > "
                                               + test::ShellQuoted(dir / "calc.json")
                                               + " 2>/dev/null)",
                                           output),
                          0)
                    << output;
                test::WriteAll(dir / "facts.json", Facts(project, std::string(units) == "kN"));
                const auto report = dir / "dampers.xls";
                output.clear();
                ASSERT_EQ(test::RunCommand(std::string(VARTESK_CLI) + global + "report dampers "
                                               + test::ShellQuoted(demo) + " -o "
                                               + test::ShellQuoted(report) + " --yes",
                                           output),
                          0)
                    << output;
                output.clear();
                const int rc = test::RunCommand(
                    "/usr/bin/python3 " VARTESK_TEST_DATA "/damper_check.py "
                        + test::ShellQuoted(report) + " " + test::ShellQuoted(dir / "calc.json")
                        + " " + test::ShellQuoted(dir / "facts.json"),
                    output);
                if (rc == 77)
                    continue;
                EXPECT_EQ(rc, 0) << output;
                ++checked;
            }
    if (checked == 0)
        GTEST_SKIP() << "python3-xlrd is not installed";
}
