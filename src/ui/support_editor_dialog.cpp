// The support editor dialog: the widgets over TFormPillar.
#include "ui/support_editor_dialog.h"

#include "ui/app_windows.h"
#include "ui/cp1251_validator.h"
#include "ui/guarded_slot.h"
#include "ui/number_field.h"
#include "ui/widget_values.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
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
#include <QVBoxLayout>

namespace vartesk::ui {

namespace {

// The support's capacities in characters.
constexpr int kNomerCapacity = 8;
constexpr int kShifrCapacity = 20;
constexpr int kUgolCapacity = 8;
constexpr int kComentCapacity = 40;
constexpr int kInsectCapacity = 8;

QRadioButton *Choice(QButtonGroup *group, int id, const QString &name, QWidget *parent)
{
    auto *button = new QRadioButton(parent);
    button->setObjectName(name);
    group->addButton(button, id);
    return button;
}

} // namespace

TSupportEditorDialog::TSupportEditorDialog(TFormPillar &editor,
                                           TMessages &messages,
                                           QWidget *parent)
    : QDialog(parent)
    , Editor(editor)
    , Messages(messages)
{
    // Numbers read and show "." whatever the desktop's regional settings.
    setLocale(QLocale::c());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    OkButton = buttons->button(QDialogButtonBox::Ok);
    CancelButton = buttons->button(QDialogButtonBox::Cancel);
    OkButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &TSupportEditorDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TSupportEditorDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(CreateSupportGroup());
    layout->addWidget(CreateJournalGroup());
    layout->addWidget(buttons);

    ApplyCaptions();
    SetTabOrder();
    Sync();
}

QLineEdit *TSupportEditorDialog::TextInput(const char *name, int capacity, std::string &value)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    AcceptOnlyCp1251(edit, capacity);
    connect(edit, &QLineEdit::textEdited, this, [&value](const QString &text) {
        value = text.toStdString();
    });
    return edit;
}

QSpinBox *TSupportEditorDialog::WholeInput(const char *name, int &value)
{
    auto *input = new QSpinBox(this);
    input->setObjectName(name);
    input->setRange(TFormPillar::kWholeMin, TFormPillar::kWholeMax);
    AttachWholeRule(input);
    connect(input, &QSpinBox::valueChanged, this, [&value](int shown) { value = shown; });
    return input;
}

QGroupBox *TSupportEditorDialog::CreateSupportGroup()
{
    SupportGroup = new QGroupBox(this);
    NomerLabel = new QLabel(SupportGroup);
    Nomer = TextInput("Nomer", kNomerCapacity, Editor.Nomer);
    ProletLabel = new QLabel(SupportGroup);
    Prolet = new QLineEdit(SupportGroup);
    Prolet->setObjectName("Prolet");
    // Only what can make a number goes in; whether it is one is the editor's to say on OK.
    AttachNumberRule(Prolet, TFormPillar::kSpanRule);
    connect(Prolet, &QLineEdit::textEdited, this, [this](const QString &text) {
        Editor.Prolet = text.toStdString();
    });
    NomerLabel->setBuddy(Nomer);
    ProletLabel->setBuddy(Prolet);

    TypeLabel = new QLabel(SupportGroup);
    Types = new QButtonGroup(SupportGroup);
    auto *strain = Choice(Types, 0, "Tip_Opor0", SupportGroup);
    auto *intermediate = Choice(Types, 1, "Tip_Opor1", SupportGroup);
    connect(Types, &QButtonGroup::idClicked, this, [this](int id) {
        Editor.Tip_Opor = TSupportType(id);
    });
    auto *types = new QHBoxLayout;
    types->addWidget(strain);
    types->addWidget(intermediate);
    types->addStretch();

    Visir = new QCheckBox(SupportGroup);
    Visir->setObjectName("Visir");
    connect(Visir, &QCheckBox::clicked, this, [this](bool checked) { Editor.Visir = checked; });
    VisirNote = new QLabel(SupportGroup);

    auto *grid = new QGridLayout(SupportGroup);
    grid->addWidget(NomerLabel, 0, 0);
    grid->addWidget(Nomer, 0, 1);
    grid->addWidget(ProletLabel, 1, 0);
    grid->addWidget(Prolet, 1, 1);
    grid->addWidget(TypeLabel, 2, 0);
    grid->addLayout(types, 2, 1);
    grid->addWidget(Visir, 3, 0);
    grid->addWidget(VisirNote, 3, 1);
    grid->setColumnStretch(1, 1);
    return SupportGroup;
}

