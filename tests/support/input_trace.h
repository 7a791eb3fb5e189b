// Naming the input a test over many generated or collected inputs failed on, crashes included.
#pragma once

#include <string>
#include <string_view>

namespace vartesk::test {

// The input as a failure message names it: the label, the size and a hex dump of the first
// bytes (enough to tell a mangled header from a mangled body).
std::string DescribeInput(const std::string &label, std::string_view bytes);

// While it lives, a crash (a fatal signal, an abort, a sanitizer's report) first writes the
// text on stderr. gtest prints nothing of its own for a test that kills the process, so a
// crash-only test would otherwise not tell which of its inputs did it.
class TCrashNote
{
public:
    explicit TCrashNote(std::string text);
    ~TCrashNote();
    TCrashNote(const TCrashNote &) = delete;
    TCrashNote &operator=(const TCrashNote &) = delete;

private:
    std::string Text;
    const std::string *Outer; // the note this one stands inside, back in force after it
};

} // namespace vartesk::test
