// DescribeInput and TCrashNote.
#include "input_trace.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace vartesk::test {

namespace {

constexpr size_t kDumpBytes = 64;

std::atomic<const std::string *> CurrentNote {nullptr};

void WriteNote()
{
    const std::string *note = CurrentNote.load();
    if (!note)
        return;
    // Only write(2) here: this runs inside a signal handler.
    static const char kHead[] = "\n*** the test died on: ";
    [[maybe_unused]] ssize_t n = ::write(2, kHead, sizeof kHead - 1);
    n = ::write(2, note->data(), note->size());
    n = ::write(2, "\n", 1);
}

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
struct sigaction Previous[std::size(kSignals)];

void OnSignal(int signal)
{
    WriteNote();
    // Hand over to whoever was there before (the default action, or a sanitizer's report).
    for (size_t i = 0; i < std::size(kSignals); ++i)
        if (kSignals[i] == signal)
            sigaction(signal, &Previous[i], nullptr);
    // A fault comes back when the instruction runs again; an abort has to be raised again.
    if (signal == SIGABRT)
        std::raise(signal);
}

void InstallOnce()
{
    static const bool installed = [] {
        for (size_t i = 0; i < std::size(kSignals); ++i) {
            struct sigaction action
            { };
            action.sa_handler = OnSignal;
            sigemptyset(&action.sa_mask);
            sigaction(kSignals[i], &action, &Previous[i]);
        }
#if defined(__SANITIZE_ADDRESS__)
        __sanitizer_set_death_callback(WriteNote);
#endif
        return true;
    }();
    (void)installed;
}

} // namespace

std::string DescribeInput(const std::string &label, std::string_view bytes)
{
    std::string out = label + " (" + std::to_string(bytes.size()) + " bytes:";
    char hex[4];
    for (size_t i = 0; i < bytes.size() && i < kDumpBytes; ++i) {
        std::snprintf(hex, sizeof hex, " %02X", unsigned(static_cast<unsigned char>(bytes[i])));
        out += hex;
    }
    out += bytes.size() > kDumpBytes ? " ...)" : ")";
    return out;
}

TCrashNote::TCrashNote(std::string text)
    : Text(std::move(text))
    , Outer(CurrentNote.exchange(&Text))
{
    InstallOnce();
}

TCrashNote::~TCrashNote()
{
    CurrentNote.store(Outer);
}

} // namespace vartesk::test
