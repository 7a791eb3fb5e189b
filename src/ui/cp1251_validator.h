// Text inputs take only what the project and catalog files can store (Windows-1251).
#pragma once

#include <QValidator>

#include <functional>

class QLineEdit;

namespace vartesk::ui {

// Refuses a character that Windows-1251 cannot store, and text beyond `maxChars` characters
// (0: no limit); `refused` is called with the hint to show.
class TCp1251Validator : public QValidator
{
public:
    TCp1251Validator(int maxChars,
                     std::function<void(const QString &hint)> refused,
                     QObject *parent);
    State validate(QString &input, int &pos) const override;

private:
    int MaxChars;
    std::function<void(const QString &)> Refused;
};

// Puts the validator on the line edit; a refused character shows its hint as a tool tip at
// the field.
void AcceptOnlyCp1251(QLineEdit *edit, int maxChars = 0);

} // namespace vartesk::ui
