// String table, language and unit settings, and the settings file.
#include "base/file_io.h"
#include "base/file_limits.h"
#include "base/split_by_char.h"
#include "l10n/folders.h"
#include "l10n/language.h"
#include "l10n/localization.h"
#include "l10n/settings.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace vartesk;
using ::testing::StartsWith;
using ::testing::ThrowsMessage;

namespace {

// Points the settings file at a fresh folder for one test.
class Localization : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::setenv("XDG_CONFIG_HOME", Dir.Path().c_str(), 1);
        ClearStrings();
    }
    void TearDown() override
    {
        UseLanguage(TLanguage::Russian);
        UseUnitSystem(TUnitSystem::DaN);
        ClearStrings();
    }
    std::string SettingsText() { return test::ReadAll(SettingsFile()); }
    test::TScratchDir Dir;
};

} // namespace

TEST_F(Localization, TableHoldsEveryKeyWithTwoTexts)
{
    RegisterAllStrings();
    EXPECT_EQ(StringCount(), 511u);
    for (const char *key : {"Wait",
                            "Cancel",
                            "OSSС",
                            "On_the_tracе",
                            "There is no force",
                            "Error_data_entry",
                            "Wire_not_found",
                            "Tension_N",
                            "Linear_coef"}) {
        UseLanguage(TLanguage::English);
        EXPECT_FALSE(LocalString(key).empty()) << key;
        UseLanguage(TLanguage::Russian);
        EXPECT_FALSE(LocalString(key).empty()) << key;
    }
    UseLanguage(TLanguage::English);
    EXPECT_EQ(LocalString("Error_data_entry"), "Error data entry");
    EXPECT_EQ(LocalString("Deleting_sector"),
              "Deleting the sector will cause deleting the supports entered for the sector.\r\n"
              "Are you sure you would like to delete the sector?");
    UseLanguage(TLanguage::Russian);
    EXPECT_EQ(LocalString("Wire_not_found"), "Не найден провод %s.");
}

// The section editor's key names are crossed (`Tension` names the stresses tab); the texts
// must not be: a stress is "напряжение" and a tension "тяжение" in both languages' words.
TEST_F(Localization, StressAndTensionCaptionsSayTheSameInBothLanguages)
{
    RegisterAllStrings();
    const struct
    {
        const char *Key;
        const char *English;
        const char *Russian;
    } captions[] = {
        {"Tension", "Stress", "Напряжение"},
        {"Stress", "Tension", "Тяжение"},
        {"Max_perm_tens", "Maximum permissible stress", "Максимальное допускаемое напряжение"},
        {"Tension_aver_temp",
         "Stress at average annual temperature",
         "Напряжение при среднегодовой температуре"},
        {"Max_stress", "Maximum permissible tension", "Максимальное допускаемое тяжение"},
        {"Stress_aver_temp",
         "Tension at average annual temperature",
         "Тяжение при среднегодовой температуре"},
    };
    for (const auto &c : captions) {
        UseLanguage(TLanguage::English);
        EXPECT_EQ(LocalString(c.Key), c.English) << c.Key;
        UseLanguage(TLanguage::Russian);
        EXPECT_EQ(LocalString(c.Key), c.Russian) << c.Key;
    }
}

TEST_F(Localization, KeysMatchWithoutRegardToCase)
{
    RegisterString("Cancel", "Cancel;Отмена");
    UseLanguage(TLanguage::English);
    EXPECT_EQ(LocalString("Cancel"), "Cancel");
    EXPECT_EQ(LocalString("CANCEL"), "Cancel");
    UseLanguage(TLanguage::Russian);
    EXPECT_EQ(LocalString("cancel"), "Отмена");
    EXPECT_EQ(LocalString("never_registered"), "");
    RegisterString("CANCEL", "Abort;Прервать");
    EXPECT_EQ(LocalString("Cancel"), "Прервать");
    RegisterString("Cancel", "");
    EXPECT_EQ(LocalString("Cancel"), "");
}

TEST_F(Localization, AnEscapedSemicolonBelongsToTheText)
{
    RegisterString("Kept", "a\\; b;а\\; б\\;");
    UseLanguage(TLanguage::English);
    EXPECT_EQ(LocalString("Kept"), "a; b");
    UseLanguage(TLanguage::Russian);
    EXPECT_EQ(LocalString("Kept"), "а; б;");
}

TEST_F(Localization, FirstRunStoresBothSettings)
{
    InitLocalization();
    EXPECT_EQ(ReadSetting("Language"), 1);
    EXPECT_EQ(ReadSetting("Units"), 0);
    EXPECT_FALSE(IsEnglish());
    EXPECT_EQ(LocalString("Wait"), "Ждите...");
    EXPECT_EQ(SettingsText(), "[Param]\nLanguage=1\nUnits=0\n");
}

