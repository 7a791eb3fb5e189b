// Handing a written file to the desktop's program, as --open asks.
#pragma once

#include <iosfwd>
#include <string>

namespace vartesk::cli {

struct TGlobalOptions;

// With --open, runs `xdg-open PATH` and waits for it. A file that cannot be opened is only
// a warning on `err`: the file itself was written, which is what the command promised.
void OpenIfAsked(const TGlobalOptions &global, const std::string &path, std::ostream &err);

} // namespace vartesk::cli
