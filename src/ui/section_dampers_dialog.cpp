// The per-section damper dialog bound to its state: every edit goes to the state's actions and
// the dialog then shows the state again.
#include "ui/section_dampers_dialog.h"

#include "app/editors/damper_input.h"
#include "ui/app_windows.h"

#include "ui/caption_text.h"
#include "ui/guarded_slot.h"
#include "ui/number_field.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>

namespace vartesk::ui {

namespace {

constexpr int kKinds = 3;

QLineEdit *ReadOnlyField(QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setReadOnly(true);
    // Shown only: Tab passes it by, a click can still select its text.
    field->setFocusPolicy(Qt::ClickFocus);
    field->setMinimumWidth(140);
    return field;
}

// A model outside the list shows as the combo's placeholder; drawn in the colours of a chosen
// entry, it reads as the field's value, which it is.
void ShowPlaceholderAsText(QComboBox *combo)
{
    QPalette palette = combo->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setBrush(
            group, QPalette::PlaceholderText, palette.brush(group, QPalette::ButtonText));
    combo->setPalette(palette);
}

void SetItems(QComboBox *combo, const std::vector<std::string> &texts)
{
    for (int i = 0; i < int(texts.size()); ++i) {
        const QString text = CaptionText(texts[size_t(i)]);
        if (i < combo->count())
            combo->setItemText(i, text);
        else
            combo->addItem(text);
    }
    while (combo->count() > int(texts.size()))
        combo->removeItem(combo->count() - 1);
}

} // namespace

TSectionDampersDialog::TSectionDampersDialog(TFormParcelVM &state, QWidget *parent)
    : QDialog(parent)
    , State(state)
    , NameCaption(new QLabel(this))
    , Name(ReadOnlyField(this))
    , Buttons(nullptr)
{
    Name->setObjectName("Name");
    NameCaption->setBuddy(Name);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(NameCaption);
    nameRow->addWidget(Name, 1);

    Wire = MakeHalf("Wire", {{&Circuits, "CntCircuitry"}, {&WiresInPhase, "CntWires"}});
    Cord = MakeHalf("Cord", {{&Cords, "CntRopes"}});
    Circuits.Spin->setRange(1, kMaxCircuits);
    WiresInPhase.Spin->setRange(1, kMaxWiresInPhase);
    Cords.Spin->setRange(1, kMaxCords);
    for (QSpinBox *count : {Circuits.Spin, WiresInPhase.Spin, Cords.Spin})
        AttachWholeRule(count);
    auto *halves = new QHBoxLayout;
    halves->addWidget(Wire.Box);
    halves->addWidget(Cord.Box);

    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addLayout(halves);
    layout->addWidget(Buttons);

    Bind(Wire,
         &TFormParcelVM::ChooseWireKind,
         &TFormParcelVM::ClickWireCalc,
         &TFormParcelVM::ChooseWireMaterial,
         &TFormParcelVM::ChooseWireModel,
         &TFormParcelVM::Wire);
    Bind(Cord,
         &TFormParcelVM::ChooseCordKind,
         &TFormParcelVM::ClickCordCalc,
         &TFormParcelVM::ChooseCordMaterial,
         &TFormParcelVM::ChooseCordModel,
         &TFormParcelVM::Cord);
    connect(
        Circuits.Spin, &QSpinBox::valueChanged, this, [this](int v) { State.CntCircuitry = v; });
    connect(
        WiresInPhase.Spin, &QSpinBox::valueChanged, this, [this](int v) { State.CntWires = v; });
    connect(Cords.Spin, &QSpinBox::valueChanged, this, [this](int v) { State.CntRopes = v; });

    Retranslate();
    Sync();
}

TSectionDampersDialog::THalf
TSectionDampersDialog::MakeHalf(const QString &prefix,
                                const std::vector<std::pair<TCount *, const char *>> &counts)
{
    THalf h;
    h.Box = new QGroupBox(this);
    auto *grid = new QGridLayout(h.Box);
    h.Kinds = new QTabBar(h.Box);
    for (int i = 0; i < kKinds; ++i)
        h.Kinds->addTab(QString());
    h.Kinds->setExpanding(false);
    h.Calc = new QCheckBox(h.Box);
    h.TypeCaption = new QLabel(h.Box);
    h.Type = ReadOnlyField(h.Box);
    h.StressCaption = new QLabel(h.Box);
    h.Stress = ReadOnlyField(h.Box);
    grid->addWidget(h.Kinds, 0, 0, 1, 2);
    grid->addWidget(h.Calc, 1, 0, 1, 2);
    grid->addWidget(h.TypeCaption, 2, 0);
    grid->addWidget(h.Type, 2, 1);
    grid->addWidget(h.StressCaption, 3, 0);
    grid->addWidget(h.Stress, 3, 1);
    for (const auto &[count, name] : counts) {
        count->Caption = new QLabel(h.Box);
        count->Spin = new QSpinBox(h.Box);
        count->Spin->setObjectName(name);
        count->Caption->setBuddy(count->Spin);
        const int row = grid->rowCount();
        grid->addWidget(count->Caption, row, 0);
        grid->addWidget(count->Spin, row, 1);
    }
    h.MaterialCaption = new QLabel(h.Box);
    h.Material = new QComboBox(h.Box);
    h.ModelCaption = new QLabel(h.Box);
    h.Model = new QComboBox(h.Box);
    ShowPlaceholderAsText(h.Model);
    h.RatioCaption = new QLabel(h.Box);
    h.Ratio = new QComboBox(h.Box);
    for (auto [caption, field] : {std::pair<QLabel *, QWidget *> {h.MaterialCaption, h.Material},
                                  {h.ModelCaption, h.Model},
                                  {h.RatioCaption, h.Ratio}}) {
        caption->setBuddy(field);
        const int row = grid->rowCount();
        grid->addWidget(caption, row, 0);
        grid->addWidget(field, row, 1);
    }
    grid->setRowStretch(grid->rowCount(), 1);

    h.Kinds->setObjectName(prefix + "Kinds");
    h.Calc->setObjectName(prefix + "Calc");
    h.Type->setObjectName(prefix + "Type");
    h.Stress->setObjectName(prefix + "Stress");
    h.Material->setObjectName(prefix + "Material");
    h.Model->setObjectName(prefix + "Model");
    h.Ratio->setObjectName(prefix + "Ratio");
    return h;
}

void TSectionDampersDialog::Bind(THalf &half,
                                 TIntAction chooseKind,
                                 TBoolAction clickCalc,
                                 TIntAction chooseMaterial,
                                 TIntAction chooseModel,
                                 TDamperHalf TFormParcelVM::*state)
{
    connect(half.Kinds, &QTabBar::currentChanged, this, Guarded(this, [this, chooseKind](int kind) {
                chooseKind(State, kind);
                Sync();
            }));
    connect(half.Calc, &QCheckBox::toggled, this, Guarded(this, [this, clickCalc](bool on) {
                clickCalc(State, on);
                Sync();
            }));
    connect(half.Material,
            &QComboBox::currentIndexChanged,
            this,
            Guarded(this, [this, chooseMaterial](int material) {
                chooseMaterial(State, material);
                Sync();
            }));
    connect(half.Model,
            &QComboBox::currentIndexChanged,
            this,
            Guarded(this, [this, chooseModel](int index) {
                chooseModel(State, index);
                Sync();
            }));
    connect(half.Ratio, &QComboBox::currentIndexChanged, this, [this, state](int ratio) {
        if (ratio >= 0)
            (State.*state).Ratio = ratio;
    });
}

void TSectionDampersDialog::Retranslate()
{
    const TSectionDampersCaptions c = SectionDampersCaptions();
    setWindowTitle(CaptionText(c.Title));
    NameCaption->setText(CaptionText(c.NameSector));
    for (int i = 0; i < kKinds; ++i) {
        Wire.Kinds->setTabText(i, CaptionText(c.WireKinds[size_t(i)]));
        Cord.Kinds->setTabText(i, CaptionText(c.CordKinds[size_t(i)]));
    }
    for (THalf *h : {&Wire, &Cord}) {
        h->Calc->setText(CaptionText(c.PerformCalculation));
        h->StressCaption->setText(CaptionText(c.PermissibleStress));
        h->MaterialCaption->setText(CaptionText(c.Material));
        h->ModelCaption->setText(CaptionText(c.DamperConstruction));
        h->RatioCaption->setText(CaptionText(c.Ratio));
    }
    Wire.TypeCaption->setText(CaptionText(c.TypeWire));
    Cord.TypeCaption->setText(CaptionText(c.TypeCord));
    Circuits.Caption->setText(CaptionText(c.NumberCircuit));
    WiresInPhase.Caption->setText(CaptionText(c.NumberWires));
    Cords.Caption->setText(CaptionText(c.NumberCords));
    {
        const QSignalBlocker quietWire(Wire.Material);
        const QSignalBlocker quietCord(Cord.Material);
        SetItems(Wire.Material, c.WireMaterials);
        SetItems(Cord.Material, c.CordMaterials);
    }
    {
        const QSignalBlocker quietWire(Wire.Ratio);
        const QSignalBlocker quietCord(Cord.Ratio);
        SetItems(Wire.Ratio, c.Ratios);
        SetItems(Cord.Ratio, c.Ratios);
    }
    Buttons->button(QDialogButtonBox::Cancel)->setText(CaptionText(c.Cancel));
}

void TSectionDampersDialog::Sync()
{
    Name->setText(QString::fromStdString(State.Name));
    SyncHalf(Wire,
             State.Wire,
             State.WireSwitchEnabled(),
             State.WireFieldsEnabled(),
             State.WireRatioVisible());
    SyncHalf(Cord,
             State.Cord,
             State.CordSwitchEnabled(),
             State.CordFieldsEnabled(),
             State.CordRatioVisible());
    const std::pair<TCount *, std::pair<int, bool>> counts[] = {
        {&Circuits, {State.CntCircuitry, State.WireCountsEnabled()}},
        {&WiresInPhase, {State.CntWires, State.WireCountsEnabled()}},
        {&Cords, {State.CntRopes, State.CordCountEnabled()}},
    };
    for (const auto &[count, shown] : counts) {
        const QSignalBlocker quiet(count->Spin);
        count->Spin->setValue(shown.first);
        count->Spin->setEnabled(shown.second);
        count->Caption->setEnabled(shown.second);
    }
}

void TSectionDampersDialog::SyncHalf(THalf &half,
                                     const TDamperHalf &state,
                                     bool switchEnabled,
                                     bool fieldsEnabled,
                                     bool ratioVisible)
{
    const QSignalBlocker quietKinds(half.Kinds);
    const QSignalBlocker quietCalc(half.Calc);
    const QSignalBlocker quietMaterial(half.Material);
    const QSignalBlocker quietModel(half.Model);
    const QSignalBlocker quietRatio(half.Ratio);

    half.Kinds->setCurrentIndex(state.Kind);
    half.Calc->setChecked(state.Calc);
    half.Calc->setEnabled(switchEnabled);
    half.Type->setText(QString::fromStdString(state.Type));
    half.Stress->setText(QString::fromStdString(state.AvgStressText()));
    half.Material->setCurrentIndex(state.Material);

    QStringList models;
    for (const std::string &name : state.Models)
        models << QString::fromStdString(name);
    QStringList shown;
    for (int i = 0; i < half.Model->count(); ++i)
        shown << half.Model->itemText(i);
    if (shown != models) {
        half.Model->clear();
        half.Model->addItems(models);
    }
    const QString model = QString::fromStdString(state.Model);
    const int index = int(models.indexOf(model));
    half.Model->setCurrentIndex(index);
    half.Model->setPlaceholderText(index < 0 ? model : QString());

    half.Ratio->setCurrentIndex(state.Ratio);
    half.Ratio->setVisible(ratioVisible);
    half.RatioCaption->setVisible(ratioVisible);

    for (QWidget *w : std::initializer_list<QWidget *> {half.Kinds,
                                                        half.TypeCaption,
                                                        half.Type,
                                                        half.StressCaption,
                                                        half.Stress,
                                                        half.MaterialCaption,
                                                        half.Material,
                                                        half.ModelCaption,
                                                        half.Model,
                                                        half.RatioCaption,
                                                        half.Ratio})
        w->setEnabled(fieldsEnabled);
}

QString TSectionDampersDialog::ShownModel(const QComboBox &model)
{
    return model.currentIndex() >= 0 ? model.currentText() : model.placeholderText();
}

bool ExecSectionDampers(TFormParcelVM &dialog, QWidget *parent)
{
    TSectionDampersDialog window(dialog, parent);
    return window.exec() == QDialog::Accepted;
}

} // namespace vartesk::ui
