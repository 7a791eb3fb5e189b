// The about window: the program's name, what it does and its version; a click closes it.
#pragma once

#include <QWidget>

#include <string>

class QLabel;

namespace vartesk::ui {

class TAboutWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit TAboutWindow(QWidget *parent);

    // Texts as the application layer makes them, lines broken with "\r\n".
    void Show(const std::string &caption,
              const std::string &name,
              const std::string &description,
              const std::string &version);

    QString Name() const;
    QString Description() const;
    QString Version() const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *NameLine;
    QLabel *DescriptionLines;
    QLabel *VersionLine;
};

// Shows the about window over `parent` with these texts, modeless: a window already open
// there is filled again and raised.
void ShowAboutWindow(const std::string &caption,
                     const std::string &name,
                     const std::string &description,
                     const std::string &version,
                     QWidget *parent);

} // namespace vartesk::ui
