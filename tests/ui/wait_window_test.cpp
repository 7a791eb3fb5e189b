// The wait window: caption, text and bar, shown at once and gone when the command ends.
#include "ui/wait_window.h"

#include "l10n/language.h"
#include "l10n/string_table.h"

#include <QProgressBar>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

using namespace vartesk;
using namespace vartesk::ui;

namespace {

class WaitWindow : public ::testing::Test
{
protected:
    void SetUp() override { RegisterString("Wait", "Wait...;Ждите..."); }
    void TearDown() override
    {
        UseLanguage(TLanguage::Russian);
        ClearStrings();
    }
};

} // namespace

TEST_F(WaitWindow, ShowsItsTextAndAdvancesStepByStepUpToTheWhole)
{
    UseLanguage(TLanguage::English);
    TFormWait wait;
    wait.Begin("Port to Excel", 3);
    EXPECT_TRUE(wait.isVisible());
    // Painted before Begin returns: the command that follows holds the event loop.
    ASSERT_NE(wait.windowHandle(), nullptr);
    EXPECT_TRUE(wait.windowHandle()->isExposed());
    EXPECT_EQ(wait.windowTitle(), "Wait...");
    EXPECT_EQ(wait.Text(), "Port to Excel");
    EXPECT_FALSE(wait.Bar().isHidden());
    EXPECT_EQ(wait.Bar().maximum(), 3);
    EXPECT_EQ(wait.Bar().value(), 0);
    wait.Step();
    wait.Step();
    EXPECT_EQ(wait.Bar().value(), 2);

    const auto shots = std::filesystem::path(VARTESK_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    EXPECT_TRUE(wait.grab().save(QString::fromStdString((shots / "wait-window.png").string())));

    wait.Step();
    wait.Step();
    EXPECT_EQ(wait.Bar().value(), 3);
    wait.End();
    EXPECT_FALSE(wait.isVisible());
}

TEST_F(WaitWindow, ANewBeginStartsAgainAndZeroStepsShowNoBar)
{
    UseLanguage(TLanguage::Russian);
    TFormWait wait;
    wait.Begin("Вывод в Excel", 5);
    wait.Step();
    wait.Begin("Вывод в CAD", 0);
    EXPECT_EQ(wait.windowTitle(), "Ждите...");
    EXPECT_EQ(wait.Text(), "Вывод в CAD");
    EXPECT_TRUE(wait.Bar().isHidden());
    wait.Begin("Вывод в Excel", 4);
    EXPECT_FALSE(wait.Bar().isHidden());
    EXPECT_EQ(wait.Bar().value(), 0);
    EXPECT_EQ(wait.Bar().maximum(), 4);
    wait.End();
}

TEST_F(WaitWindow, GoesAwayWhenTheCommandFails)
{
    TFormWait wait;
    try {
        TWaitScope scope(wait, "Port to Excel", 2);
        scope.Step();
        throw std::runtime_error("Error data entry");
    } catch (const std::runtime_error &) { }
    EXPECT_FALSE(wait.isVisible());
}
