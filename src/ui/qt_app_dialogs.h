// The modal windows of the user port, shown as the Qt dialogs of app_windows.h.
#pragma once

#include "app/app_port.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace vartesk::ui {

class TQtAppDialogs final : public TAppDialogs
{
public:
    explicit TQtAppDialogs(QWidget *parent)
        : Parent(parent)
    { }
    // The whole port, for the windows that open others (the section editor's catalog button).
    void SetPort(TAppPort *port) { Port = port; }
    // Called whenever the catalog window shows its rows again, after each of its commands.
    void OnCatalogReloaded(std::function<void()> reloaded)
    {
        CatalogReloaded = std::move(reloaded);
    }

    bool AskSaveProject() override;
    bool ShowSectionEditor(TFormParcel &editor) override;
    bool ShowSupportEditor(TFormPillar &editor) override;
    bool ShowSectionDampers(TFormParcelVM &dialog) override;
    std::optional<TWireRecord> SelectFromCatalog(TFormWiresBase &catalog) override;
    void ShowCatalog(TFormWiresBase &catalog) override;
    bool ShowWireEntry(TFormWiresEdit &dialog) override;
    std::optional<TLanguage> ChooseLanguage(TLanguage current) override;
    std::optional<TUnitSystem> ChooseUnits(TUnitSystem current) override;
    void ShowAbout() override;
    void ShowScheme(TDrawing drawing) override;
    void ShowGuide(const std::string &markdown) override;
    void ShowCurves(const TProject &project,
                    const TWiresList &catalog,
                    const std::filesystem::path &projectFile,
                    int section) override;

private:
    QPointer<QWidget> Parent;
    TAppPort *Port = nullptr;
    std::function<void()> CatalogReloaded;
};

} // namespace vartesk::ui
