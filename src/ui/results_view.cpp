// The results panel of the main window.
#include "ui/results_view.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>
#include <vector>

namespace vartesk::ui {

namespace {

QString Q(const std::string &text)
{
    return QString::fromStdString(text);
}

// Label and length, then the nine temperatures.
constexpr int kColumns = 2 + kGridSize;

enum class TRowKind {
    Conductor, // the conductor and its type, across the table
    StrainSection, // a strain section's label, across the table
    Figures, // a line of its figures, across the table
    Reason, // why there are no figures, across the table
    Grid, // tensions or stresses: the caption over the first two columns
    SagsCaption, // the caption of the span lines, across the table
    Span, // an attested span: label, length, sags
};

struct TRow
{
    TRowKind Kind = TRowKind::Figures;
    QString Caption;
    QString Length;
    std::array<QString, kGridSize> Cells;
};

bool Spanned(TRowKind kind)
{
    return kind != TRowKind::Grid && kind != TRowKind::Span;
}

// "Caption: value" pairs of a figures line, the empty ones left out.
QString Figures(std::initializer_list<std::pair<const std::string &, QString>> items)
{
    QStringList parts;
    for (const auto &[caption, value] : items)
        if (!value.isEmpty())
            parts << Q(caption) + QStringLiteral(": ") + value;
    return parts.join(QStringLiteral("     "));
}

QString Joined(const std::array<std::string, 3> &values)
{
    if (values[0].empty())
        return {};
    return Q(values[0]) + QStringLiteral("; ") + Q(values[1]) + QStringLiteral("; ") + Q(values[2]);
}

void AddConductor(std::vector<TRow> &rows, const TShownConductor &c, const TResultsCaptions &t)
{
    rows.push_back({TRowKind::Conductor, Q(c.Title), {}, {}});
    if (c.Reason)
        rows.push_back({TRowKind::Reason, Q(*c.Reason), {}, {}});
    for (const TShownStrainSection &s : c.StrainSections) {
        rows.push_back({TRowKind::StrainSection, Q(t.StrainSection + " " + s.Label), {}, {}});
        if (s.Reason) {
            rows.push_back({TRowKind::Reason, Q(*s.Reason), {}, {}});
            continue;
        }
        rows.push_back({TRowKind::Figures,
                        Figures({{t.Length, Q(s.Length)}, {t.RulingSpan, Q(s.RulingSpan)}}),
                        {},
                        {}});
        rows.push_back({TRowKind::Figures,
                        Figures({{t.State, Q(s.State)}, {t.Critical, Joined(s.Critical)}}),
                        {},
                        {}});
        rows.push_back({TRowKind::Figures, Figures({{t.Loads, Joined(s.Loads)}}), {}, {}});
        TRow tension {TRowKind::Grid, Q(t.Tension), {}, {}};
        TRow stress {TRowKind::Grid, Q(t.Stress), {}, {}};
        for (size_t k = 0; k < size_t(kGridSize); ++k) {
            tension.Cells[k] = Q(s.Tension[k]);
            stress.Cells[k] = Q(s.Stress[k]);
        }
        rows.push_back(std::move(tension));
        if (!s.Stress[0].empty())
            rows.push_back(std::move(stress));
        if (s.Spans.empty())
            continue;
        rows.push_back({TRowKind::SagsCaption, Q(t.Sags), {}, {}});
        for (const TShownSpan &span : s.Spans) {
            TRow row {TRowKind::Span, Q(span.Label), Q(span.Length), {}};
            for (size_t k = 0; k < size_t(kGridSize); ++k)
                row.Cells[k] = Q(span.Sag[k]);
            rows.push_back(std::move(row));
        }
    }
}

} // namespace

// The rows of the table, made from the results once per showing.
class TResultsTableModel final : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    std::vector<TRow> Rows;
    std::array<QString, kColumns> Heads;

    void Reset(std::vector<TRow> rows, std::array<QString, kColumns> heads)
    {
        beginResetModel();
        Rows = std::move(rows);
        Heads = std::move(heads);
        endResetModel();
    }
    int rowCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : int(Rows.size());
    }
    int columnCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : kColumns;
    }
    QString Text(int row, int column) const
    {
        const TRow &r = Rows[size_t(row)];
        if (column == 0)
            return r.Caption;
        if (Spanned(r.Kind))
            return {};
        return column == 1 ? r.Length : r.Cells[size_t(column - 2)];
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= int(Rows.size()))
            return {};
        const TRow &r = Rows[size_t(index.row())];
        switch (role) {
        case Qt::DisplayRole:
            return Text(index.row(), index.column());
        case Qt::ToolTipRole:
            // A long line may be cut at the panel's edge.
            return Spanned(r.Kind) && index.column() == 0 ? QVariant(r.Caption) : QVariant();
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignVCenter
                                       | (index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight));
        case Qt::FontRole: {
            QFont font;
            font.setBold(r.Kind == TRowKind::Conductor || r.Kind == TRowKind::StrainSection);
            font.setItalic(r.Kind == TRowKind::Reason || r.Kind == TRowKind::SagsCaption);
            return font;
        }
        case Qt::ForegroundRole:
            if (r.Kind == TRowKind::Reason)
                return QColor(0xa0, 0x1c, 0x1c);
            if (r.Kind == TRowKind::SagsCaption)
                return QColor(0x55, 0x5d, 0x66);
            return {};
        case Qt::BackgroundRole:
            if (r.Kind == TRowKind::Conductor)
                return QColor(0xd6, 0xe2, 0xf0);
            if (r.Kind == TRowKind::StrainSection)
                return QColor(0xee, 0xf2, 0xf6);
            return {};
        default:
            return {};
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= kColumns)
            return {};
        if (role == Qt::DisplayRole)
            return Heads[size_t(section)];
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignVCenter
                                       | (section == 0 ? Qt::AlignLeft : Qt::AlignRight));
        return {};
    }
};

