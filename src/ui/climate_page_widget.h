// The climate page of the main window: the eight climatic conditions as spin fields.
#pragma once

#include "ui/bound_widget.h"

#include <vector>

class QGroupBox;
class QLabel;

namespace vartesk {
class TFrameKlimat;
}

namespace vartesk::ui {

class TGeneralSpinBox;

// Each field carries the name of its state member as its object name ("Tols", "TMin", ...).
class TClimatePageWidget final : public TBoundWidget
{
    Q_OBJECT

public:
    TClimatePageWidget(TFrameKlimat &state, QWidget *parent);

    void Reload() override;
    void Retranslate() override;

private:
    struct TField
    {
        double TFrameKlimat::*Member;
        QLabel *Caption;
        TGeneralSpinBox *Spin;
        QLabel *Unit;
    };

    TFrameKlimat &State;
    QGroupBox *IceGroup;
    QGroupBox *TemperatureGroup;
    QGroupBox *WindGroup;
    std::vector<TField> Fields; // in the order of the page
};

} // namespace vartesk::ui
