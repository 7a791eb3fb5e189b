// The wait window: a small modeless window with one line of text and a progress bar.
#pragma once

#include "port/user_port.h"

#include <QWidget>

class QLabel;
class QProgressBar;

namespace vartesk::ui {

// Shown while a long command runs on the one thread of the program. Everything it shows is
// painted before Begin and Step return; the person's clicks and keys wait until the command
// is over, so nothing can start a second command in the middle of the first.
class TFormWait final : public QWidget, public TWaitWindow
{
public:
    // A window of its own, kept above `parent` (the main window; may be null).
    explicit TFormWait(QWidget *parent = nullptr);

    // The caption is the text of the key Wait, taken at each Begin so that it follows the
    // language. A new Begin replaces the text and starts the bar again.
    void Begin(const std::string &text, int total) override;
    // Steps past `total` leave the bar full.
    void Step() override;
    void End() override;

    QString Text() const;
    const QProgressBar &Bar() const { return *Progress; }

private:
    void PaintNow();

    QLabel *Line;
    QProgressBar *Progress;
};

} // namespace vartesk::ui
