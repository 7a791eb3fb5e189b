// The application's user port: what the screens ask of a person, grown from the reports' port
// by the open dialog and the modal windows. The desktop program, the tests and any other
// front end implement it; the application layer never talks to a person any other way.
#pragma once

#include "cad/drawing.h"
#include "l10n/language.h"
#include "l10n/units.h"
#include "port/user_port.h"

#include <filesystem>
#include <optional>

namespace vartesk {

class TFormParcel;
class TProject;
class TWiresList;
class TFormPillar;
class TFormParcelVM;
class TFormWiresBase;
class TFormWiresEdit;
struct TWireRecord;

// The open dialog; its request reads like the save dialog's.
class TOpenChooser
{
public:
    virtual ~TOpenChooser() = default;
    // The chosen existing file, or nothing when the person cancels.
    virtual std::optional<std::filesystem::path> ChooseOpen(const TSaveRequest &request) = 0;
};

// The modal windows. Each shows the state object it is given, forwards every edit to it and
// returns when the person closes the window; the state object holds the rules.
class TAppDialogs
{
public:
    virtual ~TAppDialogs() = default;
    // The save prompt: true for OK (save the project), false for Cancel (do not save).
    virtual bool AskSaveProject() = 0;
    // The section editor. OK runs editor.Accept(); the window closes only when it gives true.
    // True when closed with OK, false on Cancel.
    virtual bool ShowSectionEditor(TFormParcel &editor) = 0;
    // The support editor. OK runs editor.Accept(); the window closes either way, and this is
    // true only when Accept gave true.
    virtual bool ShowSupportEditor(TFormPillar &editor) = 0;
    // The per-section damper dialog: true on OK, false on Cancel.
    virtual bool ShowSectionDampers(TFormParcelVM &dialog) = 0;
    // The catalog window in selection mode, modal: the record of the row chosen, nothing on
    // Cancel.
    virtual std::optional<TWireRecord> SelectFromCatalog(TFormWiresBase &catalog) = 0;
    // The catalog window in editing mode, modeless: returns at once.
    virtual void ShowCatalog(TFormWiresBase &catalog) = 0;
    // The catalog entry dialog. OK runs dialog.Accept(); the window closes only when it gives
    // true. True when closed with OK.
    virtual bool ShowWireEntry(TFormWiresEdit &dialog) = 0;
    // The language and units dialogs: the choice on OK, nothing on Cancel.
    virtual std::optional<TLanguage> ChooseLanguage(TLanguage current) = 0;
    virtual std::optional<TUnitSystem> ChooseUnits(TUnitSystem current) = 0;
    // The about window, modeless: returns at once.
    virtual void ShowAbout() = 0;
    // The scheme's preview window, modeless: returns at once.
    virtual void ShowScheme(TDrawing drawing) = 0;
    // The sag and tension curves of the project's section `section` (0-based), modeless;
    // `projectFile` names the exports and is never overwritten by them.
    virtual void ShowCurves(const TProject &project,
                            const TWiresList &catalog,
                            const std::filesystem::path &projectFile,
                            int section)
        = 0;
    // The user guide (Markdown) in a window of the program's own, modeless.
    virtual void ShowGuide(const std::string &markdown) = 0;
};

struct TAppPort
{
    TMessages &Messages;
    TFileChooser &Files;
    TOpenChooser &Open;
    TWaitWindow &Wait;
    TDesktop &Desktop;
    TAppDialogs &Dialogs;

    // The part the reports and the imports take.
    TUserPort User() const { return {Messages, Files, Wait, Desktop}; }
};

} // namespace vartesk
