// The scheme preview: the drawing's entities painted through one transform, y upwards.
#include "ui/scheme_preview.h"

#include "l10n/string_table.h"
#include "ui/caption_text.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTransform>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vartesk::ui {

namespace {

constexpr double kFontPixels = 100; // large enough that glyphs scale down cleanly
constexpr double kMargin = 0.95; // of the window that a fitted drawing fills
constexpr double kWheelStep = 1.25; // zoom of one notch of the wheel
constexpr double kMinZoom = 1e-4; // pixels per drawing unit
constexpr double kMaxZoom = 1e4;
constexpr double kSmallestText = 1.0; // pixels of a capital letter; smaller is not painted

// The first colours of the CAD palette; 7 and all others are ink on the paper.
QColor InkOf(TDrawColour colour)
{
    static const QColor kPalette[]
        = {Qt::black, Qt::red, Qt::darkYellow, Qt::darkGreen, Qt::darkCyan, Qt::blue, Qt::magenta};
    return colour > 0 && colour < 7 ? kPalette[colour] : QColor(Qt::black);
}

QString Q(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

TSchemePreview::TSchemePreview(TDrawing drawing, QWidget *parent)
    : QWidget(parent)
    , Scheme(std::move(drawing))
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::OpenHandCursor);
    setMinimumSize(200, 150);
    TextFont.setStyleHint(QFont::SansSerif);
    TextFont.setPixelSize(int(kFontPixels));
    TextFont.setHintingPreference(QFont::PreferNoHinting);
    CapHeight = std::max(1.0, QFontMetricsF(TextFont).capHeight());

    const auto add = [this](TBox box) {
        Boxes.push_back(box);
        if (!Extent) {
            Extent = box;
            return;
        }
        Extent = TBox {std::min(Extent->Left, box.Left),
                       std::min(Extent->Bottom, box.Bottom),
                       std::max(Extent->Right, box.Right),
                       std::max(Extent->Top, box.Top)};
    };
    const auto around = [](const std::vector<TDrawPoint> &points) {
        TBox box {points[0].X, points[0].Y, points[0].X, points[0].Y};
        for (const TDrawPoint p : points)
            box = {std::min<double>(box.Left, p.X),
                   std::min<double>(box.Bottom, p.Y),
                   std::max<double>(box.Right, p.X),
                   std::max<double>(box.Top, p.Y)};
        return box;
    };
    const QFontMetricsF metrics(TextFont);
    for (const TDrawEntity &entity : Scheme.Entities()) {
        if (const auto *line = std::get_if<TDrawLine>(&entity)) {
            add(around({line->From, line->To}));
        } else if (const auto *polyline = std::get_if<TDrawPolyline>(&entity)) {
            if (polyline->Vertices.empty())
                Boxes.push_back(kNowhere);
            else
                add(around(polyline->Vertices));
        } else {
            add(TextBox(std::get<TDrawText>(entity), metrics));
        }
    }
}

QPointF TSchemePreview::ToScreen(TDrawPoint p) const
{
    return {Offset.x() + Zoom * p.X, Offset.y() - Zoom * p.Y};
}

void TSchemePreview::Fit()
{
    Fitted = true;
    if (!Extent) {
        Zoom = 1;
        Offset = QPointF(width() / 2.0, height() / 2.0);
    } else {
        const double w = std::max(Extent->Right - Extent->Left, 1e-6);
        const double h = std::max(Extent->Top - Extent->Bottom, 1e-6);
        Zoom = std::clamp(kMargin * std::min(width() / w, height() / h), kMinZoom, kMaxZoom);
        const double cx = (Extent->Left + Extent->Right) / 2;
        const double cy = (Extent->Bottom + Extent->Top) / 2;
        Offset = QPointF(width() / 2.0 - Zoom * cx, height() / 2.0 + Zoom * cy);
    }
    update();
}

// The box of a text from its font's advance and ascent, turned with the text.
TSchemePreview::TBox TSchemePreview::TextBox(const TDrawText &text,
                                             const QFontMetricsF &metrics) const
{
    const double units = text.Height / CapHeight; // drawing units per pixel of the font
    const TDrawingStyle &style = Scheme.Style();
    const QRectF local(0,
                       -metrics.descent() * units,
                       metrics.horizontalAdvance(Q(text.Text)) * units * style.WidthFactor,
                       (metrics.ascent() + metrics.descent()) * units);
    const QRectF turned
        = QTransform().translate(text.At.X, text.At.Y).rotate(style.TextRotation).mapRect(local);
    return {turned.left(), turned.top(), turned.right(), turned.bottom()};
}

void TSchemePreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Drawing units to pixels, y turned upwards.
    const QTransform world(Zoom, 0, 0, -Zoom, Offset.x(), Offset.y());
    const TBox shown {-Offset.x() / Zoom,
                      (Offset.y() - height()) / Zoom,
                      (width() - Offset.x()) / Zoom,
                      Offset.y() / Zoom};
    const TDrawingStyle &style = Scheme.Style();
    const double slant = -std::tan(style.ObliqueAngle * std::numbers::pi / 180);
    painter.setFont(TextFont);
    const std::vector<TDrawEntity> &entities = Scheme.Entities();
    for (size_t i = 0; i < entities.size(); ++i) {
        if (!Boxes[i].Meets(shown))
            continue;
        const TDrawEntity &entity = entities[i];
        if (const auto *line = std::get_if<TDrawLine>(&entity)) {
            painter.setTransform(world);
            painter.setPen(QPen(InkOf(line->Colour), 0)); // one pixel whatever the zoom
            painter.drawLine(QPointF(line->From.X, line->From.Y), QPointF(line->To.X, line->To.Y));
        } else if (const auto *polyline = std::get_if<TDrawPolyline>(&entity)) {
            painter.setTransform(world);
            // Its width in drawing units, and never thinner than a pixel.
            const double width = polyline->Width * Zoom >= 1 ? polyline->Width : 0;
            painter.setPen(QPen(InkOf(polyline->Colour), width));
            QPolygonF points;
            for (const TDrawPoint p : polyline->Vertices)
                points << QPointF(p.X, p.Y);
            if (polyline->Closed)
                painter.drawPolygon(points);
            else
                painter.drawPolyline(points);
        } else {
            const auto &text = std::get<TDrawText>(entity);
            if (text.Height * Zoom < kSmallestText)
                continue;
            // Font pixels to drawing units at the insertion point: turned, slanted, narrowed
            // and turned upright again (the font's y runs downwards).
            const double units = text.Height / CapHeight;
            QTransform place;
            place.translate(text.At.X, text.At.Y);
            place.rotate(style.TextRotation);
            place.scale(units * style.WidthFactor, -units);
            place.shear(slant, 0);
            painter.setTransform(place * world);
            painter.setPen(InkOf(text.Colour));
            painter.drawText(QPointF(0, 0), Q(text.Text));
        }
    }
}

void TSchemePreview::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (Fitted)
        Fit();
}

void TSchemePreview::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton && event->button() != Qt::MiddleButton)
        return QWidget::mousePressEvent(event);
    DragFrom = event->position();
    setCursor(Qt::ClosedHandCursor);
}

void TSchemePreview::mouseMoveEvent(QMouseEvent *event)
{
    if (!DragFrom)
        return QWidget::mouseMoveEvent(event);
    Offset += event->position() - *DragFrom;
    DragFrom = event->position();
    Fitted = false;
    update();
}

void TSchemePreview::mouseReleaseEvent(QMouseEvent *event)
{
    if (!DragFrom)
        return QWidget::mouseReleaseEvent(event);
    DragFrom.reset();
    setCursor(Qt::OpenHandCursor);
}

void TSchemePreview::wheelEvent(QWheelEvent *event)
{
    const int eighths = event->angleDelta().y(); // of a degree; a notch is 15 degrees
    if (eighths == 0)
        return QWidget::wheelEvent(event);
    ZoomAbout(event->position(), std::pow(kWheelStep, eighths / 120.0));
}

void TSchemePreview::keyPressEvent(QKeyEvent *event)
{
    const QPointF middle(width() / 2.0, height() / 2.0);
    switch (event->key()) {
    case Qt::Key_Home:
    case Qt::Key_F:
        Fit();
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        ZoomAbout(middle, kWheelStep);
        break;
    case Qt::Key_Minus:
        ZoomAbout(middle, 1 / kWheelStep);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

// The drawing's point under `screen` stays there.
void TSchemePreview::ZoomAbout(QPointF screen, double factor)
{
    const double zoom = std::clamp(Zoom * factor, kMinZoom, kMaxZoom);
    Offset = screen - (screen - Offset) * (zoom / Zoom);
    Zoom = zoom;
    Fitted = false;
    update();
}

QWidget *ShowSchemeWindow(QWidget *parent, TDrawing drawing)
{
    auto *window = new QWidget(parent, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(Q(LocalString("Scheme_preview")));
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 4);
    auto *preview = new TSchemePreview(std::move(drawing), window);
    layout->addWidget(preview, 1);
    auto *hint = new QLabel(CaptionText(LocalString("Scheme_preview_hint")), window);
    hint->setContentsMargins(8, 0, 8, 0);
    layout->addWidget(hint);
    // Most of the screen: the scheme is long and low.
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableSize() : QSize(1024, 768);
    window->resize(available.width() * 4 / 5, available.height() * 3 / 5);
    window->show();
    preview->setFocus();
    return window;
}

} // namespace vartesk::ui
