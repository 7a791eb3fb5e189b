// The wait window, painted at once because the command it accompanies holds the event loop.
#include "ui/wait_window.h"

#include "l10n/string_table.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QThread>
#include <QVBoxLayout>
#include <QWindow>

namespace vartesk::ui {

namespace {

// How long Begin waits for the window system to map the window before going on without it:
// the job must not wait on a slow display.
constexpr int kExposeWaitMs = 200;

} // namespace

TFormWait::TFormWait(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , Line(new QLabel(this))
    , Progress(new QProgressBar(this))
{
    // No close button: the window goes when the command ends, not before.
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Line);
    layout->addWidget(Progress);
    Line->setTextFormat(Qt::PlainText);
    Line->setMinimumWidth(320);
    Progress->setTextVisible(false);
    setWindowModality(Qt::NonModal);
}

void TFormWait::Begin(const std::string &text, int total)
{
    setWindowTitle(QString::fromStdString(LocalString("Wait")));
    Line->setText(QString::fromStdString(text));
    Progress->setRange(0, total > 0 ? total : 1);
    Progress->setValue(0);
    Progress->setVisible(total > 0);
    adjustSize();
    if (parentWidget()) {
        const QRect owner = parentWidget()->window()->frameGeometry();
        move(owner.center() - rect().center());
    }
    show();
    raise();
    PaintNow();
}

void TFormWait::Step()
{
    if (Progress->value() < Progress->maximum())
        Progress->setValue(Progress->value() + 1);
    PaintNow();
}

void TFormWait::End()
{
    hide();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString TFormWait::Text() const
{
    return Line->text();
}

void TFormWait::PaintNow()
{
    QElapsedTimer waited;
    waited.start();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < kExposeWaitMs) {
        QThread::msleep(5);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    repaint();
}

} // namespace vartesk::ui
