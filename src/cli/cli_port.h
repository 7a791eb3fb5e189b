// The user port of the command line: it never blocks. Messages go to stderr, questions take
// the answer of --yes, the target (a file or a folder) is the one named on the command line.
#pragma once

#include "cli/command.h"
#include "port/user_port.h"

#include <filesystem>
#include <iosfwd>
#include <optional>

namespace vartesk::cli {

class TCliPort : public TMessages, public TFileChooser, public TWaitWindow, public TDesktop
{
public:
    // `yes` answers every question Yes; without it a question is printed and answered No.
    TCliPort(const TGlobalOptions &global,
             std::ostream &err,
             bool yes,
             std::filesystem::path target);

    void Tell(TMessageKind kind, const std::string &text) override;
    bool Ask(const std::string &text) override;
    std::optional<std::filesystem::path> ChooseSave(const TSaveRequest &request) override;
    std::optional<std::filesystem::path> ChooseFolder(const TSaveRequest &request) override;
    void Begin(const std::string &text, int total) override;
    void Step() override;
    void End() override;
    void Open(const std::filesystem::path &path) override;

    TUserPort Port() { return {*this, *this, *this, *this}; }
    bool Declined() const { return DeclinedQuestion; } // a question was answered No
    bool ToldError() const { return ErrorTold; }
    // The end of a command that writes one file: its path on `out` and the exit code, 1 when
    // it holds less than it should. Nothing written is an error that says why.
    int Finish(const std::optional<std::filesystem::path> &written,
               bool complete,
               std::ostream &out) const;

private:
    void ShowProgress();

    const TGlobalOptions &Global;
    std::ostream &Err;
    bool Yes;
    std::filesystem::path Target;
    bool DeclinedQuestion = false;
    bool ErrorTold = false;
    bool Terminal = false; // progress only on a terminal: a log file wants no \r lines
    std::string WaitText;
    int Total = 0;
    int Done = 0;
};

} // namespace vartesk::cli
