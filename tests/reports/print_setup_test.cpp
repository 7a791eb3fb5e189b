// What every report prints: its caption rows on every page, a footer that names the section
// as written (not the sheet's sanitised name), and journal notes kept inside their column.
#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"
#include "reports/damper_report.h"
#include "reports/journal_report.h"
#include "reports/sagging_report.h"
#include "reports/stringing_report.h"
#include "scripted_user.h"
#include "test_sections.h"
#include "test_support.h"
#include "test_wires.h"
#include "xls/xls_file.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vartesk;

namespace {

const std::filesystem::path kForms = VARTESK_BINARY_DIR "/bin/Forms";

using TWrite = std::function<TReportOutcome(
    TProject &, const TWiresList &, const std::filesystem::path &, test::TScriptedUser &)>;

TWrite Stringing(TStringingReport report)
{
    return [report](TProject &p, const TWiresList &l, const auto &t, test::TScriptedUser &u) {
        return WriteStringingReport(report, p, l, kForms, t, u);
    };
}

} // namespace

TEST(PrintSetup, SectionSheetsRepeatTheirCaptionsAndNameTheSectionInTheFooter)
{
    RegisterAllStrings();
    UseUnitSystem(TUnitSystem::DaN);
    const struct
    {
        const char *Name;
        TWrite Write;
        int FirstRow, LastRow; // 1-based, as the forms name them
    } reports[] = {
        {"mount1", Stringing(TStringingReport::Form1), 20, 22},
        {"mount3", Stringing(TStringingReport::Form1Full), 20, 22},
        {"mount2", Stringing(TStringingReport::Form2), 24, 25},
        {"loads", Stringing(TStringingReport::Loads), 24, 27},
        {"journal",
         [](TProject &p, const TWiresList &l, const auto &t, test::TScriptedUser &u) {
             return WriteJournal(p, l, kForms, t, u);
         },
         1,
         2},
        {"dampers",
         [](TProject &p, const TWiresList &l, const auto &t, test::TScriptedUser &u) {
             return WriteDamperReport(p, l, kForms, t, u);
         },
         5,
         5},
        {"sagging",
         [](TProject &p, const TWiresList &l, const auto &t, test::TScriptedUser &u) {
             return WriteSaggingReport(p, l, kForms, t, u);
         },
         5,
         6},
    };
    const TWiresList catalog = test::TestCatalog();
    test::TScratchDir out;
    for (const TLanguage language : {TLanguage::English, TLanguage::Russian}) {
        UseLanguage(language);
        for (const auto &r : reports) {
            SCOPED_TRACE(r.Name);
            TProject project;
            project.VMData.IsVibroMuffles = true;
            for (const char *name : {"a/b", "R&D"}) {
                TParcel &p = test::AddTestSection(project, name, {{0, 250}, {1, 240}, {0, 0}});
                p.IsVMCalcProvod = true;
                p.Pillars.Get(0).Coment = "a long note past its column";
            }
            test::TScriptedUser user;
            const auto target = out / (std::string(r.Name) + ".xls");
            ASSERT_TRUE(r.Write(project, catalog, target, user).Written);
            xls::TXLSFile file;
            file.OpenFile(target);
            for (int s = 0; s < 2; ++s) {
                const xls::TPageSetup &ps = file.Sheets().Item(s).PageSetup;
                ASSERT_TRUE(ps.TitleRows);
                EXPECT_EQ(*ps.TitleRows, std::make_pair(r.FirstRow - 1, r.LastRow - 1));
                const std::string escaped = s == 0 ? "a/b" : "R&&D";
                EXPECT_EQ(ps.Footer.Center,
                          language == TLanguage::English
                              ? "Section " + escaped + " — page &P of &N"
                              : "Участок " + escaped + " — страница &P из &N");
            }
            if (std::string(r.Name) == "journal") {
                const xls::TCell note = file.Sheets().Item(0).Cells().Item(2, 8); // I3
                EXPECT_EQ(note.Value().AsText(), "a long note past its column");
                EXPECT_EQ(xls::TXF::kWrap.Get(note.Format().Align), 1u);
            }
        }
    }
}