QGroupBox *TSupportEditorDialog::CreateJournalGroup()
{
    JournalGroup = new QGroupBox(this);
    ShifrLabel = new QLabel(JournalGroup);
    Shifr = TextInput("Shifr", kShifrCapacity, Editor.Shifr);
    UgolLabel = new QLabel(JournalGroup);
    Ugol = TextInput("Ugol", kUgolCapacity, Editor.Ugol);
    ShifrLabel->setBuddy(Shifr);
    UgolLabel->setBuddy(Ugol);

    RezPic = new QCheckBox(JournalGroup);
    RezPic->setObjectName("RezPic");
    connect(RezPic, &QCheckBox::clicked, this, Guarded(this, [this](bool checked) {
                Editor.ClickRezPic(checked);
                Sync();
            }));
    Picet1Label = new QLabel(JournalGroup);
    Picet1 = WholeInput("Picet1", Editor.Picet1);
    Picet1Unit = new QLabel(JournalGroup);
    Picet2 = new TNumberSpinBox(TFormPillar::kPicet2Rule, 1, JournalGroup);
    Picet2->setObjectName("Picet2");
    connect(Picet2, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        Editor.Picet2 = value;
    });
    Picet2Unit = new QLabel(JournalGroup);
    Picet1Label->setBuddy(Picet1);
    auto *picket = new QHBoxLayout;
    picket->addWidget(Picet1Label);
    picket->addWidget(Picet1);
    picket->addWidget(Picet1Unit);
    picket->addWidget(Picet2);
    picket->addWidget(Picet2Unit);
    picket->addStretch();

    AngleGroup = new QGroupBox(JournalGroup);
    Signs = new QButtonGroup(AngleGroup);
    auto *angle = new QHBoxLayout(AngleGroup);
    angle->addWidget(Choice(Signs, 0, "Ugol_napr0", AngleGroup));
    angle->addWidget(Choice(Signs, 1, "Ugol_napr1", AngleGroup));
    connect(Signs, &QButtonGroup::idClicked, this, [this](int id) {
        Editor.Ugol_napr = std::uint16_t(id);
    });
    static const char *const kPartNames[3] = {"Ugol_grad", "Ugol_min", "Ugol_sec"};
    const std::array<int *, 3> parts = {&Editor.Ugol_grad, &Editor.Ugol_min, &Editor.Ugol_sec};
    for (size_t i = 0; i < 3; ++i) {
        AngleParts[i] = WholeInput(kPartNames[i], *parts[i]);
        AngleSigns[i] = new QLabel(AngleGroup);
        angle->addWidget(AngleParts[i]);
        angle->addWidget(AngleSigns[i]);
    }
    angle->addStretch();

    ComentLabel = new QLabel(JournalGroup);
    Coment = TextInput("Coment", kComentCapacity, Editor.Coment);
    Coment->setMinimumWidth(280);
    InsectLabel = new QLabel(JournalGroup);
    Insect = TextInput("Insect", kInsectCapacity, Editor.Insect);
    ComentLabel->setBuddy(Coment);
    InsectLabel->setBuddy(Insect);

    auto *grid = new QGridLayout(JournalGroup);
    grid->addWidget(ShifrLabel, 0, 0);
    grid->addWidget(Shifr, 0, 1);
    grid->addWidget(UgolLabel, 1, 0);
    grid->addWidget(Ugol, 1, 1);
    grid->addWidget(RezPic, 2, 0);
    grid->addLayout(picket, 2, 1);
    grid->addWidget(AngleGroup, 3, 0, 1, 2);
    grid->addWidget(ComentLabel, 4, 0);
    grid->addWidget(Coment, 4, 1);
    grid->addWidget(InsectLabel, 5, 0);
    grid->addWidget(Insect, 5, 1);
    grid->setColumnStretch(1, 1);
    return JournalGroup;
}

