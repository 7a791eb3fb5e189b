// SVG of a curve scene, and the plot's files.
#include "app/curve_svg.h"

#include "base/file_io.h"
#include "base/text_formats.h"
#include "l10n/string_table.h"

#include <cstdio>
#include <stdexcept>

namespace vartesk {

namespace {

// Pixels to a hundredth (a thousandth for the curves, whose points are read back as values),
// without trailing zeros.
std::string Num(double v, int decimals = 2)
{
    std::string t = FixedNumber(v, decimals);
    if (t.find('.') != std::string::npos) {
        t.erase(t.find_last_not_of('0') + 1);
        if (t.back() == '.')
            t.pop_back();
    }
    return t == "-0" ? "0" : t;
}

std::string Color(std::uint32_t rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", unsigned(rgb & 0xffffff));
    return text;
}

// Text as XML character data or an attribute value; characters XML cannot hold become blanks.
std::string Escaped(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t')
                out += ' ';
            else
                out += c;
        }
    }
    return out;
}

std::string StrokeAttributes(const TSceneStroke &s)
{
    std::string out = " stroke=\"" + Color(s.Color) + "\" stroke-width=\"" + Num(s.Width) + "\"";
    if (!s.Dash.empty()) {
        out += " stroke-dasharray=\"";
        for (size_t i = 0; i < s.Dash.size(); ++i)
            out += (i ? " " : "") + Num(s.Dash[i]);
        out += "\"";
    }
    return out;
}

struct TSvgItem
{
    std::string &Out;

    void operator()(const TSceneRect &r) const
    {
        Out += "<rect x=\"" + Num(r.X) + "\" y=\"" + Num(r.Y) + "\" width=\"" + Num(r.W)
            + "\" height=\"" + Num(r.H) + "\" fill=\"" + (r.Fill ? Color(*r.Fill) : "none") + "\""
            + (r.Stroke ? StrokeAttributes(*r.Stroke) : "") + "/>\n";
    }
    void operator()(const TSceneLine &l) const
    {
        Out += "<line x1=\"" + Num(l.A.X) + "\" y1=\"" + Num(l.A.Y) + "\" x2=\"" + Num(l.B.X)
            + "\" y2=\"" + Num(l.B.Y) + "\"" + StrokeAttributes(l.Stroke) + "/>\n";
    }
    void operator()(const TScenePolyline &p) const
    {
        Out += "<polyline class=\"series\" data-series=\"" + std::to_string(p.Series)
            + "\" fill=\"none\" stroke-linejoin=\"round\" stroke-linecap=\"round\""
            + StrokeAttributes(p.Stroke) + " points=\"";
        for (size_t i = 0; i < p.Points.size(); ++i)
            Out += (i ? " " : "") + Num(p.Points[i].X, 3) + "," + Num(p.Points[i].Y, 3);
        Out += "\"><title>" + Escaped(p.Name) + "</title></polyline>\n";
    }
    void operator()(const TSceneMarker &m) const
    {
        Out += "<circle cx=\"" + Num(m.At.X) + "\" cy=\"" + Num(m.At.Y) + "\" r=\"" + Num(m.Radius)
            + "\" fill=\"" + Color(m.Color) + "\"";
        Out += m.Tip.empty() ? "/>\n" : "><title>" + Escaped(m.Tip) + "</title></circle>\n";
    }
    void operator()(const TSceneText &t) const
    {
        static const char *const kAnchors[] = {"start", "middle", "end"};
        Out += "<text x=\"" + Num(t.At.X) + "\" y=\"" + Num(t.At.Y) + "\" font-size=\""
            + Num(t.Size) + "\" fill=\"" + Color(t.Color) + "\" text-anchor=\""
            + kAnchors[int(t.Anchor)] + "\"";
        if (t.Bold)
            Out += " font-weight=\"bold\"";
        if (t.Vertical)
            Out += " transform=\"rotate(-90 " + Num(t.At.X) + " " + Num(t.At.Y) + ")\"";
        Out += ">" + Escaped(t.Text) + "</text>\n";
    }
};

TCurveRasteriser &Rasteriser()
{
    static TCurveRasteriser rasteriser;
    return rasteriser;
}

} // namespace

std::string CurveSvg(const TCurveScene &scene)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\""
        + Num(scene.Width) + "\" height=\"" + Num(scene.Height) + "\" viewBox=\"0 0 "
        + Num(scene.Width) + " " + Num(scene.Height) + "\" data-plot-area=\""
        + RoundTripNumber(scene.Left) + " " + RoundTripNumber(scene.Top) + " "
        + RoundTripNumber(scene.Right) + " " + RoundTripNumber(scene.Bottom)
        + "\" data-plot-range=\"" + RoundTripNumber(scene.XMin) + " " + RoundTripNumber(scene.XMax)
        + " " + RoundTripNumber(scene.YMin) + " " + RoundTripNumber(scene.YMax)
        + "\" font-family=\"" + kCurveFontFamily + ", Verdana, Arial, sans-serif\">\n";
    const TSvgItem draw {out};
    for (const TSceneItem &item : scene.Items)
        std::visit(draw, item);
    out += "</svg>\n";
    return out;
}

void WriteCurveSvg(const std::filesystem::path &target, const TCurvePlot &plot)
{
    WriteFileAtomic(target, CurveSvg(LayoutCurvePlot(plot, kCurveWidth, kCurveHeight)));
}

void SetCurveRasteriser(TCurveRasteriser rasteriser)
{
    Rasteriser() = std::move(rasteriser);
}

const TCurveRasteriser &CurveRasteriser()
{
    return Rasteriser();
}

void WriteCurvePng(const std::filesystem::path &target,
                   const TCurvePlot &plot,
                   const TCurveRasteriser &rasteriser)
{
    const std::string bytes = rasteriser ? rasteriser(plot, kCurveWidth, kCurveHeight, 2) : "";
    if (bytes.empty())
        throw std::runtime_error(LocalString("Curve_png_failed"));
    WriteFileAtomic(target, bytes);
}

} // namespace vartesk
