// The results panel: the current section's results as one table, wire then cord, a block per
// strain section with its figures, its tensions and stresses and the sags of its attested
// spans at the nine temperatures.
#pragma once

#include "app/results_model.h"

#include <QTableView>

namespace vartesk::ui {

class TResultsTableModel;

class TResultsView final : public QTableView
{
public:
    explicit TResultsView(QWidget *parent = nullptr);

    // Shows the results (null: the project has no section). `calculations` counts the
    // model's calculations: the same results of the same count are not laid out again, so
    // the place the person scrolled to stays.
    void Show(const TSectionResults *results, const TResultsCaptions &captions, long calculations);

    // The text of a row as the person reads it, cells joined by " | " (for the tests).
    QString RowText(int row) const;

    // As wide as the table's columns, so that the panel shows every temperature, as far as the
    // window leaves room beside the grids.
    QSize sizeHint() const override;

private:
    void FitColumns();

    TResultsTableModel *Rows;
    // What is shown, by value: the results shown last may be gone once recalculated.
    const TSectionResults *Shown = nullptr; // compared, never read
    int ShownIndex = -1; // its section; -1 for none
    long ShownCalculations = -1;
    QString ShownCaptions;
};

} // namespace vartesk::ui
