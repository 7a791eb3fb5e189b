// The language and units dialogs' widgets.
#include "ui/settings_dialogs.h"

#include "l10n/string_table.h"
#include "ui/app_windows.h"
#include "ui/caption_text.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vartesk::ui {

namespace {

// Two choices in a captioned box above OK and Cancel.
QDialogButtonBox *
Lay(QDialog &dialog, const QString &caption, QRadioButton *first, QRadioButton *second)
{
    auto *box = new QGroupBox(caption, &dialog);
    auto *choices = new QVBoxLayout(box);
    choices->addWidget(first);
    choices->addWidget(second);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(box);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return buttons;
}

} // namespace

TLanguageDialog::TLanguageDialog(TLanguage current, QWidget *parent)
    : QDialog(parent)
    , English(new QRadioButton(QStringLiteral("English"), this))
    , Russian(new QRadioButton(QStringLiteral("Russian (Русский)"), this))
{
    const QString caption = QStringLiteral("Язык (Language)");
    setWindowTitle(caption);
    auto *buttons = Lay(*this, caption, English, Russian);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    Option(current).setChecked(true);
    Option(current).setFocus();
}

TLanguage TLanguageDialog::Choice() const
{
    return English->isChecked() ? TLanguage::English : TLanguage::Russian;
}

QRadioButton &TLanguageDialog::Option(TLanguage language) const
{
    return language == TLanguage::English ? *English : *Russian;
}

TUnitsDialog::TUnitsDialog(TUnitSystem current, QWidget *parent)
    : QDialog(parent)
    , DaN(new QRadioButton(this))
    , KN(new QRadioButton(this))
{
    RegisterStringGroup(kUnits);
    const QString caption = CaptionText(LocalString("Units"));
    setWindowTitle(caption);
    DaN->setText(CaptionText(LocalString("Tension_daN")));
    KN->setText(CaptionText(LocalString("Tension_N")));
    auto *buttons = Lay(*this, caption, DaN, KN);
    buttons->button(QDialogButtonBox::Cancel)->setText(CaptionText(LocalString("Cancel")));
    Option(current).setChecked(true);
    Option(current).setFocus();
}

TUnitSystem TUnitsDialog::Choice() const
{
    return DaN->isChecked() ? TUnitSystem::DaN : TUnitSystem::KN;
}

QRadioButton &TUnitsDialog::Option(TUnitSystem system) const
{
    return system == TUnitSystem::DaN ? *DaN : *KN;
}

std::optional<TLanguage> ExecLanguageDialog(TLanguage current, QWidget *parent)
{
    TLanguageDialog dialog(current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}

std::optional<TUnitSystem> ExecUnitsDialog(TUnitSystem current, QWidget *parent)
{
    TUnitsDialog dialog(current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}

} // namespace vartesk::ui
