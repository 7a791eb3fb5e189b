// The about window's widgets.
#include "ui/about_window.h"

#include "app/about_text.h"
#include "ui/app_windows.h"
#include "ui/caption_text.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace vartesk::ui {

namespace {

QLabel *Line(QWidget *parent, Qt::Alignment alignment)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    return label;
}

} // namespace

TAboutWindow::TAboutWindow(QWidget *parent)
    : QWidget(parent, Qt::Dialog)
    , NameLine(Line(this, Qt::AlignCenter))
    , DescriptionLines(Line(this, Qt::AlignCenter))
    , VersionLine(Line(this, Qt::AlignCenter))
{
    QFont big = NameLine->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    NameLine->setFont(big);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);
    layout->setSpacing(16);
    layout->addWidget(NameLine);
    layout->addWidget(DescriptionLines);
    layout->addWidget(VersionLine);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // Goes when closed: the next showing makes a new one.
    setAttribute(Qt::WA_DeleteOnClose);
}

void TAboutWindow::Show(const std::string &caption,
                        const std::string &name,
                        const std::string &description,
                        const std::string &version)
{
    setWindowTitle(CaptionText(caption));
    NameLine->setText(CaptionText(name));
    DescriptionLines->setText(CaptionText(description));
    VersionLine->setText(CaptionText(version));
    show();
    raise();
    activateWindow();
}

QString TAboutWindow::Name() const
{
    return NameLine->text();
}

QString TAboutWindow::Description() const
{
    return DescriptionLines->text();
}

QString TAboutWindow::Version() const
{
    return VersionLine->text();
}

void TAboutWindow::mousePressEvent(QMouseEvent *)
{
    close();
}

void TAboutWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void ShowAboutWindow(const std::string &caption,
                     const std::string &name,
                     const std::string &description,
                     const std::string &version,
                     QWidget *parent)
{
    TAboutWindow *window = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *about = qobject_cast<TAboutWindow *>(w);
        if (about && about->parentWidget() == parent)
            window = about;
    }
    if (!window)
        window = new TAboutWindow(parent);
    window->Show(caption, name, description, version);
}

} // namespace vartesk::ui

namespace vartesk::ui {

void ShowAboutWindow(QWidget *parent)
{
    const TAboutText text = AboutText();
    ShowAboutWindow(text.Caption, text.Name, text.Description, text.Version, parent);
}

} // namespace vartesk::ui
