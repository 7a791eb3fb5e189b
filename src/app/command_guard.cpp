// The error box of a failed command.
#include "app/command_guard.h"

#include "base/text_format.h"
#include "l10n/string_table.h"

namespace vartesk {

void TellCommandFailure(TMessages &messages, const char *what, const std::string &afterwards)
{
    std::string text = FormatText(LocalString("Command_failed"),
                                  {what ? std::string(what) : LocalString("Unexpected_error")});
    if (!afterwards.empty())
        text += "\r\n" + afterwards;
    messages.Tell(TMessageKind::Error, text);
}

} // namespace vartesk
