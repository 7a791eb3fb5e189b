// The spin field for reals in the general form.
#include "ui/general_spin_box.h"

#include "app/editors/climate_pages.h"
#include "base/number_text.h"

#include <QRegularExpression>

#include <limits>
#include <optional>

namespace vartesk::ui {

TGeneralSpinBox::TGeneralSpinBox(double step, QWidget *parent)
    : QDoubleSpinBox(parent)
{
    // QDoubleSpinBox rounds every value to its decimals; with as many as a double can carry
    // it keeps the value it is given, and the text alone limits the digits shown.
    setDecimals(std::numeric_limits<double>::max_exponent10
                + std::numeric_limits<double>::digits10);
    setRange(-kUnbounded, kUnbounded);
    setSingleStep(step);
}

QString TGeneralSpinBox::textFromValue(double value) const
{
    return QString::fromStdString(SpinText(value));
}

double TGeneralSpinBox::valueFromText(const QString &text) const
{
    return TryParseFloat(text.toStdString()).value_or(value());
}

QValidator::State TGeneralSpinBox::validate(QString &text, int &) const
{
    // What a number can look like while it is being typed.
    static const QRegularExpression partial(R"(^\s*[-+]?[0-9]*\.?[0-9]*(?:[eE][-+]?[0-9]*)?\s*$)");
    if (!partial.match(text).hasMatch())
        return QValidator::Invalid;
    const std::optional<double> parsed = TryParseFloat(text.toStdString());
    if (!parsed || *parsed < minimum() || *parsed > maximum())
        return QValidator::Intermediate;
    return QValidator::Acceptable;
}

} // namespace vartesk::ui
