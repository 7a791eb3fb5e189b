// Number fields: the rule's verdicts on what is typed, and the hint beside the field.
#include "ui/number_field.h"

#include "app/editors/climate_pages.h"
#include "base/number_text.h"

#include <QAbstractSpinBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace vartesk::ui {

namespace {

constexpr const char *kHintName = "FieldHint";
constexpr int kHintMs = 6000;
constexpr int kHintMaxWidth = 420;

// The field the hint of a window speaks of.
QPointer<QWidget> &HintOwner()
{
    static QPointer<QWidget> owner;
    return owner;
}

void HideFieldHint(QWidget *field)
{
    if (HintOwner() != field)
        return;
    if (QLabel *hint = FieldHint(field->window()))
        hint->hide();
}

QLineEdit *EditOf(QWidget *field)
{
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        return edit;
    return field->findChild<QLineEdit *>();
}

// Judges what is typed into one field by its rule.
class TNumberFilter final : public QObject
{
public:
    TNumberFilter(QWidget *field, const TNumberRule &rule)
        : QObject(field)
        , Field(field)
        , Rule(rule)
    { }

    // The verdict on the field's text as it stands.
    TNumberCheck Check() const
    {
        const QLineEdit *edit = EditOf(Field);
        return CheckNumberText(edit ? edit->text().toStdString() : std::string(), Rule);
    }
    QWidget *Widget() const { return Field; }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress)
            return KeyPressed(static_cast<QKeyEvent *>(event)->text());
        if (event->type() == QEvent::FocusOut) {
            const TNumberCheck check = Check();
            if (check.Verdict == TNumberVerdict::OutOfRange
                || check.Verdict == TNumberVerdict::Refused)
                ShowFieldHint(Field, QString::fromStdString(check.Hint));
        }
        return false;
    }

private:
    // True when the key is refused: it is then not typed.
    bool KeyPressed(const QString &typed)
    {
        QLineEdit *edit = EditOf(Field);
        // Keys without a character of their own (arrows, Delete, Enter, shortcuts) move, edit
        // or leave the field rather than type into it.
        if (!edit || typed.isEmpty() || typed.front().unicode() < 0x20
            || typed.front().unicode() == 0x7F)
            return false;
        if (!NumberKeyAccepted(typed.toUcs4().value(0), Rule)) {
            ShowFieldHint(Field,
                          QString::fromStdString(RefusedCharacterHint(typed.toStdString(), Rule)));
            return true;
        }
        QString text = edit->text();
        int at = edit->cursorPosition();
        if (edit->hasSelectedText()) {
            at = edit->selectionStart();
            text.remove(at, edit->selectedText().size());
        }
        text.insert(at, typed);
        const TNumberCheck check = CheckNumberText(text.toStdString(), Rule);
        switch (check.Verdict) {
        case TNumberVerdict::Refused:
            ShowFieldHint(Field, QString::fromStdString(check.Hint));
            return true;
        case TNumberVerdict::OutOfRange:
            // Typing on may bring it back (a 0 on its way to 0.5); the field is judged again
            // when it is left.
            ShowFieldHint(Field, QString::fromStdString(check.Hint));
            return false;
        default:
            HideFieldHint(Field);
            return false;
        }
    }

    QWidget *Field;
    TNumberRule Rule;
};

} // namespace

QLabel *FieldHint(const QWidget *window)
{
    return window->findChild<QLabel *>(kHintName, Qt::FindDirectChildrenOnly);
}

void ShowFieldHint(QWidget *field, const QString &text)
{
    QWidget *window = field->window();
    QLabel *hint = FieldHint(window);
    if (!hint) {
        hint = new QLabel(window);
        hint->setObjectName(kHintName);
        hint->setWordWrap(true);
        hint->setFrameShape(QFrame::Box);
        hint->setMargin(4);
        hint->setForegroundRole(QPalette::ToolTipText);
        hint->setBackgroundRole(QPalette::ToolTipBase);
        hint->setAutoFillBackground(true);
        auto *timer = new QTimer(hint);
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, hint, &QWidget::hide);
    }
    HintOwner() = field;
    hint->setText(text);
    // One line when it fits; wrapped within the window otherwise.
    const int room = std::min(kHintMaxWidth, std::max(window->width() - 8, 120));
    const int frame = 2 * (hint->margin() + hint->frameWidth()) + 4;
    const int width = std::min(room, hint->fontMetrics().horizontalAdvance(text) + frame);
    hint->resize(width, hint->heightForWidth(width));
    // Below the field, or above it when the window ends first; never past its sides.
    QPoint at = field->mapTo(window, QPoint(0, field->height() + 2));
    if (at.y() + hint->height() > window->height())
        at = field->mapTo(window, QPoint(0, -hint->height() - 2));
    at.setX(std::clamp(at.x(), 0, std::max(0, window->width() - hint->width())));
    hint->move(at);
    hint->show();
    hint->raise();
    hint->findChild<QTimer *>()->start(kHintMs);
}

