// The curve plot as an SVG document, and the files of a plot: SVG, or PNG through a raster
// renderer that a front end with a painting library provides.
#pragma once

#include "app/curve_scene.h"

#include <filesystem>
#include <functional>
#include <string>

namespace vartesk {

enum class TCurveFile { Svg, Png };

// The scene as a standalone SVG 1.1 document in UTF-8. The root's data-plot-area (left top
// right bottom, px) and data-plot-range (x min, x max, y min, y max) let a reader turn the
// curves' points back into values; every point carries its hover text as a <title>.
std::string CurveSvg(const TCurveScene &scene);

// Writes the plot laid out at kCurveWidth x kCurveHeight as SVG; EFileError when it cannot.
void WriteCurveSvg(const std::filesystem::path &target, const TCurvePlot &plot);

// The PNG bytes of the plot at width x height pixels of the scene, each drawn as `scale`
// pixels of the image (2: a sharp picture for print and high-density screens).
using TCurveRasteriser
    = std::function<std::string(const TCurvePlot &plot, double width, double height, double scale)>;

// The renderer of this program, if it has one: the desktop's painting library registers it
// where it is linked in.
void SetCurveRasteriser(TCurveRasteriser rasteriser);
const TCurveRasteriser &CurveRasteriser();

// Writes the plot as PNG through `rasteriser`; an exception that says why when it cannot
// (EFileError for the file).
void WriteCurvePng(const std::filesystem::path &target,
                   const TCurvePlot &plot,
                   const TCurveRasteriser &rasteriser);

} // namespace vartesk
