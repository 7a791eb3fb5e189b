// The pages of the main window that edit the project's climate, coefficients and damper inputs.
#pragma once

#include "ui/bound_widget.h"

#include <functional>

namespace vartesk {
class TFrameKlimat;
class TFrameKlimatKoef2;
class TFrameVibroMuffles;
} // namespace vartesk

namespace vartesk::ui {

TBoundWidget *NewClimatePage(TFrameKlimat &state, QWidget *parent);
TBoundWidget *NewCoefficientPage(TFrameKlimatKoef2 &state, QWidget *parent);
// The damper page with its section list: `selected` on a click on a row, `activated` on a
// double click (the main window then opens the per-section dialog and reloads the page).
TBoundWidget *NewDamperPage(TFrameVibroMuffles &state,
                            std::function<void(int row)> selected,
                            std::function<void(int row)> activated,
                            QWidget *parent);

} // namespace vartesk::ui