void AttachNumberRule(QWidget *field, const TNumberRule &rule)
{
    auto *filter = new TNumberFilter(field, rule);
    field->installEventFilter(filter);
    if (QLineEdit *edit = EditOf(field); edit && edit != field)
        edit->installEventFilter(filter);
}

void AttachWholeRule(QSpinBox *field)
{
    AttachNumberRule(field, {double(field->minimum()), double(field->maximum()), 0});
}

bool NumberFieldsTaken(QWidget *dialog)
{
    // The filters have no meta-object of their own, so they are told apart by type at run time.
    for (const QObject *child : dialog->findChildren<QObject *>()) {
        const auto *filter = dynamic_cast<const TNumberFilter *>(child);
        if (!filter)
            continue;
        QWidget *field = filter->Widget();
        if (!field->isEnabled())
            continue;
        const TNumberCheck check = filter->Check();
        if (check.Verdict == TNumberVerdict::OutOfRange
            || check.Verdict == TNumberVerdict::Refused) {
            field->setFocus(Qt::OtherFocusReason);
            ShowFieldHint(field, QString::fromStdString(check.Hint));
            return false;
        }
    }
    return true;
}

TNumberSpinBox::TNumberSpinBox(const TNumberRule &rule, double step, QWidget *parent)
    : QDoubleSpinBox(parent)
    , NumberRule(rule)
{
    NumberRule.Min = std::max(rule.Min, -kUnbounded);
    NumberRule.Max = std::min(rule.Max, kUnbounded);
    // QDoubleSpinBox rounds every value to its decimals; with as many as a double can carry
    // it keeps the value it is given, and the text alone limits the digits shown.
    setDecimals(rule.Decimals >= 0 ? rule.Decimals
                                   : std::numeric_limits<double>::max_exponent10
                        + std::numeric_limits<double>::digits10);
    setRange(-kUnbounded, kUnbounded);
    setSingleStep(step);
    AttachNumberRule(this, NumberRule);
}

QString TNumberSpinBox::textFromValue(double value) const
{
    if (NumberRule.Decimals >= 0)
        return QString::number(value, 'f', NumberRule.Decimals);
    return QString::fromStdString(SpinText(value));
}

double TNumberSpinBox::valueFromText(const QString &text) const
{
    return ReadNumberText(text.toStdString()).value_or(value());
}

QValidator::State TNumberSpinBox::validate(QString &text, int &) const
{
    switch (CheckNumberText(text.toStdString(), NumberRule).Verdict) {
    case TNumberVerdict::Number:
        return QValidator::Acceptable;
    case TNumberVerdict::Refused:
        return QValidator::Invalid;
    default:
        return QValidator::Intermediate;
    }
}

void TNumberSpinBox::fixup(QString &text) const
{
    // The spin field is about to go back to its previous value: say why.
    const TNumberCheck check = CheckNumberText(text.toStdString(), NumberRule);
    if (check.Verdict == TNumberVerdict::OutOfRange)
        ShowFieldHint(const_cast<TNumberSpinBox *>(this), QString::fromStdString(check.Hint));
}

void TNumberSpinBox::stepBy(int steps)
{
    const double next = value() + steps * singleStep();
    if ((steps < 0 && next < NumberRule.Min) || (steps > 0 && next > NumberRule.Max)) {
        ShowFieldHint(this, QString::fromStdString(RangeHint(NumberRule)));
        return;
    }
    QDoubleSpinBox::stepBy(steps);
}

} // namespace vartesk::ui
