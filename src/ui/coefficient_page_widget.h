// The coefficient page of the main window: the terrain type, the two heights and the seven
// reliability coefficients.
#pragma once

#include "ui/bound_widget.h"

#include <array>
#include <vector>

class QButtonGroup;
class QGridLayout;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace vartesk {
class TFrameKlimatKoef2;
}

namespace vartesk::ui {

class TGeneralSpinBox;

// Each field carries the name of its state member as its object name ("visotaPC", "V_Otv",
// ...); the terrain choices are "TerrainA", "TerrainB" and "TerrainC".
class TCoefficientPageWidget final : public TBoundWidget
{
    Q_OBJECT

public:
    TCoefficientPageWidget(TFrameKlimatKoef2 &state, QWidget *parent);

    void Reload() override;
    void Retranslate() override;

private:
    struct THeight
    {
        int TFrameKlimatKoef2::*Member;
        QLabel *Caption;
        QSpinBox *Spin;
        QLabel *Unit;
    };
    struct TCoefficient
    {
        double TFrameKlimatKoef2::*Member;
        QLabel *Caption;
        TGeneralSpinBox *Spin;
    };

    void AddHeight(QGridLayout *grid, int TFrameKlimatKoef2::*member, const char *name);
    void AddCoefficient(QGridLayout *grid, double TFrameKlimatKoef2::*member, const char *name);

    TFrameKlimatKoef2 &State;
    QGroupBox *ClimaticGroup;
    QLabel *TypeOfTerrain;
    QButtonGroup *Terrain;
    std::array<QRadioButton *, 3> TerrainButtons;
    QLabel *HeightHeading;
    QGroupBox *ReliabilityGroup;
    QGroupBox *WindGroup;
    QGroupBox *IceGroup;
    std::vector<THeight> Heights;
    std::vector<TCoefficient> Coefficients; // the wind's three, then the ice's four
};

} // namespace vartesk::ui
