// The save prompt: whether to save a changed project before it is left.
#pragma once

#include <QDialog>

class QLabel;

namespace vartesk::ui {

// Its text follows the current language; its two buttons are the same Russian words in either.
class TSavePrompt final : public QDialog
{
    Q_OBJECT

public:
    explicit TSavePrompt(QWidget *parent);

    QString Text() const;

private:
    QLabel *Question;
};

} // namespace vartesk::ui
