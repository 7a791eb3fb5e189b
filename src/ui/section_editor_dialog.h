// The section editor dialog: shows a TFormParcel and forwards every edit and click to it.
#pragma once

#include "app/app_port.h"
#include "app/editors/section_editor.h"

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
class QTabWidget;

namespace vartesk::ui {

// The inputs are named after the editor's members (objectName "Edit_Name", "IsProvod",
// "seNapr_max", "Mp1", "Pt5", ...), so that a test can find each of them.
class TSectionEditorDialog : public QDialog
{
    Q_OBJECT

public:
    TSectionEditorDialog(TFormParcel &editor, TAppPort &port, QWidget *parent = nullptr);

    // Shows the editor's values and enabling again.
    void Sync();

public slots:
    // OK: the editor's checks; the dialog stays open while they fail.
    void accept() override;

private:
    // The wire's or the cord's page: the check box, the type with its catalog button and the
    // limits on two tabs (stresses, tensions).
    struct TConductorPage
    {
        QWidget *Page = nullptr;
        QCheckBox *Present = nullptr;
        QLabel *TypeLabel = nullptr;
        QLineEdit *Type = nullptr;
        QPushButton *Catalog = nullptr;
        QTabWidget *Limits = nullptr;
        std::array<QLabel *, 4> LimitLabels {}; // max stress, avg stress, max tension, avg
        std::array<QLabel *, 4> UnitLabels {};
        std::array<QDoubleSpinBox *, 4> LimitInputs {};
    };
    // One group of the stretching allowance: five materials, each with its percentage.
    struct TStretchBox
    {
        QGroupBox *Box = nullptr;
        QLabel *MaterialLabel = nullptr;
        QLabel *PercentLabel = nullptr;
        QButtonGroup *Materials = nullptr;
        std::array<QSpinBox *, TStretchGroup::kMaterials> Percents {};
    };
    // Which conductor a page or a stretching group is for.
    enum TConductor { kWire, kCord };

    TConductorPage CreateConductorPage(TConductor conductor);
    QGroupBox *CreateInsulatorGroup();
    QGroupBox *CreateStretchGroup();
    TStretchBox CreateStretchBox(TConductor conductor);
    void ApplyCaptions();
    void SetTabOrder();
    void SyncConductor(TConductor conductor);
    void SyncStretch(TConductor conductor);
    // The editor's limits of a conductor in the order of LimitInputs.
    std::array<double *, 4> Limits(TConductor conductor);

    TFormParcel &Editor;
    TAppPort &Port;
    QLabel *NameLabel = nullptr;
    QLineEdit *Name = nullptr;
    QTabWidget *Conductors = nullptr;
    std::array<TConductorPage, 2> Pages {};
    QGroupBox *InsulatorGroup = nullptr;
    QCheckBox *IsGis = nullptr;
    std::array<QLabel *, 3> InsulatorLabels {};
    std::array<QLabel *, 3> InsulatorUnits {};
    std::array<QDoubleSpinBox *, 3> InsulatorInputs {}; // weight, length, height difference
    QGroupBox *StretchGroup = nullptr;
    QCheckBox *IsVitygka = nullptr;
    std::array<TStretchBox, 2> Stretch {};
    QPushButton *OkButton = nullptr;
    QPushButton *CancelButton = nullptr;
};

} // namespace vartesk::ui
