// The line scheme on the screen: the very drawing the DXF file is written from, with pan and
// zoom.
#pragma once

#include "cad/drawing.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QWidget>

#include <limits>
#include <optional>
#include <vector>

namespace vartesk::ui {

// A drawing painted as CAD shows it, black on white: y upwards, texts at their height on their
// baseline. It fits the window until the person moves it: a drag with the left or middle button
// moves it, the wheel zooms about the pointer, + and - about the middle, Home or F fits it
// again.
class TSchemePreview final : public QWidget
{
public:
    explicit TSchemePreview(TDrawing drawing, QWidget *parent = nullptr);

    const TDrawing &Drawing() const { return Scheme; }
    // Pixels per drawing unit.
    double Scale() const { return Zoom; }
    // Where a point of the drawing is on the widget.
    QPointF ToScreen(TDrawPoint p) const;
    // The whole drawing in the middle of the widget, with a margin; it then follows the
    // widget's size again.
    void Fit();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // A box in drawing units.
    struct TBox
    {
        double Left, Bottom, Right, Top;
        bool Meets(const TBox &other) const
        {
            return Left <= other.Right && other.Left <= Right && Bottom <= other.Top
                && other.Bottom <= Top;
        }
    };

    // A polyline without vertices: it shows nothing and takes no room.
    static constexpr double kFar = std::numeric_limits<double>::infinity();
    static constexpr TBox kNowhere {kFar, kFar, -kFar, -kFar};

    TBox TextBox(const TDrawText &text, const QFontMetricsF &metrics) const;
    void ZoomAbout(QPointF screen, double factor);

    TDrawing Scheme;
    std::vector<TBox> Boxes; // of each entity, for painting only what shows
    std::optional<TBox> Extent; // of them all; none for an empty drawing
    QFont TextFont; // drawn at a large size and scaled down to each text's height
    double CapHeight = 1; // of TextFont, in its pixels
    double Zoom = 1;
    QPointF Offset; // where the drawing's origin is on the widget
    bool Fitted = true; // follows the widget's size
    std::optional<QPointF> DragFrom;
};

// The scheme drawn by PreviewScheme in a window of its own over `parent`, modeless, deleted
// when closed. Gives the window.
QWidget *ShowSchemeWindow(QWidget *parent, TDrawing drawing);

} // namespace vartesk::ui
