// The save prompt's widgets.
#include "ui/save_prompt.h"

#include "l10n/string_table.h"
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
    Question->setText(QString::fromStdString(LocalString("Save_changes")));
    auto *icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(side, side));

    auto *buttons = new QDialogButtonBox(this);
    auto *ok = buttons->addButton(QString::fromStdString(LocalString("Save_prompt_ok")),
                                  QDialogButtonBox::AcceptRole);
    buttons->addButton(QString::fromStdString(LocalString("Save_prompt_cancel")),
                       QDialogButtonBox::RejectRole);
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
