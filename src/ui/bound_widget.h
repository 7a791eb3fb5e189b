// A page of the main window bound to its state object in the application layer: every edit
// goes straight into the state; Reload shows the state again, Retranslate its captions.
#pragma once

#include <QWidget>

namespace vartesk::ui {

class TBoundWidget : public QWidget
{
public:
    using QWidget::QWidget;
    // Shows the state object's values (after the main window reloaded it from the project).
    virtual void Reload() = 0;
    // Sets every caption from the string table in the current language and units.
    virtual void Retranslate() = 0;
};

} // namespace vartesk::ui
