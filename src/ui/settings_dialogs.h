// The language and units dialogs: the two settings a person chooses.
#pragma once

#include "l10n/language.h"
#include "l10n/units.h"

#include <QDialog>

class QRadioButton;

namespace vartesk::ui {

// Captioned in both languages at once, so that it reads whatever the current one is.
class TLanguageDialog final : public QDialog
{
    Q_OBJECT

public:
    TLanguageDialog(TLanguage current, QWidget *parent);

    TLanguage Choice() const;
    QRadioButton &Option(TLanguage language) const;

private:
    QRadioButton *English;
    QRadioButton *Russian;
};

// Captioned from the string table in the current language when it is made.
class TUnitsDialog final : public QDialog
{
    Q_OBJECT

public:
    TUnitsDialog(TUnitSystem current, QWidget *parent);

    TUnitSystem Choice() const;
    QRadioButton &Option(TUnitSystem system) const;

private:
    QRadioButton *DaN;
    QRadioButton *KN;
};

} // namespace vartesk::ui