TEST_F(Localization, BadStoredValuesGiveTheDefaults)
{
    std::filesystem::create_directories(SettingsFile().parent_path());
    test::WriteAll(SettingsFile(), "[Other]\nLanguage=0\n[Param]\nLanguage=7\nUnits=kN\n");
    InitLocalization();
    EXPECT_EQ(CurrentLanguage(), TLanguage::Russian);
    EXPECT_EQ(UnitSystem(), TUnitSystem::DaN);
    EXPECT_EQ(ReadSetting("Language"), 1);
    // Other sections of the file survive the rewrite.
    EXPECT_NE(SettingsText().find("[Other]\nLanguage=0\n"), std::string::npos);

    SetLanguage(TLanguage::English);
    SetUnitSystem(TUnitSystem::KN);
    InitLocalization();
    EXPECT_TRUE(IsEnglish());
    EXPECT_EQ(UnitSystem(), TUnitSystem::KN);
}

TEST_F(Localization, AnUnwritableSettingsFileStopsOnlyTheUsersOwnChoice)
{
    WriteSettings({{"Language", 0}, {"Units", 1}});
    EXPECT_EQ(SettingsText(), "[Param]\nLanguage=0\nUnits=1\n");
    InitLocalization();
    EXPECT_EQ(StressFactor(), 10);

    // A folder where the file should be: the program starts all the same, on the defaults.
    std::filesystem::remove(SettingsFile());
    std::filesystem::create_directory(SettingsFile());
    EXPECT_NO_THROW(InitLocalization());
    EXPECT_EQ(CurrentLanguage(), TLanguage::Russian);
    EXPECT_EQ(StressFactor(), 1);
    // A choice the user makes says that it was not stored, and holds for this run.
    EXPECT_THROW(SetLanguage(TLanguage::English), EFileError);
    EXPECT_TRUE(IsEnglish());
    EXPECT_THROW(SetUnitSystem(TUnitSystem::KN), EFileError);
    EXPECT_EQ(StressFactor(), 10);
    EXPECT_THROW(WriteSettings({{"Language", 0}}), EFileError);
    EXPECT_TRUE(std::filesystem::is_directory(SettingsFile()));
}

TEST_F(Localization, ASettingsFileThatCannotBeReadIsNeverOverwritten)
{
    // Too large to read: no writer may replace it by the little it knows.
    std::filesystem::create_directories(SettingsFile().parent_path());
    test::WriteAll(SettingsFile(), "[Param]\nLanguage=0\n");
    std::filesystem::resize_file(SettingsFile(), kMaxSettingsFileBytes + 1);
    InitLocalization(); // on the defaults, silently
    EXPECT_EQ(CurrentLanguage(), TLanguage::Russian);
    RegisterAllStrings();
    UseLanguage(TLanguage::English);
    const auto refused = ThrowsMessage<EFileError>(
        StartsWith("The settings file was not changed, as it could not be read: Cannot read"));
    EXPECT_THAT([] { SetUnitSystem(TUnitSystem::KN); }, refused);
    EXPECT_THAT([] { WriteSettingsSection("Recent", {{"File1", "/a.vsk"}}); }, refused);
    EXPECT_EQ(std::filesystem::file_size(SettingsFile()), kMaxSettingsFileBytes + 1);
}

TEST_F(Localization, UnitFactorsScaleForDisplayOnly)
{
    SetUnitSystem(TUnitSystem::KN);
    EXPECT_EQ(9 * StressFactor(), 90);
    EXPECT_EQ(2700 * ForceFactor(), 27);
    EXPECT_DOUBLE_EQ(27 / ForceFactor(), 2700);
    UseUnitSystem(TUnitSystem::DaN);
    EXPECT_EQ(StressFactor(), 1);
    EXPECT_EQ(ForceFactor(), 1);
    EXPECT_EQ(ReadSetting("Units"), 1); // UseUnitSystem does not store
    // Any stored number other than 0 has the factors of kN, and is written back as kN.
    WriteSettings({{"Units", 5}});
    InitLocalization();
    EXPECT_EQ(StressFactor(), 10);
    EXPECT_EQ(ReadSetting("Units"), 1);
}

TEST_F(Localization, FoldersFollowTheEnvironment)
{
    const std::string saved = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    ::setenv("XDG_DATA_HOME", "/data/x", 1);
    EXPECT_EQ(CommonDataFolder(), std::filesystem::path("/data/x/Morvik/Lorvana/"));
    ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
    EXPECT_EQ(SettingsFile(), Dir.Path() / "Morvik" / "Lorvana" / "settings.ini");
    UseLanguage(TLanguage::English);
    EXPECT_EQ(HelpDocument().filename(), "Qorven_en.pdf");
}

TEST_F(Localization, TheUserGuideLiesWhereTheProgramLooksInTheBuildFolderAsWhenInstalled)
{
    // The tests run from <build>/bin, as the program does; the build copies the guide to the
    // place relative to it that install gives it.
    EXPECT_TRUE(std::filesystem::is_regular_file(UserGuide())) << UserGuide();
    EXPECT_EQ(UserGuide(),
              (ProgramFolder() / "../share/doc/vartesk/user-guide.md").lexically_normal());
    EXPECT_EQ(InstalledDataFolder(), (ProgramFolder() / "../share/vartesk/").lexically_normal());
}
