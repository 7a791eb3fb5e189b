// The climate page: groups of spin fields bound to the page's state.
#include "ui/climate_page_widget.h"

#include "app/editors/climate_pages.h"
#include "ui/caption_text.h"
#include "ui/general_spin_box.h"
#include "ui/pages.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vartesk::ui {

namespace {

struct TFieldDef
{
    double TFrameKlimat::*Member;
    const char *Name;
};

// clang-format off
constexpr TFieldDef kIce[] = {{&TFrameKlimat::Tols, "Tols"}};
constexpr TFieldDef kTemperatures[] = {
    {&TFrameKlimat::TMin,  "TMin"},
    {&TFrameKlimat::TMax,  "TMax"},
    {&TFrameKlimat::TGsw,  "TGsw"},
    {&TFrameKlimat::Tgbw,  "Tgbw"},
    {&TFrameKlimat::Tsrec, "Tsrec"},
};
constexpr TFieldDef kWinds[] = {
    {&TFrameKlimat::VMax,   "VMax"},
    {&TFrameKlimat::Vwetsg, "Vwetsg"},
};
// clang-format on

} // namespace

TClimatePageWidget::TClimatePageWidget(TFrameKlimat &state, QWidget *parent)
    : TBoundWidget(parent)
    , State(state)
    , IceGroup(new QGroupBox(this))
    , TemperatureGroup(new QGroupBox(this))
    , WindGroup(new QGroupBox(this))
{
    auto addGroup = [this](QGroupBox *group, const auto &defs) {
        auto *grid = new QGridLayout(group);
        grid->setColumnStretch(3, 1);
        for (const TFieldDef &def : defs) {
            TField field {def.Member,
                          new QLabel(group),
                          new TGeneralSpinBox(TFrameKlimat::kStep, group),
                          new QLabel(group)};
            field.Spin->setObjectName(def.Name);
            field.Spin->setMinimumWidth(110);
            field.Caption->setBuddy(field.Spin);
            const int row = grid->rowCount();
            grid->addWidget(field.Caption, row, 0);
            grid->addWidget(field.Spin, row, 1);
            grid->addWidget(field.Unit, row, 2);
            const auto member = def.Member;
            connect(field.Spin, &QDoubleSpinBox::valueChanged, this, [this, member](double v) {
                State.*member = v;
            });
            Fields.push_back(field);
        }
    };
    addGroup(IceGroup, kIce);
    addGroup(TemperatureGroup, kTemperatures);
    addGroup(WindGroup, kWinds);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(IceGroup);
    layout->addWidget(TemperatureGroup);
    layout->addWidget(WindGroup);
    layout->addStretch(1);

    Retranslate();
    Reload();
}

void TClimatePageWidget::Reload()
{
    for (const TField &field : Fields) {
        const QSignalBlocker quiet(field.Spin);
        field.Spin->setValue(State.*field.Member);
    }
}

void TClimatePageWidget::Retranslate()
{
    const TClimatePageCaptions c = ClimatePageCaptions();
    IceGroup->setTitle(CaptionText(c.IceGroup));
    TemperatureGroup->setTitle(CaptionText(c.TemperatureGroup));
    WindGroup->setTitle(CaptionText(c.WindGroup));
    // clang-format off
    const std::string *captions[] = {
        &c.Thickness,
        &c.Min, &c.Max, &c.IceWithWind, &c.IceWithoutWind, &c.AverageAnnual,
        &c.WindMax, &c.InCaseOfIce,
    };
    const std::string *units[] = {
        &c.UnitMm,
        &c.UnitDegrees, &c.UnitDegrees, &c.UnitDegrees, &c.UnitDegrees, &c.UnitDegrees,
        &c.UnitMs, &c.UnitMs,
    };
    // clang-format on
    static_assert(std::size(captions)
                  == std::size(kIce) + std::size(kTemperatures) + std::size(kWinds));
    for (size_t i = 0; i < Fields.size(); ++i) {
        Fields[i].Caption->setText(CaptionText(*captions[i]));
        Fields[i].Unit->setText(CaptionText(*units[i]));
    }
}

TBoundWidget *NewClimatePage(TFrameKlimat &state, QWidget *parent)
{
    return new TClimatePageWidget(state, parent);
}

} // namespace vartesk::ui
