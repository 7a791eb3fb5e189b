// The user port of the desktop program: Qt message boxes, file dialogs, the wait window and the
// desktop's open.
#pragma once

#include "app/app_port.h"
#include "port/user_port.h"
#include "ui/wait_window.h"

#include <QPointer>
#include <QString>

#include <filesystem>

class QWidget;

namespace vartesk::ui {

// The application title: the title of every message box.
inline constexpr const char *kApplicationTitle = "Vartesk";

// Paths and Qt's file names, through the file system's encoding.
QString ToQString(const std::filesystem::path &path);
std::filesystem::path ToPath(const QString &fileName);

// Message boxes alone, over a window (may be null): what a window tells on its own.
class TBoxMessages final : public TMessages
{
public:
    explicit TBoxMessages(QWidget *parent)
        : Parent(parent)
    { }
    // The message boxes of TBoxMessages; unattended, a line on the standard error instead.
    void Tell(TMessageKind kind, const std::string &text) override;
    // The question of TBoxMessages; unattended, the question on the standard error and No.
    bool Ask(const std::string &text) override;

private:
    QPointer<QWidget> Parent;
};

// Every window it opens is modal over `parent` (the main window; may be null), which keeps the
// wait window as its child and so must outlive the port: the main window holds it as a member.
// The modal editors are not here: they come with the screens, through App(dialogs).
class TQtUserPort final : public TMessages,
                          public TFileChooser,
                          public TOpenChooser,
                          public TDesktop
{
public:
    explicit TQtUserPort(QWidget *parent = nullptr);

    // A box titled with the application title, its icon after the kind, OK. The text is shown
    // as plain text; "\r\n" breaks the line.
    void Tell(TMessageKind kind, const std::string &text) override;
    // A warning box with Yes (the default button) and No; Escape or closing the box is No.
    bool Ask(const std::string &text) override;
    // A save dialog with the request's title (none: Qt's own), filter and initial name (a
    // pattern proposes no name); it starts in the request's folder, or else in the folder of
    // the last file chosen. The extension is added to a name typed without one, and an
    // existing file is replaced only after the dialog's question. Nothing on Cancel.
    std::optional<std::filesystem::path> ChooseSave(const TSaveRequest &request) override;
    // The same for an existing file; a name typed without an extension gets it when that names
    // an existing file. Nothing on Cancel.
    std::optional<std::filesystem::path> ChooseOpen(const TSaveRequest &request) override;
    // A dialog of folders alone, titled and started as the save dialog; the folder chosen is
    // where the next dialog starts. Nothing on Cancel.
    std::optional<std::filesystem::path> ChooseFolder(const TSaveRequest &request) override;
    // The desktop's program for the file; one that cannot be opened is the desktop's to tell.
    void Open(const std::filesystem::path &path) override;

    // For a run that nobody watches (the start check): no box waits for a person, and the
    // file dialogs answer Cancel.
    void SetUnattended(bool unattended) { Unattended = unattended; }
    // Error messages told so far.
    int Errors() const { return ErrorCount; }

    TWaitWindow &Wait() { return WaitWindow; }
    // The folder the next dialog starts in when its request names none.
    const std::filesystem::path &LastFolder() const { return Last; }

    TUserPort User() { return {*this, *this, WaitWindow, *this}; }
    TAppPort App(TAppDialogs &dialogs) { return {*this, *this, *this, WaitWindow, *this, dialogs}; }

private:
    std::optional<std::filesystem::path> Choose(const TSaveRequest &request, bool save);

    QPointer<QWidget> Parent;
    TFormWait WaitWindow;
    std::filesystem::path Last;
    bool Unattended = false;
    int ErrorCount = 0;
};

} // namespace vartesk::ui
