// The language and units dialogs, the about window and the save prompt, driven as a person
// would.
#include "ui/about_window.h"
#include "ui/app_windows.h"
#include "ui/save_prompt.h"
#include "ui/settings_dialogs.h"

#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "modal_driver.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using namespace vartesk;
using namespace vartesk::ui;
using vartesk::test::OnNextModal;

// gtest shows Qt's texts as text.
static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

void Shot(QWidget &window, const char *name)
{
    const auto folder = std::filesystem::path(VARTESK_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(window.grab().save(QString::fromStdString((folder / name).string())));
}

QPushButton &Button(QDialog &dialog, QDialogButtonBox::ButtonRole role)
{
    for (QAbstractButton *button : dialog.findChild<QDialogButtonBox *>()->buttons())
        if (dialog.findChild<QDialogButtonBox *>()->buttonRole(button) == role)
            return *qobject_cast<QPushButton *>(button);
    throw std::runtime_error("no such button");
}

QString BoxTitle(QDialog &dialog)
{
    return dialog.findChild<QGroupBox *>()->title();
}

class SmallDialogs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
    }
    void TearDown() override
    {
        UseLanguage(TLanguage::Russian);
        RegisterAllStrings();
    }
};

} // namespace

TEST_F(SmallDialogs, TheLanguageDialogGivesTheChoiceOnOkAndNothingOnCancel)
{
    OnNextModal<TLanguageDialog>([](TLanguageDialog &d) {
        EXPECT_EQ(d.windowTitle(), "Язык (Language)");
        EXPECT_EQ(d.Option(TLanguage::Russian).text(), "Russian (Русский)");
        EXPECT_TRUE(d.Option(TLanguage::English).isChecked());
        QTest::mouseClick(&d.Option(TLanguage::Russian), Qt::LeftButton);
        Shot(d, "language-dialog.png");
        QTest::mouseClick(&Button(d, QDialogButtonBox::AcceptRole), Qt::LeftButton);
    });
    EXPECT_EQ(ExecLanguageDialog(TLanguage::English, nullptr), TLanguage::Russian);

    OnNextModal<TLanguageDialog>([](TLanguageDialog &d) {
        EXPECT_TRUE(d.Option(TLanguage::Russian).isChecked());
        QTest::mouseClick(&d.Option(TLanguage::English), Qt::LeftButton);
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(ExecLanguageDialog(TLanguage::Russian, nullptr), std::nullopt);
}

TEST_F(SmallDialogs, TheUnitsDialogShowsItsOwnTextsInTheCurrentLanguage)
{
    // The dialog brings its two texts with it, as the window that registers them.
    ClearStrings();
    RegisterStringGroup(kCommon);
    UseLanguage(TLanguage::Russian);
    OnNextModal<TUnitsDialog>([](TUnitsDialog &d) {
        EXPECT_EQ(d.windowTitle(), "Единицы измерения");
        EXPECT_EQ(BoxTitle(d), "Единицы измерения");
        EXPECT_EQ(d.Option(TUnitSystem::DaN).text(),
                  "Напряжения, даН/мм2.   Тяжения, даН.   Модуль упругости, даН/мм2.");
        EXPECT_EQ(Button(d, QDialogButtonBox::RejectRole).text(), "Отмена");
        EXPECT_TRUE(d.Option(TUnitSystem::KN).isChecked());
        Shot(d, "units-dialog.png");
        QTest::mouseClick(&d.Option(TUnitSystem::DaN), Qt::LeftButton);
        QTest::keyClick(&d, Qt::Key_Return);
    });
    EXPECT_EQ(ExecUnitsDialog(TUnitSystem::KN, nullptr), TUnitSystem::DaN);

    UseLanguage(TLanguage::English);
    OnNextModal<TUnitsDialog>([](TUnitsDialog &d) {
        EXPECT_EQ(d.windowTitle(), "Units");
        EXPECT_EQ(d.Option(TUnitSystem::KN).text(),
                  "Tension, N/мм2.   Stress, kN.   Modulus of elasticity, kN/mm2.");
        EXPECT_TRUE(d.Option(TUnitSystem::DaN).isChecked());
        QTest::mouseClick(&Button(d, QDialogButtonBox::RejectRole), Qt::LeftButton);
    });
    EXPECT_EQ(ExecUnitsDialog(TUnitSystem::DaN, nullptr), std::nullopt);
}

TEST_F(SmallDialogs, TheSavePromptAsksInTheCurrentLanguageWithItsTwoFixedButtons)
{
    OnNextModal<TSavePrompt>([](TSavePrompt &d) {
        EXPECT_EQ(d.Text(), "Changes have been done to the project.\nSave the project?");
        EXPECT_EQ(Button(d, QDialogButtonBox::AcceptRole).text(), "ОК");
        EXPECT_EQ(Button(d, QDialogButtonBox::RejectRole).text(), "Отмена");
        QTest::keyClick(&d, Qt::Key_Return);
    });
    EXPECT_TRUE(ExecSavePrompt(nullptr));

    UseLanguage(TLanguage::Russian);
    OnNextModal<TSavePrompt>([](TSavePrompt &d) {
        EXPECT_EQ(d.Text(), "В проекте были сделаны изменения.\nСохранить проект?");
        Shot(d, "save-prompt.png");
        QTest::mouseClick(&Button(d, QDialogButtonBox::RejectRole), Qt::LeftButton);
    });
    EXPECT_FALSE(ExecSavePrompt(nullptr));
}

TEST_F(SmallDialogs, TheAboutWindowIsOneModelessWindowThatAClickCloses)
{
    QWidget owner;
    const auto show = [&owner] {
        ShowAboutWindow("About Program",
                        "Vartesk",
                        "Calculation of mounting stresses and sagging curves\r\nof wires cords, "
                        "self-supporting cables\r\nwith the calculation of loads",
                        "version 0.1.0",
                        &owner);
    };
    const auto shown = [] {
        std::vector<TAboutWindow *> windows;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *about = qobject_cast<TAboutWindow *>(w); about && about->isVisible())
                windows.push_back(about);
        return windows;
    };
    show();
    show();
    const auto windows = shown();
    ASSERT_EQ(windows.size(), 1u);
    TAboutWindow &about = *windows[0];
    EXPECT_FALSE(about.isModal());
    EXPECT_EQ(about.windowTitle(), "About Program");
    EXPECT_EQ(about.Name(), "Vartesk");
    EXPECT_EQ(about.Description(),
              "Calculation of mounting stresses and sagging curves\nof wires cords, "
              "self-supporting cables\nwith the calculation of loads");
    EXPECT_EQ(about.Version(), "version 0.1.0");
    Shot(about, "about-window.png");

    QPointer<TAboutWindow> gone(&about);
    QTest::mouseClick(about.findChild<QLabel *>(), Qt::LeftButton);
    EXPECT_TRUE(shown().empty());
    EXPECT_TRUE(QTest::qWaitFor([&gone] { return gone.isNull(); }, 1000));
}
