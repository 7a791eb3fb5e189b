// The scheme of the demo project, in both languages and unit systems, against its golden files
// (reviewed once as a picture; UPDATE_GOLDEN=1 rewrites them).
#include "catalog/wires_list.h"
#include "dxf_listing.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"
#include "model/projectfile/project_file.h"
#include "reports/line_scheme.h"
#include "scripted_user.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace vartesk;

namespace {

const std::filesystem::path kDemo = std::filesystem::path(VARTESK_SOURCE_DIR) / "examples/demo.vsk";
const std::filesystem::path kShippedCatalog
    = std::filesystem::path(VARTESK_BINARY_DIR) / "bin" / "base_provod.dat";
const std::filesystem::path kGolden = std::filesystem::path(VARTESK_TEST_DATA) / "golden";

} // namespace

TEST(SchemeGolden, DemoInBothLanguagesAndUnitSystems)
{
    RegisterAllStrings();
    TWiresList catalog;
    ASSERT_TRUE(catalog.LoadFromFile(kShippedCatalog).empty());
    for (const TLanguage language : {TLanguage::English, TLanguage::Russian})
        for (const TUnitSystem units : {TUnitSystem::DaN, TUnitSystem::KN}) {
            const std::string name = std::string("scheme_demo_")
                + (language == TLanguage::English ? "en" : "ru") + "_"
                + (units == TUnitSystem::DaN ? "daN" : "kN") + ".dxf";
            SCOPED_TRACE(name);
            UseLanguage(language);
            UseUnitSystem(units);
            TProject project;
            ASSERT_TRUE(LoadProjectFile(kDemo, project).empty());
            test::TScratchDir dir;
            test::TScriptedUser user;
            const TSchemeOutcome outcome = ExportScheme(project, catalog, dir / name, user);
            ASSERT_TRUE(outcome.Written);
            EXPECT_TRUE(outcome.Complete);
            EXPECT_TRUE(user.Told.empty()) << user.Told.front();
            const std::string bytes = test::ReadAll(dir / name);
            test::ExpectGolden(kGolden / name, bytes);
            test::ExpectEzdxfListing(dir / name, test::DxfListing(bytes));
        }
    UseLanguage(TLanguage::English);
    UseUnitSystem(TUnitSystem::DaN);
}
