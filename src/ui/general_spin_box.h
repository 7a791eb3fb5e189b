// A spin field for a real that shows it in the general form with up to nine significant digits.
#pragma once

#include <QDoubleSpinBox>

namespace vartesk::ui {

// Text and value go through SpinText and a "."-separated number, whatever the locale, and an
// exponent form such as "1e-05" is both shown and accepted. Its range defaults to what stands
// for "without bounds".
class TGeneralSpinBox final : public QDoubleSpinBox
{
    Q_OBJECT

public:
    static constexpr double kUnbounded = 1e9;

    TGeneralSpinBox(double step, QWidget *parent);

    QString textFromValue(double value) const override;
    double valueFromText(const QString &text) const override;
    QValidator::State validate(QString &text, int &pos) const override;
};

} // namespace vartesk::ui
