// The save prompt's widgets.
#include "ui/save_prompt.h"

#include "l10n/language.h"
#include "ui/app_windows.h"
#include "ui/qt_user_port.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vartesk::ui {

TSavePrompt::TSavePrompt(QWidget *parent)
    : QDialog(parent)
    , Question(new QLabel(this))
{
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    Question->setTextFormat(Qt::PlainText);
    Question->setText(
        IsEnglish() ? QStringLiteral("Changes have been done to the project.\nSave the project?")
                    : QStringLiteral("В проекте были сделаны изменения.\nСохранить проект?"));
    auto *icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(side, side));

    auto *buttons = new QDialogButtonBox(this);
    auto *ok = buttons->addButton(QStringLiteral("ОК"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *message = new QHBoxLayout;
    message->addWidget(icon, 0, Qt::AlignTop);
    message->addWidget(Question, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TSavePrompt::Text() const
{
    return Question->text();
}

bool ExecSavePrompt(QWidget *parent)
{
    TSavePrompt prompt(parent);
    return prompt.exec() == QDialog::Accepted;
}

} // namespace vartesk::ui
