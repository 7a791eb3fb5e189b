// The section editor dialog: the widgets over TFormParcel.
#include "ui/section_editor_dialog.h"

#include "ui/app_windows.h"
#include "ui/cp1251_validator.h"
#include "ui/guarded_slot.h"
#include "ui/number_field.h"
#include "ui/widget_values.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vartesk::ui {

namespace {

QDoubleSpinBox *RealInput(const TNumberRule &rule, const QString &name, QWidget *parent)
{
    auto *input = new TNumberSpinBox(rule, TFormParcel::kStep, parent);
    input->setObjectName(name);
    input->setMinimumWidth(100);
    return input;
}

void ShowValue(QDoubleSpinBox *input, double value)
{
    const QSignalBlocker quiet(input);
    input->setValue(value);
}

} // namespace

TSectionEditorDialog::TSectionEditorDialog(TFormParcel &editor, TAppPort &port, QWidget *parent)
    : QDialog(parent)
    , Editor(editor)
    , Port(port)
{
    // Numbers read and show "." whatever the desktop's regional settings.
    setLocale(QLocale::c());

    NameLabel = new QLabel(this);
    Name = new QLineEdit(this);
    Name->setObjectName("Edit_Name");
    Name->setMinimumWidth(240);
    NameLabel->setBuddy(Name);
    // No cut: a name too long is the editor's to report.
    AcceptOnlyCp1251(Name);
    connect(Name, &QLineEdit::textEdited, this, [this](const QString &text) {
        Editor.Name = text.toStdString();
    });

    Conductors = new QTabWidget(this);
    Conductors->setObjectName("Conductors");
    Pages = {CreateConductorPage(kWire), CreateConductorPage(kCord)};
    for (const TConductorPage &page : Pages)
        Conductors->addTab(page.Page, QString());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    OkButton = buttons->button(QDialogButtonBox::Ok);
    CancelButton = buttons->button(QDialogButtonBox::Cancel);
    OkButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &TSectionEditorDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TSectionEditorDialog::reject);

    auto *nameRow = new QFormLayout;
    nameRow->addRow(NameLabel, Name);
    auto *right = new QVBoxLayout;
    right->addWidget(CreateInsulatorGroup());
    right->addWidget(CreateStretchGroup());
    right->addStretch();
    auto *columns = new QHBoxLayout;
    columns->addWidget(Conductors, 1);
    columns->addLayout(right);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    ApplyCaptions();
    SetTabOrder();
    Sync();
    Name->setFocus();
}

std::array<double *, 4> TSectionEditorDialog::Limits(TConductor conductor)
{
    if (conductor == kWire)
        return {&Editor.seNapr_max, &Editor.seNapr_srg, &Editor.seTag_max, &Editor.seTag_srg};
    return {&Editor.seNaprt_max, &Editor.seNaprt_srg, &Editor.seTagt_max, &Editor.seTagt_srg};
}