TResultsView::TResultsView(QWidget *parent)
    : QTableView(parent)
    , Rows(new TResultsTableModel(this))
{
    setModel(Rows);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void TResultsView::Show(const TSectionResults *results,
                        const TResultsCaptions &captions,
                        long calculations)
{
    const QString fingerprint = Q(captions.NoSection + captions.Tension + captions.Span);
    if (results == Shown && calculations == ShownCalculations && fingerprint == ShownCaptions)
        return;
    // The same section calculated anew keeps the place the person was reading.
    const bool sameSection = results && results->Index == ShownIndex;
    const int scrolled = sameSection ? verticalScrollBar()->value() : 0;
    Shown = results;
    ShownIndex = results ? results->Index : -1;
    ShownCalculations = calculations;
    ShownCaptions = fingerprint;

    std::vector<TRow> rows;
    if (!results) {
        rows.push_back({TRowKind::Reason, Q(captions.NoSection), {}, {}});
    } else {
        AddConductor(rows, results->ShownWire, captions);
        AddConductor(rows, results->ShownCord, captions);
    }
    std::array<QString, kColumns> heads;
    heads[0] = Q(captions.Span);
    heads[1] = Q(captions.SpanLength);
    for (size_t k = 0; k < size_t(kGridSize); ++k)
        heads[k + 2] = Q(captions.Temperatures[k]);
    clearSpans();
    Rows->Reset(std::move(rows), std::move(heads));
    for (int r = 0; r < int(Rows->Rows.size()); ++r) {
        const TRowKind kind = Rows->Rows[size_t(r)].Kind;
        if (Spanned(kind))
            setSpan(r, 0, 1, kColumns);
        else if (kind == TRowKind::Grid)
            setSpan(r, 0, 1, 2);
    }
    FitColumns();
    verticalScrollBar()->setValue(scrolled);
}

// Each column as wide as its head and its cells; a line across the table does not count.
void TResultsView::FitColumns()
{
    const QFontMetrics plain(font());
    QFont boldFont = font();
    boldFont.setBold(true);
    const QFontMetrics bold(boldFont);
    const int padding = 2 * plain.horizontalAdvance(QLatin1Char('0'));
    std::array<int, kColumns> widths {};
    for (int c = 0; c < kColumns; ++c)
        widths[size_t(c)] = bold.horizontalAdvance(Rows->Heads[size_t(c)]);
    int gridCaption = 0;
    for (int r = 0; r < int(Rows->Rows.size()); ++r) {
        const TRow &row = Rows->Rows[size_t(r)];
        if (Spanned(row.Kind))
            continue;
        if (row.Kind == TRowKind::Grid)
            gridCaption = std::max(gridCaption, plain.horizontalAdvance(row.Caption));
        for (int c = row.Kind == TRowKind::Grid ? 2 : 0; c < kColumns; ++c)
            widths[size_t(c)]
                = std::max(widths[size_t(c)], plain.horizontalAdvance(Rows->Text(r, c)));
    }
    // The nine temperatures alike, as in the workbooks.
    const int temperature = *std::max_element(widths.begin() + 2, widths.end());
    std::fill(widths.begin() + 2, widths.end(), temperature);
    // The tension and stress captions lie over the first two columns.
    const int over = gridCaption - (widths[0] + widths[1] + padding);
    if (over > 0)
        widths[0] += over;
    for (int c = 0; c < kColumns; ++c)
        setColumnWidth(c, widths[size_t(c)] + padding);
}

QSize TResultsView::sizeHint() const
{
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < kColumns; ++c)
        width += columnWidth(c);
    // The navigation list and the two grids keep about a hundred characters' width.
    const int room
        = std::max(window()->width() - 100 * fontMetrics().horizontalAdvance(QLatin1Char('x')),
                   window()->width() / 3);
    return {std::min(width, room), QTableView::sizeHint().height()};
}

QString TResultsView::RowText(int row) const
{
    if (row < 0 || row >= int(Rows->Rows.size()))
        return {};
    if (Spanned(Rows->Rows[size_t(row)].Kind))
        return Rows->Text(row, 0);
    QStringList cells;
    for (int c = 0; c < kColumns; ++c)
        cells << Rows->Text(row, c);
    return cells.join(QStringLiteral(" | "));
}

} // namespace vartesk::ui
