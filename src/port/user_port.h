// The user port: the only way the reports, the editors and the application layer talk to a
// person. The desktop, the command line and the tests each implement it. A layer of its own
// below them all, so that an editor needs nothing of the reports to tell the user something.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vartesk {

enum class TMessageKind {
    Error, // error box, OK
    Warning, // warning box, OK
    Information, // information box, OK
    Plain, // a box without an icon, OK
};

// Message boxes and Yes/No questions.
class TMessages
{
public:
    virtual ~TMessages() = default;
    // Shows the message; returns once the person has seen it (the command line: printed).
    virtual void Tell(TMessageKind kind, const std::string &text) = 0;
    // A confirmation with Yes and No; true for Yes. A port that cannot ask answers by its own
    // rule (the command line: --yes, or No after printing the question).
    virtual bool Ask(const std::string &text) = 0;
};

// What a save dialog shows.
struct TSaveRequest
{
    std::string Title; // may be empty: the dialog's own
    std::string Filter; // "*.xls|*.xls"
    std::string DefaultExtension; // "xls"
    std::string InitialName; // "*.xls", or a proposed name
    std::filesystem::path InitialFolder; // empty: the last one used
};

// File choices.
class TFileChooser
{
public:
    virtual ~TFileChooser() = default;
    // The chosen target, or nothing when the person cancels.
    virtual std::optional<std::filesystem::path> ChooseSave(const TSaveRequest &request) = 0;
    // An existing folder, for outputs of several files; the request's title and starting
    // folder alone count. Nothing when the person cancels.
    virtual std::optional<std::filesystem::path> ChooseFolder(const TSaveRequest &request) = 0;
};

// The modeless wait window with its progress bar.
class TWaitWindow
{
public:
    virtual ~TWaitWindow() = default;
    // Shows the window with its text; `total` steps make the whole bar (0: no bar). The screen
    // is repainted before this returns.
    virtual void Begin(const std::string &text, int total) = 0;
    // One step of the bar done.
    virtual void Step() = 0;
    virtual void End() = 0;
};

// The desktop's "open with the associated program".
class TDesktop
{
public:
    virtual ~TDesktop() = default;
    // Hands the file over; a file that cannot be opened is the desktop's to report, not ours.
    virtual void Open(const std::filesystem::path &path) = 0;
};

struct TUserPort
{
    TMessages &Messages;
    TFileChooser &Files;
    TWaitWindow &Wait;
    TDesktop &Desktop;
};

// Shows the wait window for as long as it lives, whatever way the command ends.
class TWaitScope
{
public:
    TWaitScope(TWaitWindow &wait, const std::string &text, int total)
        : Wait(wait)
    {
        Wait.Begin(text, total);
    }
    ~TWaitScope() { Wait.End(); }
    TWaitScope(const TWaitScope &) = delete;
    TWaitScope &operator=(const TWaitScope &) = delete;
    void Step() { Wait.Step(); }

private:
    TWaitWindow &Wait;
};

} // namespace vartesk