TSectionEditorDialog::TConductorPage TSectionEditorDialog::CreateConductorPage(TConductor conductor)
{
    static const char *const kLimitNames[2][4] = {
        {"seNapr_max", "seNapr_srg", "seTag_max", "seTag_srg"},
        {"seNaprt_max", "seNaprt_srg", "seTagt_max", "seTagt_srg"},
    };
    const bool wire = conductor == kWire;
    TConductorPage p;
    p.Page = new QWidget(this);
    p.Present = new QCheckBox(p.Page);
    p.Present->setObjectName(wire ? "IsProvod" : "IsTros");
    p.TypeLabel = new QLabel(p.Page);
    p.Type = new QLineEdit(p.Page);
    p.Type->setObjectName(wire ? "Provod" : "Tros");
    // Typed, or put in by the catalog button; a catalog name holds at most 16 characters.
    AcceptOnlyCp1251(p.Type, 16);
    p.Type->setMinimumWidth(160);
    connect(p.Type, &QLineEdit::textEdited, this, [this, wire](const QString &text) {
        (wire ? Editor.Provod : Editor.Tros) = text.toStdString();
    });
    p.TypeLabel->setBuddy(p.Type);
    p.Catalog = new QPushButton(QStringLiteral("..."), p.Page);
    p.Catalog->setObjectName(wire ? "ProvodCatalog" : "TrosCatalog");
    p.Limits = new QTabWidget(p.Page);
    p.Limits->setObjectName(wire ? "WireLimits" : "CordLimits");

    const std::array<double *, 4> limits = Limits(conductor);
    for (int tab = 0; tab < 2; ++tab) {
        auto *page = new QWidget(p.Limits);
        auto *grid = new QGridLayout(page);
        for (int row = 0; row < 2; ++row) {
            const size_t i = size_t(tab * 2 + row);
            p.LimitLabels[i] = new QLabel(page);
            p.LimitInputs[i] = RealInput(TFormParcel::kLimitRule, kLimitNames[conductor][i], page);
            p.UnitLabels[i] = new QLabel(page);
            p.LimitLabels[i]->setBuddy(p.LimitInputs[i]);
            grid->addWidget(p.LimitLabels[i], row, 0);
            grid->addWidget(p.LimitInputs[i], row, 1);
            grid->addWidget(p.UnitLabels[i], row, 2);
            connect(p.LimitInputs[i],
                    &QDoubleSpinBox::valueChanged,
                    this,
                    [limit = limits[i]](double value) { *limit = value; });
        }
        grid->setRowStretch(2, 1);
        p.Limits->addTab(page, QString());
    }

    connect(p.Present, &QCheckBox::clicked, this, Guarded(this, [this, wire](bool checked) {
                if (wire)
                    Editor.ClickIsProvod(checked);
                else
                    Editor.ClickIsTros(checked);
                Sync();
            }));
    connect(p.Catalog, &QPushButton::clicked, this, Guarded(this, [this, wire] {
                if (wire)
                    Editor.ChooseWire(Port);
                else
                    Editor.ChooseCord(Port);
                Sync();
            }));
    connect(p.Limits, &QTabWidget::currentChanged, this, [this, wire](int tab) {
        (wire ? Editor.WireTab : Editor.CordTab) = tab;
    });

    auto *typeRow = new QHBoxLayout;
    typeRow->addWidget(p.TypeLabel);
    typeRow->addWidget(p.Type, 1);
    typeRow->addWidget(p.Catalog);
    auto *layout = new QVBoxLayout(p.Page);
    layout->addWidget(p.Present);
    layout->addLayout(typeRow);
    layout->addWidget(p.Limits);
    layout->addStretch();
    return p;
}

QGroupBox *TSectionEditorDialog::CreateInsulatorGroup()
{
    static const char *const kNames[3] = {"Ves_Gis", "Dlina_Gis", "Raznost_H"};
    const std::array<double *, 3> values = {&Editor.Ves_Gis, &Editor.Dlina_Gis, &Editor.Raznost_H};
    InsulatorGroup = new QGroupBox(this);
    IsGis = new QCheckBox(InsulatorGroup);
    IsGis->setObjectName("IsGis");
    connect(IsGis, &QCheckBox::clicked, this, Guarded(this, [this](bool checked) {
                Editor.ClickIsGis(checked);
                Sync();
            }));
    auto *grid = new QGridLayout(InsulatorGroup);
    grid->addWidget(IsGis, 0, 0, 1, 3);
    for (size_t i = 0; i < 3; ++i) {
        InsulatorLabels[i] = new QLabel(InsulatorGroup);
        InsulatorInputs[i] = RealInput(TFormParcel::kInsulatorRule, kNames[i], InsulatorGroup);
        InsulatorUnits[i] = new QLabel(InsulatorGroup);
        InsulatorLabels[i]->setBuddy(InsulatorInputs[i]);
        const int row = int(i) + 1;
        grid->addWidget(InsulatorLabels[i], row, 0);
        grid->addWidget(InsulatorInputs[i], row, 1);
        grid->addWidget(InsulatorUnits[i], row, 2);
        connect(InsulatorInputs[i],
                &QDoubleSpinBox::valueChanged,
                this,
                [value = values[i]](double shown) { *value = shown; });
    }
    grid->setColumnStretch(0, 1);
    return InsulatorGroup;
}

