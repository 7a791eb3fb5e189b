// The catalog entry dialog's widgets and their binding to the dialog's state.
#include "ui/wire_entry_dialog_widget.h"

#include "app/command_guard.h"
#include "ui/app_windows.h"
#include "ui/caption_text.h"
#include "ui/cp1251_validator.h"
#include "ui/number_field.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vartesk::ui {

namespace {

constexpr int kNameChars = 16;
constexpr int kGroupChars = 32;

} // namespace

TWireEntryDialog::TWireEntryDialog(TFormWiresEdit &dialog, TMessages &messages, QWidget *parent)
    : QDialog(parent)
    , State(dialog)
    , Messages(messages)
    , Group(new QComboBox(this))
    , Name(new QLineEdit(this))
{
    const TWireEntryCaptions c = WireEntryCaptions();
    setWindowTitle(CaptionText(c.Title));

    auto *box = new QGroupBox(CaptionText(c.WireBox), this);
    auto *grid = new QGridLayout(box);
    int row = 0;
    const auto addRow = [&](const std::string &caption, QWidget *field, const std::string &unit) {
        auto *label = new QLabel(CaptionText(caption), box);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        if (!unit.empty())
            grid->addWidget(new QLabel(CaptionText(unit), box), row, 2);
        ++row;
    };

    // The longest group names would stretch the dialog; the open list shows them whole.
    Group->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Group->setMinimumContentsLength(kGroupChars);
    for (const auto &name : c.Groups)
        Group->addItem(CaptionText(name));
    Group->view()->setMinimumWidth(Group->view()->sizeHintForColumn(0));
    Group->setCurrentIndex(State.GroupPosition);
    connect(Group, &QComboBox::currentIndexChanged, this, [this](int position) {
        State.GroupPosition = position;
    });
    addRow(c.Group, Group, {});

    Name->setText(QString::fromStdString(State.Name));
    AcceptOnlyCp1251(Name, kNameChars);
    connect(Name, &QLineEdit::textEdited, this, [this](const QString &text) {
        State.Name = text.toStdString();
    });
    addRow(c.Type, Name, {});

    struct TNumberRow
    {
        const std::string &Caption;
        const std::string &Unit;
        std::string TFormWiresEdit::*Text;
    };
    const TNumberRow numbers[kNumbers] = {
        {c.Diameter, c.DiameterUnit, &TFormWiresEdit::Diameter},
        {c.Section, c.SectionUnit, &TFormWiresEdit::Section},
        {c.Weight, c.WeightUnit, &TFormWiresEdit::Weight},
        {c.Modulus, c.ModulusUnit, &TFormWiresEdit::Modulus},
        {c.ThermalCoef, c.ThermalCoefUnit, &TFormWiresEdit::ThermalCoef},
    };
    for (int i = 0; i < kNumbers; ++i) {
        auto *edit = new QLineEdit(QString::fromStdString(State.*numbers[i].Text), box);
        AttachNumberRule(edit, TFormWiresEdit::kNumberRule);
        edit->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 18);
        if (i == Diameter) {
            // Checked at each change, while the person types.
            connect(edit, &QLineEdit::textEdited, this, [this](const QString &text) {
                RunGuarded(Messages, [&] { State.DiameterEdited(text.toStdString(), Messages); });
            });
        } else {
            connect(edit,
                    &QLineEdit::textEdited,
                    this,
                    [this, field = numbers[i].Text](const QString &text) {
                        State.*field = text.toStdString();
                    });
        }
        Numbers[size_t(i)] = edit;
        addRow(numbers[i].Caption, edit, numbers[i].Unit);
    }
    grid->setColumnStretch(1, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(CaptionText(c.Ok));
    buttons->button(QDialogButtonBox::Cancel)->setText(CaptionText(c.Cancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &TWireEntryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(buttons);

    QWidget *previous = Group;
    for (QWidget *next : {static_cast<QWidget *>(Name),
                          static_cast<QWidget *>(Numbers[Diameter]),
                          static_cast<QWidget *>(Numbers[Section]),
                          static_cast<QWidget *>(Numbers[Weight]),
                          static_cast<QWidget *>(Numbers[Modulus]),
                          static_cast<QWidget *>(Numbers[ThermalCoef]),
                          static_cast<QWidget *>(buttons)}) {
        setTabOrder(previous, next);
        previous = next;
    }
    Name->setFocus();
}

void TWireEntryDialog::accept()
{
    bool accepted = false;
    RunGuarded(Messages, [&] { accepted = State.Accept(Messages); });
    if (accepted)
        QDialog::accept();
}

bool ExecWireEntry(TFormWiresEdit &dialog, TMessages &messages, QWidget *parent)
{
    TWireEntryDialog window(dialog, messages, parent);
    return window.exec() == QDialog::Accepted;
}

} // namespace vartesk::ui
