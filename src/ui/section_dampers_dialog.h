// The per-section damper dialog: the wire's half and the cord's half with their kind tabs,
// counts, material, damper model and ratio range.
#pragma once

#include <QDialog>

#include <functional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTabBar;

namespace vartesk {
class TFormParcelVM;
struct TDamperHalf;
} // namespace vartesk

namespace vartesk::ui {

// Object names: "Name"; per half (prefix "Wire" or "Cord") "...Kinds", "...Calc", "...Type",
// "...Stress", "...Material", "...Model", "...Ratio"; the counts "CntCircuitry", "CntWires",
// "CntRopes".
class TSectionDampersDialog final : public QDialog
{
    Q_OBJECT

public:
    TSectionDampersDialog(TFormParcelVM &state, QWidget *parent);

    // The name a model field shows: the chosen list entry, or the stored name outside the list.
    static QString ShownModel(const QComboBox &model);

private:
    struct THalf
    {
        QGroupBox *Box = nullptr;
        QTabBar *Kinds = nullptr;
        QCheckBox *Calc = nullptr;
        QLabel *TypeCaption = nullptr;
        QLineEdit *Type = nullptr;
        QLabel *StressCaption = nullptr;
        QLineEdit *Stress = nullptr;
        QLabel *MaterialCaption = nullptr;
        QComboBox *Material = nullptr;
        QLabel *ModelCaption = nullptr;
        QComboBox *Model = nullptr;
        QLabel *RatioCaption = nullptr;
        QComboBox *Ratio = nullptr;
    };
    struct TCount
    {
        QLabel *Caption = nullptr;
        QSpinBox *Spin = nullptr;
    };

    // The half's widgets in tab order; the counts come between its stress and its material.
    THalf MakeHalf(const QString &prefix,
                   const std::vector<std::pair<TCount *, const char *>> &counts);
    // The state's actions for one half. Held as functions rather than member pointers: GCC's
    // optimiser sees through a member pointer inside Qt's slot code and warns of a value it
    // cannot prove set.
    using TIntAction = std::function<void(TFormParcelVM &, int)>;
    using TBoolAction = std::function<void(TFormParcelVM &, bool)>;
    // Forwards the half's edits to the state's actions for that half.
    void Bind(THalf &half,
              TIntAction chooseKind,
              TBoolAction clickCalc,
              TIntAction chooseMaterial,
              TIntAction chooseModel,
              TDamperHalf TFormParcelVM::*state);
    void Retranslate();
    void Sync();
    static void SyncHalf(THalf &half,
                         const TDamperHalf &state,
                         bool switchEnabled,
                         bool fieldsEnabled,
                         bool ratioVisible);

    TFormParcelVM &State;
    QLabel *NameCaption;
    QLineEdit *Name;
    TCount Circuits;
    TCount WiresInPhase;
    TCount Cords;
    THalf Wire;
    THalf Cord;
    QDialogButtonBox *Buttons;
};

} // namespace vartesk::ui
