// The curve scene drawn by Qt's painter: on the curves window, and into a PNG image. QtGui
// alone, so that the command-line tool can link it for its PNG files.
#pragma once

#include "app/curve_scene.h"

#include <QFont>

#include <string>

class QImage;
class QPainter;

namespace vartesk::ui {

// The face of the curves at `size` pixels.
QFont CurveFont(double size, bool bold);
// Text widths as the painter will draw them.
TTextWidth QtTextWidth();

void PaintCurveScene(QPainter &painter, const TCurveScene &scene);

// The plot laid out at width x height, each scene pixel drawn as `scale` image pixels.
QImage CurveImage(const TCurvePlot &plot, double width, double height, double scale);
// The same as PNG bytes; empty when the image could not be made or encoded.
std::string CurvePng(const TCurvePlot &plot, double width, double height, double scale);

} // namespace vartesk::ui
