// The support editor dialog: shows a TFormPillar and forwards every edit and click to it.
#pragma once

#include "app/editors/support_editor.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace vartesk {
class TMessages;
}

namespace vartesk::ui {

// The inputs are named after the editor's members (objectName "Nomer", "Prolet", "Tip_Opor0",
// "Ugol_napr1", ...), so that a test can find each of them.
class TSupportEditorDialog : public QDialog
{
    Q_OBJECT

public:
    TSupportEditorDialog(TFormPillar &editor, TMessages &messages, QWidget *parent = nullptr);

    // Shows the editor's values and enabling again.
    void Sync();

public slots:
    // OK: the editor's checks; the dialog closes either way, as Cancel when they fail.
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QGroupBox *CreateSupportGroup();
    QGroupBox *CreateJournalGroup();
    QLineEdit *TextInput(const char *name, int capacity, std::string &value);
    QSpinBox *WholeInput(const char *name, int &value);
    void ApplyCaptions();
    void SetTabOrder();

    TFormPillar &Editor;
    TMessages &Messages;

    QGroupBox *SupportGroup = nullptr;
    QLabel *NomerLabel = nullptr;
    QLineEdit *Nomer = nullptr;
    QLabel *ProletLabel = nullptr;
    QLineEdit *Prolet = nullptr;
    QLabel *TypeLabel = nullptr;
    QButtonGroup *Types = nullptr; // ids: 0 strain, 1 intermediate
    QCheckBox *Visir = nullptr;
    QLabel *VisirNote = nullptr;

    QGroupBox *JournalGroup = nullptr;
    QLabel *ShifrLabel = nullptr;
    QLineEdit *Shifr = nullptr;
    QLabel *UgolLabel = nullptr;
    QLineEdit *Ugol = nullptr;
    QCheckBox *RezPic = nullptr;
    QLabel *Picet1Label = nullptr;
    QSpinBox *Picet1 = nullptr;
    QLabel *Picet1Unit = nullptr;
    QDoubleSpinBox *Picet2 = nullptr;
    QLabel *Picet2Unit = nullptr;
    QGroupBox *AngleGroup = nullptr;
    QButtonGroup *Signs = nullptr; // ids: 0 "+", 1 "-"
    std::array<QSpinBox *, 3> AngleParts {}; // degrees, minutes, seconds
    std::array<QLabel *, 3> AngleSigns {};
    QLabel *ComentLabel = nullptr;
    QLineEdit *Coment = nullptr;
    QLabel *InsectLabel = nullptr;
    QLineEdit *Insect = nullptr;

    QPushButton *OkButton = nullptr;
    QPushButton *CancelButton = nullptr;
};

} // namespace vartesk::ui
