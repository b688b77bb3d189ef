// platform.cpp — the hand-off to a running copy: finds the companion program
// beside tyx, runs it without a shell and returns its verdict.
#include "platform/platform.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

std::vector<std::string> focus_command_line(const std::string& program_path)
{
    std::string::size_type slash = program_path.rfind('/');
    std::string directory = slash == std::string::npos ? "." : program_path.substr(0, slash);
    return {directory + "/" + kFocusProgram, program_path, "TYX 1.27", "TYX 1.27(2)"};
}

int run_and_wait(const std::vector<std::string>& argv)
{
    if (argv.empty())
        return 0;
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    pid_t pid;
    if (posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0)
        return 0;
    int status;
    while (waitpid(pid, &status, 0) == -1) {
        if (errno != EINTR)
            return 0;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 0;
}

int run_or_focus_from(const std::string& program_path)
{
    if (program_path.empty())
        return 0;
    return run_and_wait(focus_command_line(program_path));
}

int run_or_focus()
{
    return run_or_focus_from(executable_path());
}

std::string executable_path()
{
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0 || n >= static_cast<ssize_t>(sizeof path) - 1) // none, or cut short
        return "";
    return std::string(path, static_cast<size_t>(n));
}
