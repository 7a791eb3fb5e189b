// Qt's painter over the curve scene.
#include "ui/curve_painter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace vartesk::ui {

namespace {

QColor Color(std::uint32_t rgb)
{
    return QColor::fromRgb(QRgb(0xff000000u | rgb));
}

QPen Pen(const TSceneStroke &s)
{
    QPen pen(Color(s.Color), s.Width);
    pen.setJoinStyle(Qt::RoundJoin);
    if (!s.Dash.empty()) {
        // Qt counts dashes in pen widths, the scene in pixels.
        QList<qreal> pattern;
        for (double d : s.Dash)
            pattern.append(d / s.Width);
        pen.setDashPattern(pattern);
        pen.setCapStyle(Qt::FlatCap);
    }
    return pen;
}

struct TPaintItem
{
    QPainter &P;

    void operator()(const TSceneRect &r) const
    {
        const QRectF rect(r.X, r.Y, r.W, r.H);
        if (r.Fill)
            P.fillRect(rect, Color(*r.Fill));
        if (r.Stroke) {
            P.setPen(Pen(*r.Stroke));
            P.setBrush(Qt::NoBrush);
            P.drawRect(rect);
        }
    }
    void operator()(const TSceneLine &l) const
    {
        P.setPen(Pen(l.Stroke));
        P.drawLine(QPointF(l.A.X, l.A.Y), QPointF(l.B.X, l.B.Y));
    }
    void operator()(const TScenePolyline &l) const
    {
        QPolygonF polygon;
        for (const TScenePoint &p : l.Points)
            polygon << QPointF(p.X, p.Y);
        P.setPen(Pen(l.Stroke));
        P.setBrush(Qt::NoBrush);
        P.drawPolyline(polygon);
    }
    void operator()(const TSceneMarker &m) const
    {
        P.setPen(Qt::NoPen);
        P.setBrush(Color(m.Color));
        P.drawEllipse(QPointF(m.At.X, m.At.Y), m.Radius, m.Radius);
    }
    void operator()(const TSceneText &t) const
    {
        const QFont font = CurveFont(t.Size, t.Bold);
        const QString text = QString::fromStdString(t.Text);
        const double advance = QFontMetricsF(font).horizontalAdvance(text);
        const double shift = t.Anchor == TTextAnchor::Start ? 0
            : t.Anchor == TTextAnchor::Middle               ? -advance / 2
                                                            : -advance;
        P.save();
        P.setFont(font);
        P.setPen(Color(t.Color));
        P.translate(t.At.X, t.At.Y);
        if (t.Vertical)
            P.rotate(-90);
        P.drawText(QPointF(shift, 0), text);
        P.restore();
    }
};

} // namespace

QFont CurveFont(double size, bool bold)
{
    QFont font(QString::fromLatin1(kCurveFontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, int(std::lround(size))));
    font.setBold(bold);
    return font;
}

TTextWidth QtTextWidth()
{
    return [](const std::string &text, double size, bool bold) {
        return QFontMetricsF(CurveFont(size, bold)).horizontalAdvance(QString::fromStdString(text));
    };
}

void PaintCurveScene(QPainter &painter, const TCurveScene &scene)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const TPaintItem paint {painter};
    for (const TSceneItem &item : scene.Items)
        std::visit(paint, item);
    painter.restore();
}

QImage CurveImage(const TCurvePlot &plot, double width, double height, double scale)
{
    QImage image(int(std::lround(width * scale)),
                 int(std::lround(height * scale)),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintCurveScene(painter, LayoutCurvePlot(plot, width, height, QtTextWidth()));
    painter.end();
    return image;
}

std::string CurvePng(const TCurvePlot &plot, double width, double height, double scale)
{
    const QImage image = CurveImage(plot, width, height, scale);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG"))
        return {};
    return bytes.toStdString();
}

} // namespace vartesk::ui
