// --open through xdg-open, without a shell, so that no file name is ever interpreted.
#include "cli/desktop_open.h"

#include "cli/command.h"

#include <cerrno>
#include <cstring>
#include <ostream>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace vartesk::cli {

void OpenIfAsked(const TGlobalOptions &global, const std::string &path, std::ostream &err)
{
    if (!global.Open)
        return;
    std::string program = "xdg-open";
    std::string target = path;
    char *argv[] = {program.data(), target.data(), nullptr};
    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv, environ);
    if (spawned != 0) {
        err << "vartesk: warning: cannot open \"" << path
            << "\" with xdg-open: " << std::strerror(spawned) << "\n";
        return;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        err << "vartesk: warning: xdg-open could not open \"" << path << "\"\n";
}

} // namespace vartesk::cli