QGroupBox *TSectionEditorDialog::CreateStretchGroup()
{
    StretchGroup = new QGroupBox(this);
    IsVitygka = new QCheckBox(StretchGroup);
    IsVitygka->setObjectName("IsVitygka");
    connect(IsVitygka, &QCheckBox::clicked, this, Guarded(this, [this](bool checked) {
                Editor.ClickIsVitygka(checked);
                Sync();
            }));
    Stretch = {CreateStretchBox(kWire), CreateStretchBox(kCord)};
    auto *boxes = new QHBoxLayout;
    boxes->addWidget(Stretch[kWire].Box);
    boxes->addWidget(Stretch[kCord].Box);
    auto *layout = new QVBoxLayout(StretchGroup);
    layout->addWidget(IsVitygka);
    layout->addLayout(boxes);
    return StretchGroup;
}

TSectionEditorDialog::TStretchBox TSectionEditorDialog::CreateStretchBox(TConductor conductor)
{
    const bool wire = conductor == kWire;
    TStretchGroup &group = wire ? Editor.WireStretch : Editor.CordStretch;
    TStretchBox s;
    s.Box = new QGroupBox(StretchGroup);
    s.MaterialLabel = new QLabel(s.Box);
    s.PercentLabel = new QLabel(s.Box);
    s.Materials = new QButtonGroup(s.Box);
    auto *grid = new QGridLayout(s.Box);
    grid->addWidget(s.MaterialLabel, 0, 0);
    grid->addWidget(s.PercentLabel, 0, 1);
    for (int k = 1; k <= TStretchGroup::kMaterials; ++k) {
        auto *material = new QRadioButton(s.Box);
        material->setObjectName(QString(wire ? "Mp%1" : "Mt%1").arg(k));
        s.Materials->addButton(material, k);
        QSpinBox *&percent = s.Percents[size_t(k - 1)];
        percent = new QSpinBox(s.Box);
        percent->setObjectName(QString(wire ? "Pp%1" : "Pt%1").arg(k));
        percent->setRange(TStretchGroup::kPercentMin, TStretchGroup::kPercentMax);
        AttachWholeRule(percent);
        percent->setSingleStep(TStretchGroup::kPercentStep);
        grid->addWidget(material, k, 0);
        grid->addWidget(percent, k, 1);
        connect(material, &QRadioButton::clicked, this, Guarded(this, [this, wire, k] {
                    if (wire)
                        Editor.ChooseWireMaterial(k);
                    else
                        Editor.ChooseCordMaterial(k);
                    Sync();
                }));
        connect(percent, &QSpinBox::valueChanged, this, [&group, k](int value) {
            group.Percent[size_t(k - 1)] = value;
        });
    }
    return s;
}

void TSectionEditorDialog::ApplyCaptions()
{
    const TSectionEditorCaptions c = SectionEditorCaptions();
    setWindowTitle(CaptionText(c.Window));
    NameLabel->setText(CaptionText(c.Name));
    for (int conductor : {kWire, kCord}) {
        const bool wire = conductor == kWire;
        TConductorPage &p = Pages[size_t(conductor)];
        Conductors->setTabText(conductor, CaptionText(wire ? c.WireGroup : c.CordGroup));
        p.Present->setText(CaptionText(wire ? c.IsProvod : c.IsTros));
        p.TypeLabel->setText(CaptionText(wire ? c.Provod : c.Tros));
        p.Limits->setTabText(0, CaptionText(c.StressTab));
        p.Limits->setTabText(1, CaptionText(c.TensionTab));
        const std::array<const std::string *, 4> labels
            = {&c.MaxStress, &c.AvgStress, &c.MaxTension, &c.AvgTension};
        for (size_t i = 0; i < 4; ++i) {
            p.LimitLabels[i]->setText(CaptionText(*labels[i]));
            p.UnitLabels[i]->setText(CaptionText(i < 2 ? c.StressUnit : c.ForceUnit));
        }
        TStretchBox &s = Stretch[size_t(conductor)];
        s.Box->setTitle(CaptionText(wire ? c.WireGroup : c.CordGroup));
        s.MaterialLabel->setText(CaptionText(c.Material));
        s.PercentLabel->setText(CaptionText(c.Overdraw));
        for (int k = 1; k <= TStretchGroup::kMaterials; ++k)
            s.Materials->button(k)->setText(CaptionText(c.Materials[size_t(k - 1)]));
    }
    IsGis->setText(CaptionText(c.IsGis));
    const std::array<const std::string *, 3> insulator = {&c.VesGis, &c.DlinaGis, &c.RaznostH};
    const std::array<const std::string *, 3> units = {&c.KgUnit, &c.MeterUnit, &c.MeterUnit};
    for (size_t i = 0; i < 3; ++i) {
        InsulatorLabels[i]->setText(CaptionText(*insulator[i]));
        InsulatorUnits[i]->setText(CaptionText(*units[i]));
    }
    IsVitygka->setText(CaptionText(c.IsVitygka));
    OkButton->setText(QStringLiteral("OK"));
    CancelButton->setText(CaptionText(c.Cancel));
}

