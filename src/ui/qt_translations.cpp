// Qt's translations.
#include "ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace vartesk::ui {

bool UseQtTranslations(TLanguage language)
{
    // Made once and kept for the program's life: the application holds the pointer.
    static QTranslator *installed = nullptr;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    if (language == TLanguage::English)
        return true;
    auto translator = std::make_unique<QTranslator>();
    // qt_ru holds qtbase_ru and the other modules' files Debian ships.
    if (!translator->load(QLocale(QLocale::Russian),
                          QStringLiteral("qt"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    installed = translator.release();
    QCoreApplication::installTranslator(installed);
    return true;
}

} // namespace vartesk::ui
