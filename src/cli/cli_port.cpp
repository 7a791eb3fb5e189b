// The command line's user port.
#include "cli/cli_port.h"

#include "cli/calc_output_report.h"
#include "cli/desktop_open.h"

#include <ostream>
#include <stdexcept>
#include <unistd.h>

namespace vartesk::cli {

TCliPort::TCliPort(const TGlobalOptions &global,
                   std::ostream &err,
                   bool yes,
                   std::filesystem::path target)
    : Global(global)
    , Err(err)
    , Yes(yes)
    , Target(std::move(target))
    , Terminal(::isatty(STDERR_FILENO) == 1)
{ }

void TCliPort::Tell(TMessageKind kind, const std::string &text)
{
    const char *prefix = "";
    switch (kind) {
    case TMessageKind::Error:
        prefix = "error: ";
        ErrorTold = true;
        break;
    case TMessageKind::Warning:
        prefix = "warning: ";
        break;
    case TMessageKind::Information:
    case TMessageKind::Plain:
        break;
    }
    if (Terminal && Total > 0)
        Err << "\r\033[K"; // the progress line gives way, and comes back on the next step
    Err << "vartesk: " << prefix << OneLine(text) << "\n";
}

bool TCliPort::Ask(const std::string &text)
{
    Err << "vartesk: " << OneLine(text) << (Yes ? " yes (--yes)" : " no (answer with --yes)")
        << "\n";
    if (!Yes)
        DeclinedQuestion = true;
    return Yes;
}

std::optional<std::filesystem::path> TCliPort::ChooseSave(const TSaveRequest &)
{
    return Target;
}

std::optional<std::filesystem::path> TCliPort::ChooseFolder(const TSaveRequest &)
{
    return Target;
}

void TCliPort::Begin(const std::string &text, int total)
{
    WaitText = text;
    Total = total;
    Done = 0;
    ShowProgress();
}

void TCliPort::Step()
{
    ++Done;
    ShowProgress();
}

void TCliPort::End()
{
    if (Terminal && Total > 0)
        Err << "\r\033[K" << std::flush;
    Total = 0;
}

void TCliPort::ShowProgress()
{
    if (!Terminal || Total <= 0)
        return;
    Err << "\r" << WaitText << " " << Done << "/" << Total << std::flush;
}

void TCliPort::Open(const std::filesystem::path &path)
{
    OpenIfAsked(Global, path.string(), Err);
}

int TCliPort::Finish(const std::optional<std::filesystem::path> &written,
                     bool complete,
                     std::ostream &out) const
{
    if (!written) {
        if (DeclinedQuestion)
            throw std::runtime_error("nothing was written: the question was answered No");
        throw std::runtime_error("nothing was written");
    }
    out << written->string() << "\n";
    return complete ? 0 : 1;
}

} // namespace vartesk::cli
