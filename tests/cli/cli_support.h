// Running the vartesk binary from the tests.
#pragma once

#include <string>
#include <vector>

namespace vartesk::test {

struct TRunResult
{
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

// Runs the built vartesk with the arguments (no shell involved) and collects its output;
// `env` holds NAME=VALUE pairs set for that run only.
TRunResult RunCli(const std::vector<std::string> &args, const std::vector<std::string> &env = {});

} // namespace vartesk::test
