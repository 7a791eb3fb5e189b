// The modal windows of the application as Qt dialogs: one entry point per window, each bound to
// its state object in the application layer. The dialogs hold no rule of their own.
#pragma once

#include "app/app_port.h"
#include "catalog/wire_record.h"

#include <optional>

class QWidget;

namespace vartesk::ui {

class TCatalogWindow;

// The section editor; OK runs editor.Accept and closes only when it gives true. Its catalog
// buttons open the catalog through `port`. True when closed with OK.
bool ExecSectionEditor(TFormParcel &editor, TAppPort &port, QWidget *parent);
// The support editor; OK runs editor.Accept and closes either way. True when Accept gave true.
bool ExecSupportEditor(TFormPillar &editor, TMessages &messages, QWidget *parent);
// The per-section damper dialog. True on OK.
bool ExecSectionDampers(TFormParcelVM &dialog, QWidget *parent);
// The catalog window in selection mode, modal: the chosen record, nothing on Cancel.
std::optional<TWireRecord>
ExecCatalogSelection(TFormWiresBase &catalog, TAppPort &port, QWidget *parent);
// The catalog window in editing mode, modeless: shown (or raised) and returns at once, giving
// the window.
TCatalogWindow *ShowCatalogWindow(TFormWiresBase &catalog, TAppPort &port, QWidget *parent);
// The catalog entry dialog; OK runs dialog.Accept and closes only when it gives true.
bool ExecWireEntry(TFormWiresEdit &dialog, TMessages &messages, QWidget *parent);
// The language and units dialogs: the choice on OK.
std::optional<TLanguage> ExecLanguageDialog(TLanguage current, QWidget *parent);
std::optional<TUnitSystem> ExecUnitsDialog(TUnitSystem current, QWidget *parent);
// The about window, modeless; a click on it closes it.
void ShowAboutWindow(QWidget *parent);
// The save prompt: true for OK.
bool ExecSavePrompt(QWidget *parent);

} // namespace vartesk::ui
