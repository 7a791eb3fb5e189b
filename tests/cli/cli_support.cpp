// Runs the built vartesk as a child process.
#include "cli_support.h"

#include "test_support.h"

#include <sys/wait.h>
#include <unistd.h>

namespace vartesk::test {

TRunResult RunCli(const std::vector<std::string> &args, const std::vector<std::string> &env)
{
    TScratchDir dir;
    const auto out = dir / "out";
    const auto err = dir / "err";
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char *> argv;
        std::string exe = VARTESK_CLI;
        argv.push_back(exe.data());
        std::vector<std::string> copy = args;
        for (auto &a : copy)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (!std::freopen(out.c_str(), "w", stdout) || !std::freopen(err.c_str(), "w", stderr))
            ::_exit(127);
        std::vector<std::string> pairs = env;
        for (auto &pair : pairs)
            ::putenv(pair.data());
        ::execv(exe.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    TRunResult r;
    r.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    r.Out = ReadAll(out);
    r.Err = ReadAll(err);
    return r;
}

} // namespace vartesk::test
