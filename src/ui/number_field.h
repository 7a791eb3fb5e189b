// Number fields as people type into them: '.' or ',' as the decimal separator, and every
// character or value a field does not take refused with a hint beside the field, never
// dropped without a word. The rules are the application layer's (TNumberRule).
#pragma once

#include "app/editors/number_input.h"

#include <QDoubleSpinBox>
#include <QString>

class QLabel;
class QSpinBox;

namespace vartesk::ui {

// Shows the hint just below the field, inside the field's window, for a few seconds.
void ShowFieldHint(QWidget *field, const QString &text);
// The hint of that window, or null while none was ever shown.
QLabel *FieldHint(const QWidget *window);

// Makes a line edit or spin box judge what is typed into it by the rule: a key that would
// leave a text the rule refuses is not typed and shows the hint; a value out of the rule's
// range shows the hint when the field is left (a spin box then keeps its previous value).
void AttachNumberRule(QWidget *field, const TNumberRule &rule);
// The same for a whole-number spin field: the rule is its range.
void AttachWholeRule(QSpinBox *field);

// Before a dialog's OK takes its fields: false after showing the hint of the first number
// field whose text the rule does not take, which gets the focus.
bool NumberFieldsTaken(QWidget *dialog);

// A spin field for a real under a rule: ',' reads as '.', the rule's decimals are shown, and
// its range bounds what is typed or stepped to. A value outside that range loaded from a
// project is still shown as it is.
class TNumberSpinBox : public QDoubleSpinBox
{
    Q_OBJECT

public:
    // What the spin field can hold at all; the rule narrows what can be typed.
    static constexpr double kUnbounded = 1e9;

    TNumberSpinBox(const TNumberRule &rule, double step, QWidget *parent);

    const TNumberRule &Rule() const { return NumberRule; }

    // The rule's decimals, or the general form with nine significant digits when it has none.
    QString textFromValue(double value) const override;
    double valueFromText(const QString &text) const override;
    QValidator::State validate(QString &text, int &pos) const override;
    void fixup(QString &text) const override;
    void stepBy(int steps) override;

private:
    TNumberRule NumberRule;
};

} // namespace vartesk::ui
