// Layout of a curve plot in pixels.
#include "app/curve_scene.h"

#include "base/split_by_char.h"
#include "base/utf8.h"

#include <algorithm>
#include <cmath>

namespace vartesk {

namespace {

constexpr double kMargin = 16;
constexpr double kTitleSize = 17, kSubtitleSize = 14, kAxisLabelSize = 13, kTickSize = 12;
constexpr double kLegendSize = 12, kNoteSize = 11;
constexpr double kLegendRow = 19, kNoteRow = 15, kSwatch = 28;
constexpr std::uint32_t kText = 0x202020, kMuted = 0x505050, kGrid = 0xe3e3e3, kFrame = 0x404040;
constexpr std::uint32_t kNoteColor = 0xa02020, kWhite = 0xffffff;
constexpr double kSeriesWidth = 2, kMarkWidth = 1.6, kPointRadius = 2.6;

std::vector<double> Dash(TLineStyle style)
{
    switch (style) {
    case TLineStyle::Solid:
        break;
    case TLineStyle::Dashed:
        return {8, 4};
    case TLineStyle::Dotted:
        return {2, 3};
    case TLineStyle::DashDot:
        return {9, 3, 2, 3};
    }
    return {};
}

TSceneStroke SeriesStroke(const TPlotSeries &s)
{
    return {s.Color, kSeriesWidth, Dash(s.Style)};
}

TSceneStroke MarkStroke(const TPlotMark &m)
{
    return {m.Color, kMarkWidth, Dash(m.Style)};
}

std::string AxisTitle(const TPlotAxis &a)
{
    return a.Unit.empty() ? a.Label : a.Label + ", " + a.Unit;
}

// The text, cut with an ellipsis where it would pass maxWidth.
std::string
Fit(const std::string &text, double size, bool bold, double maxWidth, const TTextWidth &measure)
{
    if (measure(text, size, bold) <= maxWidth)
        return text;
    for (size_t n = Utf8Length(text); n-- > 0;) {
        std::string cut = Utf8Prefix(text, n) + "\u2026";
        if (measure(cut, size, bold) <= maxWidth)
            return cut;
    }
    return {};
}

// The ticks of an axis, Min to Max by Step, without the drift of repeated addition.
std::vector<double> Ticks(const TPlotAxis &a)
{
    std::vector<double> out;
    if (!(a.Step > 0) || !(a.Max > a.Min))
        return out;
    const int n = int(std::lround((a.Max - a.Min) / a.Step));
    for (int i = 0; i <= n && i <= 1000; ++i)
        out.push_back(a.Min + i * a.Step);
    return out;
}

struct TLegendEntry
{
    std::string Text;
    TSceneStroke Stroke;
    bool Point = false;
};

} // namespace

TScenePoint TCurveScene::ToScene(double x, double y) const
{
    return {Left + (x - XMin) / (XMax - XMin) * (Right - Left),
            Bottom - (y - YMin) / (YMax - YMin) * (Bottom - Top)};
}

double EstimatedTextWidth(const std::string &text, double size, bool bold)
{
    // DejaVu Sans averages a little under 0.6 em over mixed Latin, Cyrillic and digits.
    return double(Utf8Length(text)) * size * (bold ? 0.62 : 0.56);
}

TCurveScene
LayoutCurvePlot(const TCurvePlot &plot, double width, double height, const TTextWidth &measure)
{
    TCurveScene s;
    s.Width = width;
    s.Height = height;
    s.XMin = plot.X.Min;
    s.XMax = plot.X.Max > plot.X.Min ? plot.X.Max : plot.X.Min + 1;
    s.YMin = plot.Y.Min;
    s.YMax = plot.Y.Max > plot.Y.Min ? plot.Y.Max : plot.Y.Min + 1;
    const double inner = width - 2 * kMargin;
    auto text = [&](TScenePoint at, const std::string &t, double size, std::uint32_t color) {
        TSceneText item;
        item.At = at;
        item.Text = t;
        item.Size = size;
        item.Color = color;
        return item;
    };

    s.Items.push_back(TSceneRect {0, 0, width, height, kWhite, std::nullopt});
    double y = kMargin + kTitleSize;
    TSceneText title
        = text({kMargin, y}, Fit(plot.Title, kTitleSize, true, inner, measure), kTitleSize, kText);
    title.Bold = true;
    s.Items.push_back(title);
    for (const std::string &line : SplitByChar(plot.Subtitle, '\n')) {
        y += kSubtitleSize + 7;
        s.Items.push_back(text(
            {kMargin, y}, Fit(line, kSubtitleSize, false, inner, measure), kSubtitleSize, kMuted));
    }
    s.Top = y + 16;

    const std::vector<double> xTicks = Ticks(plot.X), yTicks = Ticks(plot.Y);
    std::vector<std::string> yLabels;
    double yLabelWidth = 0;
    for (double v : yTicks) {
        yLabels.push_back(ScaleText(v, plot.Y.Decimals));
        yLabelWidth = std::max(yLabelWidth, measure(yLabels.back(), kTickSize, false));
    }
    s.Left = kMargin + kAxisLabelSize + 12 + yLabelWidth + 8;
    s.Right = width - kMargin - 10;

    // Bottom up: the notes, the legend under the plot area, the temperature axis' title and
    // its tick labels.
    // Curves and marks in blocks of their own, each in as many columns as its widest entry
    // allows.
    struct TLegendBlock
    {
        std::vector<TLegendEntry> Entries;
        double Column = 0;
        size_t Columns = 1, Rows = 0;
    };
    TLegendBlock blocks[2];
    for (const TPlotSeries &series : plot.Series)
        blocks[0].Entries.push_back({series.Name, SeriesStroke(series), true});
    for (const TPlotMark &m : plot.Marks)
        blocks[1].Entries.push_back({m.Label, MarkStroke(m), false});
    // A widget not yet given its size is laid out all the same.
    const double legendWidth = std::max(1.0, s.Right - s.Left);
    size_t rows = 0;
    for (TLegendBlock &b : blocks) {
        double widest = 0;
        for (const TLegendEntry &e : b.Entries)
            widest = std::max(widest, measure(e.Text, kLegendSize, false));
        b.Column = std::min(legendWidth, kSwatch + 8 + widest + 24);
        b.Columns = std::max<size_t>(1, size_t(legendWidth / b.Column));
        b.Rows = (b.Entries.size() + b.Columns - 1) / b.Columns;
        rows += b.Rows;
    }
    const double notesHeight = double(plot.Notes.size()) * kNoteRow;
    const double legendTop = height - kMargin - notesHeight - double(rows) * kLegendRow;
    const double axisTitleBaseline = legendTop - 12;
    s.Bottom = axisTitleBaseline - kAxisLabelSize - 14 - kTickSize;
    if (s.Bottom < s.Top + 40)
        s.Bottom = s.Top + 40; // a canvas too small for the legend still shows its curves

    // The plot area, its grid and the tick labels.
    s.Items.push_back(
        TSceneRect {s.Left, s.Top, s.Right - s.Left, s.Bottom - s.Top, kWhite, std::nullopt});
    for (size_t i = 0; i < xTicks.size(); ++i) {
        const double px = s.ToScene(xTicks[i], s.YMin).X;
        s.Items.push_back(TSceneLine {{px, s.Top}, {px, s.Bottom}, {kGrid, 1, {}}});
        s.Items.push_back(TSceneLine {{px, s.Bottom}, {px, s.Bottom + 5}, {kFrame, 1, {}}});
        TSceneText label = text({px, s.Bottom + 8 + kTickSize},
                                SignedText(xTicks[i], plot.X.Decimals),
                                kTickSize,
                                kText);
        label.Anchor = TTextAnchor::Middle;
        s.Items.push_back(label);
    }
    for (size_t i = 0; i < yTicks.size(); ++i) {
        const double py = s.ToScene(s.XMin, yTicks[i]).Y;
        s.Items.push_back(TSceneLine {{s.Left, py}, {s.Right, py}, {kGrid, 1, {}}});
        s.Items.push_back(TSceneLine {{s.Left - 5, py}, {s.Left, py}, {kFrame, 1, {}}});
        TSceneText label = text({s.Left - 8, py + kTickSize * 0.36}, yLabels[i], kTickSize, kText);
        label.Anchor = TTextAnchor::End;
        s.Items.push_back(label);
    }
    TSceneText xTitle = text({(s.Left + s.Right) / 2, axisTitleBaseline},
                             Fit(AxisTitle(plot.X), kAxisLabelSize, false, inner, measure),
                             kAxisLabelSize,
                             kText);
    xTitle.Anchor = TTextAnchor::Middle;
    s.Items.push_back(xTitle);
    TSceneText yTitle
        = text({kMargin + kAxisLabelSize, (s.Top + s.Bottom) / 2},
               Fit(AxisTitle(plot.Y), kAxisLabelSize, false, s.Bottom - s.Top, measure),
               kAxisLabelSize,
               kText);
    yTitle.Anchor = TTextAnchor::Middle;
    yTitle.Vertical = true;
    s.Items.push_back(yTitle);

    // The marks behind the curves; a temperature off the scale has its legend line only.
    for (const TPlotMark &m : plot.Marks) {
        if (m.Kind == TPlotMark::Permissible && m.Value >= s.YMin && m.Value <= s.YMax) {
            const double py = s.ToScene(s.XMin, m.Value).Y;
            s.Items.push_back(TSceneLine {{s.Left, py}, {s.Right, py}, MarkStroke(m)});
        }
        if (m.Kind == TPlotMark::Governing && m.Value >= s.XMin && m.Value <= s.XMax) {
            const double px = s.ToScene(m.Value, s.YMin).X;
            s.Items.push_back(TSceneLine {{px, s.Top}, {px, s.Bottom}, MarkStroke(m)});
        }
    }
    for (size_t i = 0; i < plot.Series.size(); ++i) {
        const TPlotSeries &series = plot.Series[i];
        TScenePolyline line;
        line.Stroke = SeriesStroke(series);
        line.Series = i;
        line.Name = series.Name;
        const size_t n = std::min(series.X.size(), series.Y.size());
        for (size_t k = 0; k < n; ++k)
            line.Points.push_back(s.ToScene(series.X[k], series.Y[k]));
        s.Items.push_back(line);
        for (size_t k = 0; k < n; ++k)
            s.Items.push_back(TSceneMarker {
                line.Points[k], kPointRadius, series.Color, CurvePointText(plot, i, k)});
    }
    s.Items.push_back(TSceneRect {s.Left,
                                  s.Top,
                                  s.Right - s.Left,
                                  s.Bottom - s.Top,
                                  std::nullopt,
                                  TSceneStroke {kFrame, 1, {}}});

    // The legend, row by row.
    double rowTop = legendTop;
    for (const TLegendBlock &b : blocks) {
        for (size_t i = 0; i < b.Entries.size(); ++i) {
            const TLegendEntry &e = b.Entries[i];
            const double x = s.Left + double(i % b.Columns) * b.Column;
            const double baseline = rowTop + double(i / b.Columns) * kLegendRow + kLegendSize;
            const double mid = baseline - kLegendSize * 0.35;
            s.Items.push_back(TSceneLine {{x, mid}, {x + kSwatch, mid}, e.Stroke});
            if (e.Point)
                s.Items.push_back(
                    TSceneMarker {{x + kSwatch / 2, mid}, kPointRadius, e.Stroke.Color, {}});
            s.Items.push_back(
                text({x + kSwatch + 8, baseline},
                     Fit(e.Text, kLegendSize, false, b.Column - kSwatch - 12, measure),
                     kLegendSize,
                     kText));
        }
        rowTop += double(b.Rows) * kLegendRow;
    }
    for (size_t i = 0; i < plot.Notes.size(); ++i)
        s.Items.push_back(
            text({kMargin, height - kMargin - notesHeight + double(i) * kNoteRow + kNoteSize},
                 Fit(plot.Notes[i], kNoteSize, false, inner, measure),
                 kNoteSize,
                 kNoteColor));
    return s;
}

std::optional<TScenePick>
NearestPoint(const TCurveScene &scene, const TCurvePlot &plot, TScenePoint at, double maxDistance)
{
    std::optional<TScenePick> best;
    double bestDistance = maxDistance * maxDistance;
    for (size_t i = 0; i < plot.Series.size(); ++i) {
        const TPlotSeries &series = plot.Series[i];
        for (size_t k = 0; k < std::min(series.X.size(), series.Y.size()); ++k) {
            const TScenePoint p = scene.ToScene(series.X[k], series.Y[k]);
            const double d = (p.X - at.X) * (p.X - at.X) + (p.Y - at.Y) * (p.Y - at.Y);
            if (d <= bestDistance) {
                bestDistance = d;
                best = TScenePick {i, k};
            }
        }
    }
    return best;
}

} // namespace vartesk
