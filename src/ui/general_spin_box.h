// A spin field for a real that shows it in the general form with up to nine significant digits.
#pragma once

#include "ui/number_field.h"

namespace vartesk::ui {

// Text and value go through SpinText and a number with '.' or ',' whatever the locale, and the
// exponent form it shows ("1.25E-5") can be typed too. Without a rule of its own it takes what
// stands for "without bounds".
class TGeneralSpinBox final : public TNumberSpinBox
{
    Q_OBJECT

public:
    static constexpr TNumberRule kUnboundedRule {.Exponent = true};

    TGeneralSpinBox(double step, QWidget *parent, const TNumberRule &rule = kUnboundedRule)
        : TNumberSpinBox(rule, step, parent)
    { }
};

} // namespace vartesk::ui
