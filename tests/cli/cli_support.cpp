// Runs the built vartesk as a child process.
#include "cli_support.h"

#include "test_support.h"

#include <sys/wait.h>
#include <unistd.h>

namespace vartesk::test {

TRunResult RunCli(const std::vector<std::string> &args, const TRunOptions &options)
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
        const auto stdoutFile = options.Stdout.empty() ? out : options.Stdout;
        if (!std::freopen(stdoutFile.c_str(), "w", stdout)
            || !std::freopen(err.c_str(), "w", stderr))
            ::_exit(127);
        ::alarm(options.Deadline); // kept across execv
        std::vector<std::string> pairs = options.Env;
        for (auto &pair : pairs)
            ::putenv(pair.data());
        ::execv(exe.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    TRunResult r;
    r.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    r.Out = options.Stdout.empty() ? ReadAll(out) : std::string();
    r.Err = ReadAll(err);
    return r;
}

} // namespace vartesk::test
