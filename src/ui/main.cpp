// vartesk-gui: the desktop program's entry (a bare main window until the screens come).
#include "l10n/localization.h"
#include "l10n/string_table.h"
#include "ui/qt_user_port.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("vartesk");
    QApplication::setApplicationVersion(VARTESK_VERSION);
    vartesk::InitLocalization();
    vartesk::RegisterAllStrings();

    QMainWindow window;
    window.setWindowTitle(
        QString::fromStdString(std::string(vartesk::ui::kApplicationTitle) + " - "
                               + vartesk::LocalString("Calculation_of_mounting_stresses")));
    window.resize(960, 640);
    window.show();
    return QApplication::exec();
}
