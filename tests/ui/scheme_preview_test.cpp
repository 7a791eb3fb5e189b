// The scheme preview: what it paints is what the DXF file holds, and it pans and zooms.
#include "ui/scheme_preview.h"

#include "catalog/wires_list.h"
#include "dxf_listing.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"
#include "model/projectfile/project_file.h"
#include "reports/cad_command.h"
#include "reports/line_scheme.h"
#include "scripted_user.h"
#include "test_support.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace vartesk;
using namespace vartesk::ui;

namespace {

const std::filesystem::path kDemo = std::filesystem::path(VARTESK_SOURCE_DIR) / "examples/demo.vsk";
const std::filesystem::path kShippedCatalog
    = std::filesystem::path(VARTESK_BINARY_DIR) / "bin" / "base_provod.dat";

// Where the ink of `image` is (not white), within `within`.
QRect Inked(const QImage &image, QRect within)
{
    QRect ink;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace

TEST(SchemePreview, TheDemoShowsTheEntitiesOfItsDxfFile)
{
    RegisterAllStrings();
    UseLanguage(TLanguage::English);
    UseUnitSystem(TUnitSystem::DaN);
    TWiresList catalog;
    ASSERT_TRUE(catalog.LoadFromFile(kShippedCatalog).empty());
    TProject project;
    ASSERT_TRUE(LoadProjectFile(kDemo, project).empty());

    test::TScratchDir dir;
    test::TScriptedUser exporter;
    TProject exported;
    exported.Assign(project);
    ASSERT_TRUE(ExportScheme(exported, catalog, dir / "demo.dxf", exporter).Complete);
    const std::vector<std::string> file = test::DxfListing(test::ReadAll(dir / "demo.dxf"));

    test::TScriptedUser user;
    TUserPort port = user.Port();
    std::optional<TDrawing> drawing = PreviewScheme(project, catalog, port);
    ASSERT_TRUE(drawing);
    std::unique_ptr<QWidget> window(ShowSchemeWindow(nullptr, std::move(*drawing)));
    EXPECT_TRUE(user.Told.empty()) << user.Told.front();
    EXPECT_EQ(window->windowTitle(), "Scheme preview");
    const auto *preview = window->findChild<TSchemePreview *>();
    ASSERT_NE(preview, nullptr);
    const std::vector<std::string> shown = test::DrawingListing(preview->Drawing());
    EXPECT_GT(shown.size(), 500u);
    EXPECT_EQ(shown, file);
    test::ExpectEzdxfListing(dir / "demo.dxf", shown);

    window->resize(1400, 520);
    QApplication::processEvents();
    const auto shots = std::filesystem::path(VARTESK_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    EXPECT_TRUE(
        window->grab().save(QString::fromStdString((shots / "scheme_preview.png").string())));
}

TEST(SchemePreview, FitsOnOpenPaintsUpwardsAndMovesWithTheMouseAndKeys)
{
    TDrawing drawing;
    drawing.Line({0, 0}, {100, 0}, 7);
    drawing.Text("H", {50, 0}, 10);
    TSchemePreview preview(drawing);
    preview.resize(400, 300);
    preview.show();
    const double fitted = preview.Scale();
    const QPointF origin = preview.ToScreen({0, 0});
    const QPointF end = preview.ToScreen({100, 0});
    EXPECT_TRUE(QRectF(preview.rect()).contains(origin));
    EXPECT_TRUE(QRectF(preview.rect()).contains(end));
    EXPECT_NEAR(end.x() - origin.x(), 100 * fitted, 1e-9);

    // The text stands on the line, a capital as high as its height.
    const QImage image = preview.grab().toImage();
    const QPoint base = preview.ToScreen({50, 0}).toPoint();
    const QRect ink = Inked(image, QRect(base.x() - 2, 0, int(40 * fitted), base.y() - 3));
    EXPECT_NEAR(base.y() - ink.top(), 10 * fitted, 0.15 * 10 * fitted);
    EXPECT_GE(ink.left(), base.x() - 2);

    // The wheel zooms about the pointer; the point under it stays.
    const QPointF at = preview.ToScreen({20, 0});
    QWheelEvent wheel(
        at, preview.mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&preview, &wheel);
    EXPECT_NEAR(preview.Scale(), 1.25 * fitted, 1e-9);
    EXPECT_NEAR(preview.ToScreen({20, 0}).x(), at.x(), 1e-6);
    EXPECT_NEAR(preview.ToScreen({20, 0}).y(), at.y(), 1e-6);

    // A drag moves the drawing with the pointer, and a resize then leaves it where it is.
    const QPointF before = preview.ToScreen({0, 0});
    QTest::mousePress(&preview, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(&preview, QPoint(130, 80));
    QTest::mouseRelease(&preview, Qt::LeftButton, {}, QPoint(130, 80));
    EXPECT_EQ(preview.ToScreen({0, 0}), before + QPointF(30, -20));
    preview.resize(500, 300);
    EXPECT_EQ(preview.ToScreen({0, 0}), before + QPointF(30, -20));

    // Home fits it again.
    preview.resize(400, 300);
    QTest::keyClick(&preview, Qt::Key_Home);
    EXPECT_NEAR(preview.Scale(), fitted, 1e-9);
    EXPECT_EQ(preview.ToScreen({0, 0}), origin);
}
