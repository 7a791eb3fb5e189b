// The results panel in the main window: what it shows of the current section, and when it
// shows it again.
#include "app/main_window.h"
#include "catalog/wires_list.h"
#include "l10n/folders.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "test_support.h"
#include "ui/catalog_window_widget.h"
#include "ui/main_window_widget.h"
#include "ui/results_view.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>

#include <gtest/gtest.h>

using namespace vartesk;
using namespace vartesk::ui;

namespace {

const std::filesystem::path kDemo
    = std::filesystem::path(VARTESK_SOURCE_DIR) / "examples" / "demo.vsk";

class ResultsPanel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", (Dir.Path() / "config").c_str(), 1);
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
        UseUnitSystem(TUnitSystem::DaN);
        (void)Catalog.LoadFromFile(ProgramFolder() / "base_provod.dat");
        Window = std::make_unique<TMainWindowWidget>(Catalog);
        Window->State().Start();
        Window->resize(1500, 860);
        Window->show();
        ASSERT_TRUE(Window->State().OpenProjectFile(kDemo));
        Window->State().Navigate(TPage::Sections);
        Window->Refresh();
    }
    void TearDown() override { UseUnitSystem(TUnitSystem::DaN); }

    QStringList Rows() const
    {
        QStringList rows;
        for (int r = 0; r < Window->ResultsGrid()->model()->rowCount(); ++r)
            rows << Window->ResultsGrid()->RowText(r);
        return rows;
    }

    test::TScratchDir Dir;
    TWiresList Catalog;
    std::unique_ptr<TMainWindowWidget> Window;
};

} // namespace

TEST_F(ResultsPanel, ShowsTheCurrentSectionBesideItsSupports)
{
    const auto folder = std::filesystem::path(VARTESK_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(folder);
    QApplication::processEvents();
    Window->grab().save(QString::fromStdString((folder / "main-window-results.png").string()));

    const TSectionResults *r = Window->State().CurrentResults();
    ASSERT_NE(r, nullptr);
    const TShownStrainSection &first = r->ShownWire.StrainSections.at(0);
    const QStringList rows = Rows();
    ASSERT_GT(rows.size(), 6);
    EXPECT_EQ(rows[0], QString::fromStdString(r->ShownWire.Title));
    EXPECT_EQ(rows[1], "Strain section " + QString::fromStdString(first.Label));
    QString tension = "Tension, daN | ";
    for (const std::string &t : first.Tension)
        tension += " | " + QString::fromStdString(t);
    EXPECT_TRUE(rows.contains(tension)) << tension.toStdString();
    EXPECT_TRUE(rows.contains(QString::fromStdString(r->ShownCord.Title)));

    // The panel can be hidden and shown again from the Calculation menu.
    QAction *toggle = Window->ResultsPanel()->toggleViewAction();
    toggle->trigger();
    EXPECT_FALSE(Window->ResultsPanel()->isVisible());
    toggle->trigger();
    EXPECT_TRUE(Window->ResultsPanel()->isVisible());
}

TEST_F(ResultsPanel, AStrainSectionThatCannotBeCalculatedShowsWhyInItsPlace)
{
    // Equal limits leave the wire without a governing state: the calculation's warning goes
    // into the panel, not into a box (a box would hold the test here).
    TParcel &section = Window->State().Project.Parcels.Get(0);
    section.Napr_srg = section.Napr_max;
    Window->Refresh();
    const QStringList rows = Rows();
    ASSERT_GT(rows.size(), 3);
    EXPECT_EQ(rows[1], "Strain section 1-2");
    EXPECT_TRUE(rows[2].contains("calculation is impossible")) << rows[2].toStdString();
    EXPECT_EQ(rows[3], "Strain section 2-6");
}

TEST_F(ResultsPanel, AnEditOfTheCatalogShowsAtOnce)
{
    const QString before = Rows().at(5);
    Window->Execute(TCommand::WiresGuide);
    TCatalogWindow *catalog = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *c = qobject_cast<TCatalogWindow *>(w))
            catalog = c;
    ASSERT_NE(catalog, nullptr);
    Catalog.GetRef(Catalog.IndexOfName("АС120/19")).Weight *= 1.2;
    catalog->Reload(); // as after each of its commands
    EXPECT_NE(Rows().at(5), before) << "the tensions of the heavier wire";
    catalog->close();
}
