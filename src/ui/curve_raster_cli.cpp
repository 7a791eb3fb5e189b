// The command-line tool's PNG of the curves: linked into the tool alone, it registers the
// painter as the curves' rasteriser. The tool has no Qt application of its own, so one is
// made on the offscreen platform for the drawing: no display is needed, nor used.
#include "app/curve_svg.h"
#include "ui/curve_painter.h"

#include <QGuiApplication>

#include <cstdio>
#include <optional>

namespace vartesk::ui {

namespace {

// Qt's chatter about its own set-up (a missing runtime folder, which the offscreen platform
// never uses) is none of the user's business; what else it says goes to stderr as ours does.
void QtMessage(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtDebugMsg || type == QtInfoMsg || text.startsWith("QStandardPaths:"))
        return;
    std::fprintf(stderr, "vartesk: warning: Qt: %s\n", text.toLocal8Bit().constData());
}

std::string Rasterise(const TCurvePlot &plot, double width, double height, double scale)
{
    const QtMessageHandler previous = qInstallMessageHandler(QtMessage);
    struct TRestore
    {
        QtMessageHandler Handler;
        ~TRestore() { qInstallMessageHandler(Handler); }
    } const restore {previous};
    std::optional<QGuiApplication> application;
    if (!QGuiApplication::instance()) {
        static char name[] = "vartesk", option[] = "-platform", platform[] = "offscreen";
        static char *argv[] = {name, option, platform, nullptr};
        static int argc = 3;
        application.emplace(argc, argv);
    }
    return CurvePng(plot, width, height, scale);
}

struct TRegistrar
{
    TRegistrar() { SetCurveRasteriser(Rasterise); }
} const kRegistrar;

} // namespace

} // namespace vartesk::ui
