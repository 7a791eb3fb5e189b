// The Windows-1251 input filter.
#include "ui/cp1251_validator.h"

#include "base/cp1251.h"
#include "l10n/string_table.h"

#include <QLineEdit>
#include <QToolTip>

namespace vartesk::ui {

TCp1251Validator::TCp1251Validator(int maxChars,
                                   std::function<void(const QString &)> refused,
                                   QObject *parent)
    : QValidator(parent)
    , MaxChars(maxChars)
    , Refused(std::move(refused))
{ }

QValidator::State TCp1251Validator::validate(QString &input, int &) const
{
    if (!FitsCp1251(input.toStdString())) {
        if (Refused)
            Refused(QString::fromStdString(LocalString("Char_not_in_project_file")));
        return Invalid;
    }
    if (MaxChars > 0 && input.toStdU32String().size() > size_t(MaxChars))
        return Invalid;
    return Acceptable;
}

void AcceptOnlyCp1251(QLineEdit *edit, int maxChars)
{
    edit->setValidator(new TCp1251Validator(
        maxChars,
        [edit](const QString &hint) {
            QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), hint, edit);
        },
        edit));
}

} // namespace vartesk::ui
