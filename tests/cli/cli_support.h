// Running the vartesk binary from the tests.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vartesk::test {

struct TRunResult
{
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

struct TRunOptions
{
    // Where standard output goes instead of being collected (/dev/full, a FIFO...).
    std::filesystem::path Stdout;
    // A run still going after this many seconds is ended by SIGALRM (exit code 142), so that a
    // command that blocks fails its test instead of hanging the whole run; 0: no deadline.
    unsigned Deadline = 0;
    // NAME=VALUE pairs set for that run only.
    std::vector<std::string> Env;
};

// Runs the built vartesk with the arguments (no shell involved) and collects its output.
TRunResult RunCli(const std::vector<std::string> &args, const TRunOptions &options = {});

} // namespace vartesk::test
