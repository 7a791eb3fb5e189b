// The modal windows of the user port.
#include "ui/qt_app_dialogs.h"

#include "ui/app_windows.h"
#include "ui/catalog_window_widget.h"
#include "ui/curves_window.h"
#include "ui/guide_window.h"
#include "ui/scheme_preview.h"

#include <QApplication>

namespace vartesk::ui {

namespace {

// A dialog opened from another window (the catalog's entry dialog, the section editor's
// catalog) sits over that one.
QWidget *Over(QWidget *parent)
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    return parent;
}

} // namespace

bool TQtAppDialogs::AskSaveProject()
{
    return ExecSavePrompt(Over(Parent));
}

bool TQtAppDialogs::ShowSectionEditor(TFormParcel &editor)
{
    return ExecSectionEditor(editor, *Port, Over(Parent));
}

bool TQtAppDialogs::ShowSupportEditor(TFormPillar &editor)
{
    return ExecSupportEditor(editor, Port->Messages, Over(Parent));
}

bool TQtAppDialogs::ShowSectionDampers(TFormParcelVM &dialog)
{
    return ExecSectionDampers(dialog, Over(Parent));
}

std::optional<TWireRecord> TQtAppDialogs::SelectFromCatalog(TFormWiresBase &catalog)
{
    return ExecCatalogSelection(catalog, *Port, Over(Parent));
}

void TQtAppDialogs::ShowCatalog(TFormWiresBase &catalog)
{
    TCatalogWindow *window = ShowCatalogWindow(catalog, *Port, Parent);
    // The window is kept between showings: connected once for each.
    QObject::disconnect(window, &TCatalogWindow::Reloaded, nullptr, nullptr);
    if (CatalogReloaded)
        QObject::connect(window, &TCatalogWindow::Reloaded, window, CatalogReloaded);
}

bool TQtAppDialogs::ShowWireEntry(TFormWiresEdit &dialog)
{
    return ExecWireEntry(dialog, Port->Messages, Over(Parent));
}

std::optional<TLanguage> TQtAppDialogs::ChooseLanguage(TLanguage current)
{
    return ExecLanguageDialog(current, Over(Parent));
}

std::optional<TUnitSystem> TQtAppDialogs::ChooseUnits(TUnitSystem current)
{
    return ExecUnitsDialog(current, Over(Parent));
}

void TQtAppDialogs::ShowAbout()
{
    ShowAboutWindow(Parent);
}

void TQtAppDialogs::ShowCurves(const TProject &project,
                               const TWiresList &catalog,
                               const std::filesystem::path &projectFile,
                               int section)
{
    ShowCurvesWindow(project, catalog, projectFile, section, Parent);
}

void TQtAppDialogs::ShowGuide(const std::string &markdown)
{
    ShowGuideWindow(Parent, markdown);
}

void TQtAppDialogs::ShowScheme(TDrawing drawing)
{
    ShowSchemeWindow(Parent, std::move(drawing));
}

} // namespace vartesk::ui
