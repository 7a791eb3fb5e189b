// vartesk-gui: the desktop program.
#include "base/freed_memory.h"
#include "base/text_format.h"
#include "catalog/working_catalog.h"
#include "l10n/localization.h"
#include "l10n/string_table.h"
#include "ui/main_window_widget.h"
#include "ui/screenshot.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

namespace {

// Removes `--name VALUE` from the arguments and gives VALUE; empty when not given.
QString TakeOption(QStringList &arguments, const QString &name)
{
    const qsizetype at = arguments.indexOf(name);
    if (at < 0)
        return {};
    if (at + 1 >= arguments.size())
        throw std::runtime_error(name.toStdString() + " needs a value");
    const QString value = arguments.at(at + 1);
    arguments.remove(at, 2);
    return value;
}

} // namespace

int main(int argc, char **argv)
{
    vartesk::KeepFreedMemory();
    QApplication application(argc, argv);
    QApplication::setApplicationName("vartesk");
    QApplication::setApplicationVersion(VARTESK_VERSION);
    using namespace vartesk;
    QStringList arguments = QApplication::arguments();
    // For start checks (a new machine, an installation): start, load, say so, leave. No one is
    // there to answer a box, so what would be one goes to the standard error.
    const bool exitAfterStart = arguments.removeAll(QStringLiteral("--exit-after-start")) > 0;
    // --screenshot FILE.png [--page N]: the window with the project and its results, as a
    // picture for the guide and for reviewing the look; then it leaves like a start check.
    const bool unattended = exitAfterStart || arguments.contains(QStringLiteral("--screenshot"));
    try {
        const QString screenshot = TakeOption(arguments, QStringLiteral("--screenshot"));
        const QString page = TakeOption(arguments, QStringLiteral("--page"));
        InitLocalization();
        RegisterAllStrings();
        const std::vector<std::string> warnings = LoadWorkingCatalog();
        ui::TMainWindowWidget window(WireCatalog());
        window.UserPort().SetUnattended(unattended);
        TFormMain &form = window.State();
        form.Start();
        if (screenshot.isEmpty()) {
            window.RestoreWindowState();
        } else {
            // The same picture on every machine: a fixed size, the page asked for (the
            // sections and their results unless told).
            window.resize(1600, 900);
            const int number = page.isEmpty() ? int(TPage::Sections) : page.toInt();
            if (number < 1 || number > 4)
                throw std::runtime_error("--page takes 1 to 4");
            form.Navigate(TPage(number));
        }
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
        if (!screenshot.isEmpty()) {
            window.Refresh();
            // Layouts and the results settle over a few turns of the event loop.
            for (int i = 0; i < 5; ++i)
                QApplication::processEvents();
            ui::SaveScreenshot(window, ui::ToPath(screenshot));
        }
        if (unattended) {
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
        if (unattended)
            std::fprintf(stderr, "vartesk-gui: error: %s\n", text.toLocal8Bit().constData());
        else
            QMessageBox::critical(nullptr, QStringLiteral("Vartesk"), text);
        return 1;
    }
}
