// The coefficient page: terrain choice, heights and coefficients bound to the page's state.
#include "ui/coefficient_page_widget.h"

#include "app/editors/climate_pages.h"
#include "ui/caption_text.h"
#include "ui/general_spin_box.h"
#include "ui/pages.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vartesk::ui {

namespace {

// Whole metres "without bounds", as far as a spin field goes.
constexpr int kUnboundedHeight = 1'000'000'000;

} // namespace

TCoefficientPageWidget::TCoefficientPageWidget(TFrameKlimatKoef2 &state, QWidget *parent)
    : TBoundWidget(parent)
    , State(state)
    , ClimaticGroup(new QGroupBox(this))
    , TypeOfTerrain(new QLabel(ClimaticGroup))
    , Terrain(new QButtonGroup(this))
    , TerrainButtons {}
    , HeightHeading(new QLabel(ClimaticGroup))
    , ReliabilityGroup(new QGroupBox(this))
    , WindGroup(new QGroupBox(ReliabilityGroup))
    , IceGroup(new QGroupBox(ReliabilityGroup))
{
    auto *climatic = new QVBoxLayout(ClimaticGroup);
    auto *terrainRow = new QHBoxLayout;
    terrainRow->addWidget(TypeOfTerrain);
    const char *terrainNames[] = {"TerrainA", "TerrainB", "TerrainC"};
    for (int i = 0; i < 3; ++i) {
        TerrainButtons[size_t(i)] = new QRadioButton(ClimaticGroup);
        TerrainButtons[size_t(i)]->setObjectName(terrainNames[i]);
        Terrain->addButton(TerrainButtons[size_t(i)], i + 1);
        terrainRow->addWidget(TerrainButtons[size_t(i)]);
    }
    terrainRow->addStretch(1);
    climatic->addLayout(terrainRow);
    connect(Terrain, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            State.ChooseTerrain(id);
    });

    HeightHeading->setWordWrap(true);
    climatic->addWidget(HeightHeading);
    auto *heights = new QGridLayout;
    heights->setColumnStretch(3, 1);
    climatic->addLayout(heights);
    AddHeight(heights, &TFrameKlimatKoef2::visotaPC, "visotaPC");
    AddHeight(heights, &TFrameKlimatKoef2::visotaPC_tros, "visotaPC_tros");

    auto *wind = new QGridLayout(WindGroup);
    AddCoefficient(wind, &TFrameKlimatKoef2::V_Otv, "V_Otv");
    AddCoefficient(wind, &TFrameKlimatKoef2::V_Reg, "V_Reg");
    AddCoefficient(wind, &TFrameKlimatKoef2::V_Nad, "V_Nad");
    wind->setRowStretch(wind->rowCount(), 1);
    auto *ice = new QGridLayout(IceGroup);
    AddCoefficient(ice, &TFrameKlimatKoef2::G_Otv, "G_Otv");
    AddCoefficient(ice, &TFrameKlimatKoef2::G_Reg, "G_Reg");
    AddCoefficient(ice, &TFrameKlimatKoef2::G_Nad, "G_Nad");
    AddCoefficient(ice, &TFrameKlimatKoef2::G_Usl, "G_Usl");
    auto *reliability = new QHBoxLayout(ReliabilityGroup);
    reliability->addWidget(WindGroup);
    reliability->addWidget(IceGroup);
    reliability->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ClimaticGroup);
    layout->addWidget(ReliabilityGroup);
    layout->addStretch(1);

    Retranslate();
    Reload();
}

void TCoefficientPageWidget::AddHeight(QGridLayout *grid,
                                       int TFrameKlimatKoef2::*member,
                                       const char *name)
{
    QWidget *parent = grid->parentWidget();
    THeight height {member, new QLabel(parent), new QSpinBox(parent), new QLabel(parent)};
    height.Spin->setObjectName(name);
    height.Spin->setRange(-kUnboundedHeight, kUnboundedHeight);
    AttachWholeRule(height.Spin);
    height.Spin->setMinimumWidth(110);
    height.Caption->setBuddy(height.Spin);
    const int row = grid->rowCount();
    grid->addWidget(height.Caption, row, 0);
    grid->addWidget(height.Spin, row, 1);
    grid->addWidget(height.Unit, row, 2);
    connect(
        height.Spin, &QSpinBox::valueChanged, this, [this, member](int v) { State.*member = v; });
    Heights.push_back(height);
}

void TCoefficientPageWidget::AddCoefficient(QGridLayout *grid,
                                            double TFrameKlimatKoef2::*member,
                                            const char *name)
{
    QWidget *parent = grid->parentWidget();
    TCoefficient coefficient {
        member,
        new QLabel(parent),
        new TGeneralSpinBox(TFrameKlimatKoef2::kCoefStep, parent, TFrameKlimatKoef2::kCoefRule)};
    coefficient.Spin->setObjectName(name);
    coefficient.Spin->setMinimumWidth(110);
    coefficient.Caption->setBuddy(coefficient.Spin);
    const int row = grid->rowCount();
    grid->addWidget(coefficient.Caption, row, 0);
    grid->addWidget(coefficient.Spin, row, 1);
    connect(coefficient.Spin, &QDoubleSpinBox::valueChanged, this, [this, member](double v) {
        State.*member = v;
    });
    Coefficients.push_back(coefficient);
}

void TCoefficientPageWidget::Reload()
{
    {
        const QSignalBlocker quiet(Terrain);
        TerrainButtons[size_t(State.TypeTer - 1)]->setChecked(true);
    }
    for (const THeight &height : Heights) {
        const QSignalBlocker quiet(height.Spin);
        height.Spin->setValue(State.*height.Member);
    }
    for (const TCoefficient &coefficient : Coefficients) {
        const QSignalBlocker quiet(coefficient.Spin);
        coefficient.Spin->setValue(State.*coefficient.Member);
    }
}

void TCoefficientPageWidget::Retranslate()
{
    const TCoefficientPageCaptions c = CoefficientPageCaptions();
    ClimaticGroup->setTitle(CaptionText(c.ClimaticGroup));
    TypeOfTerrain->setText(CaptionText(c.TypeOfTerrain));
    TerrainButtons[0]->setText(CaptionText(c.TerrainA));
    TerrainButtons[1]->setText(CaptionText(c.TerrainB));
    TerrainButtons[2]->setText(CaptionText(c.TerrainC));
    HeightHeading->setText(CaptionText(c.HeightGroup));
    Heights[0].Caption->setText(CaptionText(c.ForWire));
    Heights[1].Caption->setText(CaptionText(c.ForCord));
    for (const THeight &height : Heights)
        height.Unit->setText(CaptionText(c.UnitMeter));
    ReliabilityGroup->setTitle(CaptionText(c.ReliabilityGroup));
    WindGroup->setTitle(CaptionText(c.WindGroup));
    IceGroup->setTitle(CaptionText(c.IceGroup));
    const std::string *captions[] = {&c.Responsibility,
                                     &c.Regional,
                                     &c.Reliability,
                                     &c.Responsibility,
                                     &c.Regional,
                                     &c.Reliability,
                                     &c.Operating};
    for (size_t i = 0; i < Coefficients.size(); ++i)
        Coefficients[i].Caption->setText(CaptionText(*captions[i]));
}

TBoundWidget *NewCoefficientPage(TFrameKlimatKoef2 &state, QWidget *parent)
{
    return new TCoefficientPageWidget(state, parent);
}

} // namespace vartesk::ui
