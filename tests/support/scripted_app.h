// TScriptedApp: the application's user port for tests. Each modal window runs the next step
// of its script, a function that does to the window's state what a person would and gives
// how the window was closed; a window nobody scripted fails the test.
#pragma once

#include "app/app_port.h"
#include "cad/drawing.h"
#include "catalog/wire_record.h"
#include "scripted_user.h"

#include <deque>
#include <functional>
#include <type_traits>

namespace vartesk::test {

class TScriptedApp : public TScriptedUser, public TOpenChooser, public TAppDialogs
{
public:
    template<class T>
    using TScript = std::deque<std::function<T>>;

    std::deque<std::optional<std::filesystem::path>> Opens; // ChooseOpen
    std::deque<bool> SavePrompts; // AskSaveProject
    TScript<bool(TFormParcel &)> SectionEditor;
    TScript<bool(TFormPillar &)> SupportEditor;
    TScript<bool(TFormParcelVM &)> SectionDampers;
    TScript<std::optional<TWireRecord>(TFormWiresBase &)> CatalogSelection;
    TScript<bool(TFormWiresEdit &)> WireEntry;
    std::deque<std::optional<TLanguage>> Languages;
    std::deque<std::optional<TUnitSystem>> Units;
    std::vector<TSaveRequest> OpenRequests; // what each open dialog was asked
    std::vector<TSaveRequest> SaveRequests; // what each save dialog was asked
    int CatalogShown = 0;
    int AboutShown = 0;
    std::vector<TDrawing> Schemes; // the previews shown
    std::string Guide; // the user guide last shown

    std::optional<std::filesystem::path> ChooseOpen(const TSaveRequest &request) override
    {
        Log.push_back("open dialog: " + request.Filter);
        OpenRequests.push_back(request);
        return Next(Opens, "open dialog", std::optional<std::filesystem::path>());
    }
    std::optional<std::filesystem::path> ChooseSave(const TSaveRequest &request) override
    {
        SaveRequests.push_back(request);
        return TScriptedUser::ChooseSave(request);
    }
    bool AskSaveProject() override
    {
        Log.push_back("save prompt");
        return Next(SavePrompts, "save prompt", false);
    }
    bool ShowSectionEditor(TFormParcel &editor) override
    {
        Log.push_back("section editor");
        return Run(SectionEditor, "section editor", editor, false);
    }
    bool ShowSupportEditor(TFormPillar &editor) override
    {
        Log.push_back("support editor");
        return Run(SupportEditor, "support editor", editor, false);
    }
    bool ShowSectionDampers(TFormParcelVM &dialog) override
    {
        Log.push_back("damper dialog");
        return Run(SectionDampers, "damper dialog", dialog, false);
    }
    std::optional<TWireRecord> SelectFromCatalog(TFormWiresBase &catalog) override
    {
        Log.push_back("catalog selection");
        return Run(CatalogSelection, "catalog selection", catalog, std::optional<TWireRecord>());
    }
    void ShowCatalog(TFormWiresBase &) override
    {
        Log.push_back("catalog");
        ++CatalogShown;
    }
    bool ShowWireEntry(TFormWiresEdit &dialog) override
    {
        Log.push_back("wire entry");
        return Run(WireEntry, "wire entry", dialog, false);
    }
    std::optional<TLanguage> ChooseLanguage(TLanguage) override
    {
        Log.push_back("language dialog");
        return Next(Languages, "language dialog", std::optional<TLanguage>());
    }
    std::optional<TUnitSystem> ChooseUnits(TUnitSystem) override
    {
        Log.push_back("units dialog");
        return Next(Units, "units dialog", std::optional<TUnitSystem>());
    }
    void ShowAbout() override
    {
        Log.push_back("about");
        ++AboutShown;
    }
    void ShowCurves(const TProject &,
                    const TWiresList &,
                    const std::filesystem::path &,
                    int section) override
    {
        Log.push_back("curves: " + std::to_string(section + 1));
    }
    void ShowGuide(const std::string &markdown) override
    {
        Log.push_back("guide");
        Guide = markdown;
    }
    void ShowScheme(TDrawing drawing) override
    {
        Log.push_back("scheme");
        Schemes.push_back(std::move(drawing));
    }

    TAppPort App() { return {*this, *this, *this, *this, *this, *this}; }

private:
    template<class T, class D>
    static T Next(std::deque<T> &script, const char *what, D none)
    {
        if (script.empty()) {
            ADD_FAILURE() << "unexpected " << what;
            return T(none);
        }
        T answer = std::move(script.front());
        script.pop_front();
        return answer;
    }
    template<class F, class A, class D>
    static std::invoke_result_t<typename F::value_type &, A &>
    Run(F &script, const char *what, A &arg, D none)
    {
        using TResult = std::invoke_result_t<typename F::value_type &, A &>;
        if (script.empty()) {
            ADD_FAILURE() << "unexpected " << what;
            return TResult(none);
        }
        auto step = std::move(script.front());
        script.pop_front();
        return step(arg);
    }
};

} // namespace vartesk::test
