// The damper page of the main window: the project-wide damper inputs and the list of sections
// with their marks.
#pragma once

#include "ui/bound_widget.h"

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QSpinBox;
class QTableWidget;

namespace vartesk {
class TFrameVibroMuffles;
}

namespace vartesk::ui {

class TGeneralSpinBox;

// Object names: "IsVibroMuffles", "NumbCat", "Description", "IsNord", "Tcold", "Sections".
class TDamperPageWidget final : public TBoundWidget
{
    Q_OBJECT

public:
    // The mark of a section whose damper calculation is on, in the list's narrow column.
    static constexpr const char *kMark = "●";

    TDamperPageWidget(TFrameVibroMuffles &state,
                      std::function<void(int row)> selected,
                      std::function<void(int row)> activated,
                      QWidget *parent);

    // Refills the list too. The current row stays where it was while the list still has it,
    // and otherwise goes to the first row; a row that changes so is told through `selected`,
    // so that whoever follows the current section never points past the list.
    void Reload() override;
    void Retranslate() override;

    // The current row of the section list; -1 while it is empty.
    int CurrentRow() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Sync();
    void FillRows();

    TFrameVibroMuffles &State;
    std::function<void(int)> Selected;
    std::function<void(int)> Activated;
    QCheckBox *Switch;
    QGroupBox *CategoryGroup;
    QLabel *NumberCategory;
    QSpinBox *Category;
    QGroupBox *DescriptionGroup;
    QLabel *Description;
    QGroupBox *NorthGroup;
    QCheckBox *North;
    QLabel *TemperatureCaption;
    TGeneralSpinBox *Temperature;
    QLabel *TemperatureUnit;
    QGroupBox *SectionsGroup;
    QTableWidget *Sections;
};

} // namespace vartesk::ui