void TSupportEditorDialog::ApplyCaptions()
{
    const TSupportEditorCaptions c = SupportEditorCaptions();
    setWindowTitle(CaptionText(c.Window));
    SupportGroup->setTitle(CaptionText(c.SupportGroup));
    NomerLabel->setText(CaptionText(c.Nomer));
    ProletLabel->setText(CaptionText(c.Prolet));
    TypeLabel->setText(CaptionText(c.TipOpor));
    for (int id = 0; id < 2; ++id)
        Types->button(id)->setText(CaptionText(c.Types[size_t(id)]));
    Visir->setText(CaptionText(c.Visir));
    VisirNote->setText(CaptionText(c.VisirNote));

    JournalGroup->setTitle(CaptionText(c.JournalGroup + " " + c.JournalNote));
    ShifrLabel->setText(CaptionText(c.Shifr));
    UgolLabel->setText(CaptionText(c.Ugol));
    RezPic->setText(CaptionText(c.RezPic));
    Picet1Label->setText(CaptionText(c.Picet1));
    Picet1Unit->setText(CaptionText(c.Picet1Unit));
    Picet2Unit->setText(CaptionText(c.Picet2Unit));
    AngleGroup->setTitle(CaptionText(c.TurningAngle));
    for (int id = 0; id < 2; ++id)
        Signs->button(id)->setText(CaptionText(c.Signs[size_t(id)]));
    AngleSigns[0]->setText(CaptionText(c.DegreeSign));
    AngleSigns[1]->setText(CaptionText(c.MinuteSign));
    AngleSigns[2]->setText(CaptionText(c.SecondSign));
    ComentLabel->setText(CaptionText(c.Coment));
    InsectLabel->setText(CaptionText(c.Insect));
    OkButton->setText(QStringLiteral("OK"));
    CancelButton->setText(CaptionText(c.Cancel));
}

void TSupportEditorDialog::SetTabOrder()
{
    const QList<QWidget *> chain {
        Nomer,
        Prolet,
        Types->button(0),
        Types->button(1),
        Visir,
        Shifr,
        Ugol,
        RezPic,
        Picet1,
        Picet2,
        Signs->button(0),
        Signs->button(1),
        AngleParts[0],
        AngleParts[1],
        AngleParts[2],
        Coment,
        Insect,
        OkButton,
        CancelButton,
    };
    for (qsizetype i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}

void TSupportEditorDialog::Sync()
{
    ShowText(Nomer, Editor.Nomer);
    ShowText(Prolet, Editor.Prolet);
    ShowChoice(Types, int(Editor.Tip_Opor));
    Visir->setChecked(Editor.Visir);
    ShowText(Shifr, Editor.Shifr);
    ShowText(Ugol, Editor.Ugol);
    RezPic->setChecked(Editor.RezPic);
    {
        const QSignalBlocker quiet1(Picet1);
        const QSignalBlocker quiet2(Picet2);
        Picet1->setValue(Editor.Picet1);
        Picet2->setValue(Editor.Picet2);
    }
    Picet1->setEnabled(Editor.PicketEditable());
    Picet2->setEnabled(Editor.PicketEditable());
    ShowChoice(Signs, Editor.Ugol_napr);
    const std::array<int, 3> parts = {Editor.Ugol_grad, Editor.Ugol_min, Editor.Ugol_sec};
    for (size_t i = 0; i < 3; ++i) {
        const QSignalBlocker quiet(AngleParts[i]);
        AngleParts[i]->setValue(parts[i]);
    }
    ShowText(Coment, Editor.Coment);
    ShowText(Insect, Editor.Insect);
}

void TSupportEditorDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The proposed number is selected, so that typing replaces it.
    Nomer->setFocus(Qt::OtherFocusReason);
    Nomer->selectAll();
}

void TSupportEditorDialog::accept()
{
    // A number still being typed counts as entered; one the field does not take keeps the
    // editor open with the field's hint.
    if (!NumberFieldsTaken(this))
        return;
    for (QAbstractSpinBox *input : findChildren<QAbstractSpinBox *>())
        input->interpretText();
    bool accepted = false;
    RunGuarded(Messages, [&] { accepted = Editor.Accept(Messages); });
    if (accepted)
        QDialog::accept();
    else
        QDialog::reject();
}

bool ExecSupportEditor(TFormPillar &editor, TMessages &messages, QWidget *parent)
{
    TSupportEditorDialog dialog(editor, messages, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace vartesk::ui
