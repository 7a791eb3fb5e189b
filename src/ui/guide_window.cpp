// The user guide's window.
#include "ui/guide_window.h"

#include "l10n/string_table.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>

namespace vartesk::ui {

QWidget *ShowGuideWindow(QWidget *parent, const std::string &markdown)
{
    // One guide open at a time: Help pressed again brings it forward.
    static QPointer<QWidget> window;
    if (!window) {
        window = new QWidget(parent, Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        auto *layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *text = new QTextBrowser(window);
        text->setObjectName(QStringLiteral("guide"));
        // Links to the web go to the desktop's browser; the guide has no pages of its own.
        text->setOpenExternalLinks(true);
        layout->addWidget(text);
        const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
        const QSize available = screen ? screen->availableSize() : QSize(1024, 768);
        window->resize(std::min(available.width() * 3 / 5, 900), available.height() * 4 / 5);
    }
    window->setWindowTitle(QString::fromStdString(LocalString("Help")));
    window->findChild<QTextBrowser *>(QStringLiteral("guide"))
        ->setMarkdown(QString::fromStdString(markdown));
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace vartesk::ui
