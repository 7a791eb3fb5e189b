// vartesk-gui: the desktop program.
#include "base/text_format.h"
#include "catalog/working_catalog.h"
#include "l10n/localization.h"
#include "l10n/string_table.h"
#include "ui/main_window_widget.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("vartesk");
    QApplication::setApplicationVersion(VARTESK_VERSION);
    using namespace vartesk;
    QStringList arguments = QApplication::arguments();
    // For start checks (a new machine, an installation): start, load, say so, leave. No one is
    // there to answer a box, so what would be one goes to the standard error.
    const bool exitAfterStart = arguments.removeAll(QStringLiteral("--exit-after-start")) > 0;
    try {
        InitLocalization();
        RegisterAllStrings();
        const std::vector<std::string> warnings = LoadWorkingCatalog();
        ui::TMainWindowWidget window(WireCatalog());
        window.UserPort().SetUnattended(exitAfterStart);
        TFormMain &form = window.State();
        form.Start();
        window.RestoreWindowState();
        window.show();
        if (!warnings.empty()) {
            std::string text;
            for (const auto &w : warnings)
                text += (text.empty() ? "" : "\r\n") + w;
            window.UserPort().Tell(TMessageKind::Warning, text);
        }
        bool opened = true;
        if (arguments.size() > 1) {
            bool loaded = false;
            opened = form.Guard([&] { loaded = form.OpenProjectFile(ui::ToPath(arguments.at(1))); })
                && loaded;
            window.Refresh();
        }
        if (exitAfterStart) {
            QApplication::processEvents();
            std::printf("%s; sections: %d\n",
                        window.windowTitle().toStdString().c_str(),
                        form.Project.Parcels.Count());
            ClearStrings();
            return window.isVisible() && opened ? 0 : 1;
        }
        const int code = QApplication::exec();
        ClearStrings();
        return code;
    } catch (const std::exception &e) {
        // The failure may have come before the table was filled.
        RegisterAllStrings();
        const QString text
            = QString::fromStdString(FormatText(LocalString("Program_error"), {e.what()}));
        if (exitAfterStart)
            std::fprintf(stderr, "vartesk-gui: error: %s\n", text.toLocal8Bit().constData());
        else
            QMessageBox::critical(nullptr, QStringLiteral("Vartesk"), text);
        return 1;
    }
}