void TSectionEditorDialog::SetTabOrder()
{
    QList<QWidget *> chain {Name, Conductors};
    for (const TConductorPage &p : Pages) {
        chain << p.Present << p.Type << p.Catalog << p.Limits;
        for (QDoubleSpinBox *input : p.LimitInputs)
            chain << input;
    }
    chain << IsGis;
    for (QDoubleSpinBox *input : InsulatorInputs)
        chain << input;
    chain << IsVitygka;
    for (const TStretchBox &s : Stretch) {
        for (int k = 1; k <= TStretchGroup::kMaterials; ++k)
            chain << s.Materials->button(k) << s.Percents[size_t(k - 1)];
    }
    chain << OkButton << CancelButton;
    for (qsizetype i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}

void TSectionEditorDialog::SyncConductor(TConductor conductor)
{
    const bool wire = conductor == kWire;
    TConductorPage &p = Pages[size_t(conductor)];
    p.Present->setChecked(wire ? Editor.IsProvod : Editor.IsTros);
    ShowText(p.Type, wire ? Editor.Provod : Editor.Tros);
    const bool editable = wire ? Editor.WireEditable() : Editor.CordEditable();
    p.Type->setEnabled(editable);
    p.Catalog->setEnabled(editable);
    p.Limits->setEnabled(editable);
    {
        const QSignalBlocker quiet(p.Limits);
        p.Limits->setCurrentIndex(wire ? Editor.WireTab : Editor.CordTab);
    }
    const std::array<double *, 4> limits = Limits(conductor);
    for (size_t i = 0; i < 4; ++i)
        ShowValue(p.LimitInputs[i], *limits[i]);
}

void TSectionEditorDialog::SyncStretch(TConductor conductor)
{
    const bool wire = conductor == kWire;
    const TStretchGroup &group = wire ? Editor.WireStretch : Editor.CordStretch;
    TStretchBox &s = Stretch[size_t(conductor)];
    s.Box->setEnabled(wire ? Editor.WireMaterialEditable() : Editor.CordMaterialEditable());
    ShowChoice(s.Materials, group.Material);
    for (int k = 1; k <= TStretchGroup::kMaterials; ++k) {
        QSpinBox *percent = s.Percents[size_t(k - 1)];
        const QSignalBlocker quiet(percent);
        percent->setValue(group.Percent[size_t(k - 1)]);
        percent->setReadOnly(
            !(wire ? Editor.WirePercentEditable(k) : Editor.CordPercentEditable(k)));
    }
}

void TSectionEditorDialog::Sync()
{
    ShowText(Name, Editor.Name);
    SyncConductor(kWire);
    SyncConductor(kCord);
    IsGis->setChecked(Editor.IsGis);
    const std::array<double, 3> insulator = {Editor.Ves_Gis, Editor.Dlina_Gis, Editor.Raznost_H};
    for (size_t i = 0; i < 3; ++i) {
        ShowValue(InsulatorInputs[i], insulator[i]);
        InsulatorInputs[i]->setEnabled(Editor.InsulatorEditable());
    }
    IsVitygka->setChecked(Editor.IsVitygka);
    SyncStretch(kWire);
    SyncStretch(kCord);
}

void TSectionEditorDialog::accept()
{
    // A number still being typed counts as entered.
    if (!NumberFieldsTaken(this))
        return;
    for (QAbstractSpinBox *input : findChildren<QAbstractSpinBox *>())
        input->interpretText();
    bool accepted = false;
    RunGuarded(Port.Messages, [&] { accepted = Editor.Accept(Port.Messages); });
    if (accepted)
        QDialog::accept();
}

bool ExecSectionEditor(TFormParcel &editor, TAppPort &port, QWidget *parent)
{
    TSectionEditorDialog dialog(editor, port, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace vartesk::ui
