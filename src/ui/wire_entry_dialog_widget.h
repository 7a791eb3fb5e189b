// The catalog entry dialog on screen: one wire, cable or cord entered or changed.
#pragma once

#include "app/editors/wire_entry_dialog.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLineEdit;

namespace vartesk {
class TMessages;
}

namespace vartesk::ui {

// Shows the dialog's state as Load left it; every edit goes straight into it, and OK closes
// only when the state's Accept takes the fields.
class TWireEntryDialog final : public QDialog
{
    Q_OBJECT

public:
    // The numeric fields in screen order.
    enum TNumber { Diameter, Section, Weight, Modulus, ThermalCoef, kNumbers };

    TWireEntryDialog(TFormWiresEdit &dialog, TMessages &messages, QWidget *parent);

    void accept() override;

    QComboBox &GroupList() const { return *Group; }
    QLineEdit &NameField() const { return *Name; }
    QLineEdit &NumberField(TNumber field) const { return *Numbers[size_t(field)]; }

private:
    TFormWiresEdit &State;
    TMessages &Messages;
    QComboBox *Group;
    QLineEdit *Name;
    std::array<QLineEdit *, kNumbers> Numbers {};
};

} // namespace vartesk::ui
