// The curves window: the demo's curves, the value under the pointer, another choice of curves,
// and the export to PNG and SVG.
#include "ui/curves_window.h"

#include "catalog/wires_list.h"
#include "l10n/folders.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/projectfile/project_file.h"
#include "scripted_user.h"
#include "test_support.h"

#include <QComboBox>
#include <QImage>

#include <gtest/gtest.h>

using namespace vartesk;
using namespace vartesk::ui;

// gtest shows Qt's texts as text.
static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

const std::filesystem::path kDemo = std::filesystem::path(VARTESK_SOURCE_DIR) / "examples/demo.vsk";

class CurvesWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
        UseUnitSystem(TUnitSystem::DaN);
        (void)Catalog.LoadFromFile(ProgramFolder() / "base_provod.dat");
        (void)LoadProjectFile(kDemo, Project);
    }
    void TearDown() override
    {
        UseLanguage(TLanguage::Russian);
        RegisterAllStrings();
    }

    TWiresList Catalog;
    TProject Project;
};

} // namespace

TEST_F(CurvesWindow, ShowsTheDemosCurvesAndTellsThePointUnderThePointer)
{
    QWidget main;
    ShowCurvesWindow(Project, Catalog, kDemo, 0, &main);
    ShowCurvesWindow(Project, Catalog, kDemo, 0, &main);
    // One window over the main window, shown again rather than twice.
    ASSERT_EQ(main.findChildren<TCurvesWindow *>().size(), 1);
    TCurvesWindow &window = *main.findChild<TCurvesWindow *>();
    EXPECT_EQ(window.windowTitle(), "Sag and tension curves");
    EXPECT_EQ(window.SectionSelector().count(), 3);
    const TCurveResult &sags = window.State().Current();
    ASSERT_FALSE(sags.Error);
    ASSERT_EQ(sags.Plot.Series.size(), 3u); // the attested spans 3-4, 7-8 and 12-13

    // Beside the point of span 3-4 at +10 C, and well below it.
    const TScenePoint p = window.View().Scene().ToScene(10, sags.Plot.Series[0].Y[10]);
    EXPECT_EQ(window.View().TipAt({p.X + 3, p.Y - 2}), "Span 3-4, 245 m\n+10 °C: 4.44 m");
    EXPECT_EQ(window.View().TipAt({p.X, p.Y + 40}), ""); // the lowest curve

    window.KindSelector().setCurrentIndex(1);
    EXPECT_EQ(window.State().Current().Plot.Series.size(), 4u); // the strain sections
    window.ConductorSelector().setCurrentIndex(1);
    EXPECT_EQ(window.State().Current().Plot.Subtitle,
              "Cord АС70/11: tension against air temperature");

    const auto folder = std::filesystem::path(VARTESK_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(
        window.grab().save(QString::fromStdString((folder / "curves_window.png").string())));
}

TEST_F(CurvesWindow, ExportsPngAndSvgButNeverOverTheProject)
{
    test::TScratchDir dir;
    const std::filesystem::path project = dir / "line.vsk";
    std::filesystem::copy_file(kDemo, project);
    TCurvesWindow window(nullptr);
    window.Open(Project, Catalog, project, 1);
    EXPECT_EQ(window.State().ProposedName(TCurveFile::Png), "line-2-wire-sag.png");

    test::TScriptedUser user;
    user.Targets = {dir / "crossing.png", dir / "crossing.svg", project};
    window.Export(TCurveFile::Png, user, user);
    EXPECT_EQ(window.StatusText().toStdString(), "Written: " + (dir / "crossing.png").string());
    const QImage image(QString::fromStdString((dir / "crossing.png").string()));
    ASSERT_EQ(image.size(), QSize(1920, 1200));
    // The curve of the crossing's span, in the palette's first colour, is on it.
    int curve = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            curve += image.pixelColor(x, y) == QColor(0x1f, 0x77, 0xb4) ? 1 : 0;
    EXPECT_GT(curve, 2000);

    window.Export(TCurveFile::Svg, user, user);
    EXPECT_EQ(test::ReadAll(dir / "crossing.svg").substr(0, 5), "<?xml");

    window.Export(TCurveFile::Png, user, user);
    ASSERT_EQ(user.Told.size(), 1u);
    EXPECT_EQ(user.Told[0],
              "Cannot write " + project.string() + ": it is the project " + project.string()
                  + " that the output is made from.");
    EXPECT_EQ(test::ReadAll(project), test::ReadAll(kDemo));
}
